// Fuzz inputs reach the readers through real files, as the program's inputs do; seeds are
// written the same way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "pack_builder.h"

namespace velmorin::test {

// Each target defines this: writes its seed inputs into `dir`, cutting them from the
// sample disc's VIDEO_TS folder `videoTs` where it needs real bytes.
// `TARGET --make-seeds DIR VIDEO_TS` runs it and exits (fuzz_seeds.cpp).
void writeSeeds(const std::string& dir, const std::string& videoTs);

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

// The one file a target hands its reader: in a folder of its own for the whole run,
// rewritten by every input.
class InputFile {
public:
    explicit InputFile(const std::string& name) : path_(dir_.file(name)) {}

    // Replaces the file's bytes; the path to hand the reader.
    const std::string& write(const std::uint8_t* data, std::size_t size) const {
        writeInputFile(path_, data, size);
        return path_;
    }

private:
    TempDir dir_;
    std::string path_;
};

// Seeds of the targets whose input starts with an options byte and a split sector:
// seed0, seed1, … in one folder.
class NumberedSeeds {
public:
    explicit NumberedSeeds(std::string dir) : dir_(std::move(dir)) {}

    void write(std::uint8_t options, std::uint8_t split, const std::uint8_t* body,
               std::size_t size) {
        std::vector<std::uint8_t> input{options, split};
        input.insert(input.end(), body, body + size);
        writeInputFile(dir_ + "/seed" + std::to_string(next_++), input.data(), input.size());
    }
    void write(std::uint8_t options, std::uint8_t split, const std::vector<std::uint8_t>& body) {
        write(options, split, body.data(), body.size());
    }

private:
    std::string dir_;
    int next_ = 0;
};

}  // namespace velmorin::test
