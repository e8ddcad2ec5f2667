#include "time_arguments.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace velmorin::cli {

namespace {

// Digits with an optional fraction, in ticks; `limit` bounds the whole seconds.
std::optional<TitleTime> secondsText(const std::string& text, long long limit) {
    const auto point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    const auto digits = [](const std::string& s) {
        return s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (whole.empty() || whole.size() > 9 || !digits(whole) || !digits(fraction) ||
        (point != std::string::npos && fraction.empty()))
        return std::nullopt;
    const long long seconds = std::atoll(whole.c_str());
    if (limit > 0 && seconds >= limit) return std::nullopt;
    TitleTime ticks = seconds * kTicksPerSecond;
    TitleTime scale = kTicksPerSecond;
    for (std::size_t i = 0; i < fraction.size() && i < 9; ++i) {
        scale /= 10;
        ticks += (fraction[i] - '0') * scale;
    }
    return ticks;
}

}  // namespace

std::optional<TitleTime> parseTimeArgument(const std::string& text) {
    std::optional<TitleTime> total = 0;
    std::size_t from = 0;
    const auto colons = std::count(text.begin(), text.end(), ':');
    if (colons > 2) return std::nullopt;
    for (long i = 0; i < colons; ++i) {
        const auto colon = text.find(':', from);
        const auto field = secondsText(text.substr(from, colon - from), i == 0 ? 0 : 60);
        if (!field || text.substr(from, colon - from).find('.') != std::string::npos)
            return std::nullopt;
        *total = (*total + *field) * 60;
        from = colon + 1;
    }
    const auto seconds = secondsText(text.substr(from), colons > 0 ? 60 : 0);
    if (!seconds) return std::nullopt;
    return *total + *seconds;
}

std::optional<TitleSpan> parseSpanArgument(const std::string& text) {
    const auto dash = text.find('-');
    if (dash == std::string::npos) return std::nullopt;
    const auto from = parseTimeArgument(text.substr(0, dash));
    const auto to = parseTimeArgument(text.substr(dash + 1));
    if (!from || !to || *from >= *to) return std::nullopt;
    return TitleSpan{*from, *to};
}

std::optional<TitleTime> parseShiftArgument(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const bool negative = text[0] == '-';
    const bool sign = negative || text[0] == '+';
    const auto magnitude = parseTimeArgument(text.substr(sign ? 1 : 0));
    if (!magnitude) return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

std::string formatTime(TitleTime time) {
    const bool negative = time < 0;
    const TitleTime ms =
        ((negative ? -time : time) + kTicksPerMillisecond / 2) / kTicksPerMillisecond;
    char text[48];
    std::snprintf(text, sizeof text, "%s%02lld:%02lld:%02lld.%03lld", negative ? "-" : "",
                  static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return text;
}

std::string formatSpan(const TitleSpan& span) {
    return span.empty() ? "-" : formatTime(span.start) + "-" + formatTime(span.end);
}

std::string jsonSeconds(TitleTime time) {
    char text[40];
    std::snprintf(text, sizeof text, "%.5f",
                  static_cast<double>(time) / static_cast<double>(kTicksPerSecond));
    return text;
}

}  // namespace velmorin::cli
