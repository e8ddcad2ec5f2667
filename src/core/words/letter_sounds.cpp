#include "words/letter_sounds.h"

#include <array>
#include <vector>

namespace velmorin {

namespace {

// The recogniser's phones (CMU dictionary set, without stress marks).
constexpr std::array<std::string_view, 39> kPhones = {
    "AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D", "DH", "EH", "ER", "EY",
    "F",  "G",  "HH", "IH", "IY", "JH", "K",  "L",  "M", "N",  "NG", "OW", "OY",
    "P",  "R",  "S",  "SH", "T",  "TH", "UH", "UW", "V", "W",  "Y",  "Z",  "ZH"};

// Spellings of more than one letter, longest first within each starting letter: the
// first that matches at a position is taken.
struct Spelling {
    std::string_view letters;
    std::string_view phones;
};
constexpr Spelling kGroups[] = {
    {"tch", "CH"}, {"sch", "SH"},  {"igh", "AY"},  {"ch", "CH"}, {"sh", "SH"},  {"th", "TH"},
    {"ph", "F"},   {"wh", "W"},    {"ck", "K"},    {"ng", "NG"}, {"qu", "K W"}, {"gh", "G"},
    {"kn", "N"},   {"wr", "R"},    {"ee", "IY"},   {"ea", "IY"}, {"ie", "IY"},  {"oo", "UW"},
    {"ou", "AW"},  {"ow", "OW"},   {"oa", "OW"},   {"oi", "OY"}, {"oy", "OY"},  {"ai", "EY"},
    {"ay", "EY"},  {"ei", "EY"},   {"ey", "EY"},   {"au", "AO"}, {"aw", "AO"},  {"ew", "UW"},
    {"ue", "UW"},  {"ar", "AA R"}, {"or", "AO R"}, {"er", "ER"}, {"ir", "ER"},  {"ur", "ER"},
    {"yr", "ER"},
};

std::string_view singleLetter(char c, char next, bool first) {
    switch (c) {
        // Digits as their names: "10" comes out as "one zero", close enough in length.
        case '0':
            return "Z IH R OW";
        case '1':
            return "W AH N";
        case '2':
            return "T UW";
        case '3':
            return "TH R IY";
        case '4':
            return "F AO R";
        case '5':
            return "F AY V";
        case '6':
            return "S IH K S";
        case '7':
            return "S EH V AH N";
        case '8':
            return "EY T";
        case '9':
            return "N AY N";
        case 'a':
            return "AE";
        case 'b':
            return "B";
        case 'c':
            return next == 'e' || next == 'i' || next == 'y' ? "S" : "K";
        case 'd':
            return "D";
        case 'e':
            return "EH";
        case 'f':
            return "F";
        case 'g':
            return next == 'e' || next == 'i' || next == 'y' ? "JH" : "G";
        case 'h':
            return "HH";
        case 'i':
            return "IH";
        case 'j':
            return "JH";
        case 'k':
            return "K";
        case 'l':
            return "L";
        case 'm':
            return "M";
        case 'n':
            return "N";
        case 'o':
            return "AA";
        case 'p':
            return "P";
        case 'q':
            return "K";
        case 'r':
            return "R";
        case 's':
            return "S";
        case 't':
            return "T";
        case 'u':
            return "AH";
        case 'v':
            return "V";
        case 'w':
            return "W";
        case 'x':
            return first ? "Z" : "K S";
        case 'y':
            return first ? "Y" : "IY";
        case 'z':
            return "Z";
        default:
            return {};
    }
}

bool isVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y';
}

}  // namespace

std::string guessPronunciation(std::string_view word) {
    std::string letters;
    for (const char c : word)
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            letters += c;
        else if (c >= 'A' && c <= 'Z')
            letters += static_cast<char>(c - 'A' + 'a');
    // A final silent e ("blake"), where a consonant comes before it and a vowel earlier.
    if (letters.size() > 3 && letters.back() == 'e' && !isVowel(letters[letters.size() - 2]))
        for (std::size_t i = 0; i + 2 < letters.size(); ++i)
            if (isVowel(letters[i])) {
                letters.pop_back();
                break;
            }

    std::vector<std::string_view> phones;
    for (std::size_t at = 0; at < letters.size();) {
        std::string_view sound;
        std::size_t length = 1;
        for (const Spelling& s : kGroups)
            if (std::string_view(letters).substr(at, s.letters.size()) == s.letters) {
                sound = s.phones;
                length = s.letters.size();
                break;
            }
        if (sound.empty()) {
            const char next = at + 1 < letters.size() ? letters[at + 1] : '\0';
            sound = singleLetter(letters[at], next, at == 0);
        }
        // The same phone twice in a row is said once ("blatt").
        std::size_t from = 0;
        while (from < sound.size()) {
            std::size_t end = sound.find(' ', from);
            if (end == std::string_view::npos) end = sound.size();
            const std::string_view phone = sound.substr(from, end - from);
            if (phones.empty() || phones.back() != phone) phones.push_back(phone);
            from = end + 1;
        }
        at += length;
    }

    std::string out;
    for (const std::string_view phone : phones) {
        if (!out.empty()) out += ' ';
        out += phone;
    }
    return out;
}

bool isPronunciation(std::string_view phones) {
    if (phones.empty()) return false;
    std::size_t from = 0;
    while (true) {
        const std::size_t end = phones.find(' ', from);
        const std::string_view phone = phones.substr(
            from, end == std::string_view::npos ? std::string_view::npos : end - from);
        bool known = false;
        for (const std::string_view p : kPhones) known = known || p == phone;
        if (!known) return false;
        if (end == std::string_view::npos) return true;
        from = end + 1;
    }
}

}  // namespace velmorin
