// What the decoder takes from the packs, and how its bit reader behaves at the end of the
// stream area.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "preview/bit_reader.h"
#include "preview/pack_filter.h"

namespace velmorin::preview {
namespace {

// A video pack whose PES payload is `payload` bytes of `fill` after `headerData` bytes of
// PES header data.
std::array<std::uint8_t, 2048> videoPack(std::size_t payload, std::uint8_t fill,
                                         std::uint8_t headerData = 5) {
    std::array<std::uint8_t, 2048> p{};
    const std::uint8_t head[] = {0, 0, 1,    0xBA, 0x44, 0, 4, 0, 4,
                                 1, 1, 0x89, 0xC3, 0xF8, 0, 0, 1, 0xE0};
    std::copy(std::begin(head), std::end(head), p.begin());
    const std::size_t length = 3 + headerData + payload;
    p[18] = static_cast<std::uint8_t>(length >> 8);
    p[19] = static_cast<std::uint8_t>(length);
    p[20] = 0x81;
    p[21] = 0x80;
    p[22] = headerData;
    for (std::size_t i = 0; i < payload && 23 + headerData + i < 2048; ++i)
        p[23 + headerData + i] = fill;
    return p;
}

TEST(PackFilter, KeepsOnlyVideoPacksAndBoundsTheirPayload) {
    std::vector<std::uint8_t> packs;
    const auto add = [&](const std::array<std::uint8_t, 2048>& p) {
        packs.insert(packs.end(), p.begin(), p.end());
    };
    add(videoPack(100, 0x11));
    auto nav = videoPack(100, 0x22);
    nav[17] = 0xBF;  // private stream 2: a navigation pack
    add(nav);
    auto stuffed = videoPack(100, 0x33);
    stuffed[13] = 0xF9;  // one stuffing byte: the PES packet no longer starts at 14
    std::copy(stuffed.begin() + 14, stuffed.begin() + 2047, stuffed.begin() + 15);
    add(stuffed);
    auto mpeg1 = videoPack(100, 0x44);
    mpeg1[4] = 0x21;  // a 12-byte MPEG-1 pack header
    std::copy(mpeg1.begin() + 14, mpeg1.end(), mpeg1.begin() + 12);
    add(mpeg1);
    auto tooLong = videoPack(2025, 0x55);
    tooLong[18] = 0xFF;  // PES_packet_length far past the pack: cut at the pack's end
    add(tooLong);
    auto tooShort = videoPack(0, 0x66);
    tooShort[19] = 2;  // shorter than its own header: no payload
    add(tooShort);
    add(videoPack(2020, 0x77, 0));
    packs.resize(packs.size() + 1000, 0x88);  // a trailing part pack is ignored

    std::vector<std::uint8_t> out(8192, 0);
    const std::size_t n = appendVideoPayloads(packs.data(), packs.size(), out.data(), out.size());
    ASSERT_EQ(n, 100u + (2048 - 28) + 2020);
    EXPECT_EQ(out[0], 0x11);
    EXPECT_EQ(out[99], 0x11);
    EXPECT_EQ(out[100], 0x55);
    EXPECT_EQ(out[100 + 2019], 0x55);
    EXPECT_EQ(out[100 + 2020], 0x77);
    EXPECT_EQ(out[n - 1], 0x77);

    // The capacity is never exceeded.
    EXPECT_EQ(appendVideoPayloads(packs.data(), packs.size(), out.data(), 150), 150u);
}

TEST(BitReader, ReadsAcrossBytesAndSeesZerosPastItsArea) {
    const std::vector<std::uint8_t> area = {0xA5, 0x0F, 0xF0, 0x81, 0xFF, 0xFF, 0, 0, 0, 0};
    BitReader in(area.data(), area.size() - 4);
    EXPECT_EQ(in.peek(4), 0xAu);
    EXPECT_EQ(in.read(3), 0x5u);
    EXPECT_EQ(in.read(9), 0x050u);       // 0 0101 0000
    EXPECT_EQ(in.read(25), 0x1FE103Fu);  // 1111 1111 0000 1000 0001 1111 1, across four bytes
    EXPECT_EQ(in.position(), 37);
    in.skip(1000);  // far past the area: the reads stay on its last four bytes, all zero
    EXPECT_EQ(in.peek(25), 0u);
}

}  // namespace
}  // namespace velmorin::preview
