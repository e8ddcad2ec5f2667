// The nine mute buttons: which pattern each applies, and the message for a failed mute.
#pragma once

#include <optional>
#include <string>

#include "mute/mute_operation.h"

namespace velmorin {

inline constexpr const char* kNoInputData = "入力データがありません.";

// The pattern a mute button applies (both "----" buttons apply 4); -1 for other ids.
MuteState patternForButton(int controlId);

// The message for a failed mute of a GOP in file `fileIndex`.
std::string muteFailureMessage(MuteResult result, const InputFileSet& files, int fileIndex);

}  // namespace velmorin
