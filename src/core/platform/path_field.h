// The 260-byte path fields of project and settings files: a zero-terminated Shift-JIS
// string. A path that does not fit, or has a character Shift-JIS cannot hold, is refused
// rather than cut or mangled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace velmorin {

inline constexpr std::size_t kPathFieldSize = 260;

// Fills all 260 bytes (zeros after the string); false, with the field untouched, when the
// path cannot be stored.
bool encodePathField(const std::string& utf8, std::uint8_t* field);
bool pathFitsField(const std::string& utf8);
// The string up to the first zero; nothing when it is not valid Shift-JIS.
std::optional<std::string> decodePathField(const std::uint8_t* field);

// "…: this path cannot be stored (more than 259 bytes in Shift-JIS, or a character
// Shift-JIS cannot hold)", naming the path.
std::string pathNotStorableMessage(const std::string& utf8);

}  // namespace velmorin
