// Cues of SubRip (.srt) and WebVTT (.vtt) subtitle files, as subtitle editors and the web
// write them: cue numbers or identifiers optional, blank lines missing or doubled, cues
// overlapping and out of order, formatting tags in the text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "timing/title_span.h"

namespace velmorin {

enum class SubtitleFormat { SubRip, WebVtt };

enum class SubtitleResult {
    Ok,
    MalformedTiming,  // a "-->" line whose times do not read or run backwards, or text
                      // before the first timing line of a SubRip file
};

struct SubtitleCue {
    TitleSpan span;
    std::string text;  // the cue's lines joined by '\n', tags removed, entities decoded
    int line = 0;      // 1-based line of the cue's timing line
};

struct SubtitleFile {
    SubtitleResult result = SubtitleResult::Ok;
    int errorLine = 0;  // when MalformedTiming, 1-based
    SubtitleFormat format = SubtitleFormat::SubRip;
    std::vector<SubtitleCue> cues;  // in file order; empty unless Ok
};

// Reads decoded text (see text_decoding.h): WebVTT when it starts with "WEBVTT", SubRip
// otherwise. WebVTT's header, NOTE, STYLE and REGION blocks and the cue settings after the
// times are skipped; times are hh:mm:ss.mmm or mm:ss.mmm, with ',' or '.' before one to
// three digits of milliseconds.
SubtitleFile parseSubtitles(std::string_view text);

// Cue text as it is heard: "<i>", "<font …>", "<v Name>", "<00:01.000>" and "{\an8}" tags
// removed, "&amp;" and the other entities decoded.
std::string plainCueText(std::string_view text);

}  // namespace velmorin
