#include "mute/gop_rewrite.h"

#include "mute/audio_packet.h"
#include "mute/mute_pattern.h"

namespace velmorin {

namespace {

MutableSectorView sectorAt(std::uint8_t* data, std::size_t i) {
    return MutableSectorView(data + i * kSectorSize, kSectorSize);
}

}  // namespace

bool rewriteGopForPattern(std::uint8_t* data, std::size_t sectors, MuteState pattern, Ui& ui) {
    if (sectors == 0) return true;
    const MuteState previous = readMuteState(sectorAt(data, 0));

    int audioPackets = 0;
    bool paddingSeen = false;
    for (std::size_t s = 0; s < sectors; ++s) {
        const AudioPacket kind = classifyAudioPacket(sectorAt(data, s));
        if (kind == AudioPacket::None) continue;
        ++audioPackets;
        paddingSeen |= kind == AudioPacket::Padding;
    }
    // Padding in a GOP this program never muted is someone else's: editing it would turn
    // it into audio.
    if (previous == 0 && paddingSeen && ui.confirm(kPaddingStreamQuestion)) return false;

    writeMuteMarker(sectorAt(data, 0), pattern);
    const SilentRange silent = silentRange(pattern, audioPackets);
    int i = 0;
    for (std::size_t s = 0; s < sectors; ++s) {
        const MutableSectorView sector = sectorAt(data, s);
        if (classifyAudioPacket(sector) == AudioPacket::None) continue;
        sector[kStreamIdOffset] = silent.contains(i) ? kPaddingStream : kPrivateStream1;
        ++i;
    }
    return true;
}

}  // namespace velmorin
