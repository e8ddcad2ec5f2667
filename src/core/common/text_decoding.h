// The bytes of a text file the user hands in (EDL, subtitle and word list files) as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmorin {

// What the caller says the file is written in. A byte order mark at the start wins over
// the caller's choice: editors write one only for Unicode text.
enum class TextEncoding {
    Unicode,  // UTF-8 with or without a byte order mark, UTF-16 (LE or BE) with one
    Cp932,    // Japanese Windows (Shift-JIS with Microsoft's extensions)
    Cp1252,   // Western European Windows
};

enum class TextDecodeResult {
    Ok,
    Invalid,  // a byte sequence the encoding has no character for
};

struct DecodedText {
    TextDecodeResult result = TextDecodeResult::Ok;
    std::string utf8;               // the text, without byte order mark, when Ok
    const char* encodingName = "";  // the encoding read: "UTF-8", "UTF-16", "CP932", "CP1252"
    int badLine = 0;                // when Invalid: the 1-based line of the first bad character
};

// A whole Shift-JIS text as UTF-8; nothing when a byte sequence is not CP932. The
// system's converter does it (shiftJisToUtf8 of platform/code_page.h): this folder has no
// table of its own.
using ShiftJisReader = std::optional<std::string> (*)(const std::string& shiftJis);

DecodedText decodeText(std::string_view bytes, TextEncoding encoding, ShiftJisReader shiftJis);

// `text` without a UTF-8 byte order mark at its start: the readers take text that did not
// come through decodeText as well.
std::string_view withoutByteOrderMark(std::string_view text);

// The encoding an option value names ("utf-8", "utf8", "cp932", "shift_jis", "sjis", "cp1252",
// "windows-1252", any case); false for any other name.
bool textEncodingNamed(std::string_view name, TextEncoding& encoding);

}  // namespace velmorin
