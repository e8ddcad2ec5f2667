// Project files (*.prj): a 15-byte header, the state record's image and the GOP list's
// lines, so that work resumes without scanning the VOB files again.
#pragma once

#include <string>

#include "state/app_state.h"
#include "ui/gop_list_view.h"
#include "ui/ui.h"

namespace velmorin::project_messages {

inline constexpr const char* kCannotCreate = "プロジェクトファイルが作成できません.";
inline constexpr const char* kWriteError = "プロジェクトの書き込みでエラーが発生しました.";
inline constexpr const char* kSaved = "プロジェクトを保存しました.";
inline constexpr const char* kCannotOpen = "プロジェクトファイルが開けません.";
inline constexpr const char* kReadError = "プロジェクトの読み込みでエラーが発生しました.";
inline constexpr const char* kBadFormat = "プロジェクトの形式が異常です.";
inline constexpr const char* kOtherVersion =
    "プロジェクトの形式が異常です.\n異なるバージョンのプロジェクトは使用できません.";

}  // namespace velmorin::project_messages

namespace velmorin {

inline constexpr std::size_t kProjectHeaderSize = 15;

// Writes `state` (whose last project path is already `path`) and its GOP lines to
// `path`. The file is written under a temporary name and then put in place, so a failed
// save never leaves a damaged project where a good one was. Reports every outcome.
bool saveProject(const std::string& path, const AppState& state, Ui& ui);

// Replaces `state`, its GOP lines and the list's lines with the project's and shows its size label.
// Reports every failure; a file whose record cannot be this program's leaves `state` as
// it was.
bool loadProject(const std::string& path, AppState& state, GopListView& list, Ui& ui);

}  // namespace velmorin
