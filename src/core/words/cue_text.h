// The words a speaker says in a subtitle cue: its text without what is written but not
// spoken (tags, sound descriptions, music, speaker labels, dialogue dashes), split into
// words the way the word matcher compares them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmorin {

struct CueWord {
    std::string text;  // its matching form as UTF-8: lower case, ’ as ' ("don't")
    bool operator==(const CueWord&) const = default;
};

struct SpokenText {
    std::vector<CueWord> words;  // in the order spoken
    // Spoken letters of a script other than Latin: kana, CJK, Hangul, Cyrillic, Greek, ...
    bool otherScript = false;
};

// The spoken words of a cue's text (plainCueText's output; tags left in it are removed
// too). Dropped: <...> and {...} tags; [...] and (...) descriptions; music from a sign
// (♪ ♫ ♬ ♩, or # not followed by a letter or digit) to the next one or the line's end;
// at a line's start a dialogue dash (- – —) and an upper-case speaker label ("MAN 2:").
// Words are runs of letters, digits and inner apostrophes; anything else separates them.
SpokenText spokenWords(std::string_view cueText);

// The words of a listed word or phrase, split and folded as spokenWords splits a cue.
std::vector<std::string> listedWords(std::string_view item);

struct WordOccurrence {
    int item = 0;   // index in the word list
    int first = 0;  // index in the cue's words of its first word
    int count = 0;  // how many words it has
    bool operator==(const WordOccurrence&) const = default;
};

// Every occurrence of every item of `list` as consecutive words of `words`, ordered by
// first word, then by item. Items without words are never found.
std::vector<WordOccurrence> findOccurrences(const std::vector<CueWord>& words,
                                            const std::vector<std::string>& list);

}  // namespace velmorin
