// The 555-byte settings file beside the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "state/settings.h"

namespace velmorin {

inline constexpr std::size_t kSettingsFileSize = 555;
using SettingsImage = std::array<std::uint8_t, kSettingsFileSize>;

// The program file's path with ".EXE" replaced by ".DAT"; a program file without ".EXE"
// (as on Linux) gets ".DAT" appended, so the settings never overwrite the program.
std::string settingsPathFor(const std::string& programPath);

// The file's bytes for `settings`. A path that Shift-JIS cannot hold in 259 bytes is
// stored empty (its default is used at the next start).
SettingsImage encodeSettings(const Settings& settings);

enum class SettingsFileState { Complete, Short, WrongMagic };

struct SettingsRead {
    Settings settings;
    SettingsFileState state;
    std::size_t bytes;  // of the file's, at most 555
};

// The settings that the first `size` bytes of a settings file give over `defaults`: a
// wrong magic gives the defaults; a short file its bytes, then the defaults' bytes.
SettingsRead decodeSettings(const std::uint8_t* data, std::size_t size, const Settings& defaults);

// Reads the settings file over `defaults`. A wrong magic or a short file keeps what was
// read completely, fills the rest from the defaults, and deletes the file.
Settings loadSettings(const std::string& path, const Settings& defaults);

// Replaces the settings file through a temporary file, so a failed write keeps the old
// one. Silent.
void saveSettings(const std::string& path, const Settings& settings);

}  // namespace velmorin
