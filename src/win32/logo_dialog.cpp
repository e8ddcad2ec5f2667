#include "logo_dialog.h"

#include <vector>

namespace velmorin::win32 {

namespace {
constexpr UINT_PTR kTimer = 1;
}

LogoDialog::LogoDialog(const std::string& bitmapPath)
    : Dialog(logoDialogTemplate(), {}, false),
      bitmap_(std::make_unique<LogoBitmap>(loadLogoBitmap(bitmapPath))) {}

void LogoDialog::onInit() {
    // Keep the top-left corner; the client area takes the picture's 320 × 200 pixels.
    RECT frame{0, 0, LogoBitmap::kWidth, LogoBitmap::kHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    SetTimer(hwnd(), kTimer, kShowMs, nullptr);
}

bool LogoDialog::onMessage(UINT message, WPARAM w, LPARAM, INT_PTR& result) {
    result = 0;
    if (message == WM_TIMER && w == kTimer) {
        KillTimer(hwnd(), kTimer);
        PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return true;
    }
    if (message != WM_PAINT) return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = LogoBitmap::kWidth;
    info.header.biHeight = LogoBitmap::kHeight;  // bottom row first
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 256;
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t rgb = bitmap_->colours[i];
        info.colours[i] = RGBQUAD{static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8),
                                  static_cast<BYTE>(rgb >> 16), 0};
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    StretchDIBits(dc, 0, 0, LogoBitmap::kWidth, LogoBitmap::kHeight, 0, 0, LogoBitmap::kWidth,
                  LogoBitmap::kHeight, bitmap_->pixels.data(),
                  reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    EndPaint(hwnd(), &ps);
    return true;
}

}  // namespace velmorin::win32
