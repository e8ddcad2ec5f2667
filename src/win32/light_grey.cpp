#include "light_grey.h"

#include <string>

namespace velmorin::win32 {

namespace {
constexpr COLORREF kGrey = RGB(192, 192, 192);
}

LightGrey::LightGrey(bool colourLists)
    : colourLists_(colourLists),
      controls_(CreateSolidBrush(kGrey)),
      background_(CreateSolidBrush(kGrey)) {}

LightGrey::~LightGrey() {
    DeleteObject(controls_);
    DeleteObject(background_);
}

HBRUSH LightGrey::answer(UINT message, WPARAM deviceContext) const {
    switch (message) {
        case WM_CTLCOLORLISTBOX:
            if (!colourLists_) return nullptr;
            [[fallthrough]];
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(deviceContext);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, kGrey);
            return controls_;
        }
        case WM_CTLCOLORDLG:
            return background_;
        default:
            return nullptr;
    }
}

LRESULT LightGrey::paintPushButton(const NMCUSTOMDRAW& draw) const {
    HWND button = draw.hdr.hwndFrom;
    const LONG type = GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return CDRF_DODEFAULT;
    if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    HDC dc = draw.hdc;
    RECT face = draw.rc;
    const bool pressed = draw.uItemState & CDIS_SELECTED;
    const bool focused = draw.uItemState & CDIS_FOCUS;
    const bool enabled = IsWindowEnabled(button);
    const LRESULT hidden = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
    // The default button wears a black frame of its own, as the classic buttons do.
    if (type == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&face, -1, -1);
    }
    FillRect(dc, &face, controls_);
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(button, text.data(), static_cast<int>(text.size()))));
    const HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));
    RECT label = face;
    if (pressed) OffsetRect(&label, 1, 1);
    DrawTextW(
        dc, text.c_str(), static_cast<int>(text.size()), &label,
        DT_CENTER | DT_VCENTER | DT_SINGLELINE | (hidden & UISF_HIDEACCEL ? DT_HIDEPREFIX : 0));
    SelectObject(dc, font);
    if (focused && !(hidden & UISF_HIDEFOCUS)) {
        RECT ring = face;
        InflateRect(&ring, -3, -3);
        DrawFocusRect(dc, &ring);
    }
    return CDRF_SKIPDEFAULT;
}

}  // namespace velmorin::win32
