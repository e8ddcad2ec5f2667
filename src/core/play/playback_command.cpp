#include "play/playback_command.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "common/text_format.h"
#include "platform/native_path.h"
#include "platform/user_folders.h"

namespace velmorin::play_messages {

std::string cannotCreate(const std::string& path) {
    return formatText("作業用ファイルが作成できません(%s).", path.c_str());
}

std::string forCopyResult(CopyResult result, const std::string& outputPath) {
    switch (result) {
        case CopyResult::CannotOpenInput:
            return kCannotOpen;
        case CopyResult::SeekError:
            return kSeekError;
        case CopyResult::CannotCreateOutput:
            return cannotCreate(outputPath);
        case CopyResult::WriteError:
            return kWriteError;
        case CopyResult::Ok:
            break;
    }
    return {};
}

}  // namespace velmorin::play_messages

namespace velmorin {

namespace {

constexpr std::array<int, 22> kGopsForPlayTime = {1,  2,  4,  6,  8,  10, 12,  14,  16,  18,  20,
                                                  22, 24, 26, 28, 30, 60, 120, 240, 360, 480, 600};

}  // namespace

int gopsForPlayTime(int playTimeIndex) {
    if (playTimeIndex < 0 || playTimeIndex >= static_cast<int>(kGopsForPlayTime.size()))
        playTimeIndex = 10;
    return kGopsForPlayTime[static_cast<std::size_t>(playTimeIndex)];
}

double secondsOfPlayTime(int playTimeIndex) {
    return gopsForPlayTime(playTimeIndex) / 2.0;
}

std::pair<std::string, std::string> workingFileNames(bool mpg) {
    return mpg ? std::make_pair(std::string("TMP1.MPG"), std::string("TMP2.MPG"))
               : std::make_pair(std::string("TMP1.VOB"), std::string("TMP2.VOB"));
}

std::optional<PlaybackStretch> playbackStretch(const StretchRequest& r, std::string& problem) {
    const int n = gopsForPlayTime(r.playTimeIndex);
    switch (r.mode) {
        case PlayMode::Cursor:
        case PlayMode::Single: {
            const int b = std::clamp(r.caret, 0, r.gopCount - 1);
            return PlaybackStretch{b, r.mode == PlayMode::Single ? b + 1 : b + n};
        }
        case PlayMode::Next:
            if (r.continuePosition >= r.gopCount || r.continuePosition < 0) {
                problem = play_messages::kEndOfFile;
                return std::nullopt;
            }
            return PlaybackStretch{r.continuePosition, r.continuePosition + n};
        case PlayMode::Range: {
            if (r.selected.empty()) {
                problem = play_messages::kNoRange;
                return std::nullopt;
            }
            const auto [lo, hi] = std::minmax_element(r.selected.begin(), r.selected.end());
            return PlaybackStretch{*lo, *hi + 1};
        }
    }
    return std::nullopt;
}

std::pair<std::string, std::string> clearWorkingFiles(const std::string& workingFolder, bool mpg) {
    const std::string folder = withTrailingSeparator(workingFolder);
    // A folder of the user's own may not exist before the first playback.
    createFolders(folder);
    const auto [name1, name2] = workingFileNames(mpg);
    const std::pair<std::string, std::string> paths{folder + name1, folder + name2};
    removeFile(paths.first);
    removeFile(paths.second);
    return paths;
}

std::optional<std::string> playGops(PlayContext c, PlaybackStretch stretch, PlayMode mode,
                                    const std::pair<std::string, std::string>& workingFiles) {
    const std::string& tmp1 = workingFiles.first;
    const std::string& tmp2 = workingFiles.second;
    stretch.end = std::min(stretch.end, c.state.gopTable.gopCount);  // past the end: to the end
    const auto range = byteRangeOf(c.state, stretch.first, stretch.end);
    if (!range) {
        c.ui.error(mode == PlayMode::Range ? play_messages::kRangeTooLarge
                                           : play_messages::kSizeError);
        return std::nullopt;
    }

    // The single GOP of a double click is copied at once, without the busy state.
    const bool guarded = mode != PlayMode::Single;
    if (guarded) {
        c.shell.busy = true;
        c.shell.cancelRequested = false;
    }
    const bool showProgress =
        guarded && range->sectors() > static_cast<std::int64_t>(SectorBuffer::kSectors);
    ProgressBar bar;
    if (showProgress) {
        const ClientSize client = c.ui.openProgress(play_messages::kProgressCaption);
        bar = ProgressBar::forClientArea(client.width, client.height);
        c.ui.setWaitCursor(true);
    }
    std::string written;
    CopyProgress progress;
    if (guarded) progress.pumpMessages = [&] { c.ui.pumpMessages(); };
    if (showProgress) {
        progress.drawn = [&](std::int64_t bytes) {
            const std::int64_t total = range->sectors();
            c.ui.drawProgress(bar, bar.splitX(std::min(bytes / 2048, total), total));
        };
    }
    const auto create = [&]() -> std::optional<BinaryFile> {
        for (const auto& path : {tmp1, tmp2}) {
            BinaryFile file = BinaryFile::create(path);
            if (file.isOpen()) {
                written = path;
                return file;
            }
        }
        return std::nullopt;
    };
    const CopyResult result = copyByteRange(c.state.inputFiles, *range, c.buffer, create, progress);

    if (guarded) c.shell.busy = false;
    if (showProgress) {
        c.ui.closeProgress();
        c.ui.setWaitCursor(false);
    }
    if (result != CopyResult::Ok) {
        c.ui.error(play_messages::forCopyResult(result, tmp2));
        return std::nullopt;
    }
    c.shell.continuePosition = stretch.end;
    launchPlayer(c.platform, c.state.settings.playerPath, written);
    return written;
}

void launchPlayer(Platform& platform, const std::string& playerPath,
                  const std::string& workingFile) {
    platform.startProgram(playerPath, workingFile);
}

void removeWorkingFiles(const std::string& workingFolder) {
    const std::string folder = withTrailingSeparator(workingFolder);
    for (const char* name : {"TMP1.VOB", "TMP2.VOB", "TMP1.MPG", "TMP2.MPG"})
        removeFile(folder + name);
}

}  // namespace velmorin
