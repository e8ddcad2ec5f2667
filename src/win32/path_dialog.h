// The two "パスの選択" dialogs: the path display, the drive, folder and file lists over
// the path browser, and navigation among them. SrcPathSelectDialog adds the source
// options and the title list; ViewerSelectDialog chooses one file of a pattern.
#pragma once

#include <string>
#include <vector>

#include "app/path_browser.h"
#include "dialog.h"
#include "state/app_state.h"
#include "win32_ui.h"

namespace velmorin::win32 {

class PathDialog : public Dialog {
protected:
    PathDialog(const DialogTemplate& dialog, const std::string& caption, PathBrowser::Kind kind,
               const std::string& programFolder, const std::string& pattern);

    // Shows the browser's folder and lists.
    void showBrowser();
    // The file list's selected entries as the browser's indexes, in list order.
    std::vector<int> selectedFiles() const;
    // The browsing commands (the drive, folder and file lists, the root button); true when
    // handled.
    bool onBrowsingCommand(int id, int code);

    PathBrowser browser_;

private:
    // Fills list `id`; one that `scrolls` sideways scrolls as far as its widest text.
    void fill(int id, const std::vector<std::string>& texts, bool scrolls);
    // The browser's index of list entry `row` (a sorted list keeps its own order).
    static int browserIndex(HWND list, int row, const std::vector<std::string>& texts);
};

class SrcPathSelectDialog : public PathDialog {
public:
    SrcPathSelectDialog(AppState& state, const ShellState& shell, const std::string& caption,
                        const std::string& startFolder);
    const std::string& folder() const { return browser_.folder(); }

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    void enableChapterMethods(bool on);

    AppState& state_;
    ShellState shellCopy_;
    Win32Ui ui_;
    std::string startFolder_;
};

class ViewerSelectDialog : public PathDialog {
public:
    // Starts in the folder of `currentPath`.
    ViewerSelectDialog(const std::string& caption, const std::string& pattern,
                       const std::string& currentPath, const std::string& programFolder);
    // The chosen file (or the folder alone when nothing is selected), after OK.
    const std::string& result() const { return result_; }

private:
    void onInit() override;
    bool onCommand(int id, int code) override;

    std::string currentPath_;
    std::string result_;
};

}  // namespace velmorin::win32
