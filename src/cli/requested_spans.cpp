#include "requested_spans.h"

#include "exit_status.h"
#include "platform/binary_file.h"
#include "platform/code_page.h"
#include "scan/scan_messages.h"
#include "timing/edl_file.h"
#include "timing/span_list.h"
#include "timing/subtitle_file.h"
#include "timing/subtitle_spans.h"
#include "timing/timing_text_messages.h"
#include "timing/title_time_text.h"
#include "timing/word_list.h"

namespace velmorin::cli {

namespace {

// Far above any EDL, subtitle or word list file (a feature film's SubRip file is some
// 100 KiB); a larger file is the wrong one.
constexpr std::uint64_t kMaxTextFileBytes = 64ull << 20;

const std::string* valueOf(const ParsedArguments& parsed, const char* option) {
    const auto it = parsed.values.find(option);
    return it == parsed.values.end() ? nullptr : &it->second;
}

// A file's text as UTF-8; nothing when it cannot be read or decoded (the message is out).
// With `unicodeFirst` the file is taken as Unicode when it decodes as such.
std::optional<std::string> readText(const std::string& path, TextEncoding encoding, Ui& ui,
                                    bool unicodeFirst = false) {
    const auto bytes = readWholeFile(path, kMaxTextFileBytes);
    if (!bytes) {
        ui.error(scan_messages::cannotOpen(path));
        return std::nullopt;
    }
    DecodedText text =
        decodeText(*bytes, unicodeFirst ? TextEncoding::Unicode : encoding, shiftJisToUtf8);
    if (unicodeFirst && text.result != TextDecodeResult::Ok)
        text = decodeText(*bytes, encoding, shiftJisToUtf8);
    if (text.result != TextDecodeResult::Ok) {
        ui.error(timing_messages::undecodableText(path, text.badLine, text.encodingName));
        return std::nullopt;
    }
    return std::move(text.utf8);
}

std::optional<std::vector<TitleSpan>> edlSpans(const SpanRequest& request, Ui& ui) {
    const auto text = readText(request.edlPath, request.encoding, ui);
    if (!text) return std::nullopt;
    const EdlList list = parseEdl(*text);
    if (list.result != EdlResult::Ok) {
        ui.error(timing_messages::malformedEdlLine(request.edlPath, list.errorLine));
        return std::nullopt;
    }
    for (const IgnoredEdlEntry& entry : list.ignored)
        ui.info(timing_messages::ignoredEdlEntry(request.edlPath, entry.line, entry.action));
    return mergeSpans(list.mutes);
}

std::optional<std::vector<TitleSpan>> subtitleSpans(const SpanRequest& request, Ui& ui,
                                                    RequestedSpans& requested) {
    const auto subtitleText = readText(request.subtitlePath, request.encoding, ui);
    if (!subtitleText) return std::nullopt;
    SubtitleFile subtitles = parseSubtitles(*subtitleText);
    if (subtitles.result != SubtitleResult::Ok) {
        ui.error(
            timing_messages::malformedSubtitleTiming(request.subtitlePath, subtitles.errorLine));
        return std::nullopt;
    }
    if (subtitles.cues.empty()) {
        ui.error(timing_messages::noSubtitleCues(request.subtitlePath));
        return std::nullopt;
    }
    // A word list is often saved as UTF-8 beside a subtitle file in another encoding: one
    // that is valid UTF-8 is read as such, since Shift-JIS or CP1252 text with characters
    // beyond ASCII hardly ever is.
    const auto wordsText = readText(request.wordsPath, request.encoding, ui, true);
    if (!wordsText) return std::nullopt;
    requested.words = parseWordList(*wordsText);
    const WordMatcher words(requested.words);
    if (words.empty()) {
        ui.error(timing_messages::noWords(request.wordsPath));
        return std::nullopt;
    }
    auto spans = spansFromSubtitles(subtitles.cues, words);
    if (spans.empty()) ui.info(timing_messages::noMatchingCues(request.subtitlePath));
    requested.cues = std::move(subtitles.cues);
    return spans;
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
        request.at = *span;
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

Failure readRequestedSpans(const SpanRequest& request, Ui& ui, RequestedSpans& requested) {
    std::optional<std::vector<TitleSpan>> asked;
    switch (request.source) {
        case SpanSource::At:
            asked = std::vector<TitleSpan>{request.at};
            break;
        case SpanSource::Edl:
            asked = edlSpans(request, ui);
            break;
        case SpanSource::Subtitles:
            asked = subtitleSpans(request, ui, requested);
            break;
    }
    if (!asked) return kFailed;
    ShiftedSpans shifted = shiftSpans(*asked, request.shift);
    for (const TitleSpan& span : shifted.beforeStart)
        ui.error(timing_messages::spanBeforeTitleStart(span));
    if (!shifted.beforeStart.empty()) return kFailed;
    requested.spans = std::move(shifted.spans);
    return kSucceeded;
}

}  // namespace velmorin::cli
