// A dialog built from a template table, modal or modeless, with the program's light grey
// colouring. Subclasses answer its set-up, its commands and any other message.
#pragma once

#include <optional>
#include <string>

#include "dialog_resource.h"
#include "light_grey.h"
#include "win32.h"

namespace velmorin::win32 {

class Dialog {
public:
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally over `owner`; the id it ended with (IDOK, IDCANCEL).
    INT_PTR runModal(HWND owner);
    // Creates it modeless as a child or pop-up of `parent`.
    HWND createModeless(HWND parent);

    HWND hwnd() const { return hwnd_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string itemText(int id) const;
    void setItemText(int id, const std::string& text);
    bool isChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void setChecked(int id, bool on) {
        CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED);
    }

protected:
    // `caption` replaces the template's caption when not empty.
    Dialog(const DialogTemplate& dialog, std::string caption, bool colourLists);

    virtual void onInit() {}
    // A WM_COMMAND; true when handled. Unhandled, OK and cancel end a modal dialog.
    virtual bool onCommand(int /*id*/, int /*code*/) { return false; }
    // Any other message first; true when handled, with `result` its answer.
    virtual bool onMessage(UINT, WPARAM, LPARAM, INT_PTR& /*result*/) { return false; }
    void end(INT_PTR result) { EndDialog(hwnd_, result); }

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handle(UINT message, WPARAM w, LPARAM l);

    DialogResource resource_;
    std::string caption_;
    LightGrey colours_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
};

// The text of a window as UTF-8.
std::string windowText(HWND window);

// Line `row` of list box `list` as UTF-8; nothing when there is no such line.
std::optional<std::string> listBoxText(HWND list, int row);

}  // namespace velmorin::win32
