#include "timed/timed_mute.h"

#include <algorithm>

#include "common/text_format.h"
#include "mute/mute_command.h"
#include "timed/title_map_reader.h"
#include "timing/audio_capture.h"
#include "timing/map_messages.h"
#include "timing/span_list.h"
#include "timing/title_time_text.h"
#include "timing/word_list.h"

namespace velmorin {

namespace {

constexpr const char* kPlanningCaption = "無音化計画中";
constexpr const char* kWritingCaption = "無音化実行中";

// The progress window of one operation, when the context shows one: open while it lives,
// with the busy state that keeps the main window's commands out.
class OperationProgress {
public:
    OperationProgress(TimedMuteContext& c, const char* caption) : c_(c) {
        if (!c_.showProgress) return;
        c_.shell.busy = true;
        c_.shell.cancelRequested = false;
        const ClientSize client = c_.ui.openProgress(caption);
        bar_ = ProgressBar::forClientArea(client.width, client.height);
        c_.ui.setWaitCursor(true);
    }
    ~OperationProgress() {
        if (!c_.showProgress) return;
        c_.ui.closeProgress();
        c_.ui.setWaitCursor(false);
        c_.shell.busy = false;
    }
    OperationProgress(const OperationProgress&) = delete;
    OperationProgress& operator=(const OperationProgress&) = delete;

    // Draws `done` of `total`, lets the window's messages run; false once it was closed.
    bool proceed(std::int64_t done, std::int64_t total) {
        if (!c_.showProgress) return true;
        c_.ui.drawProgress(bar_, bar_.splitX(done, total));
        c_.ui.pumpMessages();
        return !c_.shell.cancelRequested;
    }

private:
    TimedMuteContext& c_;
    ProgressBar bar_;
};

}  // namespace

std::vector<GopPattern> TimedMutePlan::changes() const {
    std::vector<GopPattern> out;
    for (const PlanEntry& e : plan.entries)
        if (e.changes()) out.push_back({e.gop, e.after});
    return out;
}

TitleTime TimedMutePlan::spannedTime() const {
    TitleTime total = 0;
    for (const TitleSpan& s : spans) total += s.end - s.start;
    return total;
}

int PlanWriting::written() const {
    int n = 0;
    for (const GopMuteOutcome& o : outcomes) n += o.result == MuteResult::Ok;
    return n;
}

PlanResult planTimedMute(TimedMuteContext context, const SpanRequest& request,
                         TimedMutePlan& plan) {
    RequestedSpans requested;
    if (!readRequestedSpans(request, context.ui, requested)) return PlanResult::Refused;
    return planRequestedSpans(context, request, requested, plan);
}

PlanResult planRequestedSpans(TimedMuteContext context, const SpanRequest& request,
                              const RequestedSpans& requested, TimedMutePlan& plan) {
    plan = TimedMutePlan{};
    plan.subtitles = request.source == SpanSource::Subtitles;
    const WordMatcher words(requested.words);
    PlacementOptions options;
    options.shift = request.shift;
    options.margin = request.margin;
    options.wholeCues = request.wholeCues;
    // Only the sound around the matching cues is kept while the map is read.
    AudioCapture capture(
        plan.subtitles ? soundWindows(requested.cues, words, options) : std::vector<TitleSpan>{},
        request.audioStream);
    {
        OperationProgress progress(context, kPlanningCaption);
        const std::int64_t gops = context.state.gopTable.gopCount;
        // Reading the map, then (with a subtitle file) placing the words cue by cue.
        const std::int64_t mapTotal =
            gops + (plan.subtitles ? static_cast<std::int64_t>(requested.cues.size()) : 0);
        TitleMapRequest mapRequest{request.vtsiPath, request.title,
                                   plan.subtitles ? &capture : nullptr,
                                   [&](int done) { return progress.proceed(done, mapTotal); }};
        switch (readTitleMap(context.state, context.buffer, context.ui, mapRequest, plan.map)) {
            case TitleMapResult::Ok:
                break;
            case TitleMapResult::Refused:
                return PlanResult::Refused;
            case TitleMapResult::Stopped:
                return PlanResult::Stopped;
        }
        if (plan.subtitles) {
            // The recogniser's model is loaded only when a word is to be placed.
            SpeechTools tools =
                options.wholeCues || !context.openSpeech ? SpeechTools{} : context.openSpeech();
            // The bar runs on over the cues, each of which may take a while to align.
            const auto cues = static_cast<std::int64_t>(requested.cues.size());
            bool stopped = false;
            plan.placed = placeWords(
                requested.cues, words, options, capture.takeStream(request.audioStream), tools,
                [&](std::size_t cue, std::size_t) {
                    stopped = !progress.proceed(gops + static_cast<std::int64_t>(cue), gops + cues);
                    return !stopped;
                });
            if (stopped) return PlanResult::Stopped;
        }
    }
    if (plan.subtitles) {
        if (context.tellFallbacks)
            for (const PlacedSpan& span : plan.placed)
                if (span.placed == SpanPlacement::Cue && span.why != FallbackReason::WholeCuesAsked)
                    context.ui.info(fallbackMessage(span));
        plan.spans = spansToSilence(plan.placed, plan.map.title);
    } else {
        plan.spans = requested.spans;
    }
    plan.plan = planSpans(plan.map, plan.spans);
    if (plan.plan.outsideSpan >= 0) {
        context.ui.error(map_messages::spanOutsideTitle(
            formatTitleSpan(plan.spans[static_cast<std::size_t>(plan.plan.outsideSpan)]),
            formatTitleSpan(plan.map.title)));
        return PlanResult::Refused;
    }
    if (plan.map.mpegAudio) context.ui.info(map_messages::kMpegAudioPlaysOn);
    return PlanResult::Ok;
}

PlanWriting writeTimedMutePlan(TimedMuteContext context, const TimedMutePlan& plan,
                               const std::function<void(const GopMuteOutcome&)>& done) {
    PlanWriting writing;
    const std::vector<GopPattern> targets = plan.changes();
    if (targets.empty()) return writing;
    auto& state = context.state;
    OperationProgress progress(context, kWritingCaption);
    const auto total = static_cast<std::int64_t>(targets.size());
    std::int64_t finished = 0;
    progress.proceed(0, total);
    writing.outcomes = muteGops(
        {state.gopTable, state.inputFiles}, state.gopLines, context.buffer, context.ui, targets,
        [&](const GopMuteOutcome& outcome) {
            ++finished;
            if (done) done(outcome);
        },
        [&] {
            writing.stopped = !progress.proceed(finished, total);
            return writing.stopped;
        });
    writing.failed = !writing.outcomes.empty() && writing.outcomes.back().result != MuteResult::Ok;
    if (writing.failed) {
        const int k = writing.outcomes.back().gop;
        context.ui.error(muteFailureMessage(writing.outcomes.back().result, state.inputFiles,
                                            state.gopTable.fileIndex[static_cast<std::size_t>(k)]));
    }
    return writing;
}

std::string planEntryLine(const PlanEntry& e) {
    return formatText("%05d %s -> %s %s", e.gop + 1, std::string(patternText(e.before)).c_str(),
                      std::string(patternText(e.after)).c_str(), spanText(e.silenced).c_str());
}

std::vector<TitleSpan> spansToSilence(const std::vector<PlacedSpan>& placed, TitleSpan title) {
    std::vector<TitleSpan> spans;
    spans.reserve(placed.size());
    for (const PlacedSpan& p : placed) {
        TitleSpan span = p.span;
        // A word's margin may reach past the title's end, which its cue does not.
        if (p.placed == SpanPlacement::Word) span.end = std::min(span.end, title.end);
        spans.push_back(span);
    }
    return mergeSpans(std::move(spans));
}

}  // namespace velmorin
