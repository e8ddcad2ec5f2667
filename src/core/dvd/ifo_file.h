// The first 64 KiB of an IFO file, zero-filled beyond what the file holds.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/byte_reader.h"

namespace velmorin {

class IfoBuffer {
public:
    static constexpr std::size_t kSize = 65536;

    // Reads up to 64 KiB of the file; false when it cannot be opened.
    bool load(const std::string& path);
    std::size_t length() const { return length_; }
    // Reads only the bytes that came from the file; the rest read as zero.
    ByteReader reader() const { return ByteReader(bytes_->data(), length_); }

private:
    std::unique_ptr<std::array<std::uint8_t, kSize>> bytes_ =
        std::make_unique<std::array<std::uint8_t, kSize>>();
    std::size_t length_ = 0;
};

}  // namespace velmorin
