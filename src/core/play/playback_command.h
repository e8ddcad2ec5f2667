// The four playback commands: copy a stretch of GOPs into a working file in the working
// folder (the program's, or the user's cache folder of an installed program) and start
// the player on it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sector_buffer.h"
#include "play/stretch_copy.h"
#include "state/app_state.h"
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

// GOPs [first, end) of a playback; `end` may lie past the last GOP (the copy then runs
// to the end of the title).
struct PlaybackStretch {
    int first = 0;
    int end = 0;
};

// What decides the stretch of a playback mode: the caret line ("ｶｰｿﾙ位置再生", a double
// click), the selected lines ("A-B間"), where the last playback ended ("≫").
struct StretchRequest {
    PlayMode mode = PlayMode::Cursor;
    int caret = 0;
    std::vector<int> selected;
    int continuePosition = 0;
    int gopCount = 0;
    int playTimeIndex = 0;
};

// The stretch a mode copies; nothing, with the message to show in `problem`, when there
// is none ("≫" at the end of the title, "A-B間" without a selected line).
std::optional<PlaybackStretch> playbackStretch(const StretchRequest& request, std::string& problem);

// Removes the two working files of the chosen kind in `workingFolder` (created when
// missing), so that a player still holding one cannot make the next playback write into
// it; returns their paths.
std::pair<std::string, std::string> clearWorkingFiles(const std::string& workingFolder, bool mpg);

struct PlayContext {
    const AppState& state;
    ShellState& shell;
    Ui& ui;
    SectorBuffer& buffer;
    Platform& platform;
};

// Copies the stretch into the first of `workingFiles` that can be created and starts the
// player on it; returns that file. Every mode but a double click's runs busy, with the
// progress window for a stretch larger than the sector buffer. Reports every failure.
std::optional<std::string> playGops(PlayContext context, PlaybackStretch stretch, PlayMode mode,
                                    const std::pair<std::string, std::string>& workingFiles);

// Starts the player with the working file as its one argument; silent when it cannot.
void launchPlayer(Platform& platform, const std::string& playerPath,
                  const std::string& workingFile);

// At exit: removes the four working files that can be removed.
void removeWorkingFiles(const std::string& workingFolder);

}  // namespace velmorin
