#include "span_options.h"

#include "timing/title_time_text.h"

namespace velmorin::cli {

namespace {

const std::string* valueOf(const ParsedArguments& parsed, const char* option) {
    const auto it = parsed.values.find(option);
    return it == parsed.values.end() ? nullptr : &it->second;
}

}  // namespace

bool asksForSpans(const ParsedArguments& parsed) {
    if (parsed.flags.count("--whole-cues")) return true;
    for (const char* option :
         {"--at", "--edl", "--srt", "--words", "--encoding", "--margin", "--audio-stream"})
        if (parsed.values.count(option)) return true;
    return false;
}

std::optional<SpanRequest> spanRequest(const ParsedArguments& parsed, std::string& problem) {
    SpanRequest request;
    const std::string* at = valueOf(parsed, "--at");
    const std::string* edl = valueOf(parsed, "--edl");
    const std::string* srt = valueOf(parsed, "--srt");
    const std::string* words = valueOf(parsed, "--words");
    const std::string* encoding = valueOf(parsed, "--encoding");
    if ((srt != nullptr) != (words != nullptr)) {
        problem = "--srt and --words go together: the subtitle file and the list of words";
        return std::nullopt;
    }
    if ((at != nullptr) + (edl != nullptr) + (srt != nullptr) != 1) {
        problem = "give exactly one of --at, --edl and --srt";
        return std::nullopt;
    }
    if (encoding && at) {
        problem = "--encoding goes with --edl or --srt";
        return std::nullopt;
    }
    if (encoding && !textEncodingNamed(*encoding, request.encoding)) {
        problem = "--encoding takes utf-8, cp932 or cp1252";
        return std::nullopt;
    }
    if (at) {
        const auto span = parseTitleSpan(*at);
        if (!span) {
            problem = "--at takes FROM-TO in title time, hh:mm:ss.mmm or seconds";
            return std::nullopt;
        }
        request.typed = {*span};
    } else if (edl) {
        request.source = SpanSource::Edl;
        request.edlPath = *edl;
    } else {
        request.source = SpanSource::Subtitles;
        request.subtitlePath = *srt;
        request.wordsPath = *words;
    }
    const std::string* margin = valueOf(parsed, "--margin");
    const std::string* audioStream = valueOf(parsed, "--audio-stream");
    request.wholeCues = parsed.flags.count("--whole-cues") > 0;
    if ((margin || audioStream || request.wholeCues) && !srt) {
        problem = "--whole-cues, --margin and --audio-stream go with --srt";
        return std::nullopt;
    }
    if (margin) {
        const auto ticks = parseTimeShift(*margin);
        if (!ticks || *ticks < 0 || *ticks > 2 * kTicksPerSecond || margin->front() == '-') {
            problem = "--margin takes seconds from 0 to 2, such as 0.1";
            return std::nullopt;
        }
        request.margin = *ticks;
    }
    if (audioStream) {
        const auto n = parseNumber(*audioStream);
        if (!n || *n < 1 || *n > 8) {
            problem = "--audio-stream takes the audio stream's number as a player shows it, 1 to 8";
            return std::nullopt;
        }
        request.audioStream = *n - 1;
    }
    if (const std::string* shift = valueOf(parsed, "--shift")) {
        const auto ticks = parseTimeShift(*shift);
        if (!ticks) {
            problem = "--shift takes seconds such as +1.5 or -0.25";
            return std::nullopt;
        }
        request.shift = *ticks;
    }
    return request;
}

}  // namespace velmorin::cli
