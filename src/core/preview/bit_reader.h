// MSB-first bit reader over the decoder's padded stream area. Positions are bit counts from
// a base byte (the byte after a start code). A peek fetches the four bytes that hold the
// position; byte addresses are clamped to the last four bytes of the area, which are never
// written and stay zero, so a runaway read sees zero bits and never leaves the area.
//
// A reader may also start with a shorter limit and a source of more input: a peek past the
// limit first asks the source to make more of the stream valid, and the source answers
// with the reader's new limit (the end of the area's when no more input will come).
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmorin::preview {

class BitReader {
public:
    class MoreInput {
    public:
        // Makes the four bytes at base + byte valid if the stream has them; returns the
        // reader's limit from now on (at least `byte` when they are valid).
        virtual std::ptrdiff_t extend(const std::uint8_t* base, std::ptrdiff_t byte) = 0;

    protected:
        ~MoreInput() = default;
    };

    // `base` points into an area whose last valid byte address is base + limitBytes + 3.
    BitReader(const std::uint8_t* base, std::size_t limitBytes)
        : base_(base), limit_(static_cast<std::ptrdiff_t>(limitBytes)) {}
    // The bytes up to base + limit + 3 are valid now; `more` supplies the rest.
    BitReader(const std::uint8_t* base, std::ptrdiff_t limit, MoreInput* more)
        : base_(base), limit_(limit), more_(more) {}

    // The 32 bits from the position, first bit in the top bit; the top 25 are the stream's.
    std::uint32_t window() const {
        std::ptrdiff_t byte = position_ >> 3;
        if (byte > limit_) byte = beyondLimit(byte);
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
    std::ptrdiff_t beyondLimit(std::ptrdiff_t byte) const {
        if (more_) limit_ = more_->extend(base_, byte);
        return byte > limit_ ? limit_ : byte;
    }

    const std::uint8_t* base_;
    mutable std::ptrdiff_t limit_;
    MoreInput* more_ = nullptr;
    std::int32_t position_ = 0;
};

}  // namespace velmorin::preview
