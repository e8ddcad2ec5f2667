// Muting by title time, the two operations every front end calls: from a request to a
// plan (the title's map read, the listed words placed in their cues' sound, each GOP's
// pattern chosen), and the writing of a plan. Messages, the progress window and its
// cancellation go through `Ui` and the shell state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mute/mute_operation.h"
#include "platform/sector_buffer.h"
#include "state/app_state.h"
#include "timed/span_request.h"
#include "timing/presentation_map.h"
#include "timing/span_plan.h"
#include "ui/ui.h"
#include "words/speech_seams.h"
#include "words/word_placement.h"

namespace velmorin {

// The opened title and what the operations need around it.
struct TimedMuteContext {
    AppState& state;
    ShellState& shell;
    Ui& ui;
    SectorBuffer& buffer;
    // The speech library's tools; called only when a word is to be placed.
    std::function<SpeechTools()> openSpeech;
    // The progress window while the map is read and the plan written (off in the tool).
    bool showProgress = false;
    // Each cue that falls back to its whole length told as info (the tool's lines).
    bool tellFallbacks = false;
};

struct TimedMutePlan {
    PresentationMap map;
    bool subtitles = false;
    std::vector<PlacedSpan> placed;  // with a subtitle file: each span asked for, in cue order
    std::vector<TitleSpan> spans;    // what is silenced: sorted and merged
    SpanPlan plan;

    // The GOPs the plan changes, with their new patterns, in GOP order.
    std::vector<GopPattern> changes() const;
    // The title time the spans cover.
    TitleTime spannedTime() const;
};

enum class PlanResult { Ok, Refused, Stopped };

// Reads the request's files, then plans on the opened title.
PlanResult planTimedMute(TimedMuteContext context, const SpanRequest& request, TimedMutePlan& plan);
// Plans spans already read (the tool reads the files before it scans the title).
PlanResult planRequestedSpans(TimedMuteContext context, const SpanRequest& request,
                              const RequestedSpans& requested, TimedMutePlan& plan);

struct PlanWriting {
    std::vector<GopMuteOutcome> outcomes;  // the last one failed when `failed`
    bool failed = false;
    bool stopped = false;  // the progress window was closed between two GOPs
    int written() const;   // GOPs written
};

// Writes the GOPs the plan changes, in order; each outcome goes to `done` once its GOP is
// on the disk. A failure is told through `ui`. The GOP lines of the state follow.
PlanWriting writeTimedMutePlan(TimedMuteContext context, const TimedMutePlan& plan,
                               const std::function<void(const GopMuteOutcome&)>& done = {});

// A GOP of the plan as the tool prints it: "00012 **** -> -*** FROM-TO" (the GOP's number
// from 1, its patterns before and after, the sound `after` silences).
std::string planEntryLine(const PlanEntry& entry);

// The spans to plan: every placed span, sorted and merged; a word's no further than the
// title's end.
std::vector<TitleSpan> spansToSilence(const std::vector<PlacedSpan>& placed, TitleSpan title);

}  // namespace velmorin
