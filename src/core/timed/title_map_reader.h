// The presentation-time map of the opened title, for the operations that work in title
// time: with the set's information file one title of the set, timed by its program chain;
// without it the VOB files as one title.
#pragma once

#include <functional>
#include <string>

#include "platform/sector_buffer.h"
#include "state/app_state.h"
#include "timing/audio_capture.h"
#include "timing/presentation_map.h"
#include "ui/ui.h"

namespace velmorin {

struct TitleMapRequest {
    std::string vtsiPath;  // empty: the files as one title
    int title = 1;         // of the set, from 1
    AudioCapture* capture = nullptr;
    std::function<bool(int gopsRead)> proceed;  // false stops the reading
};

enum class TitleMapResult { Ok, Refused, Stopped };

// Fills `map`; a refusal is told through `ui`, a stop is not.
TitleMapResult readTitleMap(const AppState& state, SectorBuffer& buffer, Ui& ui,
                            const TitleMapRequest& request, PresentationMap& map);

// The title set's information file (VTS_nn_0.IFO) beside the first VOB file of a title
// read by its VTSI information; empty when there is none.
std::string vtsiFileOf(const AppState& state);

}  // namespace velmorin
