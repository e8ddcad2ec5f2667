// The messages about EDL, subtitle and word list files and the spans read from them, in
// the program's style (shown with the caption "エラー" unless said otherwise). `path` is
// the file's path as given, `line` a 1-based line number.
#pragma once

#include <string>

#include "timing/title_span.h"

namespace velmorin::timing_messages {

// A character the file's encoding cannot hold (encodingName as DecodedText gives it).
std::string undecodableText(const std::string& path, int line, const char* encodingName);
std::string malformedEdlLine(const std::string& path, int line);
// An entry of an action other than mute; listed, not an error.
std::string ignoredEdlEntry(const std::string& path, int line, const std::string& action);
std::string malformedSubtitleTiming(const std::string& path, int line);
std::string noSubtitleCues(const std::string& path);
std::string noWords(const std::string& path);
// Words typed into the dialog instead of a word list file, and none there.
inline constexpr const char* kNoTypedWords = "無音化する語句が入力されていません.";
// A typed span that is not FROM-TO in title time (line counted from 1).
std::string malformedTypedSpan(int line);
// No span typed at all.
inline constexpr const char* kNoTypedSpans = "無音化する時間が入力されていません.";
// No cue holds a word of the list (caption "情報").
std::string noMatchingCues(const std::string& subtitlePath);
// A span, as written in its file, that the time shift moves wholly before the title.
std::string spanBeforeTitleStart(const TitleSpan& span);

}  // namespace velmorin::timing_messages
