#include "timed/span_request.h"

#include "common/text_lines.h"
#include "platform/binary_file.h"
#include "platform/code_page.h"
#include "scan/scan_messages.h"
#include "timing/edl_file.h"
#include "timing/span_list.h"
#include "timing/subtitle_spans.h"
#include "timing/timing_text_messages.h"
#include "timing/title_time_text.h"
#include "timing/word_list.h"

namespace velmorin {

namespace {

// Far above any EDL, subtitle or word list file (a feature film's SubRip file is some
// 100 KiB); a larger file is the wrong one.
constexpr std::uint64_t kMaxTextFileBytes = 64ull << 20;

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
    const bool typed = request.wordsPath.empty();
    const auto wordsText = typed ? std::optional<std::string>(request.typedWords)
                                 : readText(request.wordsPath, request.encoding, ui, true);
    if (!wordsText) return std::nullopt;
    requested.words = parseWordList(*wordsText);
    const WordMatcher words(requested.words);
    if (words.empty()) {
        ui.error(typed ? std::string(timing_messages::kNoTypedWords)
                       : timing_messages::noWords(request.wordsPath));
        return std::nullopt;
    }
    auto spans = spansFromSubtitles(subtitles.cues, words);
    if (spans.empty()) ui.info(timing_messages::noMatchingCues(request.subtitlePath));
    requested.cues = std::move(subtitles.cues);
    return spans;
}

}  // namespace

std::optional<std::vector<TitleSpan>> parseTypedSpans(std::string_view text, int& badLine) {
    std::vector<TitleSpan> spans;
    badLine = 0;
    int number = 0;
    for (const std::string_view line : splitLines(text)) {
        ++number;
        // Times hold no blanks: "1.5 - 2" is taken as "1.5-2".
        std::string span;
        for (const char c : line)
            if (c != ' ' && c != '\t') span += c;
        if (span.empty()) continue;
        const auto parsed = parseTitleSpan(span);
        if (!parsed) {
            badLine = number;
            return std::nullopt;
        }
        spans.push_back(*parsed);
    }
    if (spans.empty()) return std::nullopt;
    return spans;
}

bool readRequestedSpans(const SpanRequest& request, Ui& ui, RequestedSpans& requested) {
    std::optional<std::vector<TitleSpan>> asked;
    switch (request.source) {
        case SpanSource::Typed:
            asked = mergeSpans(request.typed);
            break;
        case SpanSource::Edl:
            asked = edlSpans(request, ui);
            break;
        case SpanSource::Subtitles:
            asked = subtitleSpans(request, ui, requested);
            break;
    }
    if (!asked) return false;
    ShiftedSpans shifted = shiftSpans(*asked, request.shift);
    for (const TitleSpan& span : shifted.beforeStart)
        ui.error(timing_messages::spanBeforeTitleStart(span));
    if (!shifted.beforeStart.empty()) return false;
    requested.spans = std::move(shifted.spans);
    return true;
}

}  // namespace velmorin
