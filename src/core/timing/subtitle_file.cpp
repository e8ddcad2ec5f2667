#include "timing/subtitle_file.h"

#include <algorithm>
#include <optional>

#include "common/text_decoding.h"
#include "common/text_lines.h"
#include "common/unicode_text.h"
#include "timing/title_time_text.h"

namespace velmorin {

namespace {

constexpr std::string_view kArrow = "-->";

bool hasArrow(std::string_view line) {
    return line.find(kArrow) != std::string_view::npos;
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// `line` is `keyword` alone or followed by a space or tab.
bool startsWithKeyword(std::string_view line, std::string_view keyword) {
    return line.substr(0, keyword.size()) == keyword &&
           (line.size() == keyword.size() || line[keyword.size()] == ' ' ||
            line[keyword.size()] == '\t');
}

// SubRip writes a comma before the milliseconds, WebVTT a point; files of either kind
// come with the other. The digits after the mark count milliseconds, as subtitle players
// read them: writers that drop the leading zeros mean "1,5" as 1.005 s.
std::optional<TitleTime> cueTime(std::string_view text) {
    const auto mark = text.find_last_of(",.");
    if (mark == std::string_view::npos) return parseClockTime(text, '.');
    const std::string_view milliseconds = text.substr(mark + 1);
    if (milliseconds.empty() || milliseconds.size() > 3) return std::nullopt;
    std::string padded(text.substr(0, mark + 1));
    padded.append(3 - milliseconds.size(), '0').append(milliseconds);
    return parseClockTime(padded, text[mark]);
}

// "START --> END [settings]"; nothing when a time does not read or END is before START.
std::optional<TitleSpan> timingLine(std::string_view line) {
    const auto arrow = line.find(kArrow);
    std::string_view after = trimBlanks(line.substr(arrow + kArrow.size()));
    after = after.substr(0, after.find_first_of(" \t"));
    const auto start = cueTime(trimBlanks(line.substr(0, arrow)));
    const auto end = cueTime(after);
    if (!start || !end || *end < *start) return std::nullopt;
    return TitleSpan{*start, *end};
}

// Index of the first line after a WebVTT file's header: the header ends at a blank line
// (or, in files that leave it out, at the first timing line).
std::size_t afterWebVttHeader(const std::vector<std::string_view>& lines) {
    std::size_t i = 1;
    while (i < lines.size() && !trimBlanks(lines[i]).empty() && !hasArrow(lines[i])) ++i;
    return i;
}

SubtitleFile malformedTiming(int line) {
    SubtitleFile file;
    file.result = SubtitleResult::MalformedTiming;
    file.errorLine = line;
    return file;
}

// "&amp;" … at the start of `text`: the character and the entity's length, or nothing.
std::optional<std::pair<char32_t, std::size_t>> entityAt(std::string_view text) {
    static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
        {"&amp;", '&'},   {"&lt;", '<'},      {"&gt;", '>'},     {"&quot;", '"'},
        {"&apos;", '\''}, {"&nbsp;", 0x00A0}, {"&lrm;", 0x200E}, {"&rlm;", 0x200F},
    };
    for (const auto& [name, c] : kNamed)
        if (text.substr(0, name.size()) == name) return std::make_pair(c, name.size());
    if (text.substr(0, 2) != "&#") return std::nullopt;
    const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    std::size_t i = hex ? 3 : 2;
    char32_t value = 0;
    const std::size_t digitsStart = i;
    for (; i < text.size() && i < digitsStart + 6; ++i) {
        const char c = asciiLower(text[i]);
        const int digit = c >= '0' && c <= '9'          ? c - '0'
                          : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                        : -1;
        if (digit < 0) break;
        value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (i == digitsStart || i >= text.size() || text[i] != ';') return std::nullopt;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return std::make_pair(value, i + 1);
}

}  // namespace

std::string plainCueText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const bool tagStart = c == '<' || (c == '{' && text.compare(i, 2, "{\\") == 0);
        const auto tagEnd = tagStart ? text.find(c == '<' ? '>' : '}', i) : std::string_view::npos;
        if (tagEnd != std::string_view::npos) {
            i = tagEnd + 1;
            continue;
        }
        if (c == '&') {
            if (const auto entity = entityAt(text.substr(i))) {
                appendUtf8(out, entity->first);
                i += entity->second;
                continue;
            }
        }
        out.push_back(c);
        ++i;
    }
    return out;
}

SubtitleFile parseSubtitles(std::string_view text) {
    text = withoutByteOrderMark(text);
    const auto lines = splitLines(text);
    SubtitleFile file;
    const bool vtt = !lines.empty() && startsWithKeyword(lines[0], "WEBVTT");
    file.format = vtt ? SubtitleFormat::WebVtt : SubtitleFormat::SubRip;

    bool blockStart = true;  // after a blank line: a number, identifier or NOTE may follow
    bool skipping = false;   // inside a block that holds no cue
    bool inCue = false;      // text lines belong to the last cue
    const auto appendText = [&](std::string_view line) {
        std::string& cueText = file.cues.back().text;
        if (!cueText.empty()) cueText.push_back('\n');
        cueText += plainCueText(line);
    };
    for (std::size_t i = vtt ? afterWebVttHeader(lines) : 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string_view line = trimBlanks(lines[i]);
        if (line.empty()) {
            blockStart = true;
            skipping = inCue = false;
            continue;
        }
        if (skipping) continue;
        if (vtt && blockStart &&
            (startsWithKeyword(line, "NOTE") || startsWithKeyword(line, "STYLE") ||
             startsWithKeyword(line, "REGION"))) {
            skipping = true;
            continue;
        }
        if (hasArrow(line)) {
            const auto span = timingLine(line);
            if (!span) return malformedTiming(lineNumber);
            file.cues.push_back({*span, {}, lineNumber});
            blockStart = false;
            inCue = true;
            continue;
        }
        const bool beforeTiming = i + 1 < lines.size() && hasArrow(lines[i + 1]);
        // A cue number or identifier; inside a cue only a plain number is taken as the next
        // cue's, for files that leave out the blank line between cues.
        if (beforeTiming && (blockStart || allDigits(line))) continue;
        blockStart = false;
        if (inCue) {
            appendText(line);
        } else if (vtt) {
            skipping = true;  // WebVTT drops a block without timing
        } else if (!file.cues.empty()) {
            inCue = true;  // a blank line inside a SubRip cue's text
            appendText(line);
        } else {
            return malformedTiming(lineNumber);
        }
    }
    return file;
}

}  // namespace velmorin
