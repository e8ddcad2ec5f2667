// Edit decision lists as media players read them: one entry per line, "start end action",
// times in seconds (or hh:mm:ss.mmm), separated by spaces or tabs. Action 1 mutes the
// audio from start to end; the others (0 cut, 2 scene marker, 3 commercial break) have no
// meaning for a disc that plays on and are handed back for the caller to list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "timing/title_span.h"

namespace velmorin {

enum class EdlResult {
    Ok,
    MalformedLine,  // not three fields, a time or action that is not a number, or a
                    // mute that ends before it starts
};

struct IgnoredEdlEntry {
    int line = 0;        // 1-based
    std::string action;  // as written
};

struct EdlList {
    EdlResult result = EdlResult::Ok;
    int errorLine = 0;                     // when MalformedLine, 1-based
    std::vector<TitleSpan> mutes;          // in file order; empty unless Ok
    std::vector<IgnoredEdlEntry> ignored;  // entries of other actions; empty unless Ok
};

// Reads decoded text (see text_decoding.h); blank lines and lines starting with '#' are
// skipped. A malformed line makes the whole list fail: nothing is returned but its line.
EdlList parseEdl(std::string_view text);

}  // namespace velmorin
