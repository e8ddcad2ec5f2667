// The few Unicode rules the text readers and the word matcher need: UTF-8 code points,
// case folding for matching, and which characters make up words of spaced scripts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmorin {

// The code point at `offset` of UTF-8 `text`, moving `offset` past it; nothing (offset
// unchanged) for a malformed, overlong or surrogate sequence or one past U+10FFFF.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& offset);

void appendUtf8(std::string& out, char32_t c);

inline char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// The character that case-insensitive matching compares: lower case for Latin (ASCII,
// Latin-1, Latin Extended-A and Additional), Greek and Cyrillic; full-width ASCII as ASCII;
// typographic apostrophes as the typed one; hiragana and half-width katakana as
// katakana (half-width voicing marks as the combining ones: see joinVoicingMark).
char32_t foldForMatching(char32_t c);

// The voiced or semi-voiced katakana that folded `kana` followed by folded `mark` (a
// combining voicing mark) spell, as ﾊﾞ spells バ; 0 when they make no such letter.
char32_t joinVoicingMark(char32_t kana, char32_t mark);

// White space of any script, line breaks included.
bool isSpace(char32_t c);
// Characters that matching skips as if absent (zero-width spaces and joiners, soft hyphen).
bool isInvisible(char32_t c);
// Letters, digits and combining marks of scripts that separate words by spaces: a word
// match must not have one of these on either side.
bool isSpacedWordCharacter(char32_t c);
// Characters of scripts written without spaces between words (Chinese, Japanese, Korean,
// Thai, Lao, Khmer, Myanmar, ...): matches there may start and end anywhere.
bool isUnspacedScriptCharacter(char32_t c);

}  // namespace velmorin
