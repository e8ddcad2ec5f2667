// The start-up picture: LOGO.BMP drawn with StretchDIBits for two seconds, modally, over
// the main window that is not yet visible.
#pragma once

#include <memory>
#include <string>

#include "app/logo_bitmap.h"
#include "dialog.h"

namespace velmorin::win32 {

class LogoDialog : public Dialog {
public:
    static constexpr UINT kShowMs = 2000;
    // `bitmapPath` is LOGO.BMP beside the program; a missing or unusable file shows blank.
    explicit LogoDialog(const std::string& bitmapPath);

private:
    void onInit() override;
    bool onMessage(UINT message, WPARAM w, LPARAM l, INT_PTR& result) override;

    std::unique_ptr<LogoBitmap> bitmap_;
};

}  // namespace velmorin::win32
