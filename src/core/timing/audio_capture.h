// Keeps, while the presentation map is built, the coded sound of the title's audio streams
// within chosen stretches of title time: the sound word placement decodes.
#pragma once

#include <cstdint>
#include <vector>

#include "scan/pes_packet.h"
#include "timing/title_audio.h"
#include "timing/title_span.h"

namespace velmorin {

class AudioCapture {
public:
    // Keeps every stream: for choosing one afterwards.
    static constexpr int kEveryStream = -2;

    // `windows`: the stretches of title time whose sound is wanted (any order, may overlap).
    // `keep`: the DVD audio stream number (0 … 7) whose sound is kept, or -1 for the
    // first stream (the lowest number the title has): only its bytes are held, where an
    // LPCM stream beside it would hold ten times those of an AC-3 one.
    explicit AudioCapture(std::vector<TitleSpan> windows, int keep = -1);

    // The sound of DVD audio stream `number` (0 … 7) within the windows, or with -1 that of
    // the first stream (the lowest number, whatever its coding) that has packets there.
    // `stream` is -1 in the result when there is no such sound.
    TitleAudio stream(int number = -1) const;
    // The same, handing the bytes over instead of copying them: the capture no longer
    // holds that stream.
    TitleAudio takeStream(int number = -1);

    // The map builder's side: every audio packet of the title (private stream 1, silenced
    // or not, and MPEG audio) in title order as it is read; `time` is the title time of its
    // time stamp when `packet.timed`. Other and malformed packets are passed over.
    void take(const PesPacket& packet, TitleTime time);

    // How far before a window the packet whose sound covers its start may begin.
    static constexpr TitleTime kLeadIn = kTicksPerSecond;

private:
    enum class Went { Nowhere, Kept, LeadIn, Dropped };

    struct Track {
        std::uint8_t id = 0;  // the sub-stream id, or the MPEG audio stream id
        AudioCoding coding = AudioCoding::Ac3;
        LpcmFormat lpcm;
        std::vector<AudioChunk> kept;
        // The latest packet (and the untimed ones after it) that starts within a lead-in:
        // kept once a later packet shows that its sound reaches into the window.
        std::vector<AudioChunk> leadIn;
        TitleTime leadInWindow = 0;  // the start of that window
        Went last = Went::Nowhere;   // where the stream's previous packet went
        bool lastInside = false;     // its previous time stamp lay inside a window
    };

    bool wanted(int number);
    std::size_t chosen(int number) const;  // an index of tracks_, or its size for none
    Track* trackOf(std::uint8_t id);
    void place(Track& track, AudioChunk chunk);
    const TitleSpan* windowAt(TitleTime t) const;
    const TitleSpan* windowAfter(TitleTime t) const;

    std::vector<TitleSpan> windows_;  // sorted, apart, none empty
    int keep_ = -1;
    int lowest_ = 8;  // with keep_ -1, the lowest stream number seen so far
    std::vector<Track> tracks_;
};

}  // namespace velmorin
