#include "dialog.h"

#include "message_loop.h"
#include "platform/wide_text.h"
#include "work_area.h"

namespace velmorin::win32 {

Dialog::Dialog(const DialogTemplate& dialog, std::string caption, bool colourLists)
    : resource_(dialog), caption_(std::move(caption)), colours_(colourLists) {}

Dialog::~Dialog() {
    if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

INT_PTR Dialog::runModal(HWND owner) {
    modal_ = true;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), resource_.get(), owner, procedure,
                                   reinterpret_cast<LPARAM>(this));
}

HWND Dialog::createModeless(HWND parent) {
    modal_ = false;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), resource_.get(), parent, procedure,
                                      reinterpret_cast<LPARAM>(this));
}

std::string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf8FromWide(text);
}

std::optional<std::string> listBoxText(HWND list, int row) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(text.data()));
    if (got == LB_ERR) return std::nullopt;
    text.resize(static_cast<std::size_t>(got));
    return utf8FromWide(text);
}

std::string Dialog::itemText(int id) const {
    return windowText(item(id));
}

void Dialog::setItemText(int id, const std::string& text) {
    SetDlgItemTextW(hwnd_, id, wideFromUtf8(text).c_str());
}

INT_PTR CALLBACK Dialog::procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(l);
        SetWindowLongPtrW(hwnd, DWLP_USER, l);
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    const INT_PTR result = self->handle(message, w, l);
    if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
    return result;
}

INT_PTR Dialog::handle(UINT message, WPARAM w, LPARAM l) {
    INT_PTR result = 0;
    if (onMessage(message, w, l, result)) {
        if (message != WM_INITDIALOG &&
            !(message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC))
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return message == WM_INITDIALOG ||
                       (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
                   ? result
                   : TRUE;
    }
    switch (message) {
        case WM_INITDIALOG:
            if (!caption_.empty()) SetWindowTextW(hwnd_, wideFromUtf8(caption_).c_str());
            onInit();
            // After the dialog's own placement, which may not know the scaling's real sizes.
            if (!(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) keepInsideWorkArea(hwnd_);
            return TRUE;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(colours_.answer(message, w));
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(l);
            if (header->code != NM_CUSTOMDRAW) return FALSE;
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT,
                              colours_.paintPushButton(*reinterpret_cast<const NMCUSTOMDRAW*>(l)));
            return TRUE;
        }
        case WM_SETCURSOR:
            if (!answerSetCursor()) return FALSE;
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(w);
            if (onCommand(id, HIWORD(w))) return TRUE;
            if (modal_ && (id == IDOK || id == IDCANCEL)) {
                end(id);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace velmorin::win32
