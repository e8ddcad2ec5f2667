// What the dialog "時間指定で無音化" decides: its fields as typed (kept by the main window
// for the next time), which controls it enables, the request its fields make, the lines of
// its plan list, and its two buttons' operations over the core's plan and write.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "timed/span_request.h"
#include "timed/timed_mute.h"
#include "ui/gop_list_view.h"

namespace velmorin {

inline constexpr const char* kTimedMuteCaption = "時間指定で無音化";

struct TimedMuteFields {
    SpanSource source = SpanSource::Typed;
    std::string typedSpans;  // one FROM-TO per line
    std::string edlPath;
    std::string subtitlePath;
    bool wordsFromFile = true;
    std::string wordsPath;
    std::string typedWords;  // one word or phrase per line
    int encoding = 0;        // an index into timedMuteEncodingNames()
    std::string shift = "0";
    std::string title = "1";
    bool wholeCues = false;
    bool operator==(const TimedMuteFields&) const = default;
};

// The encodings the dialog offers for files without a byte order mark, in order.
const std::vector<const char*>& timedMuteEncodingNames();

// What the opened title and this build allow.
struct TimedMuteChoices {
    std::string vtsiPath;          // not empty: the title is one of this set's
    std::string cannotPlaceWords;  // why words cannot be placed; empty when they can
};
TimedMuteChoices timedMuteChoices(const AppState& state, const std::string& speechUnavailable);

// Whether control `id` of the dialog is enabled for these fields.
bool timedMuteControlEnabled(int id, const TimedMuteFields& fields,
                             const TimedMuteChoices& choices);
// The line under the placement choice: why words are not placed, or empty.
std::string placementNote(const TimedMuteChoices& choices);

// What a "参照..." button looks for: the file dialog's caption, the name of the files
// and their patterns (";" between two, as Windows writes them); the field it fills.
struct BrowsedFiles {
    int pathId;
    const char* caption;
    const char* name;
    const char* patterns;
};
inline constexpr const char* kAllFilesName = "すべてのﾌｧｲﾙ";
// For browse button `browseId`; nullptr for another id.
const BrowsedFiles* browsedFiles(int browseId);
// Where its file dialog starts: the folder of the path in its field, else the folder last
// chosen from in this run, else that of another field's file (a title's lists tend to lie
// together), else the folder of the title's first VOB file.
std::string browseStartFolder(int browseId, const TimedMuteFields& fields,
                              const std::string& lastFolder, const AppState& state);

// The request the fields make; nothing, with the message to show, when one is wrong.
std::optional<SpanRequest> requestFromFields(const TimedMuteFields& fields,
                                             const TimedMuteChoices& choices, std::string& problem);

// The plan list: each span asked for (with its cue, word and placement), then each GOP
// of the plan as the tool prints it; and the line that totals it.
std::vector<std::string> planListLines(const TimedMutePlan& plan);
std::string planTotalLine(const TimedMutePlan& plan);

enum class PlanWriteResult {
    Refused,  // the fields or the plan were refused (told), nothing written
    Nothing,  // the plan changes no GOP (told)
    Written,  // every GOP of the plan written
    Stopped,  // the progress window was closed; the GOPs written so far are told
    Failed,   // a GOP could not be written (told)
};

// The dialog's two buttons. The plan list is kept for the fields it was made for; writing
// fields that changed since plans them again first.
class TimedMuteDialogModel {
public:
    TimedMuteDialogModel(TimedMuteContext context, GopListView& list, TimedMuteChoices choices);

    const TimedMuteChoices& choices() const { return choices_; }

    // "計画": false when refused (told through the Ui); the list and total are cleared then.
    bool plan(const TimedMuteFields& fields);
    const std::vector<std::string>& lines() const { return lines_; }
    const std::string& total() const { return total_; }

    // "無音化実行": writes the plan; the GOP list shows the new patterns and its caret
    // stands on the first changed GOP. Once anything is written the plan list is empty:
    // it no longer says what a write would do. The dialog closes on Written.
    PlanWriteResult write(const TimedMuteFields& fields);

private:
    TimedMuteContext context_;
    GopListView& list_;
    TimedMuteChoices choices_;
    std::optional<TimedMuteFields> planned_;
    TimedMutePlan plan_;
    std::vector<std::string> lines_;
    std::string total_;
};

}  // namespace velmorin
