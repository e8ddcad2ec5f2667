// Messages about the presentation-time map and the spans planned on it, in the program's
// style (caption "エラー" unless said otherwise).
#pragma once

#include <string>

namespace velmorin::map_messages {

// The title set has no title `title`; it has `count`.
std::string titleNotInSet(int title, int count);
// A span (as "FROM-TO") that does not lie within the title ("0-END").
std::string spanOutsideTitle(const std::string& span, const std::string& title);
// Caption "情報": a stream that no pattern silences.
inline constexpr const char* kMpegAudioPlaysOn =
    "MPEG音声のストリームがあります. MPEG音声は無音化されません.";

}  // namespace velmorin::map_messages
