// clang-format off
#include "timed_mute_dialog.h"  // the Windows headers before commctrl.h
#include <commctrl.h>
// clang-format on

#include <algorithm>

#include "my_file_dialogs.h"
#include "platform/native_path.h"
#include "platform/wide_text.h"
#include "ui/control_ids.h"

namespace velmorin::win32 {

namespace {

namespace t = ids::timed_mute;

// The folder a "参照..." button last chose from, for the next one in this run.
std::string& lastBrowsedFolder() {
    static std::string folder;
    return folder;
}

TimedMuteChoices choicesFor(const TimedMuteContext& context) {
    return timedMuteChoices(context.state,
                            context.openSpeech ? context.openSpeech().unavailable : "");
}

// An edit field of several lines holds CR LF; the fields hold LF.
std::string withLineFeeds(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string withCarriageReturns(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        if (c != '\r') out += c;
    }
    return out;
}

// Fills list box `list` with `lines` and lets it scroll as far as the widest one reaches
// in its own font.
void fillList(HWND list, const std::vector<std::string>& lines) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::string& line : lines) {
        const std::wstring wide = wideFromUtf8(line);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        widest = std::max(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    // A few pixels for the item's inner margin, so the last letter is not cut.
    SendMessageW(list, LB_SETHORIZONTALEXTENT, lines.empty() ? 0 : widest + 8, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// The note under the placement choice can be longer than its one line: it ends in an
// ellipsis there, and the whole text shows as the line's tip.
void showNote(HWND dialog, HWND note, const std::string& text) {
    const LONG_PTR style = GetWindowLongPtrW(note, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
    SetWindowLongPtrW(note, GWL_STYLE,
                      style | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOPREFIX | SS_NOTIFY);
    std::wstring wide = wideFromUtf8(text);
    SetWindowTextW(note, wide.c_str());
    if (wide.empty()) return;
    INITCOMMONCONTROLSEX tips{sizeof tips, ICC_BAR_CLASSES};  // the tooltip class
    InitCommonControlsEx(&tips);
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(note);
    tool.lpszText = wide.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 600);  // a long reason wraps
}

}  // namespace

TimedMuteDialog::TimedMuteDialog(TimedMuteContext context, GopListView& list,
                                 TimedMuteFields& fields)
    : Dialog(timedMuteDialogTemplate(), kTimedMuteCaption, false),
      state_(context.state),
      shell_(context.shell),
      fields_(fields),
      boxes_(context.shell),
      ui_(boxes_, context.ui),
      model_({context.state, context.shell, ui_, context.buffer, context.openSpeech,
              context.showProgress, context.tellFallbacks},
             list, choicesFor(context)) {}

void TimedMuteDialog::onInit() {
    boxes_.setOwner(hwnd());
    HWND encodings = item(t::kEncoding);
    for (const char* name : timedMuteEncodingNames())
        SendMessageW(encodings, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wideFromUtf8(name).c_str()));
    showNote(hwnd(), item(t::kPlacementNote), placementNote(model_.choices()));
    showFields(fields_);
    enableControls();
}

void TimedMuteDialog::showFields(const TimedMuteFields& f) {
    setChecked(t::kFromTyped, f.source == SpanSource::Typed);
    setChecked(t::kFromEdl, f.source == SpanSource::Edl);
    setChecked(t::kFromSubtitles, f.source == SpanSource::Subtitles);
    setItemText(t::kTypedSpans, withCarriageReturns(f.typedSpans));
    setItemText(t::kEdlPath, f.edlPath);
    setItemText(t::kSubtitlePath, f.subtitlePath);
    setChecked(t::kWordsFromFile, f.wordsFromFile);
    setChecked(t::kWordsTyped, !f.wordsFromFile);
    setItemText(t::kWordsPath, f.wordsPath);
    setItemText(t::kTypedWords, withCarriageReturns(f.typedWords));
    SendMessageW(item(t::kEncoding), CB_SETCURSEL, static_cast<WPARAM>(f.encoding), 0);
    setItemText(t::kShift, f.shift);
    setItemText(t::kTitle, f.title);
    // Without a recogniser every matching cue is silenced whole, whatever was chosen.
    const bool whole = f.wholeCues || !model_.choices().cannotPlaceWords.empty();
    setChecked(t::kWordsOnly, !whole);
    setChecked(t::kWholeCues, whole);
}

TimedMuteFields TimedMuteDialog::collect() const {
    TimedMuteFields f;
    f.source = isChecked(t::kFromEdl)         ? SpanSource::Edl
               : isChecked(t::kFromSubtitles) ? SpanSource::Subtitles
                                              : SpanSource::Typed;
    f.typedSpans = withLineFeeds(itemText(t::kTypedSpans));
    f.edlPath = itemText(t::kEdlPath);
    f.subtitlePath = itemText(t::kSubtitlePath);
    f.wordsFromFile = !isChecked(t::kWordsTyped);
    f.wordsPath = itemText(t::kWordsPath);
    f.typedWords = withLineFeeds(itemText(t::kTypedWords));
    f.encoding =
        std::max(0, static_cast<int>(SendMessageW(item(t::kEncoding), CB_GETCURSEL, 0, 0)));
    f.shift = itemText(t::kShift);
    f.title = itemText(t::kTitle);
    f.wholeCues = isChecked(t::kWholeCues);
    return f;
}

void TimedMuteDialog::enableControls() {
    const TimedMuteFields f = collect();
    for (const ControlTemplate& c : timedMuteDialogTemplate().controls)
        if (c.id > 0) EnableWindow(item(c.id), timedMuteControlEnabled(c.id, f, model_.choices()));
}

void TimedMuteDialog::browse(int browseId) {
    const BrowsedFiles& files = *browsedFiles(browseId);
    const std::string folder = browseStartFolder(browseId, collect(), lastBrowsedFolder(), state_);
    const std::string name = utf8Path(nativePath(itemText(files.pathId)).filename());
    const std::string filter = std::string(files.name) + "(" + files.patterns + ")|" +
                               files.patterns + "|" + kAllFilesName + "(*.*)|*.*";
    if (const auto chosen = chooseFileToOpen(hwnd(), folder, name, filter)) {
        setItemText(files.pathId, *chosen);
        lastBrowsedFolder() = utf8Path(nativePath(*chosen).parent_path());
    }
}

void TimedMuteDialog::showPlan(bool shown) {
    static const std::vector<std::string> none;
    fillList(item(t::kPlanList), shown ? model_.lines() : none);
    setItemText(t::kPlanTotal, shown ? model_.total() : std::string());
}

bool TimedMuteDialog::onCommand(int id, int code) {
    // While a plan is made or written, only its progress window answers.
    if (shell_.busy) return true;
    switch (id) {
        case t::kFromTyped:
        case t::kFromEdl:
        case t::kFromSubtitles:
        case t::kWordsFromFile:
        case t::kWordsTyped:
            if (code == BN_CLICKED) enableControls();
            return true;
        case t::kEdlBrowse:
        case t::kSubtitleBrowse:
        case t::kWordsBrowse:
            browse(id);
            return true;
        case t::kPlan:
            showPlan(model_.plan(collect()));
            SetActiveWindow(hwnd());
            return true;
        case t::kWrite: {
            const TimedMuteFields fields = collect();
            if (model_.write(fields) == PlanWriteResult::Written) {
                fields_ = fields;
                end(IDOK);
                return true;
            }
            showPlan(!model_.lines().empty());
            SetActiveWindow(hwnd());
            return true;
        }
        case IDCANCEL:  // "閉じる", the close box, Esc
            fields_ = collect();
            end(IDCANCEL);
            return true;
        case IDOK:  // Enter in a field of one line: nothing to press
            return true;
        default:
            return false;
    }
}

}  // namespace velmorin::win32
