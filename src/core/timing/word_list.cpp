#include "timing/word_list.h"

#include "common/text_decoding.h"
#include "common/text_lines.h"
#include "common/unicode_text.h"

namespace velmorin {

namespace {

// The form both words and text are compared in: folded, invisible characters dropped,
// white space as described for WordMatcher. Bytes that are not UTF-8 count as U+FFFD.
std::u32string matchingForm(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    bool lastUnspaced = false;
    for (std::size_t offset = 0; offset < text.size();) {
        const auto next = nextCodePoint(text, offset);
        const char32_t c = next ? *next : 0xFFFD;
        if (!next) ++offset;
        if (isInvisible(c)) continue;
        if (isSpace(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        const bool unspaced = isUnspacedScriptCharacter(c);
        if (pendingSpace && !(lastUnspaced && unspaced)) out.push_back(U' ');
        pendingSpace = false;
        const char32_t folded = foldForMatching(c);
        if (const char32_t joined = out.empty() ? 0 : joinVoicingMark(out.back(), folded)) {
            out.back() = joined;
            continue;
        }
        out.push_back(folded);
        lastUnspaced = unspaced;
    }
    return out;
}

}  // namespace

std::vector<std::string> parseWordList(std::string_view text) {
    std::vector<std::string> words;
    for (const std::string_view line : splitLines(withoutByteOrderMark(text))) {
        const std::string_view word = trimBlanks(line);
        if (!word.empty() && word.front() != '#') words.emplace_back(word);
    }
    return words;
}

WordMatcher::WordMatcher(const std::vector<std::string>& words) : list_(words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        Word w;
        w.folded = matchingForm(words[i]);
        if (w.folded.empty()) continue;
        w.wholeAtStart = isSpacedWordCharacter(w.folded.front());
        w.wholeAtEnd = isSpacedWordCharacter(w.folded.back());
        w.index = static_cast<int>(i);
        words_.push_back(std::move(w));
    }
}

int WordMatcher::find(std::string_view text) const {
    const std::u32string folded = matchingForm(text);
    for (const Word& w : words_) {
        for (auto at = folded.find(w.folded); at != std::u32string::npos;
             at = folded.find(w.folded, at + 1)) {
            const auto end = at + w.folded.size();
            const bool startOk =
                !w.wholeAtStart || at == 0 || !isSpacedWordCharacter(folded[at - 1]);
            const bool endOk =
                !w.wholeAtEnd || end == folded.size() || !isSpacedWordCharacter(folded[end]);
            if (startOk && endOk) return w.index;
        }
    }
    return -1;
}

}  // namespace velmorin
