#include "scan/pack.h"

#include "common/byte_order.h"

namespace velmorin {

namespace {

constexpr std::size_t kFirstPacket = 14;
constexpr std::size_t kCellElapsedTime = 69;
constexpr std::size_t kVobuEndAddress = 1039;
constexpr std::size_t kVobuCategory = 1063;
constexpr std::size_t kChapterMarker = 2032;

}  // namespace

bool isPack(SectorView sector) {
    return readBe32(sector.data()) == 0x000001BA;
}

bool isNavigationPack(SectorView sector) {
    return isPack(sector) && readBe32(sector.data() + kFirstPacket) == 0x000001BB;
}

std::uint32_t scrTimeValue(SectorView pack) {
    const std::uint32_t b4 = pack[4], b5 = pack[5], b6 = pack[6], b7 = pack[7], b8 = pack[8];
    return ((b4 >> 3) & 0x03) << 30 | (b4 & 0x03) << 28 | b5 << 20 | ((b6 >> 3) & 0x1F) << 15 |
           (b6 & 0x03) << 13 | b7 << 5 | ((b8 >> 3) & 0x1F);
}

TimeCode timeCodeOf(std::uint32_t t) {
    return TimeCode{t / 324000000u, (t / 5400000u) % 60u, (t / 90000u) % 60u, (t / 90u) % 1000u};
}

bool cellElapsedTimeIsZero(SectorView navPack) {
    const auto* c = navPack.data() + kCellElapsedTime;
    return (c[0] & 0x0F) == 0 && c[1] == 0 && c[2] == 0 && (c[3] & 0x3F) == 0;
}

std::uint32_t vobuEndAddress(SectorView navPack) {
    return readBe32(navPack.data() + kVobuEndAddress);
}

std::uint8_t vobuCategory(SectorView navPack) {
    return navPack[kVobuCategory];
}

bool hasChapterMarker(SectorView navPack) {
    return navPack[kChapterMarker] == 0x5B && navPack[kChapterMarker + 1] == 0xB5;
}

}  // namespace velmorin
