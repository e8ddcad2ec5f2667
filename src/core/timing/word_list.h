// Word lists (one word or phrase per line) and finding their words in subtitle text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmorin {

// The words and phrases of a decoded word list file, in file order: one per line, spaces
// and tabs around it removed; blank lines and lines starting with '#' skipped.
std::vector<std::string> parseWordList(std::string_view text);

// Finds words in text the way a listener would: case-insensitive (Latin, Greek, Cyrillic;
// full-width ASCII as ASCII), any run of spaces and line breaks as one space (none between
// two characters of a script written without spaces), whole words where the script
// separates them (no letter or digit of such a script right before or after the match),
// and anywhere in Japanese, Chinese, Korean, Thai and similar text. Hiragana, katakana and
// half-width katakana are one script to it (ばか, バカ and ﾊﾞｶ are the same word).
class WordMatcher {
public:
    explicit WordMatcher(const std::vector<std::string>& words);

    // True when no word is left to look for (every one was blank).
    bool empty() const { return words_.empty(); }
    // The index in the constructor's list of the first word found in `text`, or -1.
    int find(std::string_view text) const;
    // The constructor's list as given, blank entries included: find's indexes point here.
    const std::vector<std::string>& list() const { return list_; }

private:
    struct Word {
        std::u32string folded;
        bool wholeAtStart = false;  // must not follow a letter or digit
        bool wholeAtEnd = false;    // must not precede one
        int index = 0;
    };
    std::vector<Word> words_;
    std::vector<std::string> list_;
};

}  // namespace velmorin
