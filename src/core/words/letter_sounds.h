// A rough pronunciation of a word the recogniser's dictionary lacks (a name, a made-up
// word), from its spelling: good enough for the recogniser to give the word its share of
// the cue's sound, so that the words beside it are not drawn onto it.
#pragma once

#include <string>
#include <string_view>

namespace velmorin {

// The word's sounds as the dictionary writes them (ARPAbet phones, upper case, separated
// by single spaces: "Z AO R B L AE T"), guessed by English spelling rules, digits by their
// names; empty when the word has no letter a-z or digit, which are all it reads.
std::string guessPronunciation(std::string_view word);

// Whether `phones` is a pronunciation as guessPronunciation writes it: only phones of the
// recogniser's set, one space between them.
bool isPronunciation(std::string_view phones);

}  // namespace velmorin
