// MSB-first bit reader over the decoder's padded stream area. Positions are bit counts from
// a base byte (the byte after a start code). A peek fetches the four bytes that hold the
// position; byte addresses are clamped to the last four bytes of the area, which are never
// written and stay zero, so a runaway read sees zero bits and never leaves the area.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmorin::preview {

class BitReader {
public:
    // `base` points into an area whose last valid byte address is base + limitBytes + 3.
    BitReader(const std::uint8_t* base, std::size_t limitBytes) : base_(base), limit_(limitBytes) {}

    // The 32 bits from the position, first bit in the top bit; the top 25 are the stream's.
    std::uint32_t window() const {
        std::size_t byte = static_cast<std::size_t>(position_ >> 3);
        if (byte > limit_) byte = limit_;
        const std::uint8_t* p = base_ + byte;
        const std::uint32_t word = (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                   (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
        return word << (position_ & 7);
    }
    // The next n bits (1 <= n <= 25) as an unsigned value; the position does not move.
    std::uint32_t peek(int n) const { return window() >> (32 - n); }
    std::uint32_t read(int n) {
        const std::uint32_t v = peek(n);
        position_ += n;
        return v;
    }
    void skip(int n) { position_ += n; }
    bool readFlag() { return read(1) != 0; }

    std::int32_t position() const { return position_; }

private:
    const std::uint8_t* base_;
    std::size_t limit_;
    std::int32_t position_ = 0;
};

}  // namespace velmorin::preview
