#include "my_frame_window.h"

#include <shellapi.h>

#include "about_dialog.h"
#include "app/window_geometry.h"
#include "logo_dialog.h"
#include "message_loop.h"
#include "my_file_dialogs.h"
#include "path_dialog.h"
#include "platform/native_path.h"
#include "platform/wide_text.h"
#include "setting_dialog.h"
#include "speech_tools.h"
#include "timed_mute_dialog.h"
#include "ui/control_ids.h"
#include "work_area.h"

namespace velmorin::win32 {

namespace {

// Overlapped, without the maximize box.
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX;

HMENU buildMenu() {
    HMENU bar = CreateMenu();
    for (const MenuTemplate& m : mainMenuTemplate()) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItemTemplate& item : m.items) {
            if (item.id == ids::menu::kSeparator)
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.id),
                            wideFromUtf8(item.text).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), wideFromUtf8(m.text).c_str());
    }
    return bar;
}

bool registerClass(WNDPROC procedure) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hIcon = LoadIconW(c.hInstance, MAKEINTRESOURCEW(1));
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = MyFrameWindow::kClassName;
    return RegisterClassExW(&c) != 0;
}

struct Creation {
    MyFrameWindow* frame;
};

}  // namespace

MyFrameWindow::MyFrameWindow(std::unique_ptr<AppState> state, ShellState shell,
                             std::string settingsPath, std::string logoFile)
    : state_(std::move(state)),
      shell_(std::move(shell)),
      settingsPath_(std::move(settingsPath)),
      logoFile_(std::move(logoFile)),
      ui_(shell_),
      preview_(decoder_, shell_),
      client_([this](int id) { runCommand(id); }, [this] { refreshPreview(); }) {}

MyFrameWindow::~MyFrameWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool MyFrameWindow::create(int show) {
    static const bool registered = registerClass(procedure);
    if (!registered) return false;
    // Placed for a 740 × 500 client in the middle of the screen.
    const Point at = mainWindowPosition(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
        GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CYCAPTION));
    Creation creation{this};
    hwnd_ = CreateWindowExW(0, kClassName, wideFromUtf8(kMainCaption).c_str(), kStyle, at.x, at.y,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, buildMenu(),
                            GetModuleHandleW(nullptr), &creation);
    if (!hwnd_) return false;
    ShowWindow(hwnd_, show);
    UpdateWindow(hwnd_);
    client_.gopList().focus();
    return true;
}

LRESULT CALLBACK MyFrameWindow::procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* creation =
            static_cast<Creation*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->frame));
        creation->frame->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<MyFrameWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, w, l);
    return self->handle(message, w, l);
}

void MyFrameWindow::setUp() {
    shell_.busy = false;
    shell_.cancelRequested = false;
    // The start-up picture first, over the window that is not yet shown.
    LogoDialog(logoFile_).runModal(hwnd_);

    ui_.setOwner(hwnd_);
    state_->gopTable.gopCount = 0;
    HWND client = client_.createModeless(hwnd_);
    addModelessDialog(client);
    // The frame fits its client; from now on its size is fixed.
    RECT dialog;
    GetWindowRect(client, &dialog);
    RECT frame{0, 0, dialog.right - dialog.left, dialog.bottom - dialog.top};
    AdjustWindowRectEx(&frame, kStyle, TRUE, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    // Placed for a 740 × 500 client, the frame grows with the scaling: where it no longer
    // fits, its bottom row of buttons must not lie under the task bar.
    keepInsideWorkArea(hwnd_);
    GetWindowRect(hwnd_, &fixed_);
}

LRESULT MyFrameWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            setUp();
            return 0;
        case WM_GETMINMAXINFO:
            if (fixed_.right > 0) {
                auto* info = reinterpret_cast<MINMAXINFO*>(l);
                const POINT size{fixed_.right - fixed_.left, fixed_.bottom - fixed_.top};
                info->ptMaxSize = info->ptMinTrackSize = info->ptMaxTrackSize = size;
            }
            break;
        case WM_COMMAND:
            if (l == 0) runCommand(LOWORD(w));  // the menu
            return 0;
        case WM_SETCURSOR:
            if (answerSetCursor()) return TRUE;
            break;
        case WM_ACTIVATE:
            // The keyboard focus stays with the client's control it was on (the GOP list at
            // first) when the window loses and regains activation, e.g. around a dialog.
            if (LOWORD(w) == WA_INACTIVE) {
                if (HWND f = GetFocus(); f && IsChild(client_.hwnd(), f)) focus_ = f;
            } else if (client_.hwnd()) {
                SetFocus(focus_ && IsWindow(focus_) ? focus_
                                                    : client_.item(ids::main_window::kGopList));
            }
            return 0;
        case WM_CLOSE:
            if (mayCloseMainWindow(*state_, shell_, ui_)) DestroyWindow(hwnd_);
            return 0;
        case WM_QUERYENDSESSION:
            // Log-off or shut-down: refused while a command works on the files.
            return maySessionEnd(shell_) ? TRUE : FALSE;
        case WM_ENDSESSION:
            // The process may end any moment after this answer, without WM_DESTROY.
            if (!shutDownDone_) {
                endSession(w != FALSE, *state_, shell_, settingsPath_);
                shutDownDone_ = w != FALSE;
            }
            return 0;
        case WM_DESTROY:
            removeModelessDialog(client_.hwnd());
            preview_.close();
            if (!shutDownDone_) shutDown(*state_, shell_, settingsPath_);
            shutDownDone_ = true;
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, w, l);
}

void MyFrameWindow::runCommand(int id) {
    auto& list = client_.gopList();
    runMainCommand({*state_, shell_, ui_, list, buffer_, systemPlatform(), *this, *this, *this},
                   id);
    if (hwnd_) list.flush();
}

void MyFrameWindow::refreshPreview() {
    const PreviewUpdate update = previewUpdate(*state_, client_.gopList());
    switch (update.action) {
        case PreviewUpdate::Action::Close:
            preview_.close();
            return;
        case PreviewUpdate::Action::Nothing:
            return;
        case PreviewUpdate::Action::Show:
            if (preview_.isOpen()) {
                preview_.setRequest(update.request);
            } else {
                preview_.open(hwnd_, update.request);
                client_.gopList().focus();  // the keys stay with the GOP list
            }
            return;
    }
}

bool MyFrameWindow::runSettingsDialog() {
    return SettingDialog(state_->settings, shell_).runModal(hwnd_) == IDOK;
}

void MyFrameWindow::showAboutDialog() {
    AboutDialog().runModal(hwnd_);
}

void MyFrameWindow::runTimedMuteDialog() {
    TimedMuteDialog dialog({*state_, shell_, ui_, buffer_, openSpeechTools, true, false},
                           client_.gopList(), timedMuteFields_);
    dialog.runModal(hwnd_);
    refreshPreview();  // the caret stands on the first GOP written
}

void MyFrameWindow::requestClose() {
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MyFrameWindow::openDocument(const std::string& path) {
    ShellExecuteW(hwnd_, nullptr, wideFromUtf8(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool MyFrameWindow::runSourceDialog(const std::string& startFolder, const std::string& caption,
                                    std::string& finalFolder) {
    SrcPathSelectDialog dialog(*state_, shell_, caption, startFolder);
    const bool ok = dialog.runModal(hwnd_) == IDOK;
    finalFolder = dialog.folder();
    return ok;
}

std::optional<std::string> MyFrameWindow::chooseProjectToOpen(const std::string& folder,
                                                              const std::string& fileName) {
    return MyFileOpenDialog::run(hwnd_, folder, fileName);
}

std::optional<std::string> MyFrameWindow::chooseProjectToSave(const std::string& folder,
                                                              const std::string& fileName) {
    return MyFileSaveDialog::run(hwnd_, folder, fileName);
}

}  // namespace velmorin::win32
