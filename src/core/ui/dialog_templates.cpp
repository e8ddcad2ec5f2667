#include "ui/dialog_templates.h"

#include "ui/control_ids.h"

namespace velmorin {

namespace {

using K = ControlTemplate::Kind;
using F = DialogTemplate::Frame;
constexpr unsigned kGopList = ControlTemplate::kNotify | ControlTemplate::kExtendedSelection;

// The drive, folder and file lists with the path display, shared by both path dialogs;
// the folder and file lists end `listBottom` dialog units down, the root button below.
std::vector<ControlTemplate> browsingControls(int listBottom, unsigned fileListOptions) {
    namespace p = ids::path_dialog;
    constexpr unsigned kBrowse = ControlTemplate::kNotify;
    constexpr unsigned kWide = ControlTemplate::kNotify | ControlTemplate::kHorizontalScroll;
    // clang-format off
    return {
        {-1, K::Label, 6, 6, 40, 10, "ﾊﾟｽ名:"},
        {p::kPathDisplay, K::FramedLabel, 6, 17, 278, 12, ""},
        {-1, K::Label, 6, 34, 80, 10, "ﾄﾞﾗｲﾌﾞ(&D):"},
        {p::kDrives, K::List, 6, 45, 100, 40, "", kBrowse},
        {-1, K::Label, 6, 90, 80, 10, "ﾌｫﾙﾀﾞ(&P):"},
        {p::kFolders, K::List, 6, 101, 100, listBottom - 101, "", kWide | ControlTemplate::kSorted},
        {p::kRoot, K::Button, 6, listBottom + 4, 30, 14, "&\\:"},
        {-1, K::Label, 112, 34, 80, 10, "ﾌｧｲﾙ(&F):"},
        {p::kFiles, K::List, 112, 45, 88, listBottom - 45, "", kWide | fileListOptions},
    };
    // clang-format on
}

}  // namespace

const DialogTemplate& mainDialogTemplate() {
    namespace m = ids::main_window;
    // clang-format off
    static const DialogTemplate t{nullptr, 370, 250, kDialogFontFace, kDialogFontPoints, F::Child, 0, 0, {
        {-1, K::Frame, 2, 2, 150, 246, ""},
        {-1, K::Frame, 155, 2, 213, 215, ""},
        {m::kExit, K::DefaultButton, 300, 225, 60, 16, "終了(&X)"},
        {-1, K::Label, 3, 5, 65, 10, "《入力ﾃﾞｰﾀ表示》"},
        {m::kInputFiles, K::Button, 8, 18, 55, 14, "入力ﾌｧｲﾙ..."},
        {m::kPlayAToB, K::Button, 88, 6, 30, 12, "A-B間"},
        {m::kPlayNext, K::Button, 118, 6, 25, 12, "≫"},
        {m::kPlayAtCursor, K::Button, 88, 18, 55, 14, "ｶｰｿﾙ位置再生"},
        {m::kCellBackward, K::Button, 110, 36, 15, 12, "∧"},
        {m::kCellForward, K::Button, 125, 36, 15, 12, "∨"},
        {m::kGopList, K::List, 10, 52, 130, 180, "", kGopList},
        {m::kSizeLabel, K::Label, 10, 235, 60, 10, "ｻｲｽﾞ:"},
        {m::kChapterBackward, K::Button, 110, 232, 15, 12, "↑"},
        {m::kChapterForward, K::Button, 125, 232, 15, 12, "↓"},
        {-1, K::Label, 160, 5, 60, 10, "《音声編集》"},
        {-1, K::Label, 175, 21, 180, 10, "※ 1/4GOP単位で無音状態を設定できます。"},
        {-1, K::Label, 175, 35, 180, 10, "※ 編集内容は、即座にﾌｧｲﾙに反映されます。"},
        {-1, K::Label, 163, 55, 80, 10, "<先頭部分無音化>"},
        {m::kSilenceFirstQuarter, K::Button, 170, 70, 35, 14, "-***"},
        {m::kSilenceFirstHalf, K::Button, 205, 70, 35, 14, "--**"},
        {m::kSilenceFirstThreeQuarters, K::Button, 240, 70, 35, 14, "---*"},
        {m::kSilenceAllFirstRow, K::Button, 275, 70, 35, 14, "----"},
        {-1, K::Label, 163, 95, 80, 10, "<無音状態なし>"},
        {m::kSilenceNone, K::Button, 170, 110, 35, 14, "****"},
        {-1, K::Label, 163, 135, 80, 10, "<末尾部分無音化>"},
        {m::kSilenceLastQuarter, K::Button, 170, 150, 35, 14, "***-"},
        {m::kSilenceLastHalf, K::Button, 205, 150, 35, 14, "**--"},
        {m::kSilenceLastThreeQuarters, K::Button, 240, 150, 35, 14, "*---"},
        {m::kSilenceAllLastRow, K::Button, 275, 150, 35, 14, "----"},
        {-1, K::Label, 175, 175, 60, 10, "*：音声あり"},
        {-1, K::Label, 175, 185, 60, 10, "-：音声なし"},
        {m::kOptions, K::Button, 160, 225, 60, 16, "ｵﾌﾟｼｮﾝ設定..."},
        {m::kHelp, K::Button, 230, 225, 60, 16, "ﾍﾙﾌﾟ(&H)"},
    }};
    // clang-format on
    return t;
}

const DialogTemplate& aboutDialogTemplate() {
    // clang-format off
    static const DialogTemplate t{"バージョン情報", 200, 75, kProportionalDialogFontFace, kDialogFontPoints, F::Modal, 0, 0, {
        {-1, K::Icon, 5, 9, 16, 16, ""},
        {ids::about::kProgramName, K::Label, 30, 9, 160, 10, ""},
        {ids::kOk, K::DefaultButton, 155, 25, 40, 14, "OK"},
    }};
    // clang-format on
    return t;
}

const DialogTemplate& settingDialogTemplate() {
    // clang-format off
    static const DialogTemplate t{"オプション設定", 250, 110, kDialogFontFace, kDialogFontPoints, F::Modal, 0, 0, {
        {-1, K::Frame, 2, 2, 246, 70, ""},
        {-1, K::Label, 8, 5, 100, 10, "《VOB再生ﾌﾟﾛｸﾞﾗﾑ》"},
        {ids::settings::kPlayerPath, K::Edit, 10, 17, 230, 12, "", ControlTemplate::kAutoScroll},
        {ids::settings::kBrowsePlayer, K::Button, 190, 35, 50, 14, "参照(&R)..."},
        {-1, K::Label, 20, 37, 45, 10, "再生時間："},
        {ids::settings::kPlayTime, K::Combo, 70, 35, 30, 64, ""},
        {-1, K::Label, 105, 37, 20, 10, "秒"},
        {ids::settings::kMpgWorkingFiles, K::CheckBox, 20, 53, 220, 12, "作業用ﾌｧｲﾙの拡張子を*.MPGにする(WMP9対応)"},
        {ids::settings::kPreviewEnabled, K::CheckBox, 10, 80, 130, 10, "ﾌﾟﾚﾋﾞｭｰｳｨﾝﾄﾞｳを有効にする"},
        {ids::kOk, K::DefaultButton, 130, 90, 50, 14, "設定(&S)"},
        {ids::kCancel, K::Button, 190, 90, 50, 14, "ｷｬﾝｾﾙ(&C)"},
    }};
    // clang-format on
    return t;
}

const DialogTemplate& titleInfDialogTemplate() {
    // clang-format off
    static const DialogTemplate t{"ﾀｲﾄﾙ情報表示", 300, 160, kDialogFontFace, kDialogFontPoints, F::Modal, 0, 0, {
        {ids::title_info::kTitleList, K::List, 6, 6, 288, 126, ""},
        {ids::title_info::kBack, K::DefaultButton, 244, 140, 50, 14, "戻る(&R)"},
    }};
    // clang-format on
    return t;
}

const DialogTemplate& sourcePathDialogTemplate() {
    namespace p = ids::path_dialog;
    static const DialogTemplate t = [] {
        DialogTemplate d{
            "パスの選択", 290, 230, kDialogFontFace, kDialogFontPoints, F::Modal, 0, 0, {}};
        d.controls = browsingControls(201, ControlTemplate::kExtendedSelection);
        // clang-format off
        d.controls.insert(d.controls.end(), {
            {p::source::kReadByVtsi, K::CheckBox, 206, 45, 82, 12, "VTSI情報でﾘｰﾄﾞ"},
            {-1, K::Label, 206, 62, 82, 10, "ﾁｬﾌﾟﾀｰ検出方法："},
            {p::source::kChaptersBySectorMatch, K::Radio, 212, 74, 76, 12, "ｾｸﾀ情報一致"},
            {p::source::kChaptersByCellCount, K::Radio, 212, 88, 76, 12, "ｾﾙ数をｶｳﾝﾄ"},
            {p::source::kFastRead, K::CheckBox, 206, 108, 82, 12, "高速読み込み"},
            {p::source::kShowTitleInfo, K::Button, 206, 128, 78, 14, "ﾀｲﾄﾙ情報表示"},
            {p::kSelect, K::DefaultButton, 206, 185, 78, 14, "選択(&S)"},
            {ids::kCancel, K::Button, 206, 205, 78, 14, "ｷｬﾝｾﾙ(&C)"},
        });
        // clang-format on
        return d;
    }();
    return t;
}

const DialogTemplate& viewerPathDialogTemplate() {
    namespace p = ids::path_dialog;
    static const DialogTemplate t = [] {
        DialogTemplate d{
            "パスの選択", 290, 210, kDialogFontFace, kDialogFontPoints, F::Modal, 0, 0, {}};
        d.controls = browsingControls(185, ControlTemplate::kSorted);
        d.controls.push_back({p::kSelect, K::DefaultButton, 206, 169, 78, 14, "選択(&S)"});
        d.controls.push_back({ids::kCancel, K::Button, 206, 189, 78, 14, "ｷｬﾝｾﾙ(&C)"});
        return d;
    }();
    return t;
}

const DialogTemplate& progressDialogTemplate() {
    static const DialogTemplate t{
        "進度表示",
        120,
        30,
        kDialogFontFace,
        kDialogFontPoints,
        F::Modeless,
        0,
        0,
        {{ids::progress::kHiddenText, K::Label, 4, 4, 112, 10, "", ControlTemplate::kHidden}}};
    return t;
}

const DialogTemplate& logoDialogTemplate() {
    static const DialogTemplate t{nullptr, 160, 100, nullptr, 0, F::Bare, 90, 60, {}};
    return t;
}

const DialogTemplate& timedMuteDialogTemplate() {
    namespace t = ids::timed_mute;
    constexpr unsigned kLines = ControlTemplate::kMultiline;
    constexpr unsigned kScroll = ControlTemplate::kAutoScroll;
    // clang-format off
    static const DialogTemplate d{"時間指定で無音化", 400, 322, kDialogFontFace, kDialogFontPoints, F::Modal, 0, 0, {
        {-1, K::Frame, 2, 2, 396, 176, ""},
        {-1, K::Label, 6, 5, 120, 10, "《無音化する時間》"},
        {t::kFromTyped, K::Radio, 10, 18, 150, 12, "時間を入力(&M)"},
        {t::kFromEdl, K::Radio, 10, 70, 150, 12, "EDLﾌｧｲﾙ(&E)"},
        {t::kFromSubtitles, K::Radio, 10, 102, 200, 12, "字幕ﾌｧｲﾙ(&U) SubRip/WebVTT"},
        {t::kTypedSpans, K::Edit, 22, 31, 180, 34, "", kLines},
        {-1, K::Label, 210, 33, 180, 10, "1行に1つ 開始-終了"},
        {-1, K::Label, 210, 45, 180, 10, "hh:mm:ss.mmm または 秒"},
        {t::kEdlPath, K::Edit, 22, 84, 300, 12, "", kScroll},
        {t::kEdlBrowse, K::Button, 328, 83, 60, 14, "参照..."},
        {t::kSubtitlePath, K::Edit, 22, 116, 300, 12, "", kScroll},
        {t::kSubtitleBrowse, K::Button, 328, 115, 60, 14, "参照..."},
        {-1, K::Label, 22, 134, 36, 10, "語句："},
        {t::kWordsFromFile, K::Radio, 60, 132, 60, 12, "ﾌｧｲﾙ(&L)"},
        {t::kWordsTyped, K::Radio, 60, 148, 60, 12, "直接入力(&I)"},
        {t::kWordsPath, K::Edit, 122, 132, 200, 12, "", kScroll},
        {t::kWordsBrowse, K::Button, 328, 131, 60, 14, "参照..."},
        {t::kTypedWords, K::Edit, 122, 148, 200, 26, "", kLines},
        {-1, K::Label, 6, 184, 50, 10, "文字ｺｰﾄﾞ："},
        {t::kEncoding, K::Combo, 56, 182, 80, 60, ""},
        {-1, K::Label, 146, 184, 54, 10, "ずらし(秒)："},
        {t::kShift, K::Edit, 202, 182, 40, 12, "", kScroll},
        {-1, K::Label, 254, 184, 30, 10, "ﾀｲﾄﾙ："},
        {t::kTitle, K::Edit, 286, 182, 24, 12, "", kScroll},
        {t::kWordsOnly, K::Radio, 6, 198, 120, 12, "語句だけ無音化(&W)"},
        {t::kWholeCues, K::Radio, 130, 198, 130, 12, "字幕全体を無音化(&A)"},
        {t::kPlacementNote, K::Label, 6, 212, 388, 10, ""},
        {t::kPlan, K::Button, 6, 226, 60, 14, "計画(&P)"},
        {t::kPlanTotal, K::Label, 72, 228, 322, 10, ""},
        {t::kPlanList, K::List, 6, 244, 388, 54, "", ControlTemplate::kHorizontalScroll},
        {t::kWrite, K::Button, 224, 302, 80, 14, "無音化実行(&G)"},
        {t::kClose, K::Button, 314, 302, 80, 14, "閉じる(&C)"},
    }};
    // clang-format on
    return d;
}

const ControlTemplate* findControl(const DialogTemplate& dialog, int id) {
    for (const auto& c : dialog.controls)
        if (c.id == id) return &c;
    return nullptr;
}

const std::vector<MenuTemplate>& mainMenuTemplate() {
    namespace m = ids::menu;
    // clang-format off
    static const std::vector<MenuTemplate> menu = {
        {"ﾌｧｲﾙ(&F)", {{m::kOpenInputFiles, "入力ﾌｧｲﾙを開く(&O)..."}, {m::kSeparator, ""}, {m::kExit, "終了(&X)"}}},
        {"ﾌﾟﾛｼﾞｪｸﾄ(&P)", {{m::kOpenProject, "ﾌﾟﾛｼﾞｪｸﾄを開く(&L)..."}, {m::kSaveProject, "ﾌﾟﾛｼﾞｪｸﾄを保存(&S)..."}}},
        {"音声編集(&E)", {{m::kMuteByTime, "時間指定で無音化(&T)..."}}},
        {"ﾍﾙﾌﾟ(&H)", {{m::kHelp, "ﾍﾙﾌﾟ(&H)"}, {m::kSeparator, ""}, {m::kAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}}},
    };
    // clang-format on
    return menu;
}

}  // namespace velmorin
