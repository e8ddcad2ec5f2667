// Fuzz inputs reach the readers through real files, as the program's inputs do.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace velmorin::test {

// Writes `size` bytes to `path`, replacing it; a failure stops the run (it is the
// harness's, not the code's under test).
inline void writeInputFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    if (std::fclose(f) != 0) std::abort();
}

// The first `size` bytes of `path` (fewer when it is shorter, none when it is missing):
// the real bytes that seeds are cut from.
inline std::vector<std::uint8_t> readPrefix(const std::string& path, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    bytes.resize(f ? std::fread(bytes.data(), 1, size, f) : 0);
    if (f) std::fclose(f);
    return bytes;
}

}  // namespace velmorin::test
