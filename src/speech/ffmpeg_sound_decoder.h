// Decodes a stretch of a title's captured audio stream (AC-3, DTS, LPCM or MPEG audio) with
// FFmpeg's libavcodec and resamples it to the recogniser's 16 kHz mono.
#pragma once

#include "words/speech_seams.h"

namespace velmorin {

class FfmpegSoundDecoder final : public SoundDecoder {
public:
    bool decode(const TitleAudio& audio, TitleSpan span, std::vector<std::int16_t>& samples,
                std::string& problem) override;
};

}  // namespace velmorin
