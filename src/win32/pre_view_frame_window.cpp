#include "pre_view_frame_window.h"

#include "app/window_geometry.h"
#include "message_loop.h"
#include "work_area.h"

namespace velmorin::win32 {

using preview::PreviewImage;

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void registerClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hIcon = LoadIconW(c.hInstance, MAKEINTRESOURCEW(1));
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    c.lpszClassName = PreViewFrameWindow::kClassName;
    c.lpfnWndProc = DefWindowProcW;  // replaced per window at creation
    registered = RegisterClassExW(&c) != 0;
}

}  // namespace

PreViewFrameWindow::PreViewFrameWindow(preview::PreviewDecoder& decoder, ShellState& shell)
    : decoder_(decoder), ui_(shell) {
    request_.decoded = true;
}

PreViewFrameWindow::~PreViewFrameWindow() {
    close();
}

void PreViewFrameWindow::open(HWND owner, const preview::PreviewRequest& request) {
    registerClass();
    RECT frame{0, 0, PreviewImage::kWidth, PreviewImage::kHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    frame_ = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    const Point at = previewWindowPosition(GetSystemMetrics(SM_CYSCREEN), frame_.cy);
    request_ = request;
    request_.decoded = false;
    hwnd_ = CreateWindowExW(0, kClassName, L"プレビュー", kStyle, at.x, at.y, frame_.cx, frame_.cy,
                            owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    keepInsideWorkArea(hwnd_);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    // Its messages belong to the main window: while one is up the GOP list cannot ask for
    // another picture, as under an application-modal message box.
    ui_.setOwner(owner);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
}

void PreViewFrameWindow::setRequest(const preview::PreviewRequest& request) {
    request_ = request;
    request_.decoded = false;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreViewFrameWindow::close() {
    if (hwnd_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK PreViewFrameWindow::procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<PreViewFrameWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, w, l);
    switch (message) {
        case WM_PAINT:
            self->paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole client area
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(l);
            info->ptMaxSize = info->ptMinTrackSize = info->ptMaxTrackSize =
                POINT{self->frame_.cx, self->frame_.cy};
            break;
        }
        case WM_SETCURSOR:
            if (answerSetCursor()) return TRUE;
            break;
        case WM_NCDESTROY:
            self->hwnd_ = nullptr;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, w, l);
}

void PreViewFrameWindow::paint() {
    // Decoded before the paint begins: a failure's message box runs a message loop of its
    // own, which must not run inside BeginPaint … EndPaint.
    if (!request_.decoded) {
        // Marked decoded whatever the outcome, so a failure is not repeated by repaints.
        request_.decoded = true;
        decoder_.decode(request_, ui_);
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = PreviewImage::kWidth;
    info.bmiHeader.biHeight = PreviewImage::kHeight;  // bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, PreviewImage::kWidth, PreviewImage::kHeight, 0, 0, 0,
                      PreviewImage::kHeight, decoder_.image().pixels.data(), &info, DIB_RGB_COLORS);
    EndPaint(hwnd_, &ps);
}

}  // namespace velmorin::win32
