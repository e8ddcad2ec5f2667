#include "mute/audio_packet.h"

namespace velmorin {

AudioPacket classifyAudioPacket(SectorView sector) {
    const std::uint32_t startCode = firstPacketStartCode(sector);
    if (startCode == 0x00000100u + kPaddingStream) return AudioPacket::Padding;
    if (startCode != 0x00000100u + kPrivateStream1) return AudioPacket::None;
    return isAudioSubStream(subStreamId(sector)) ? AudioPacket::Audible : AudioPacket::None;
}

}  // namespace velmorin
