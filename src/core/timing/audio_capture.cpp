#include "timing/audio_capture.h"

#include <algorithm>
#include <utility>

namespace velmorin {

namespace {

// After the sub-stream id: the frame count and the first access unit pointer, then for
// LPCM the emphasis and frame number, the sample format and the dynamic range.
constexpr std::size_t kPrivateHeader = 3;
constexpr std::size_t kLpcmHeader = 6;

bool codingOf(std::uint8_t id, bool privateStream, AudioCoding& coding) {
    if (!privateStream) {
        coding = AudioCoding::Mpeg;
        return (id & 0xF8) == 0xC0;
    }
    switch (id & 0xF8) {
        case 0x80:
            coding = AudioCoding::Ac3;
            return true;
        case 0x88:
            coding = AudioCoding::Dts;
            return true;
        case 0xA0:
            coding = AudioCoding::Lpcm;
            return true;
        default:
            return false;
    }
}

LpcmFormat lpcmFormatOf(std::uint8_t format) {
    static constexpr int kBits[] = {16, 20, 24, 24};
    LpcmFormat f;
    f.bitsPerSample = kBits[format >> 6];
    f.sampleRate = (format >> 4 & 0x03) == 1 ? 96000 : 48000;
    f.channels = (format & 0x07) + 1;
    return f;
}

}  // namespace

AudioCapture::AudioCapture(std::vector<TitleSpan> windows, int keep) : keep_(keep) {
    std::erase_if(windows, [](const TitleSpan& w) { return w.empty(); });
    std::sort(windows.begin(), windows.end(),
              [](const TitleSpan& a, const TitleSpan& b) { return a.start < b.start; });
    for (const TitleSpan& w : windows) {
        if (!windows_.empty() && w.start <= windows_.back().end)
            windows_.back().end = std::max(windows_.back().end, w.end);
        else
            windows_.push_back(w);
    }
}

const TitleSpan* AudioCapture::windowAt(TitleTime t) const {
    auto after = std::upper_bound(windows_.begin(), windows_.end(), t,
                                  [](TitleTime v, const TitleSpan& w) { return v < w.start; });
    if (after == windows_.begin()) return nullptr;
    --after;
    return t < after->end ? &*after : nullptr;
}

const TitleSpan* AudioCapture::windowAfter(TitleTime t) const {
    auto after = std::upper_bound(windows_.begin(), windows_.end(), t,
                                  [](TitleTime v, const TitleSpan& w) { return v < w.start; });
    return after == windows_.end() ? nullptr : &*after;
}

bool AudioCapture::wanted(int number) {
    if (keep_ == kEveryStream) return true;
    if (keep_ >= 0) return number == keep_;
    if (number > lowest_) return false;
    if (number < lowest_) {
        lowest_ = number;
        std::erase_if(tracks_, [&](const Track& t) { return (t.id & 0x07) != number; });
    }
    return true;
}

AudioCapture::Track* AudioCapture::trackOf(std::uint8_t id) {
    for (Track& t : tracks_)
        if (t.id == id) return &t;
    return nullptr;
}

void AudioCapture::take(const PesPacket& packet, TitleTime time) {
    if (windows_.empty() || !packet.mpeg2 || packet.payload.empty()) return;
    const bool privateStream =
        packet.streamId == kPrivateStream1 || packet.streamId == kPaddingStream;
    const std::uint8_t id = privateStream ? packet.payload[0] : packet.streamId;
    AudioCoding coding;
    if (!codingOf(id, privateStream, coding)) return;
    if (!wanted(id & 0x07)) return;

    AudioChunk chunk;
    chunk.timed = packet.timed;
    chunk.time = packet.timed ? time : 0;
    std::span<const std::uint8_t> data = packet.payload;
    LpcmFormat lpcm;
    if (privateStream) {
        const std::size_t header = 1 + (coding == AudioCoding::Lpcm ? kLpcmHeader : kPrivateHeader);
        if (data.size() < header) return;
        // The pointer counts from the pointer's own last byte: 1 is the byte after it.
        const std::size_t pointer = readBe16(data.data() + 2);
        data = data.subspan(header);
        if (pointer == 0) {
            chunk.firstAccessUnit = static_cast<int>(data.size());  // no frame starts here
        } else {
            const std::size_t skipped = header - 4;  // LPCM header bytes after the pointer
            if (pointer - 1 < skipped || pointer - 1 - skipped >= data.size()) return;
            chunk.firstAccessUnit = static_cast<int>(pointer - 1 - skipped);
        }
        if (coding == AudioCoding::Lpcm) lpcm = lpcmFormatOf(packet.payload[5]);
    }

    Track* track = trackOf(id);
    if (!track) {
        track = &tracks_.emplace_back();
        track->id = id;
        track->coding = coding;
        track->lpcm = lpcm;
    }
    chunk.bytes.assign(data.begin(), data.end());
    place(*track, std::move(chunk));
}

// A packet's sound lasts from its time stamp up to the stream's next one. A packet is kept
// when its time stamp lies inside a window, when the packet before it was (the frame that
// spans the window's end runs on into it), or when it is the last to start in the second
// before a window and the next starts after the window's start.
void AudioCapture::place(Track& track, AudioChunk chunk) {
    if (!chunk.timed) {
        if (track.last == Went::Kept)
            track.kept.push_back(std::move(chunk));
        else if (track.last == Went::LeadIn)
            track.leadIn.push_back(std::move(chunk));
        return;
    }
    const TitleTime t = chunk.time;
    bool follows = track.lastInside;
    if (!track.leadIn.empty()) {
        if (t > track.leadInWindow) {
            std::move(track.leadIn.begin(), track.leadIn.end(), std::back_inserter(track.kept));
            follows = true;
        }
        track.leadIn.clear();
    }
    const bool inside = windowAt(t) != nullptr;
    track.lastInside = inside;
    if (inside || follows) {
        track.kept.push_back(std::move(chunk));
        track.last = Went::Kept;
        return;
    }
    const TitleSpan* next = windowAfter(t);
    if (next && next->start - t <= kLeadIn) {
        track.leadInWindow = next->start;
        track.leadIn.push_back(std::move(chunk));
        track.last = Went::LeadIn;
        return;
    }
    track.last = Went::Dropped;
}

std::size_t AudioCapture::chosen(int number) const {
    std::size_t chosen = tracks_.size();
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        const Track& t = tracks_[i];
        if (t.kept.empty()) continue;
        const int n = t.id & 0x07;
        const bool some = chosen < tracks_.size();
        if (number >= 0 ? n != number : some && n >= (tracks_[chosen].id & 0x07)) continue;
        if (number >= 0 && some) continue;  // the first coding seen under that number
        chosen = i;
    }
    return chosen;
}

TitleAudio AudioCapture::stream(int number) const {
    TitleAudio out;
    const std::size_t i = chosen(number);
    if (i == tracks_.size()) return out;
    const Track& t = tracks_[i];
    out.stream = t.id & 0x07;
    out.coding = t.coding;
    out.lpcm = t.lpcm;
    out.chunks = t.kept;
    return out;
}

TitleAudio AudioCapture::takeStream(int number) {
    const std::size_t i = chosen(number);
    if (i == tracks_.size()) return {};
    Track& t = tracks_[i];
    TitleAudio out;
    out.stream = t.id & 0x07;
    out.coding = t.coding;
    out.lpcm = t.lpcm;
    out.chunks = std::move(t.kept);
    t.kept.clear();
    return out;
}

}  // namespace velmorin
