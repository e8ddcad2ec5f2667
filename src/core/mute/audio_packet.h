// Which sectors of a GOP carry the audio that muting switches on and off.
#pragma once

#include "common/sector.h"
#include "scan/pes_packet.h"

namespace velmorin {

enum class AudioPacket {
    None,     // video, navigation, sub-picture, MPEG audio, …: never touched
    Audible,  // private stream 1 with an AC-3/DTS (0x8?) or LPCM (0xA?) sub-stream
    Padding,  // padding stream: audio silenced earlier, or a genuine padding packet
};

// Looks only at the sector's first packet.
AudioPacket classifyAudioPacket(SectorView sector);

// Byte 17 of an audio sector: the low byte of its first packet's start code.
inline constexpr std::size_t kStreamIdOffset = kPacketStart + 3;

}  // namespace velmorin
