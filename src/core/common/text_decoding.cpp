#include "common/text_decoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/unicode_text.h"

namespace velmorin {

namespace {

// Line of byte `offset`: one more than the line feeds before it.
int lineAt(std::string_view bytes, std::size_t offset) {
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + offset, '\n'));
}

DecodedText invalid(const char* encodingName, int line) {
    return DecodedText{TextDecodeResult::Invalid, {}, encodingName, line};
}

DecodedText fromUtf8(std::string_view bytes) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        if (!nextCodePoint(bytes, offset)) return invalid("UTF-8", lineAt(bytes, offset));
    }
    return DecodedText{TextDecodeResult::Ok, std::string(bytes), "UTF-8", 0};
}

DecodedText fromUtf16(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) -> std::uint32_t {
        const auto hi = static_cast<std::uint8_t>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<std::uint8_t>(bytes[bigEndian ? i + 1 : i]);
        return (std::uint32_t{hi} << 8) | lo;
    };
    DecodedText out{TextDecodeResult::Ok, {}, "UTF-16", 0};
    out.utf8.reserve(bytes.size());
    int line = 1;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        std::uint32_t c = unitAt(i);
        if (c >= 0xDC00 && c <= 0xDFFF) return invalid("UTF-16", line);
        if (c >= 0xD800 && c <= 0xDBFF) {
            const std::uint32_t low = i + 3 < bytes.size() ? unitAt(i + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF) return invalid("UTF-16", line);
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (c == '\n') ++line;
        appendUtf8(out.utf8, c);
    }
    if (i != bytes.size()) return invalid("UTF-16", line);  // half a code unit at the end
    return out;
}

// Windows code page 1252: Latin-1 with printable characters in 0x80–0x9F; the five bytes
// it leaves undefined (0 here) are invalid.
// clang-format off
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
// clang-format on

DecodedText fromCp1252(std::string_view bytes) {
    DecodedText out{TextDecodeResult::Ok, {}, "CP1252", 0};
    out.utf8.reserve(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::uint32_t c = static_cast<std::uint8_t>(bytes[i]);
        if (c >= 0x80 && c < 0xA0) {
            c = kCp1252High[c - 0x80];
            if (c == 0) return invalid("CP1252", lineAt(bytes, i));
        }
        appendUtf8(out.utf8, c);
    }
    return out;
}

DecodedText fromCp932(std::string_view bytes, ShiftJisReader shiftJisToUtf8) {
    if (auto utf8 = shiftJisToUtf8(std::string(bytes)))
        return DecodedText{TextDecodeResult::Ok, std::move(*utf8), "CP932", 0};
    // The converter does not say where it stopped; a line feed is never the second byte of
    // a double-byte character, so line by line finds the bad one.
    int line = 1;
    for (std::size_t start = 0; start <= bytes.size(); ++line) {
        const auto end = std::min(bytes.find('\n', start), bytes.size());
        if (!shiftJisToUtf8(std::string(bytes.substr(start, end - start)))) break;
        start = end + 1;
    }
    return invalid("CP932", line);
}

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

}  // namespace

DecodedText decodeText(std::string_view bytes, TextEncoding encoding, ShiftJisReader shiftJis) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) return fromUtf8(bytes.substr(3));
    if (startsWith(bytes, "\xFF\xFE")) return fromUtf16(bytes.substr(2), false);
    if (startsWith(bytes, "\xFE\xFF")) return fromUtf16(bytes.substr(2), true);
    switch (encoding) {
        case TextEncoding::Cp932:
            return fromCp932(bytes, shiftJis);
        case TextEncoding::Cp1252:
            return fromCp1252(bytes);
        case TextEncoding::Unicode:
            break;
    }
    return fromUtf8(bytes);
}

std::string_view withoutByteOrderMark(std::string_view text) {
    return startsWith(text, "\xEF\xBB\xBF") ? text.substr(3) : text;
}

bool textEncodingNamed(std::string_view name, TextEncoding& encoding) {
    struct Name {
        const char* text;
        TextEncoding encoding;
    };
    static constexpr Name kNames[] = {
        {"utf-8", TextEncoding::Unicode},       {"utf8", TextEncoding::Unicode},
        {"cp932", TextEncoding::Cp932},         {"shift_jis", TextEncoding::Cp932},
        {"sjis", TextEncoding::Cp932},          {"cp1252", TextEncoding::Cp1252},
        {"windows-1252", TextEncoding::Cp1252},
    };
    for (const Name& n : kNames) {
        if (sameLetters(name, n.text)) {
            encoding = n.encoding;
            return true;
        }
    }
    return false;
}

}  // namespace velmorin
