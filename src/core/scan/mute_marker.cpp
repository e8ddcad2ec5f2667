#include "scan/mute_marker.h"

#include <array>

namespace velmorin {

namespace {

constexpr std::array<std::string_view, kMuteStates> kPatternTexts = {
    "****", "-***", "--**", "---*", "----", "***-", "**--", "*---",
};
constexpr std::uint8_t kMagic0 = 0x93;
constexpr std::uint8_t kMagic1 = 0x39;

}  // namespace

std::string_view patternText(MuteState state) {
    if (state < 0 || state >= kMuteStates) return kPatternTexts[0];
    return kPatternTexts[static_cast<std::size_t>(state)];
}

MuteState readMuteState(SectorView navPack) {
    const auto* m = navPack.data() + kMuteMarkerOffset;
    if (m[0] != kMagic0 || m[1] != kMagic1 || m[2] < 1 || m[2] > 7) return 0;
    return m[2];
}

void writeMuteMarker(MutableSectorView navPack, MuteState state) {
    auto* m = navPack.data() + kMuteMarkerOffset;
    const bool marked = state >= 1 && state <= 7;
    m[0] = marked ? kMagic0 : 0;
    m[1] = marked ? kMagic1 : 0;
    m[2] = marked ? static_cast<std::uint8_t>(state) : 0;
    m[3] = 0;
}

}  // namespace velmorin
