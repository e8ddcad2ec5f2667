// The dialog templates of the program's windows as plain data: every control with its id,
// kind, position and size in dialog units and its text; each dialog's size, font, caption
// and frame; and the main window's menu bar. Both desktop front ends build their windows
// from these tables.
#pragma once

#include <vector>

namespace velmorin {

struct ControlTemplate {
    enum class Kind {
        Frame,  // a static frame in the window-frame colour
        Label,
        Button,
        DefaultButton,
        List,
        CheckBox,
        Radio,
        FramedLabel,  // a static text in a sunken frame
        Edit,
        Combo,  // a drop-down list; its height includes the open list
        Icon    // the program's icon
    };
    // Details of a control's style beyond its kind.
    enum Option : unsigned {
        kSorted = 1u << 0,             // a list that keeps its entries in order
        kExtendedSelection = 1u << 1,  // a list with shift- and control-click selection
        kHorizontalScroll = 1u << 2,   // a list with a horizontal scroll bar
        kNotify = 1u << 3,             // a list that reports clicks and selection changes
        kHidden = 1u << 4,             // created invisible
        kAutoScroll = 1u << 5,         // an edit field that scrolls with the text
        kMultiline = 1u << 6,          // an edit field of several lines, Enter starts one
    };
    int id;  // -1 for static texts without an id
    Kind kind;
    int x, y, width, height;
    const char* text;
    unsigned options = 0;
};

struct DialogTemplate {
    enum class Frame {
        Child,     // the client area of another window: no frame, no caption
        Modal,     // a modal dialog with caption and system menu
        Modeless,  // a modeless pop-up with caption and system menu (the progress window)
        Bare,      // a pop-up with a dialog frame and no caption (the start-up picture)
    };
    const char* caption;   // the template's caption; some dialogs replace it at run time
    int width, height;     // dialog units
    const char* fontFace;  // nullptr: the system font
    int pointSize;
    Frame frame;
    int x = 0, y = 0;  // the template's position, for dialogs placed by it
    std::vector<ControlTemplate> controls;
};

// Template 1, the main window's client.
const DialogTemplate& mainDialogTemplate();
// Template 2, "バージョン情報".
const DialogTemplate& aboutDialogTemplate();
// Template 5, "オプション設定".
const DialogTemplate& settingDialogTemplate();
// "ﾀｲﾄﾙ情報表示".
const DialogTemplate& titleInfDialogTemplate();
// "パスの選択" for the input files (290 × 230) and for one program file (290 × 210).
const DialogTemplate& sourcePathDialogTemplate();
const DialogTemplate& viewerPathDialogTemplate();
// "進度表示", the progress window.
const DialogTemplate& progressDialogTemplate();
// Template 9, the start-up picture.
const DialogTemplate& logoDialogTemplate();
// "時間指定で無音化": muting by title time. The radio buttons of one group stand
// together in the list of controls, so each group is one run of radios.
const DialogTemplate& timedMuteDialogTemplate();

// The controls of `dialog` with this id, or nullptr.
const ControlTemplate* findControl(const DialogTemplate& dialog, int id);

// Menu resource 1, the main window's menu bar. An item with id ids::menu::kSeparator is a
// separator.
struct MenuItemTemplate {
    int id;
    const char* text;
};
struct MenuTemplate {
    const char* text;
    std::vector<MenuItemTemplate> items;
};
const std::vector<MenuTemplate>& mainMenuTemplate();

inline constexpr const char* kDialogFontFace = "ＭＳ ゴシック";
inline constexpr const char* kProportionalDialogFontFace = "ＭＳ Ｐゴシック";
inline constexpr int kDialogFontPoints = 12;

}  // namespace velmorin
