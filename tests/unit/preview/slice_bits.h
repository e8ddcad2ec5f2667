// Slices written bit by bit for the slice decoder's tests, and the state of a small picture
// to decode them in.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "preview/bit_reader.h"
#include "preview/decoder_state.h"
#include "preview/slice_decoder.h"

namespace velmorin::preview {

class Bits {
public:
    // Appends the '0' and '1' characters of `bits`; anything else is layout.
    Bits& operator<<(const std::string& bits) {
        for (char c : bits)
            if (c == '0' || c == '1') bits_.push_back(c == '1');
        return *this;
    }
    // Appends the n low bits of `value`, most significant first.
    Bits& put(unsigned value, int n) {
        for (int i = n - 1; i >= 0; --i) bits_.push_back(((value >> i) & 1) != 0);
        return *this;
    }
    // Zero bits up to the next byte boundary, then the start code 00 00 01 `value`.
    Bits& startCode(unsigned value) {
        while (bits_.size() % 8) bits_.push_back(false);
        return put(0x000001, 24).put(value, 8);
    }
    // Bytes with the zero stuffing that ends a slice and room for the reader's look-ahead.
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out((bits_.size() + 7) / 8 + 16, 0);
        for (std::size_t i = 0; i < bits_.size(); ++i)
            if (bits_[i]) out[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
        return out;
    }

private:
    std::vector<bool> bits_;
};

// A 64 × 256 frame picture (4 × 16 macroblocks), 4:2:0, progressive, I, flat matrices.
inline std::unique_ptr<DecoderState> iPictureState() {
    auto s = std::make_unique<DecoderState>();
    HeaderState& h = s->headers;
    h.horizontalSize = 64;
    h.verticalSize = 256;
    h.chromaFormat = kChroma420;
    h.pictureStructure = kFramePicture;
    h.framePredFrameDct = 1;
    h.progressiveFrame = 1;
    h.pictureCodingType = kPictureI;
    for (auto& f : h.fCode)
        for (int& v : f) v = 1;
    s->matrices.nonIntraLuma.fill(16);
    s->matrices.intraLuma.fill(16);
    return s;
}

// Decodes `bits` as the slice of macroblock row `verticalPosition` - 1.
inline void decode(DecoderState& s, const Bits& bits, int verticalPosition = 1) {
    const std::vector<std::uint8_t> bytes = bits.bytes();
    BitReader in(bytes.data(), bytes.size() - 4);
    decodeSlice(in, s, verticalPosition);
}

}  // namespace velmorin::preview
