// The ids of every control and menu command of the program's windows, by dialog. The
// templates, the command table, both desktop front ends and their tests name them from
// here; the numbers are the templates' own and may repeat across dialogs.
#pragma once

namespace velmorin::ids {

// Ids every dialog shares: the default (OK) and the cancel button.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// The main window's menu bar.
namespace menu {
inline constexpr int kMuteByTime = 1210;  // "時間指定で無音化(&T)..."
}  // namespace menu

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
