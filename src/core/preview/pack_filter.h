// Extraction of the video elementary stream from DVD packs: only 2048-byte packs with an
// MPEG-2 pack header without stuffing, directly followed by a PES packet of stream 0xE0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmorin::preview {

// Appends the PES payloads of the video packs among the whole packs in [packs, packs + size)
// to `out` and returns the byte count (at most 2025 per pack; at most `capacity` in all).
// A payload that the PES lengths would extend past its pack is cut at the pack's end; a
// pack whose lengths leave no payload contributes nothing.
std::size_t appendVideoPayloads(const std::uint8_t* packs, std::size_t size, std::uint8_t* out,
                                std::size_t capacity);

}  // namespace velmorin::preview
