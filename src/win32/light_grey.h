// The light grey (192, 192, 192) of every window of the program, given through the
// control-colour requests: black text on grey for static texts and buttons (and list
// boxes in the main window), a grey brush for the dialog's own background.
#pragma once

// clang-format off
#include "win32.h"  // before the other Windows headers
#include <commctrl.h>
// clang-format on

namespace velmorin::win32 {

class LightGrey {
public:
    explicit LightGrey(bool colourLists);
    ~LightGrey();
    LightGrey(const LightGrey&) = delete;
    LightGrey& operator=(const LightGrey&) = delete;

    // The answer to a WM_CTLCOLOR* message: a brush, or nullptr for the default answer.
    HBRUSH answer(UINT message, WPARAM deviceContext) const;

    // The answer to a control's NM_CUSTOMDRAW: a push button, which takes no brush from
    // WM_CTLCOLORBTN and draws a face of its own under visual styles, is drawn here in the
    // grey with black text; other controls draw themselves.
    LRESULT paintPushButton(const NMCUSTOMDRAW& draw) const;

private:
    bool colourLists_;
    HBRUSH controls_;
    HBRUSH background_;
};

}  // namespace velmorin::win32
