// Bounds-checked big-endian reading of an untrusted byte buffer. A byte at or beyond the
// end of the data reads as zero, so a structure that points outside what was read yields
// zeros instead of reading past the buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmorin {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    // Whether [offset, offset + length) lies inside the data.
    bool holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }

    std::uint8_t u8(std::uint64_t offset) const { return offset < size_ ? data_[offset] : 0; }
    std::uint16_t be16(std::uint64_t offset) const {
        return static_cast<std::uint16_t>(u8(offset) << 8 | u8(offset + 1));
    }
    std::uint32_t be32(std::uint64_t offset) const {
        return std::uint32_t{be16(offset)} << 16 | be16(offset + 2);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace velmorin
