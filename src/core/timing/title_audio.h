// The coded sound of one audio stream over chosen stretches of title time, as its packets
// carry it: what a decoder needs to turn a cue's stretch of the title into samples.
// Silenced packets (padding stream id) still hold their sound and are captured too.
#pragma once

#include <cstdint>
#include <vector>

#include "timing/title_span.h"

namespace velmorin {

enum class AudioCoding { Ac3, Dts, Lpcm, Mpeg };

// The format an LPCM stream's packets announce in their private header.
struct LpcmFormat {
    int bitsPerSample = 16;  // 16, 20 or 24
    int sampleRate = 48000;  // 48000 or 96000
    int channels = 2;        // 1 … 8
    bool operator==(const LpcmFormat&) const = default;
};

// One packet's share of the stream.
struct AudioChunk {
    bool timed = false;  // the packet carries a presentation time stamp
    TitleTime time = 0;  // when timed: the title time of `firstAccessUnit`
    // Offset in `bytes` of the first frame that starts here; the bytes before it end the
    // frame of an earlier packet. bytes.size() when no frame starts here; 0 for MPEG audio,
    // whose packets do not say.
    int firstAccessUnit = 0;
    std::vector<std::uint8_t> bytes;  // the elementary stream: no PES or DVD sub-stream header
};

struct TitleAudio {
    int stream = -1;  // the DVD audio stream number 0 … 7; -1 when nothing was captured
    AudioCoding coding = AudioCoding::Ac3;
    LpcmFormat lpcm;                 // for Lpcm
    std::vector<AudioChunk> chunks;  // in title order
};

}  // namespace velmorin
