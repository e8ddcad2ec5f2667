#include "light_grey.h"

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

}  // namespace velmorin::win32
