#include "ffmpeg_sound_decoder.h"

#include <cmath>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

namespace velmorin {
namespace {

struct ContextFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct ParserClose {
    void operator()(AVCodecParserContext* p) const { av_parser_close(p); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct ResamplerFree {
    void operator()(SwrContext* s) const { swr_free(&s); }
};

const char* codingName(AudioCoding coding) {
    switch (coding) {
        case AudioCoding::Ac3:
            return "AC-3";
        case AudioCoding::Dts:
            return "DTS";
        case AudioCoding::Lpcm:
            return "LPCM";
        case AudioCoding::Mpeg:
            return "MPEG audio";
    }
    return "audio";
}

AVCodecID codecId(AudioCoding coding) {
    switch (coding) {
        case AudioCoding::Ac3:
            return AV_CODEC_ID_AC3;
        case AudioCoding::Dts:
            return AV_CODEC_ID_DTS;
        case AudioCoding::Lpcm:
            return AV_CODEC_ID_PCM_DVD;
        case AudioCoding::Mpeg:
            return AV_CODEC_ID_MP2;
    }
    return AV_CODEC_ID_NONE;
}

// Title ticks to a count of 16 kHz samples, rounded (negative when before).
std::int64_t ticksToOutput(TitleTime ticks) {
    return static_cast<std::int64_t>(
        std::llround(static_cast<double>(ticks) * kSpeechSampleRate / kTicksPerSecond));
}

// One channel's sample `i` of a decoded frame as -1 … 1, whatever the decoder's format.
float sampleAt(const AVFrame& frame, int channel, int i) {
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const std::uint8_t* base = frame.extended_data[planar ? channel : 0];
    const int index = planar ? i : i * frame.ch_layout.nb_channels + channel;
    switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8:
            return (base[index] - 128) / 128.0f;
        case AV_SAMPLE_FMT_S16: {
            std::int16_t v;
            std::memcpy(&v, base + index * 2, 2);
            return v / 32768.0f;
        }
        case AV_SAMPLE_FMT_S32: {
            std::int32_t v;
            std::memcpy(&v, base + index * 4, 4);
            return static_cast<float>(v / 2147483648.0);
        }
        case AV_SAMPLE_FMT_FLT: {
            float v;
            std::memcpy(&v, base + index * 4, 4);
            return v;
        }
        case AV_SAMPLE_FMT_DBL: {
            double v;
            std::memcpy(&v, base + index * 8, 8);
            return static_cast<float>(v);
        }
        default:
            return 0.0f;
    }
}

// The channel speech is heard best in: the centre of a surround layout, else all of them
// mixed.
void toMono(const AVFrame& frame, std::vector<float>& mono) {
    const int channels = frame.ch_layout.nb_channels;
    mono.assign(static_cast<std::size_t>(frame.nb_samples), 0.0f);
    if (channels <= 0) return;
    const int centre =
        channels > 2 ? av_channel_layout_index_from_channel(&frame.ch_layout, AV_CHAN_FRONT_CENTER)
                     : -1;
    for (int i = 0; i < frame.nb_samples; ++i) {
        if (centre >= 0) {
            mono[i] = sampleAt(frame, centre, i);
        } else {
            float sum = 0;
            for (int c = 0; c < channels; ++c) sum += sampleAt(frame, c, i);
            mono[i] = sum / static_cast<float>(channels);
        }
    }
}

// Lays decoded mono sound onto the span's 16 kHz samples, one run of contiguous frames
// at a time: a run starts at a time stamp and goes on by counting samples.
class Placement {
public:
    Placement(TitleSpan span, std::vector<std::int16_t>& out) : span_(span), out_(out) {}
    ~Placement() { finish(); }

    bool open() const { return resampler_ != nullptr; }
    int rate() const { return rate_; }
    TitleTime runningTime() const { return start_ + counted_ * kTicksPerSecond / rate_; }

    bool start(TitleTime time, int rate) {
        finish();
        AVChannelLayout mono;
        av_channel_layout_default(&mono, 1);
        SwrContext* s = nullptr;
        if (swr_alloc_set_opts2(&s, &mono, AV_SAMPLE_FMT_S16, kSpeechSampleRate, &mono,
                                AV_SAMPLE_FMT_FLT, rate, 0, nullptr) < 0 ||
            swr_init(s) < 0) {
            swr_free(&s);
            return false;
        }
        resampler_.reset(s);
        start_ = time;
        rate_ = rate;
        counted_ = 0;
        cursor_ = ticksToOutput(time - span_.start);
        return true;
    }

    void add(const std::vector<float>& mono) {
        const int count = static_cast<int>(mono.size());
        const auto* in = reinterpret_cast<const std::uint8_t*>(mono.data());
        convert(&in, count);
        counted_ += count;
    }

    // Drains the resampler's last samples and ends the run.
    void finish() {
        if (!resampler_) return;
        convert(nullptr, 0);
        resampler_.reset();
    }

private:
    void convert(const std::uint8_t** in, int count) {
        for (;;) {
            const int room = swr_get_out_samples(resampler_.get(), count) + 16;
            buffer_.resize(static_cast<std::size_t>(room));
            auto* out = reinterpret_cast<std::uint8_t*>(buffer_.data());
            const int got = swr_convert(resampler_.get(), &out, room, in, count);
            if (got <= 0) return;
            write(got);
            if (in) return;  // all of a frame's input is taken in one call
        }
    }
    void write(int count) {
        const auto size = static_cast<std::int64_t>(out_.size());
        for (int i = 0; i < count; ++i) {
            const std::int64_t at = cursor_ + i;
            if (at >= 0 && at < size) out_[static_cast<std::size_t>(at)] = buffer_[i];
        }
        cursor_ += count;
    }

    TitleSpan span_;
    std::vector<std::int16_t>& out_;
    std::unique_ptr<SwrContext, ResamplerFree> resampler_;
    TitleTime start_ = 0;
    std::int64_t counted_ = 0;  // source samples since start_
    int rate_ = 1;
    std::int64_t cursor_ = 0;  // where the next resampled sample goes in out_
    std::vector<std::int16_t> buffer_;
};

// One decode() call: the codec, the parser that cuts its frames, and the placement.
class SpanDecoding {
public:
    SpanDecoding(const TitleAudio& audio, TitleSpan span, std::vector<std::int16_t>& out)
        : audio_(audio), span_(span), placement_(span, out) {}

    bool run(std::string& problem) {
        const char* name = codingName(audio_.coding);
        if (audio_.coding == AudioCoding::Lpcm && !lpcmHeader()) {
            problem = "the LPCM stream's format is not one a DVD holds";
            return false;
        }
        const AVCodec* codec = avcodec_find_decoder(codecId(audio_.coding));
        if (!codec) {
            problem = std::string("this FFmpeg has no ") + name + " decoder";
            return false;
        }
        context_.reset(avcodec_alloc_context3(codec));
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        if (!context_ || !packet_ || !frame_) {
            problem = "out of memory for the audio decoder";
            return false;
        }
        // A frame that fails its check is skipped rather than played as noise.
        context_->err_recognition = AV_EF_CRCCHECK | AV_EF_EXPLODE;
        if (avcodec_open2(context_.get(), codec, nullptr) < 0) {
            problem = std::string("the ") + name + " decoder cannot be opened";
            return false;
        }
        if (audio_.coding != AudioCoding::Lpcm) {
            parser_.reset(av_parser_init(codecId(audio_.coding)));
            if (!parser_) {
                problem = std::string("this FFmpeg cannot cut ") + name + " frames";
                return false;
            }
        }

        const std::optional<std::size_t> first = firstChunk();
        if (!first) {
            problem = std::string("the ") + name + " stream holds no time stamp";
            return false;
        }
        bool fed = false;
        for (std::size_t k = *first; k < audio_.chunks.size() && !done_; ++k) {
            const AudioChunk& chunk = audio_.chunks[k];
            // Past the span by more than a second: a gap, nothing more to hear in it.
            if (chunk.timed && chunk.time > span_.end + kTicksPerSecond) break;
            feed(chunk, k == *first);
            fed = true;
        }
        if (parser_ && !done_) parse(nullptr, 0);  // the last frame the parser holds
        placement_.finish();
        if (!fed) return true;  // the stream's sound starts after the span: silence
        if (decodedFrames_ == 0) {
            problem = std::string("no frame of the ") + name + " stream could be decoded";
            return false;
        }
        return true;
    }

private:
    // The 3 bytes of the DVD LPCM private header FFmpeg's decoder reads ahead of each
    // packet's samples: quantisation, sampling rate and channel count.
    bool lpcmHeader() {
        const LpcmFormat& f = audio_.lpcm;
        const int quant = (f.bitsPerSample - 16) / 4;
        const int rate = f.sampleRate == 48000 ? 0 : f.sampleRate == 96000 ? 1 : -1;
        if (f.bitsPerSample % 4 != 0 || quant < 0 || quant > 2 || rate < 0 || f.channels < 1 ||
            f.channels > 8)
            return false;
        lpcmHeader_[0] = 0;
        lpcmHeader_[1] = static_cast<std::uint8_t>(quant << 6 | rate << 4 | (f.channels - 1));
        lpcmHeader_[2] = 0x80;  // dynamic range control off
        return true;
    }

    // The last timed chunk at or before the span's start, else the first timed one.
    std::optional<std::size_t> firstChunk() const {
        std::optional<std::size_t> found;
        for (std::size_t k = 0; k < audio_.chunks.size(); ++k) {
            const AudioChunk& c = audio_.chunks[k];
            if (!c.timed || c.firstAccessUnit < 0 ||
                static_cast<std::size_t>(c.firstAccessUnit) >= c.bytes.size())
                continue;
            if (c.time <= span_.start || !found) found = k;
            if (c.time > span_.start) break;
        }
        return found;
    }

    void feed(const AudioChunk& chunk, bool first) {
        const std::size_t size = chunk.bytes.size();
        const bool anchored = chunk.timed && chunk.firstAccessUnit >= 0 &&
                              static_cast<std::size_t>(chunk.firstAccessUnit) < size;
        // The first chunk starts at its first whole frame; the bytes before belong to one
        // decoded from elsewhere.
        const std::size_t begin = first && anchored ? chunk.firstAccessUnit : 0;
        const std::size_t length = size - begin;
        if (audio_.coding == AudioCoding::Lpcm) {
            std::optional<TitleTime> time;
            if (anchored) {
                const LpcmFormat& f = audio_.lpcm;
                const std::int64_t bytesPerSecond =
                    std::int64_t{f.sampleRate} * f.channels * f.bitsPerSample / 8;
                const auto ahead = static_cast<std::int64_t>(chunk.firstAccessUnit - begin);
                time = chunk.time - ahead * kTicksPerSecond / bytesPerSecond;
            }
            input_.assign(lpcmHeader_, lpcmHeader_ + 3);
            input_.insert(input_.end(), chunk.bytes.begin() + begin, chunk.bytes.end());
            const std::size_t used = input_.size();
            input_.resize(used + AV_INPUT_BUFFER_PADDING_SIZE, 0);
            decodeUnit(input_.data(), static_cast<int>(used), time);
            return;
        }
        if (anchored)
            anchors_.emplace_back(fed_ + static_cast<std::int64_t>(chunk.firstAccessUnit - begin),
                                  chunk.time);
        // The parser may read a little past the end of what it is given.
        input_.assign(chunk.bytes.begin() + begin, chunk.bytes.end());
        input_.resize(length + AV_INPUT_BUFFER_PADDING_SIZE, 0);
        parse(input_.data(), static_cast<int>(length));
    }

    // Cuts frames from `size` bytes (none: drains the parser) and decodes each, timed by
    // the latest time stamp whose frame starts at or before it.
    void parse(const std::uint8_t* data, int size) {
        const bool drain = size == 0;
        while (!done_ && (size > 0 || drain)) {
            std::uint8_t* frame = nullptr;
            int frameSize = 0;
            const int used = av_parser_parse2(parser_.get(), context_.get(), &frame, &frameSize,
                                              data, size, AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
            if (used < 0) return;
            fed_ += used;
            data += used;
            size -= used;
            if (frameSize > 0) {
                // The frame ends where the parser stopped reading.
                const std::int64_t frameStart = fed_ - frameSize;
                std::optional<TitleTime> time;
                while (!anchors_.empty() && anchors_.front().first <= frameStart) {
                    time = anchors_.front().second;
                    anchors_.pop_front();
                }
                decodeUnit(frame, frameSize, time);
            }
            if (drain) return;
        }
    }

    void decodeUnit(const std::uint8_t* data, int size, std::optional<TitleTime> time) {
        packet_->data = const_cast<std::uint8_t*>(data);
        packet_->size = size;
        const int sent = avcodec_send_packet(context_.get(), packet_.get());
        packet_->data = nullptr;
        packet_->size = 0;
        if (sent < 0) return;  // a damaged frame: skip it
        while (!done_ && avcodec_receive_frame(context_.get(), frame_.get()) == 0) {
            place(*frame_, time);
            time.reset();
        }
    }

    void place(const AVFrame& frame, std::optional<TitleTime> time) {
        const int rate = frame.sample_rate;
        if (rate <= 0 || frame.nb_samples <= 0) return;
        ++decodedFrames_;
        const TitleTime frameTicks = std::int64_t{frame.nb_samples} * kTicksPerSecond / rate;
        // Follow the count of samples, but start again at a time stamp that says there was
        // a gap or a jump.
        const bool restart = !placement_.open() || placement_.rate() != rate ||
                             (time && std::abs(*time - placement_.runningTime()) > frameTicks);
        if (restart) {
            if (!time) {
                if (!placement_.open()) return;  // nothing yet tells where this goes
                time = placement_.runningTime();
            }
            if (!placement_.start(*time, rate)) return;
        }
        toMono(frame, mono_);
        placement_.add(mono_);
        if (placement_.runningTime() >= span_.end) done_ = true;
    }

    const TitleAudio& audio_;
    TitleSpan span_;
    Placement placement_;
    std::unique_ptr<AVCodecContext, ContextFree> context_;
    std::unique_ptr<AVCodecParserContext, ParserClose> parser_;
    std::unique_ptr<AVPacket, PacketFree> packet_;
    std::unique_ptr<AVFrame, FrameFree> frame_;
    std::uint8_t lpcmHeader_[3] = {};
    std::vector<std::uint8_t> input_;
    std::vector<float> mono_;
    std::int64_t fed_ = 0;                                    // bytes given to the parser so far
    std::deque<std::pair<std::int64_t, TitleTime>> anchors_;  // (offset of a frame, its time)
    std::int64_t decodedFrames_ = 0;
    bool done_ = false;
};

}  // namespace

bool FfmpegSoundDecoder::decode(const TitleAudio& audio, TitleSpan span,
                                std::vector<std::int16_t>& samples, std::string& problem) {
    // A damaged frame is skipped and the caller told when nothing decodes: FFmpeg's own
    // complaints would only litter the program's error output.
    av_log_set_level(AV_LOG_QUIET);
    problem.clear();
    samples.assign(
        span.empty() ? 0 : static_cast<std::size_t>(ticksToOutput(span.end - span.start)), 0);
    if (span.empty()) return true;
    if (audio.stream < 0 || audio.chunks.empty()) {
        problem = "no sound of this audio stream was captured";
        return false;
    }
    SpanDecoding decoding(audio, span, samples);
    return decoding.run(problem);
}

}  // namespace velmorin
