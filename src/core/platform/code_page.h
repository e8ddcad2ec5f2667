// Conversion between the program's UTF-8 strings and the Shift-JIS (code page 932) of
// the 260-byte path fields in project and settings files.
#pragma once

#include <optional>
#include <string>

namespace velmorin {

// Nothing when a character has no Shift-JIS form.
std::optional<std::string> utf8ToShiftJis(const std::string& utf8);
// Nothing when the bytes are not valid Shift-JIS.
std::optional<std::string> shiftJisToUtf8(const std::string& shiftJis);

}  // namespace velmorin
