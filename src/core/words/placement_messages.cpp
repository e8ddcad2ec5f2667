// The names and lines that tell which cues fall back to their whole span, and why.
#include "common/text_format.h"
#include "timing/title_time_text.h"
#include "words/word_placement.h"

namespace velmorin {

const char* fallbackCode(FallbackReason why) {
    switch (why) {
        case FallbackReason::None:
            return "placed";
        case FallbackReason::WholeCuesAsked:
            return "whole-cues";
        case FallbackReason::NoAligner:
            return "no-aligner";
        case FallbackReason::Language:
            return "language";
        case FallbackReason::NoSound:
            return "no-sound";
        case FallbackReason::NothingAligned:
            return "nothing-aligned";
        case FallbackReason::UnknownWord:
            return "unknown-word";
        case FallbackReason::NotFound:
            return "not-found";
        case FallbackReason::Implausible:
            return "implausible";
    }
    return "unknown";
}

namespace {

// "WHAT: DETAIL", or WHAT alone when there is no detail.
std::string withDetail(const char* what, const std::string& detail) {
    return detail.empty() ? std::string(what) : formatText("%s: %s", what, detail.c_str());
}

}  // namespace

std::string fallbackReasonText(FallbackReason why, const std::string& detail) {
    const char* d = detail.c_str();
    switch (why) {
        case FallbackReason::None:
            break;
        case FallbackReason::WholeCuesAsked:
            return "指定により字幕全体";
        case FallbackReason::NoAligner:
            return withDetail("音声認識を使えません", detail);
        case FallbackReason::Language:
            return formatText("音声認識の言語（%s）の字幕ではありません", d);
        case FallbackReason::NoSound:
            return withDetail("音声を復号できません", detail);
        case FallbackReason::NothingAligned:
            return detail.empty() ? std::string("音声に字幕の語が見つかりません")
                                  : formatText("音声に「%s」が見つかりません", d);
        case FallbackReason::UnknownWord:
            return formatText("「%s」が発音辞書にありません", d);
        case FallbackReason::NotFound:
            return "語句が台詞の中にありません";
        case FallbackReason::Implausible:
            return withDetail("語の長さか位置が不自然です", detail);
    }
    return {};
}

std::string fallbackMessage(const PlacedSpan& span) {
    if (span.why == FallbackReason::WholeCuesAsked)
        return formatText("字幕 %d（%s）の「%s」は指定により字幕全体を無音化します.", span.cue,
                          formatTitleTime(span.span.start).c_str(), span.text.c_str());
    return formatText(
        "字幕 %d（%s）の「%s」は語の位置が分からないため字幕全体を無音化します（%s）.", span.cue,
        formatTitleTime(span.span.start).c_str(), span.text.c_str(),
        fallbackReasonText(span.why, span.detail).c_str());
}

}  // namespace velmorin
