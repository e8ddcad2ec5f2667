// The ids of every control and menu command of the program's windows, by dialog. The
// templates, the command table, both desktop front ends and their tests name them from
// here; the numbers are the templates' own and may repeat across dialogs.
#pragma once

namespace velmorin::ids {

// Ids every dialog shares: the default (OK) and the cancel button.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// The main window's client: the GOP list with its playing and moving buttons on the left,
// the pattern buttons on the right.
namespace main_window {
inline constexpr int kInputFiles = 101;       // "入力ﾌｧｲﾙ..."
inline constexpr int kPlayAToB = 134;         // "A-B間": from the first to the last selected GOP
inline constexpr int kPlayNext = 125;         // "≫": on from where the last playing stopped
inline constexpr int kPlayAtCursor = 102;     // "ｶｰｿﾙ位置再生"
inline constexpr int kCellBackward = 123;     // "∧"
inline constexpr int kCellForward = 124;      // "∨"
inline constexpr int kGopList = 114;          // a double click plays the GOP under the caret
inline constexpr int kSizeLabel = 203;        // "ｻｲｽﾞ: %d.%03d GB"
inline constexpr int kChapterBackward = 119;  // "↑"
inline constexpr int kChapterForward = 120;   // "↓"
// The pattern buttons, each named by the quarters of the GOP it silences. The rows
// "<先頭部分無音化>" and "<末尾部分無音化>" both end with a "----" that silences it all.
inline constexpr int kSilenceFirstQuarter = 103;        // "-***"
inline constexpr int kSilenceFirstHalf = 104;           // "--**"
inline constexpr int kSilenceFirstThreeQuarters = 105;  // "---*"
inline constexpr int kSilenceAllFirstRow = 106;         // "----"
inline constexpr int kSilenceNone = 108;                // "****", "<無音状態なし>"
inline constexpr int kSilenceLastQuarter = 109;         // "***-"
inline constexpr int kSilenceLastHalf = 110;            // "**--"
inline constexpr int kSilenceLastThreeQuarters = 111;   // "*---"
inline constexpr int kSilenceAllLastRow = 112;          // "----"
inline constexpr int kOptions = 107;                    // "ｵﾌﾟｼｮﾝ設定..."
inline constexpr int kHelp = 121;                       // "ﾍﾙﾌﾟ(&H)"
inline constexpr int kExit = kCancel;                   // "終了(&X)": the cancel key runs it too
}  // namespace main_window

// The main window's menu bar.
namespace menu {
inline constexpr int kSeparator = 0;
inline constexpr int kOpenInputFiles = 1010;  // "入力ﾌｧｲﾙを開く(&O)..."
inline constexpr int kExit = 1050;            // "終了(&X)"
inline constexpr int kOpenProject = 1110;     // "ﾌﾟﾛｼﾞｪｸﾄを開く(&L)..."
inline constexpr int kSaveProject = 1120;     // "ﾌﾟﾛｼﾞｪｸﾄを保存(&S)..."
inline constexpr int kMuteByTime = 1210;      // "時間指定で無音化(&T)..."
inline constexpr int kHelp = 1910;            // "ﾍﾙﾌﾟ(&H)"
inline constexpr int kAbout = 1920;           // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
}  // namespace menu

// "バージョン情報".
namespace about {
inline constexpr int kProgramName = 100;  // the main window's caption
}  // namespace about

// "オプション設定".
namespace settings {
inline constexpr int kPlayerPath = 101;
inline constexpr int kBrowsePlayer = 102;  // "参照(&R)...": opens the viewer dialog
inline constexpr int kPlayTime = 103;      // the seconds one playing copies
inline constexpr int kMpgWorkingFiles = 104;  // "作業用ﾌｧｲﾙの拡張子を*.MPGにする(WMP9対応)"
inline constexpr int kPreviewEnabled = 105;  // "ﾌﾟﾚﾋﾞｭｰｳｨﾝﾄﾞｳを有効にする"
}  // namespace settings

// "ﾀｲﾄﾙ情報表示".
namespace title_info {
inline constexpr int kTitleList = 101;
inline constexpr int kBack = kOk;  // "戻る(&R)"
}  // namespace title_info

// The two "パスの選択" dialogs: the browsing controls they share.
namespace path_dialog {
inline constexpr int kPathDisplay = 101;  // "ﾊﾟｽ名:", the current folder
inline constexpr int kFolders = 102;      // "ﾌｫﾙﾀﾞ(&P):"
inline constexpr int kDrives = 103;       // "ﾄﾞﾗｲﾌﾞ(&D):"
inline constexpr int kFiles = 104;        // "ﾌｧｲﾙ(&F):"
inline constexpr int kRoot = 105;         // "&\:", the root of the current drive
inline constexpr int kSelect = kOk;       // "選択(&S)"

// The source dialog's own: how the title is read.
namespace source {
inline constexpr int kReadByVtsi = 106;             // "VTSI情報でﾘｰﾄﾞ"
inline constexpr int kChaptersBySectorMatch = 107;  // "ｾｸﾀ情報一致"
inline constexpr int kChaptersByCellCount = 108;    // "ｾﾙ数をｶｳﾝﾄ"
inline constexpr int kShowTitleInfo = 109;          // "ﾀｲﾄﾙ情報表示"
inline constexpr int kFastRead = 110;               // "高速読み込み"
}  // namespace source

// The viewer dialog has no controls of its own: one program file is chosen in the file
// list and taken with kSelect.
}  // namespace path_dialog

// "進度表示": the caller draws the bar in the client area.
namespace progress {
inline constexpr int kHiddenText = 101;
}  // namespace progress

// "時間指定で無音化": spans of title time, an EDL list or the words of a subtitle file.
namespace timed_mute {
// Where the spans come from (one radio group).
inline constexpr int kFromTyped = 101;
inline constexpr int kFromEdl = 102;
inline constexpr int kFromSubtitles = 103;
inline constexpr int kTypedSpans = 104;  // one FROM-TO per line
inline constexpr int kEdlPath = 105;
inline constexpr int kEdlBrowse = 106;
inline constexpr int kSubtitlePath = 107;
inline constexpr int kSubtitleBrowse = 108;
// Where the words come from (one radio group).
inline constexpr int kWordsFromFile = 109;
inline constexpr int kWordsTyped = 110;
inline constexpr int kWordsPath = 111;
inline constexpr int kWordsBrowse = 112;
inline constexpr int kTypedWords = 113;  // one word or phrase per line
inline constexpr int kEncoding = 114;
inline constexpr int kShift = 115;
inline constexpr int kTitle = 116;
// Where the listed words are silenced (one radio group), and why words cannot be placed.
inline constexpr int kWordsOnly = 117;
inline constexpr int kWholeCues = 118;
inline constexpr int kPlacementNote = 119;
inline constexpr int kPlan = 120;
inline constexpr int kPlanList = 121;
inline constexpr int kPlanTotal = 122;
inline constexpr int kWrite = 123;
inline constexpr int kClose = kCancel;
}  // namespace timed_mute

}  // namespace velmorin::ids
