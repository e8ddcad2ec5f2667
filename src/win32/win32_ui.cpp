#include "win32_ui.h"

#include "message_loop.h"
#include "platform/wide_text.h"

namespace velmorin::win32 {

Win32Ui::~Win32Ui() {
    closeProgress();
}

int Win32Ui::ask(const std::string& text, const char* caption, UINT type) {
    // While a message box is up in the middle of a long operation, the pointer is the
    // normal arrow over it; the wait cursor comes back when the box is answered.
    const bool wait = waitCursor_;
    if (wait) showWaitCursor(false);
    const int answer =
        MessageBoxW(owner_, wideFromUtf8(text).c_str(), wideFromUtf8(caption).c_str(), type);
    if (wait) showWaitCursor(true);
    return answer;
}

void Win32Ui::error(const std::string& text) {
    ask(text, "エラー", MB_OK | MB_ICONWARNING);
}

void Win32Ui::info(const std::string& text) {
    ask(text, "情報", MB_OK | MB_ICONINFORMATION);
}

bool Win32Ui::confirm(const std::string& text) {
    return ask(text, "確認", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32Ui::pumpMessages() {
    pumpWaitingMessages();
}

ClientSize Win32Ui::openProgress(const std::string& caption) {
    closeProgress();
    progress_ = std::make_unique<ProgressDialog>(shell_, caption);
    HWND window = progress_->createModeless(owner_);
    addModelessDialog(window);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    return ClientSize{client.right, client.bottom};
}

void Win32Ui::drawProgress(const ProgressBar& bar, int splitX) {
    if (progress_) progress_->setBar(bar, splitX);
}

void Win32Ui::closeProgress() {
    if (!progress_) return;
    removeModelessDialog(progress_->hwnd());
    progress_.reset();  // destroys the window
}

void Win32Ui::setWaitCursor(bool on) {
    waitCursor_ = on;
    showWaitCursor(on);
}

}  // namespace velmorin::win32
