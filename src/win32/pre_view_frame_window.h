// The preview window "プレビュー": the first picture of the GOP at the list's caret,
// 360 × 240, decoded when the window paints and its picture is out of date, drawn with
// SetDIBitsToDevice. Its size is fixed.
#pragma once

#include "preview/preview_decoder.h"
#include "win32.h"
#include "win32_ui.h"

namespace velmorin::win32 {

class PreViewFrameWindow {
public:
    static constexpr const wchar_t* kClassName = L"_TORQE210:PREVIEW";

    PreViewFrameWindow(preview::PreviewDecoder& decoder, ShellState& shell);
    ~PreViewFrameWindow();

    bool isOpen() const { return hwnd_ != nullptr; }
    // Opens the window owned by `owner`, at the left edge a third of the free height down.
    void open(HWND owner, const preview::PreviewRequest& request);
    // A new GOP to show: decoded at the next paint (two quick requests decode once).
    void setRequest(const preview::PreviewRequest& request);
    void close();
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    void paint();

    preview::PreviewDecoder& decoder_;
    Win32Ui ui_;
    preview::PreviewRequest request_;
    HWND hwnd_ = nullptr;
    SIZE frame_{};  // the outer size that gives the 360 × 240 client area
};

}  // namespace velmorin::win32
