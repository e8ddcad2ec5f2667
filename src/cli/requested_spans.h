// The spans of title time a mute asks for: one typed span (--at), the mutes of an EDL
// list (--edl), or the cues of a subtitle file that hold a word of a list (--srt with
// --words); each moved by --shift.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "common/text_decoding.h"
#include "exit_status.h"
#include "timing/subtitle_file.h"
#include "timing/title_span.h"
#include "ui/ui.h"

namespace velmorin::cli {

enum class SpanSource { At, Edl, Subtitles };

struct SpanRequest {
    SpanSource source = SpanSource::At;
    TitleSpan at;
    std::string edlPath;
    std::string subtitlePath;
    std::string wordsPath;
    TextEncoding encoding = TextEncoding::Unicode;
    TitleTime shift = 0;
    // With --srt: where the listed words are silenced.
    bool wholeCues = false;                   // --whole-cues: today's whole cues, no placing
    TitleTime margin = kTicksPerSecond / 10;  // --margin: silence before and after a word
    int audioStream = -1;                     // --audio-stream N: 0-based; -1 the first
};

// What a request asks to silence.
struct RequestedSpans {
    std::vector<TitleSpan> spans;    // shifted; with --srt the matching cues whole
    std::vector<SubtitleCue> cues;   // with --srt: every cue of the file, as it times it
    std::vector<std::string> words;  // with --srt: the listed words and phrases
};

// True when the options choose spans of title time rather than GOPs and a pattern.
bool asksForSpans(const ParsedArguments& parsed);

// The request as the options give it; nothing (and `problem` set) on wrong usage.
std::optional<SpanRequest> spanRequest(const ParsedArguments& parsed, std::string& problem);

// Reads the request's files and gathers its spans; messages go out through `ui`.
Failure readRequestedSpans(const SpanRequest& request, Ui& ui, RequestedSpans& requested);

}  // namespace velmorin::cli
