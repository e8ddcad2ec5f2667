#include "words/cue_text.h"

#include <iterator>
#include <utility>

#include "common/unicode_text.h"

namespace velmorin {

namespace {

// The code points of UTF-8 text, invisible ones dropped; bytes that are not UTF-8 count
// as U+FFFD.
std::u32string codePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        const auto next = nextCodePoint(text, offset);
        if (!next) ++offset;
        const char32_t c = next ? *next : 0xFFFD;
        if (!isInvisible(c)) out.push_back(c);
    }
    return out;
}

// Folded for matching as the word matcher folds, voicing marks joined to their kana.
std::u32string foldedText(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        const char32_t folded = foldForMatching(c);
        if (const char32_t joined = out.empty() ? 0 : joinVoicingMark(out.back(), folded))
            out.back() = joined;
        else
            out.push_back(folded);
    }
    return out;
}

bool isLatin(char32_t c) {
    return c <= 0x036F || (c >= 0x1E00 && c <= 0x1EFF);
}

bool isMusicSign(const std::u32string& text, std::size_t i) {
    const char32_t c = text[i];
    if (c >= 0x2669 && c <= 0x266C) return true;
    // "# singing #": a hash before a number ("#1") is not music.
    return c == '#' && (i + 1 == text.size() || !isSpacedWordCharacter(text[i + 1]));
}

// Letters that say the cue is not in a Latin-script language. Punctuation of CJK text
// (。「」・) in a Latin cue says nothing.
bool isOtherScriptLetter(char32_t c) {
    if (isSpacedWordCharacter(c)) return !isLatin(c);
    if (!isUnspacedScriptCharacter(c)) return false;
    const bool punctuation = (c >= 0x3000 && c <= 0x303F && (c < 0x3005 || c > 0x3007)) ||
                             c == 0x30FB || (c >= 0xFF01 && c <= 0xFF65);
    return !punctuation;
}

// `text` with tags, descriptions and music replaced by a space each. An opening bracket
// without its closing one is left as it is.
std::u32string withoutUnspoken(const std::u32string& text) {
    static constexpr std::pair<char32_t, char32_t> kBrackets[] = {
        {'<', '>'}, {'{', '}'}, {'[', ']'}, {'(', ')'}, {0xFF08, 0xFF09}};
    // Where each closing bracket was last found, so that text full of unclosed ones is
    // still read in one pass.
    std::size_t closers[std::size(kBrackets)] = {};
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        std::size_t end = std::u32string::npos;
        for (std::size_t b = 0; b < std::size(kBrackets); ++b) {
            if (c != kBrackets[b].first) continue;
            if (closers[b] != std::u32string::npos && closers[b] <= i)
                closers[b] = text.find(kBrackets[b].second, i + 1);
            end = closers[b];
        }
        if (isMusicSign(text, i)) {
            end = i + 1;
            while (end < text.size() && text[end] != '\n' && !isMusicSign(text, end)) ++end;
            if (end == text.size() || text[end] == '\n') --end;  // the line break stays
        }
        if (end == std::u32string::npos) {
            out.push_back(c);
        } else {
            out.push_back(' ');
            i = end;
        }
    }
    return out;
}

bool isLabelCharacter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' || c == '\'' ||
           c == '-' || c == '&' || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

// Where the spoken part of a line starts: after blanks, a dialogue dash and a speaker
// label. Labels are upper case, so they are looked for before folding.
std::size_t spokenStart(std::u32string_view line) {
    const auto skipBlanks = [&](std::size_t at) {
        while (at < line.size() && isSpace(line[at])) ++at;
        return at;
    };
    std::size_t at = skipBlanks(0);
    if (at < line.size() && (line[at] == '-' || line[at] == 0x2013 || line[at] == 0x2014))
        at = skipBlanks(at + 1);
    constexpr std::size_t kLongestLabel = 40;
    bool letter = false;
    for (std::size_t i = at; i < line.size() && i - at <= kLongestLabel; ++i) {
        if (line[i] == ':' && letter) return skipBlanks(i + 1);
        if (!isLabelCharacter(line[i])) break;
        letter = letter || (line[i] >= 'A' && line[i] <= 'Z') || line[i] >= 0xC0;
    }
    return at;
}

// The words of folded text.
void appendWords(std::u32string_view text, SpokenText& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isSpacedWordCharacter(text[i])) {
            ++i;
            continue;
        }
        CueWord word;
        for (; i < text.size(); ++i) {
            const char32_t c = text[i];
            const bool innerApostrophe =
                c == '\'' && i + 1 < text.size() && isSpacedWordCharacter(text[i + 1]);
            if (!isSpacedWordCharacter(c) && !innerApostrophe) break;
            appendUtf8(word.text, c);
        }
        out.words.push_back(std::move(word));
    }
}

}  // namespace

SpokenText spokenWords(std::string_view cueText) {
    // Speaker labels are told by their capitals: fold each line after its label is off.
    const std::u32string spoken = withoutUnspoken(codePoints(cueText));
    SpokenText out;
    std::size_t lineStart = 0;
    while (lineStart <= spoken.size()) {
        std::size_t lineEnd = spoken.find_first_of(U"\r\n", lineStart);
        if (lineEnd == std::u32string::npos) lineEnd = spoken.size();
        std::u32string_view line(spoken.data() + lineStart, lineEnd - lineStart);
        line.remove_prefix(spokenStart(line));
        const std::u32string folded = foldedText(line);
        for (char32_t c : folded) out.otherScript = out.otherScript || isOtherScriptLetter(c);
        appendWords(folded, out);
        lineStart = lineEnd + 1;
    }
    return out;
}

std::vector<std::string> listedWords(std::string_view item) {
    SpokenText split;
    appendWords(foldedText(codePoints(item)), split);
    std::vector<std::string> words;
    for (CueWord& w : split.words) words.push_back(std::move(w.text));
    return words;
}

std::vector<WordOccurrence> findOccurrences(const std::vector<CueWord>& words,
                                            const std::vector<std::string>& list) {
    std::vector<std::vector<std::string>> items;
    for (const std::string& item : list) items.push_back(listedWords(item));
    std::vector<WordOccurrence> found;
    for (std::size_t first = 0; first < words.size(); ++first) {
        for (std::size_t item = 0; item < items.size(); ++item) {
            const auto& want = items[item];
            if (want.empty() || first + want.size() > words.size()) continue;
            bool same = true;
            for (std::size_t k = 0; k < want.size() && same; ++k)
                same = words[first + k].text == want[k];
            if (same)
                found.push_back({static_cast<int>(item), static_cast<int>(first),
                                 static_cast<int>(want.size())});
        }
    }
    return found;
}

}  // namespace velmorin
