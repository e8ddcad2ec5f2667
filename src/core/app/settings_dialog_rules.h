// What the settings dialog decides: its play-time list and whether a player path names
// a program that exists and can be kept in the settings file.
#pragma once

#include <array>
#include <string>

#include "ui/ui.h"

namespace velmorin {

inline constexpr const char* kSettingsCaption = "オプション設定";
inline constexpr const char* kPlayerMissing = "指定したVOB再生プログラムは存在しません.";
inline constexpr const char* kPlayerDialogCaption = "VOB再生プログラム選択";

// The play-time list in seconds; the position is the play-time index.
inline constexpr std::array<const char*, 22> kPlayTimeTexts = {
    "0.5", "1",  "2",  "3",  "4",  "5",  "6",  "7",   "8",   "9",   "10",
    "11",  "12", "13", "14", "15", "30", "60", "120", "180", "240", "300"};

// A player path is accepted when it names an existing file (not a folder). A path with
// wildcard characters is refused: it names no one program.
bool playerProgramExists(const std::string& path);

// The OK button's check of the player path: it names an existing program and fits the
// settings file's path field. Reports a refusal; true when the path may be stored.
bool acceptPlayerPath(const std::string& path, Ui& ui);

}  // namespace velmorin
