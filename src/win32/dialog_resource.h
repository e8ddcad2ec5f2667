// A dialog template table as the in-memory DLGTEMPLATE that CreateDialogIndirectParamW
// and DialogBoxIndirectParamW take: the dialog's style, size and font, then one item per
// control with its window class, style, position, size, id and text.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_templates.h"
#include "win32.h"

namespace velmorin::win32 {

class DialogResource {
public:
    explicit DialogResource(const DialogTemplate& dialog);
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void add(WORD w) { words_.push_back(w); }
    void addDword(DWORD d);
    void addText(const std::string& utf8);
    void alignToDword();
    void addControl(const ControlTemplate& control, bool startsGroup);

    std::vector<WORD> words_;
};

// The face the dialogs are drawn with: `face` when the system has it, else the nearest
// Japanese face it has ("ＭＳ ゴシック" is missing outside a Japanese Windows).
std::wstring installedDialogFace(const char* face);

}  // namespace velmorin::win32
