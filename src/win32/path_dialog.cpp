#include "path_dialog.h"

#include <algorithm>

#include "app/source_selection.h"
#include "dvd/title_table.h"
#include "platform/native_path.h"
#include "platform/wide_text.h"
#include "title_inf_dialog.h"
#include "ui/control_ids.h"

namespace velmorin::win32 {

namespace {
namespace path = ids::path_dialog;
namespace source = ids::path_dialog::source;
}  // namespace

PathDialog::PathDialog(const DialogTemplate& dialog, const std::string& caption,
                       PathBrowser::Kind kind, const std::string& programFolder,
                       const std::string& pattern)
    : Dialog(dialog, caption, false), browser_(systemPlatform(), kind, programFolder, pattern) {}

void PathDialog::fill(int id, const std::vector<std::string>& texts, bool scrolls) {
    HWND list = item(id);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const auto& t : texts)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(t).c_str()));
    if (scrolls) {
        // The names measured in the list's own font, at the window's scaling.
        RECT client{};
        GetClientRect(list, &client);
        HDC dc = GetDC(list);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        std::vector<int> widths;
        for (const auto& t : texts) {
            const std::wstring wide = wideFromUtf8(t);
            SIZE size{};
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
            widths.push_back(size.cx);
        }
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        SendMessageW(list, LB_SETHORIZONTALEXTENT,
                     PathBrowser::horizontalExtent(client.right, widths, metrics.tmAveCharWidth),
                     0);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void PathDialog::showBrowser() {
    setItemText(path::kPathDisplay, browser_.folder());
    std::vector<std::string> labels;
    for (const auto& v : browser_.volumes()) labels.push_back(v.label);
    fill(path::kDrives, labels, false);
    fill(path::kFolders, browser_.folders(), true);
    fill(path::kFiles, browser_.files(), true);
    if (!labels.empty())
        SendMessageW(item(path::kDrives), LB_SETCURSEL, browser_.selectedVolume(), 0);
    if (!browser_.folders().empty()) SendMessageW(item(path::kFolders), LB_SETCURSEL, 0, 0);
    HWND files = item(path::kFiles);
    const bool extended = GetWindowLongW(files, GWL_STYLE) & LBS_EXTENDEDSEL;
    if (extended) SendMessageW(files, LB_SETSEL, FALSE, -1);
    for (int i : browser_.selectedFiles()) {
        // Find the row of the browser's entry i (a sorted list may hold it elsewhere).
        const std::wstring name = wideFromUtf8(browser_.files()[static_cast<std::size_t>(i)]);
        const LRESULT row = SendMessageW(files, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(name.c_str()));
        if (row == LB_ERR) continue;
        if (extended)
            SendMessageW(files, LB_SETSEL, TRUE, row);
        else
            SendMessageW(files, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    }
}

int PathDialog::browserIndex(HWND list, int row, const std::vector<std::string>& texts) {
    const auto entry = listBoxText(list, row);
    if (!entry) return -1;
    const auto it = std::find(texts.begin(), texts.end(), *entry);
    return it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
}

std::vector<int> PathDialog::selectedFiles() const {
    HWND files = item(path::kFiles);
    std::vector<int> rows;
    if (GetWindowLongW(files, GWL_STYLE) & LBS_EXTENDEDSEL) {
        const LRESULT n = SendMessageW(files, LB_GETSELCOUNT, 0, 0);
        if (n > 0) {
            rows.resize(static_cast<std::size_t>(n));
            SendMessageW(files, LB_GETSELITEMS, static_cast<WPARAM>(n),
                         reinterpret_cast<LPARAM>(rows.data()));
        }
    } else if (const LRESULT row = SendMessageW(files, LB_GETCURSEL, 0, 0); row != LB_ERR) {
        rows.push_back(static_cast<int>(row));
    }
    std::vector<int> indexes;
    for (int row : rows)
        if (const int i = browserIndex(files, row, browser_.files()); i >= 0) indexes.push_back(i);
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

bool PathDialog::onBrowsingCommand(int id, int code) {
    if (id == path::kRoot && code == BN_CLICKED) {
        browser_.goToVolumeRoot();
    } else if (id == path::kFolders && code == LBN_SELCHANGE) {
        const auto row = static_cast<int>(SendMessageW(item(path::kFolders), LB_GETCURSEL, 0, 0));
        const int index = browserIndex(item(path::kFolders), row, browser_.folders());
        if (index < 0) return true;
        browser_.chooseFolder(index);
    } else if (id == path::kDrives && code == LBN_SELCHANGE) {
        const auto row = static_cast<int>(SendMessageW(item(path::kDrives), LB_GETCURSEL, 0, 0));
        if (row < 0) return true;
        browser_.chooseVolume(row);
    } else {
        return id == path::kFolders || id == path::kDrives || id == path::kFiles ||
               id == path::kRoot;
    }
    showBrowser();
    return true;
}

SrcPathSelectDialog::SrcPathSelectDialog(AppState& state, const ShellState& shell,
                                         const std::string& caption, const std::string& startFolder)
    : PathDialog(sourcePathDialogTemplate(), caption, PathBrowser::Kind::Source,
                 shell.programFolder, {}),
      state_(state),
      shellCopy_(shell),
      ui_(shellCopy_),
      startFolder_(startFolder) {}

void SrcPathSelectDialog::enableChapterMethods(bool on) {
    EnableWindow(item(source::kChaptersBySectorMatch), on);
    EnableWindow(item(source::kChaptersByCellCount), on);
}

void SrcPathSelectDialog::onInit() {
    ui_.setOwner(hwnd());
    const auto& options = state_.sourceOptions;
    setChecked(source::kReadByVtsi, options.readByVtsi);
    enableChapterMethods(options.readByVtsi);
    setChecked(options.chapterMethod == ChapterMethod::SectorMatch ? source::kChaptersBySectorMatch
                                                                   : source::kChaptersByCellCount,
               true);
    setChecked(source::kFastRead, options.fastRead);
    browser_.setListsVtsiFiles(options.readByVtsi);
    browser_.refresh(startFolder_);
    showBrowser();
}

bool SrcPathSelectDialog::onCommand(int id, int code) {
    auto& options = state_.sourceOptions;
    // Options take effect at once, also when the dialog is then cancelled.
    switch (id) {
        case source::kReadByVtsi:
            enableChapterMethods(isChecked(source::kReadByVtsi));
            setReadByVtsi(options, browser_, isChecked(source::kReadByVtsi));
            showBrowser();
            return true;
        case source::kChaptersBySectorMatch:
        case source::kChaptersByCellCount:
            options.chapterMethod = isChecked(source::kChaptersBySectorMatch)
                                        ? ChapterMethod::SectorMatch
                                        : ChapterMethod::CountCells;
            return true;
        case source::kFastRead:
            options.fastRead = isChecked(source::kFastRead);
            return true;
        case source::kShowTitleInfo:
            if (const auto lines = readTitleInformation(browser_.folder(), ui_, systemPlatform()))
                TitleInfDialog(*lines).runModal(hwnd());
            return true;
        case IDOK:
            browser_.setSelectedFiles(selectedFiles());
            if (selectSource(browser_, options, state_.chapterInfo, state_.inputFiles, ui_,
                             systemPlatform()))
                end(IDOK);
            return true;
        default:
            return onBrowsingCommand(id, code);
    }
}

ViewerSelectDialog::ViewerSelectDialog(const std::string& caption, const std::string& pattern,
                                       const std::string& currentPath,
                                       const std::string& programFolder)
    : PathDialog(viewerPathDialogTemplate(), caption, PathBrowser::Kind::Viewer, programFolder,
                 pattern),
      currentPath_(currentPath) {}

void ViewerSelectDialog::onInit() {
    browser_.refresh(utf8Path(nativePath(currentPath_).parent_path()));
    showBrowser();
}

bool ViewerSelectDialog::onCommand(int id, int code) {
    if (id == IDOK) {
        browser_.setSelectedFiles(selectedFiles());
        result_ = browser_.selectedPath();
        end(IDOK);
        return true;
    }
    return onBrowsingCommand(id, code);
}

}  // namespace velmorin::win32
