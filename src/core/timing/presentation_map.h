// The presentation-time map of a title: for every GOP the title time of its pictures and,
// for each quarter of its audio packets (the quarters the mute patterns silence), the
// title time of the audio those packets carry, from the packets' own time stamps.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/sector_buffer.h"
#include "scan/gop_table.h"
#include "scan/input_file_set.h"
#include "scan/mute_marker.h"
#include "timing/title_cells.h"
#include "timing/title_span.h"

namespace velmorin {

class AudioCapture;

inline constexpr int kQuarters = 4;

struct GopPresentation {
    bool inTitle = false;                      // false for a GOP of another title of the set
    std::uint32_t timeCode = 0;                // its navigation pack's system clock reference
    MuteState pattern = 0;                     // as its mute marker records it
    TitleSpan pictures;                        // from its first picture to the end of its last
    std::array<int, kQuarters> packets{};      // audio packets in each quarter
    std::array<TitleSpan, kQuarters> audio{};  // the sound they carry; empty if untimed
    bool operator==(const GopPresentation&) const = default;
};

struct PresentationMap {
    std::vector<GopPresentation> gops;  // one per GOP of the table
    TitleSpan title;                    // [0, the title's end)
    bool mpegAudio = false;             // an MPEG audio stream, which no pattern silences, plays on
    bool operator==(const PresentationMap&) const = default;
};

// The opened title; `cells` (from the title set's information file) chooses one title of
// the set and times it by its program chain, without them the VOB files are one title
// timed from their first picture on.
struct MapSource {
    const GopTable& table;
    const InputFileSet& files;
    const std::vector<TitleCell>* cells = nullptr;
    // Keeps the coded sound of the capture's windows as the audio packets are read.
    AudioCapture* capture = nullptr;
    // Told before each GOP is read how many have been; false stops the reading.
    std::function<bool(int gopsRead)> proceed = {};
};

enum class MapResult {
    Ok,
    CannotOpen,         // `file` cannot be opened for reading
    NotNavigationPack,  // GOP `gop` does not begin with a navigation pack where the table says
    ReadError,          // GOP `gop`'s sectors in `file` end early or cannot be read
    Stopped,            // `proceed` said to stop before GOP `gop`
};

struct MapOutcome {
    MapResult result = MapResult::Ok;
    int file = 0;
    int gop = 0;
    bool operator==(const MapOutcome&) const = default;
};

// Reads the navigation packs and the headers of the audio packets of every GOP of the title.
MapOutcome buildPresentationMap(const MapSource& source, SectorBuffer& buffer,
                                PresentationMap& map);

// Quarter q of a GOP's b audio packets: [bounds[q], bounds[q + 1]), the packets that the
// patterns count, split where they split them.
std::array<int, kQuarters + 1> quarterBounds(int audioPackets);

// The quarters pattern `state` silences: bit q for quarter q.
unsigned silencedQuarters(MuteState state);

}  // namespace velmorin
