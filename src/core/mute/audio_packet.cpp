#include "mute/audio_packet.h"

#include "common/byte_order.h"

namespace velmorin {

AudioPacket classifyAudioPacket(SectorView sector) {
    const std::uint32_t startCode = readBe32(sector.data() + 14);
    if (startCode == 0x00000100u + kPaddingStream) return AudioPacket::Padding;
    if (startCode != 0x00000100u + kPrivateStream1) return AudioPacket::None;
    // The sub-stream id follows the PES header: 23 + header length, at most 23 + 255.
    const std::uint8_t subStream = sector[23 + std::size_t{sector[22]}];
    const std::uint8_t kind = subStream >> 4;
    return kind == 0x8 || kind == 0xA ? AudioPacket::Audible : AudioPacket::None;
}

}  // namespace velmorin
