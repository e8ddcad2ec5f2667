// The four playback commands: copy a stretch of GOPs into a working file in the program's
// folder and start the player on it.
#pragma once

#include <optional>
#include <string>

#include "app/app_state.h"
#include "common/sector_buffer.h"
#include "platform/platform.h"
#include "play/stretch_copy.h"
#include "ui/gop_list_view.h"
#include "ui/ui.h"

namespace velmorin::play_messages {

inline constexpr const char* kNoInputData = "入力データがありません.";
inline constexpr const char* kEndOfFile = "ファイルの終端です.";
inline constexpr const char* kNoRange = "範囲が選択されていません.";
inline constexpr const char* kRangeTooLarge = "選択範囲が大き過ぎます（>1GB）.";
inline constexpr const char* kSizeError = "作業用ファイルサイズの計算でエラーが発生しました.";
inline constexpr const char* kCannotOpen = "ファイルが開けません.";
inline constexpr const char* kSeekError = "表示位置指定が正しくありません（シークエラー）.";
inline constexpr const char* kWriteError = "作業用ファイルの書き込みでエラーが発生しました.";
inline constexpr const char* kProgressCaption = "表示データ準備中";
std::string cannotCreate(const std::string& path);
// The message for a failed copy; `outputPath` names the file that could not be created.
std::string forCopyResult(CopyResult result, const std::string& outputPath);

}  // namespace velmorin::play_messages

namespace velmorin {

enum class PlayMode {
    Cursor,  // "ｶｰｿﾙ位置再生": the caret GOP and the play time after it
    Next,    // "≫": the next stretch from continuePosition
    Range,   // "A-B間": the selected lines
    Single,  // a double click: the caret GOP alone
};

// GOPs copied for a play-time index: twice its seconds (0.5 s … 300 s).
int gopsForPlayTime(int playTimeIndex);
// The seconds of a play-time index as the settings dialog lists them (0.5 as 0).
double secondsOfPlayTime(int playTimeIndex);

// "TMP1.MPG"/"TMP2.MPG", or the .VOB names.
std::pair<std::string, std::string> workingFileNames(bool mpg);

struct PlaybackContext {
    const AppState& state;
    ShellState& shell;
    Ui& ui;
    GopListView& list;
    SectorBuffer& buffer;
    Platform& platform;
};

// Runs a playback command; on success starts the player and returns the working file.
std::optional<std::string> runPlaybackCommand(PlaybackContext context, PlayMode mode);

// Starts the player with the working file as its one argument; silent when it cannot.
void launchPlayer(Platform& platform, const std::string& playerPath,
                  const std::string& workingFile);

// At exit: removes the four working files that can be removed.
void removeWorkingFiles(const std::string& programFolder);

}  // namespace velmorin
