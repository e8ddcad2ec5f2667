// The five settings kept between runs; while the program runs they are part of the state
// record, so loading a project replaces them too.
#pragma once

#include <cstdint>
#include <string>

namespace velmorin {

struct Settings {
    static constexpr int kPlayTimes = 22;  // indexes 0 … 21 of the play-time list
    static constexpr std::int32_t kDefaultPlayTimeIndex = 10;

    std::string lastSourceFolder;
    std::string playerPath;
    std::int32_t playTimeIndex = kDefaultPlayTimeIndex;
    bool mpgWorkingFiles = true;
    bool previewEnabled = true;
};

// The defaults of a first start: the folder the source dialog starts in (the program's own,
// or the user's in an installation), and the platform's player (the desktop's opener where
// there is no Windows Media Player).
Settings defaultSettings(const std::string& startFolder);

}  // namespace velmorin
