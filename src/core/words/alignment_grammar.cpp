#include "words/alignment_grammar.h"

namespace velmorin {

namespace {

bool isLowerOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The word without the "(2)" the dictionary gives its alternative pronunciations.
std::string_view withoutVariant(std::string_view word) {
    const auto open = word.rfind('(');
    if (open == std::string_view::npos || open == 0 || word.back() != ')') return word;
    for (std::size_t i = open + 1; i + 1 < word.size(); ++i)
        if (word[i] < '0' || word[i] > '9') return word;
    return word.substr(0, open);
}

}  // namespace

bool isGrammarToken(std::string_view word) {
    constexpr std::size_t kLongest = 64;
    if (word.empty() || word.size() > kLongest || !isLowerOrDigit(word.front())) return false;
    for (std::size_t i = 1; i < word.size(); ++i) {
        const char c = word[i];
        const bool last = i + 1 == word.size();
        const bool inner = (c == '\'' || c == '-') && !last;
        if (!isLowerOrDigit(c) && !inner && c != '.') return false;
    }
    return true;
}

AlignmentGrammar alignmentGrammar(const std::vector<CueWord>& words, const WordAligner& aligner) {
    AlignmentGrammar grammar;
    std::string sentence;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i].text;
        if (!isGrammarToken(w) || !aligner.knowsWord(w)) continue;
        sentence += ' ';
        sentence += w;
        grammar.cueWords.push_back(static_cast<int>(i));
    }
    if (!sentence.empty())
        grammar.text = "#JSGF V1.0;\ngrammar cue;\npublic <cue> =" + sentence + " ;\n";
    return grammar;
}

std::vector<std::optional<AlignedWord>> alignedCueWords(const AlignmentGrammar& grammar,
                                                        const std::vector<CueWord>& words,
                                                        const std::vector<AlignedWord>& aligned) {
    std::vector<std::optional<AlignedWord>> heard(words.size());
    std::size_t next = 0;  // the first grammar word not yet matched
    for (const AlignedWord& a : aligned) {
        const std::string_view word = withoutVariant(a.word);
        for (std::size_t g = next; g < grammar.cueWords.size(); ++g) {
            const auto cueWord = static_cast<std::size_t>(grammar.cueWords[g]);
            if (cueWord < words.size() && words[cueWord].text == word) {
                heard[cueWord] = a;
                next = g + 1;
                break;
            }
        }
    }
    return heard;
}

}  // namespace velmorin
