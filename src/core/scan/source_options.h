// How the title's VOB files were chosen and are to be read; set in the source selection,
// stored in project files.
#pragma once

#include "scan/chapter_info.h"

namespace velmorin {

struct SourceOptions {
    bool readByVtsi = false;
    ChapterMethod chapterMethod = ChapterMethod::SectorMatch;
    bool fastRead = true;
    bool interleaveCheck = false;  // on with the start-up argument "-E"
};

}  // namespace velmorin
