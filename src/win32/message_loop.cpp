#include "message_loop.h"

#include <algorithm>
#include <vector>

namespace velmorin::win32 {

namespace {

std::vector<HWND>& modelessDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

bool waitCursor = false;

void dispatch(MSG& message) {
    for (HWND dialog : modelessDialogs())
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void addModelessDialog(HWND dialog) {
    modelessDialogs().push_back(dialog);
}

void removeModelessDialog(HWND dialog) {
    auto& d = modelessDialogs();
    d.erase(std::remove(d.begin(), d.end(), dialog), d.end());
}

int runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
    return static_cast<int>(message.wParam);
}

void pumpWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void showWaitCursor(bool on) {
    waitCursor = on;
    SetCursor(LoadCursorW(nullptr, on ? IDC_WAIT : IDC_ARROW));
}

bool answerSetCursor() {
    if (!waitCursor) return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

}  // namespace velmorin::win32
