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
};

// True when the options choose spans of title time rather than GOPs and a pattern.
bool asksForSpans(const ParsedArguments& parsed);

// The request as the options give it; nothing (and `problem` set) on wrong usage.
std::optional<SpanRequest> spanRequest(const ParsedArguments& parsed, std::string& problem);

// Reads the request's files and gathers its spans, shifted, in the order they are asked
// for; messages go out through `ui`.
Failure readRequestedSpans(const SpanRequest& request, Ui& ui, std::vector<TitleSpan>& spans);

}  // namespace velmorin::cli
