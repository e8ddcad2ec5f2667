#include "scan/pes_packet.h"

namespace velmorin {

PesPacket readPesPacket(SectorView s) {
    PesPacket p;
    const std::uint32_t code = firstPacketStartCode(s);
    if ((code >> 8) != 0x000001u) return p;
    p.streamId = static_cast<std::uint8_t>(code);
    p.mpeg2 = (s[kPesFlagsOffset] & 0xC0) == 0x80;
    if (!p.mpeg2) return p;
    p.headerLength = s[kPesHeaderLengthOffset];
    if ((s[kPesFlagsOffset + 1] & 0x80) != 0 && p.headerLength >= 5) {
        p.timed = true;
        const auto bits = [&](std::size_t i) { return std::uint64_t{s[kPesHeaderData + i]}; };
        p.pts = (bits(0) >> 1 & 0x07) << 30 | bits(1) << 22 | (bits(2) >> 1) << 15 | bits(3) << 7 |
                bits(4) >> 1;
    }
    const std::size_t end = kPacketLengthOffset + 2 + readBe16(s.data() + kPacketLengthOffset);
    const std::size_t begin = kPesHeaderData + p.headerLength;
    if (end <= kSectorSize && begin <= end) p.payload = s.subspan(begin, end - begin);
    return p;
}

}  // namespace velmorin
