#include "app/timed_mute_dialog.h"

#include <algorithm>
#include <filesystem>

#include "app/gop_list_commands.h"
#include "common/text_format.h"
#include "common/text_lines.h"
#include "mute/mute_command.h"
#include "platform/native_path.h"
#include "timed/title_map_reader.h"
#include "timing/timing_text_messages.h"
#include "timing/title_time_text.h"
#include "ui/control_ids.h"

namespace velmorin {

namespace {

namespace t = ids::timed_mute;

constexpr const char* kNoEdlFile = "EDLﾌｧｲﾙが指定されていません.";
constexpr const char* kNoSubtitleFile = "字幕ﾌｧｲﾙが指定されていません.";
constexpr const char* kNoWordsFile = "語句ﾌｧｲﾙが指定されていません.";
constexpr const char* kBadShift =
    "ずらしの秒数が正しくありません.\n+1.5 や -0.25 のように入力してください.";
constexpr const char* kBadTitle = "ﾀｲﾄﾙ番号が正しくありません（1～99）.";
constexpr const char* kNothingToWrite = "変更するGOPはありません.";

constexpr TextEncoding kEncodings[] = {TextEncoding::Unicode, TextEncoding::Cp932,
                                       TextEncoding::Cp1252};

bool blank(const std::string& text) {
    return trimBlanks(text).empty() && std::all_of(text.begin(), text.end(), [](char c) {
               return c == '\r' || c == '\n' || c == ' ' || c == '\t';
           });
}

// "12.345" seconds, from ticks rounded to milliseconds.
std::string secondsText(TitleTime ticks) {
    const long long ms = (ticks * 1000 + kTicksPerSecond / 2) / kTicksPerSecond;
    return formatText("%lld.%03lld", ms / 1000, ms % 1000);
}

std::string spanLine(const PlacedSpan& p) {
    const std::string where = formatTitleSpan(p.span);
    if (p.placed == SpanPlacement::Word)
        return formatText("字幕%d 「%s」 語句 %s", p.cue, p.text.c_str(), where.c_str());
    return formatText("字幕%d 「%s」 字幕全体 %s（%s）", p.cue, p.text.c_str(), where.c_str(),
                      fallbackReasonText(p.why, p.detail).c_str());
}

}  // namespace

const std::vector<const char*>& timedMuteEncodingNames() {
    static const std::vector<const char*> names = {"UTF-8", "Shift-JIS (CP932)", "Windows-1252"};
    return names;
}

TimedMuteChoices timedMuteChoices(const AppState& state, const std::string& speechUnavailable) {
    return {vtsiFileOf(state), speechUnavailable};
}

bool timedMuteControlEnabled(int id, const TimedMuteFields& f, const TimedMuteChoices& c) {
    const bool subtitles = f.source == SpanSource::Subtitles;
    switch (id) {
        case t::kTypedSpans:
            return f.source == SpanSource::Typed;
        case t::kEdlPath:
        case t::kEdlBrowse:
            return f.source == SpanSource::Edl;
        case t::kSubtitlePath:
        case t::kSubtitleBrowse:
        case t::kWordsFromFile:
        case t::kWordsTyped:
            return subtitles;
        case t::kWordsPath:
        case t::kWordsBrowse:
            return subtitles && f.wordsFromFile;
        case t::kTypedWords:
            return subtitles && !f.wordsFromFile;
        case t::kEncoding:
            return f.source != SpanSource::Typed;
        case t::kTitle:
            return !c.vtsiPath.empty();
        case t::kWordsOnly:
            return subtitles && c.cannotPlaceWords.empty();
        case t::kWholeCues:
            return subtitles;
        default:
            return true;
    }
}

const BrowsedFiles* browsedFiles(int browseId) {
    static constexpr BrowsedFiles kFiles[] = {
        {t::kEdlPath, "EDLﾌｧｲﾙの選択", "EDLﾌｧｲﾙ", "*.edl"},
        {t::kSubtitlePath, "字幕ﾌｧｲﾙの選択", "字幕ﾌｧｲﾙ", "*.srt;*.vtt"},
        {t::kWordsPath, "語句ﾌｧｲﾙの選択", "語句ﾌｧｲﾙ", "*.txt"},
    };
    switch (browseId) {
        case t::kEdlBrowse:
            return &kFiles[0];
        case t::kSubtitleBrowse:
            return &kFiles[1];
        case t::kWordsBrowse:
            return &kFiles[2];
        default:
            return nullptr;
    }
}

std::string browseStartFolder(int browseId, const TimedMuteFields& f, const std::string& lastFolder,
                              const AppState& state) {
    const auto folderOf = [](const std::string& path) -> std::string {
        const std::string_view text = trimBlanks(path);
        if (text.empty()) return {};
        const auto parent = nativePath(std::string(text)).parent_path();
        std::error_code error;
        return std::filesystem::is_directory(parent, error) ? utf8Path(parent) : std::string();
    };
    const std::string* own = browseId == t::kEdlBrowse        ? &f.edlPath
                             : browseId == t::kSubtitleBrowse ? &f.subtitlePath
                                                              : &f.wordsPath;
    if (std::string folder = folderOf(*own); !folder.empty()) return folder;
    if (!lastFolder.empty()) return lastFolder;
    for (const std::string* other : {&f.subtitlePath, &f.edlPath, &f.wordsPath})
        if (std::string folder = folderOf(*other); !folder.empty()) return folder;
    return state.inputFiles.fileCount > 0 ? folderOf(state.inputFiles.filePath[0]) : std::string();
}

std::string placementNote(const TimedMuteChoices& choices) {
    if (choices.cannotPlaceWords.empty()) return {};
    return formatText("語句の位置は決められません: %s", choices.cannotPlaceWords.c_str());
}

std::optional<SpanRequest> requestFromFields(const TimedMuteFields& f, const TimedMuteChoices& c,
                                             std::string& problem) {
    SpanRequest request;
    request.source = f.source;
    switch (f.source) {
        case SpanSource::Typed: {
            int badLine = 0;
            auto spans = parseTypedSpans(f.typedSpans, badLine);
            if (!spans) {
                problem = badLine > 0 ? timing_messages::malformedTypedSpan(badLine)
                                      : std::string(timing_messages::kNoTypedSpans);
                return std::nullopt;
            }
            request.typed = std::move(*spans);
            break;
        }
        case SpanSource::Edl:
            request.edlPath = std::string(trimBlanks(f.edlPath));
            if (request.edlPath.empty()) problem = kNoEdlFile;
            break;
        case SpanSource::Subtitles:
            request.subtitlePath = std::string(trimBlanks(f.subtitlePath));
            if (f.wordsFromFile) {
                request.wordsPath = std::string(trimBlanks(f.wordsPath));
                if (request.wordsPath.empty()) problem = kNoWordsFile;
            } else {
                request.typedWords = f.typedWords;
                if (blank(f.typedWords)) problem = timing_messages::kNoTypedWords;
            }
            if (request.subtitlePath.empty()) problem = kNoSubtitleFile;
            // Without a recogniser every cue falls back and says why.
            request.wholeCues = f.wholeCues && c.cannotPlaceWords.empty();
            break;
    }
    if (!problem.empty()) return std::nullopt;
    if (f.encoding >= 0 && f.encoding < static_cast<int>(std::size(kEncodings)))
        request.encoding = kEncodings[f.encoding];
    const std::string_view shift = trimBlanks(f.shift);
    if (!shift.empty()) {
        const auto ticks = parseTimeShift(shift);
        if (!ticks) {
            problem = kBadShift;
            return std::nullopt;
        }
        request.shift = *ticks;
    }
    if (!c.vtsiPath.empty()) {
        const std::string_view title = trimBlanks(f.title);
        const bool digits =
            !title.empty() && title.size() <= 2 &&
            std::all_of(title.begin(), title.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
        const int number = digits ? std::stoi(std::string(title)) : 0;
        if (number < 1) {
            problem = kBadTitle;
            return std::nullopt;
        }
        request.vtsiPath = c.vtsiPath;
        request.title = number;
    }
    return request;
}

std::vector<std::string> planListLines(const TimedMutePlan& plan) {
    std::vector<std::string> lines;
    if (plan.subtitles)
        for (const PlacedSpan& p : plan.placed) lines.push_back(spanLine(p));
    else
        for (const TitleSpan& s : plan.spans) lines.push_back("範囲 " + formatTitleSpan(s));
    for (const PlanEntry& e : plan.plan.entries) lines.push_back(planEntryLine(e));
    return lines;
}

std::string planTotalLine(const TimedMutePlan& plan) {
    return formatText("無音化 %d箇所 計%s秒  変更するGOP %d個", static_cast<int>(plan.spans.size()),
                      secondsText(plan.spannedTime()).c_str(),
                      static_cast<int>(plan.changes().size()));
}

TimedMuteDialogModel::TimedMuteDialogModel(TimedMuteContext context, GopListView& list,
                                           TimedMuteChoices choices)
    : context_(std::move(context)), list_(list), choices_(std::move(choices)) {}

bool TimedMuteDialogModel::plan(const TimedMuteFields& fields) {
    planned_.reset();
    lines_.clear();
    total_.clear();
    std::string problem;
    const auto request = requestFromFields(fields, choices_, problem);
    if (!request) {
        context_.ui.error(problem);
        return false;
    }
    if (planTimedMute(context_, *request, plan_) != PlanResult::Ok) return false;
    planned_ = fields;
    lines_ = planListLines(plan_);
    total_ = planTotalLine(plan_);
    return true;
}

PlanWriteResult TimedMuteDialogModel::write(const TimedMuteFields& fields) {
    if (planned_ != fields && !plan(fields)) return PlanWriteResult::Refused;
    if (plan_.changes().empty()) {
        context_.ui.info(kNothingToWrite);
        return PlanWriteResult::Nothing;
    }
    // The patterns change: the plan no longer holds once written, nor does its list.
    planned_.reset();
    lines_.clear();
    total_.clear();
    int first = -1;
    const PlanWriting writing = writeTimedMutePlan(context_, plan_, [&](const GopMuteOutcome& o) {
        if (o.result != MuteResult::Ok) return;
        list_.replaceLine(o.gop, o.line);
        if (first < 0) first = o.gop;
    });
    if (first >= 0) selectOnly(list_, first);
    if (writing.failed) return PlanWriteResult::Failed;
    if (writing.stopped) {
        context_.ui.info(
            formatText("無音化を中断しました. %d個のGOPを書き換えました.", writing.written()));
        return PlanWriteResult::Stopped;
    }
    return PlanWriteResult::Written;
}

}  // namespace velmorin
