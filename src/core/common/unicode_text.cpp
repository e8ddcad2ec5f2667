#include "common/unicode_text.h"

#include <cstdint>

namespace velmorin {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

template <std::size_t N>
bool inRanges(char32_t c, const Range (&ranges)[N]) {
    for (const Range& r : ranges)
        if (c >= r.first && c <= r.last) return true;
    return false;
}

// Blocks where upper and lower case alternate, upper case on the even code point.
bool evenUpperPair(char32_t c) {
    return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
           (c >= 0x014A && c <= 0x0177) || (c >= 0x0460 && c <= 0x0481) ||
           (c >= 0x048A && c <= 0x04BF) || (c >= 0x1E00 && c <= 0x1E95) ||
           (c >= 0x1EA0 && c <= 0x1EFF);
}

// The same with upper case on the odd code point.
bool oddUpperPair(char32_t c) {
    return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
}

// Full-width forms of the half-width katakana U+FF61 … U+FF9F; the voicing marks become
// the combining ones so that they join the letter before them.
// clang-format off
constexpr char16_t kHalfWidthKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3,  // ｡｢｣､･ｦｧｨ
    0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC,  // ｩｪｫｬｭｮｯｰ
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF,  // ｱｲｳｴｵｶｷｸ
    0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF,  // ｹｺｻｼｽｾｿﾀ
    0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x3099, 0x309A,          // ﾙﾚﾛﾜﾝﾞﾟ
};
// clang-format on

}  // namespace

std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& offset) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(offset);
    if (lead < 0x80) return text[offset++];
    // Lead byte: sequence length, its payload bits, the least code point that needs it.
    int length = 4;
    char32_t c = lead & 0x07u;
    char32_t least = 0x10000;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1Fu;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0Fu;
        least = 0x800;
    } else if (lead < 0xF0 || lead > 0xF4) {
        return std::nullopt;
    }
    if (offset + static_cast<std::size_t>(length) > text.size()) return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const std::uint8_t next = byte(offset + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    offset += static_cast<std::size_t>(length);
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    const auto put = [&](std::uint32_t b) { out.push_back(static_cast<char>(b)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

char32_t foldForMatching(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
    // Kana: the same word whether written in hiragana, katakana or half-width katakana.
    if (c >= 0xFF61 && c <= 0xFF9F) return kHalfWidthKana[c - 0xFF61];
    if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) return c + 0x60;
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0xC0) return c;
    // Editors turn typed apostrophes into typographic ones; word lists are typed.
    if (c == 0x2018 || c == 0x2019 || c == 0x02BC) return '\'';
    if (c <= 0xDE) return c == 0xD7 ? c : c + 32;  // Latin-1 capitals, not the sign ×
    if (evenUpperPair(c)) return c | 1;
    if (oddUpperPair(c)) return c + (c & 1);
    switch (c) {
        case 0x0130:
            return 'i';  // dotted capital I
        case 0x0178:
            return 0x00FF;  // Y with diaeresis
        case 0x017F:
            return 's';  // long s
        case 0x1E9E:
            return 0x00DF;  // capital sharp s
        case 0x0386:
            return 0x03AC;
        case 0x038C:
            return 0x03CC;
        case 0x03C2:
            return 0x03C3;  // final sigma
        default:
            break;
    }
    if (c >= 0x0388 && c <= 0x038A) return c + 37;
    if (c == 0x038E || c == 0x038F) return c + 63;
    if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return c + 32;  // Greek capitals
    if (c >= 0x0410 && c <= 0x042F) return c + 32;                 // Cyrillic capitals
    if (c >= 0x0400 && c <= 0x040F) return c + 80;
    return c;
}

char32_t joinVoicingMark(char32_t kana, char32_t mark) {
    // カ … ト and ハ … ホ take the marks on the code points after them (ッ, a small kana,
    // does not); ウ, ワ and ヲ have voiced forms of their own.
    const bool kaToTo = kana >= 0x30AB && kana <= 0x30C8 && kana != 0x30C3 &&
                        (kana < 0x30C3 ? kana % 2 == 1 : kana % 2 == 0);
    const bool haToHo = kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0;
    if (mark == 0x3099) {
        if (kaToTo || haToHo) return kana + 1;
        if (kana == 0x30A6) return 0x30F4;
        if (kana == 0x30EF || kana == 0x30F2) return kana + 8;
    } else if (mark == 0x309A && haToHo) {
        return kana + 2;
    }
    return 0;
}

bool isSpace(char32_t c) {
    static constexpr Range kSpaces[] = {
        {0x09, 0x0D},     {0x20, 0x20},     {0x85, 0x85},     {0xA0, 0xA0},     {0x1680, 0x1680},
        {0x2000, 0x200A}, {0x2028, 0x2029}, {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000},
    };
    return inRanges(c, kSpaces);
}

bool isInvisible(char32_t c) {
    return c == 0x00AD || (c >= 0x200B && c <= 0x200D) || c == 0x2060 || c == 0xFEFF;
}

bool isSpacedWordCharacter(char32_t c) {
    // clang-format off
    static constexpr Range kWordCharacters[] = {
        {'0', '9'}, {'A', 'Z'}, {'a', 'z'},
        {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA},
        {0x00C0, 0x00D6}, {0x00D8, 0x00F6}, {0x00F8, 0x02AF},  // Latin-1, Extended, IPA
        {0x0300, 0x036F},                                      // combining diacritics
        {0x0370, 0x037D}, {0x037F, 0x0386}, {0x0388, 0x03FF},  // Greek
        {0x0400, 0x0482}, {0x048A, 0x052F},                    // Cyrillic
        {0x0531, 0x0587},                                      // Armenian
        {0x0591, 0x05F2},                                      // Hebrew
        {0x0610, 0x061A}, {0x0620, 0x0669}, {0x066E, 0x06D3},  // Arabic
        {0x0900, 0x0DFF},                                      // Indic scripts
        {0x10A0, 0x10FF},                                      // Georgian
        {0x1E00, 0x1FFF},                                      // Latin Additional, Greek
        {0xFF10, 0xFF19}, {0xFF21, 0xFF3A}, {0xFF41, 0xFF5A},  // full-width
    };
    // clang-format on
    return inRanges(c, kWordCharacters);
}

bool isUnspacedScriptCharacter(char32_t c) {
    // clang-format off
    static constexpr Range kUnspaced[] = {
        {0x0E00, 0x0FFF},    // Thai, Lao, Tibetan
        {0x1000, 0x109F},    // Myanmar
        {0x1100, 0x11FF},    // Hangul jamo
        {0x1780, 0x17FF},    // Khmer
        {0x2E80, 0x2FDF},    // CJK radicals
        {0x3001, 0x31FF},    // CJK punctuation, kana, bopomofo, compatibility jamo
        {0x3400, 0x4DBF},    // CJK extension A
        {0x4E00, 0x9FFF},    // CJK ideographs
        {0xA000, 0xA4CF},    // Yi
        {0xAC00, 0xD7AF},    // Hangul syllables
        {0xF900, 0xFAFF},    // CJK compatibility ideographs
        {0xFF01, 0xFF0F}, {0xFF1A, 0xFF20}, {0xFF3B, 0xFF40},  // full-width punctuation
        {0xFF5B, 0xFFDC},    // full-width brackets, half-width kana and hangul
        {0x20000, 0x3FFFF},  // CJK extensions B and later
    };
    // clang-format on
    return inRanges(c, kUnspaced);
}

}  // namespace velmorin
