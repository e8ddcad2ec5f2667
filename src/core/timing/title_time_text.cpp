#include "timing/title_time_text.h"

#include <cstdint>
#include <vector>

#include "common/text_format.h"

namespace velmorin {

namespace {

// Nine digits keep every product below in 64 bits (a billion hours is 3.2e17 ticks).
constexpr std::size_t kMaxWholeDigits = 9;
// Nanoseconds are far finer than a tick; more digits would only overflow the rounding.
constexpr std::size_t kMaxFractionDigits = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A run of 1 … maxDigits decimal digits; nothing for anything else.
std::optional<std::int64_t> wholeNumber(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "ss" or "ss<mark>fff" in ticks, the fraction rounded to the nearest tick.
std::optional<TitleTime> secondsField(std::string_view text, char decimalMark,
                                      std::size_t maxWholeDigits) {
    const auto mark = text.find(decimalMark);
    const auto whole = wholeNumber(text.substr(0, mark), maxWholeDigits);
    if (!whole) return std::nullopt;
    TitleTime ticks = *whole * kTicksPerSecond;
    if (mark == std::string_view::npos) return ticks;
    const std::string_view fraction = text.substr(mark + 1);
    const auto digits = wholeNumber(fraction, kMaxFractionDigits);
    if (!digits) return std::nullopt;
    std::int64_t scale = 1;
    for (std::size_t i = 0; i < fraction.size(); ++i) scale *= 10;
    return ticks + (*digits * kTicksPerSecond + scale / 2) / scale;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

}  // namespace

std::optional<TitleTime> parseClockTime(std::string_view text, char decimalMark) {
    const auto parts = splitAt(text, ':');
    if (parts.size() > 3) return std::nullopt;
    if (parts.size() == 1) return secondsField(parts[0], decimalMark, kMaxWholeDigits);
    // Fields after the first are clock fields: one or two digits, below 60.
    const auto seconds = secondsField(parts.back(), decimalMark, 2);
    if (!seconds || *seconds >= 60 * kTicksPerSecond) return std::nullopt;
    std::int64_t minutes = 0;
    if (parts.size() == 3) {
        const auto m = wholeNumber(parts[1], 2);
        const auto h = wholeNumber(parts[0], kMaxWholeDigits);
        if (!m || *m >= 60 || !h) return std::nullopt;
        minutes = *h * 60 + *m;
    } else {
        const auto m = wholeNumber(parts[0], kMaxWholeDigits);
        if (!m) return std::nullopt;
        minutes = *m;
    }
    return minutes * 60 * kTicksPerSecond + *seconds;
}

std::optional<TitleTime> parseTitleTime(std::string_view text) {
    return parseClockTime(text, '.');
}

std::optional<TitleSpan> parseTitleSpan(std::string_view text) {
    // Times carry no sign, so the one dash is the separator.
    const auto dash = text.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const auto from = parseTitleTime(text.substr(0, dash));
    const auto to = parseTitleTime(text.substr(dash + 1));
    if (!from || !to || *from >= *to) return std::nullopt;
    return TitleSpan{*from, *to};
}

std::optional<TitleTime> parseTimeShift(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const auto magnitude = parseTitleTime(text);
    if (!magnitude) return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

std::string formatTitleTime(TitleTime time) {
    const bool negative = time < 0;
    const std::int64_t ms =
        ((negative ? -time : time) + kTicksPerMillisecond / 2) / kTicksPerMillisecond;
    return formatText("%s%02lld:%02lld:%02lld.%03lld", negative ? "-" : "",
                      static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                      static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
}

std::string formatTitleSpan(const TitleSpan& span) {
    return formatTitleTime(span.start) + "-" + formatTitleTime(span.end);
}

std::string spanText(const TitleSpan& span) {
    return span.empty() ? "-" : formatTitleSpan(span);
}

}  // namespace velmorin
