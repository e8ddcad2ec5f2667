#include "dialog_resource.h"

#include <initializer_list>
#include <map>

#include "platform/wide_text.h"

namespace velmorin::win32 {

namespace {

using K = ControlTemplate::Kind;

// The predefined window classes, by their atoms.
constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kListBox = 0x0083,
               kComboBox = 0x0085;
constexpr WORD kProgramIcon = 1;  // icon resource 1

DWORD dialogStyle(const DialogTemplate& d) {
    const DWORD font = d.fontFace ? DS_SETFONT : 0;
    switch (d.frame) {
        case DialogTemplate::Frame::Child:
            return WS_CHILD | WS_VISIBLE | DS_CONTROL | font;
        case DialogTemplate::Frame::Modal:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | font;
        case DialogTemplate::Frame::Modeless:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | font;
        case DialogTemplate::Frame::Bare:
            return WS_POPUP | WS_DLGFRAME | font;
    }
    return font;
}

struct ClassAndStyle {
    WORD atom;
    DWORD style;
};

ClassAndStyle classAndStyle(const ControlTemplate& c) {
    constexpr DWORD kTab = WS_TABSTOP;
    switch (c.kind) {
        case K::Frame:
            return {kStatic, SS_BLACKFRAME};
        case K::Label:
            return {kStatic, SS_LEFT};
        case K::FramedLabel:
            // A path: no mnemonics, one line.
            return {kStatic, SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN};
        case K::Button:
            return {kButton, BS_PUSHBUTTON | kTab};
        case K::DefaultButton:
            return {kButton, BS_DEFPUSHBUTTON | kTab};
        case K::CheckBox:
            return {kButton, BS_AUTOCHECKBOX | kTab};
        case K::Radio:
            // Only the first of a group is a tab stop (addControl); the arrow keys move
            // within it.
            return {kButton, BS_AUTORADIOBUTTON};
        case K::Edit: {
            DWORD style = WS_BORDER | kTab;
            if (c.options & ControlTemplate::kAutoScroll) style |= ES_AUTOHSCROLL;
            // Enter starts a new line instead of pressing the dialog's default button.
            if (c.options & ControlTemplate::kMultiline)
                style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
            return {kEdit, style};
        }
        case K::Combo:
            return {kComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | kTab};
        case K::Icon:
            return {kStatic, SS_ICON};
        case K::List: {
            DWORD style = WS_VSCROLL | WS_BORDER | kTab;
            if (c.options & ControlTemplate::kNotify) style |= LBS_NOTIFY;
            if (c.options & ControlTemplate::kSorted) style |= LBS_SORT;
            if (c.options & ControlTemplate::kExtendedSelection) style |= LBS_EXTENDEDSEL;
            if (c.options & ControlTemplate::kHorizontalScroll) style |= WS_HSCROLL;
            return {kListBox, style};
        }
    }
    return {kStatic, SS_LEFT};
}

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceInstalled(const std::wstring& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

DialogResource::DialogResource(const DialogTemplate& d) {
    addDword(dialogStyle(d));
    addDword(0);  // extended style
    add(static_cast<WORD>(d.controls.size()));
    for (int v : {d.x, d.y, d.width, d.height}) add(static_cast<WORD>(v));
    add(0);  // no menu
    add(0);  // the dialog class
    addText(d.caption ? d.caption : "");
    if (d.fontFace) {
        add(static_cast<WORD>(d.pointSize));
        const std::wstring face = installedDialogFace(d.fontFace);
        words_.insert(words_.end(), face.begin(), face.end());
        add(0);
    }
    // A group starts at the first control and at every change between radio buttons and
    // other controls, so that the arrow keys move only among the radio buttons.
    bool previousRadio = false;
    for (std::size_t i = 0; i < d.controls.size(); ++i) {
        const bool radio = d.controls[i].kind == K::Radio;
        addControl(d.controls[i], i == 0 || radio != previousRadio);
        previousRadio = radio;
    }
}

void DialogResource::addDword(DWORD d) {
    add(LOWORD(d));
    add(HIWORD(d));
}

void DialogResource::addText(const std::string& utf8) {
    const std::wstring wide = wideFromUtf8(utf8);
    words_.insert(words_.end(), wide.begin(), wide.end());
    add(0);
}

void DialogResource::alignToDword() {
    if (words_.size() % 2) add(0);
}

void DialogResource::addControl(const ControlTemplate& c, bool startsGroup) {
    alignToDword();
    const ClassAndStyle cs = classAndStyle(c);
    DWORD style = WS_CHILD | cs.style | (startsGroup ? WS_GROUP : 0);
    if (c.kind == K::Radio && startsGroup) style |= WS_TABSTOP;
    if (!(c.options & ControlTemplate::kHidden)) style |= WS_VISIBLE;
    addDword(style);
    addDword(0);
    for (int v : {c.x, c.y, c.width, c.height}) add(static_cast<WORD>(v));
    add(static_cast<WORD>(c.id));  // -1 is the static id 0xFFFF
    add(0xFFFF);
    add(cs.atom);
    if (c.kind == K::Icon) {
        add(0xFFFF);
        add(kProgramIcon);
    } else {
        addText(c.text);
    }
    add(0);  // no creation data
}

std::wstring installedDialogFace(const char* face) {
    static std::map<std::string, std::wstring> known;
    if (auto it = known.find(face); it != known.end()) return it->second;
    const std::string requested = face;
    const bool proportional = requested == kProportionalDialogFontFace;
    std::vector<std::wstring> candidates = {wideFromUtf8(requested)};
    if (proportional)
        candidates.insert(candidates.end(), {L"MS PGothic", L"IPAPGothic", L"IPA Pゴシック",
                                             L"Noto Sans CJK JP", L"VL PGothic"});
    candidates.insert(candidates.end(), {L"MS Gothic", L"IPAGothic", L"IPAゴシック",
                                         L"Noto Sans Mono CJK JP", L"VL Gothic", L"Meiryo"});
    std::wstring chosen = L"MS Shell Dlg";  // the system's own dialog face
    for (const auto& c : candidates)
        if (faceInstalled(c)) {
            chosen = c;
            break;
        }
    return known[requested] = chosen;
}

}  // namespace velmorin::win32
