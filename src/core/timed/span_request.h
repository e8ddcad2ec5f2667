// What a mute by title time asks for: typed spans, the mutes of an EDL list, or the cues
// of a subtitle file that hold a listed word; each moved by a shift. The request's files
// are read, decoded and parsed here, before the title is touched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_decoding.h"
#include "timing/subtitle_file.h"
#include "timing/title_span.h"
#include "ui/ui.h"

namespace velmorin {

enum class SpanSource { Typed, Edl, Subtitles };

struct SpanRequest {
    SpanSource source = SpanSource::Typed;
    std::vector<TitleSpan> typed;  // as typed, before the shift
    std::string edlPath;
    std::string subtitlePath;
    // The word list: a file, or (with an empty path) words typed one per line.
    std::string wordsPath;
    std::string typedWords;
    TextEncoding encoding = TextEncoding::Unicode;  // for files without a byte order mark
    TitleTime shift = 0;
    // The title: with a set's information file (VTS_nn_0.IFO) title `title` of the set,
    // timed by its program chain; without one the VOB files as one title.
    std::string vtsiPath;
    int title = 1;
    // With a subtitle file: where the listed words are silenced.
    bool wholeCues = false;                   // their whole cues, without placing words
    TitleTime margin = kTicksPerSecond / 10;  // silence before and after a placed word
    int audioStream = -1;                     // 0-based; -1 the first
};

struct RequestedSpans {
    std::vector<TitleSpan> spans;    // shifted; with a subtitle file the matching cues whole
    std::vector<SubtitleCue> cues;   // with a subtitle file: every cue, as it times it
    std::vector<std::string> words;  // with a subtitle file: the listed words and phrases
};

// The spans typed one per line ("FROM-TO", hh:mm:ss.mmm or seconds; blank lines and blanks
// between the times are allowed). Nothing when a line is malformed: `badLine` (from 1) tells
// which, 0 when there is no span at all.
std::optional<std::vector<TitleSpan>> parseTypedSpans(std::string_view text, int& badLine);

// Reads the request's files and gathers its spans. Each refusal goes out through `ui` as
// an error, and false is returned; notes (ignored EDL entries, no matching cue) as info.
bool readRequestedSpans(const SpanRequest& request, Ui& ui, RequestedSpans& requested);

}  // namespace velmorin
