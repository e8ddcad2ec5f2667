// The first packet of a VOB pack as a PES packet: its stream id, its header's time stamp
// and, for private stream 1, the sub-stream id that follows the header. The pack header is
// the 14-byte MPEG-2 one (see pack.h), so the packet starts at byte 14.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/byte_order.h"
#include "common/sector.h"

namespace velmorin {

inline constexpr std::size_t kPacketStart = 14;         // 00 00 01 and the stream id
inline constexpr std::size_t kPacketLengthOffset = 18;  // bytes after this field
inline constexpr std::size_t kPesFlagsOffset = 20;      // '10' marks an MPEG-2 header
inline constexpr std::size_t kPesHeaderLengthOffset = 22;
inline constexpr std::size_t kPesHeaderData = 23;  // the time stamp, when there is one

inline constexpr std::uint8_t kPrivateStream1 = 0xBD;
inline constexpr std::uint8_t kPaddingStream = 0xBE;

// The first packet's start code: 00 00 01 and the stream id, or anything else.
inline std::uint32_t firstPacketStartCode(SectorView sector) {
    return readBe32(sector.data() + kPacketStart);
}

// The byte after the PES header, which private stream 1 gives its sub-stream id: at
// 23 + the header length, so never past byte 278 whatever the header says.
inline std::uint8_t subStreamId(SectorView sector) {
    return sector[kPesHeaderData + std::size_t{sector[kPesHeaderLengthOffset]}];
}

// AC-3 (0x80 … 0x87), DTS (0x88 … 0x8F) and LPCM (0xA0 … 0xA7) sub-streams.
inline bool isAudioSubStream(std::uint8_t subStream) {
    return (subStream >> 4) == 0x8 || (subStream >> 4) == 0xA;
}

// MPEG audio streams, which are PES streams of their own.
inline bool isMpegAudioStream(std::uint8_t streamId) {
    return (streamId & 0xE0) == 0xC0;
}

struct PesPacket {
    std::uint8_t streamId = 0;     // 0 when no packet start code stands at byte 14
    bool mpeg2 = false;            // an MPEG-2 PES header, as every DVD packet has
    std::size_t headerLength = 0;  // of the header data after byte 22
    bool timed = false;            // the header holds a presentation time stamp
    std::uint64_t pts = 0;         // 33 bits, 90 kHz
    // After the PES header up to the packet's end (private stream 1: from the sub-stream
    // id on). Empty when the packet or header length reaches past the sector or each other.
    std::span<const std::uint8_t> payload;
};

// Reads only inside the sector; a packet whose lengths do not fit has an empty payload.
PesPacket readPesPacket(SectorView sector);

}  // namespace velmorin
