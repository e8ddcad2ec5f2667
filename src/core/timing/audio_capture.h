// Keeps, while the presentation map is built, the coded sound of the title's audio streams
// within chosen stretches of title time: the sound word placement decodes.
#pragma once

#include <vector>

#include "timing/title_audio.h"
#include "timing/title_span.h"

namespace velmorin {

class AudioCapture {
public:
    // `windows`: the stretches of title time whose sound is wanted (any order, may overlap).
    explicit AudioCapture(std::vector<TitleSpan> windows);

    // The sound of DVD audio stream `number` (0 … 7) within the windows, or with -1 that of
    // the first stream (the lowest number, whatever its coding) that has packets there.
    // `stream` is -1 in the result when there is no such sound.
    TitleAudio stream(int number = -1) const;

    // (The map builder's side of the capture is declared here too.)

private:
    std::vector<TitleSpan> windows_;
};

}  // namespace velmorin
