#include "mute/mute_command.h"

#include "common/text_format.h"
#include "ui/control_ids.h"

namespace velmorin {

MuteState patternForButton(int controlId) {
    namespace m = ids::main_window;
    switch (controlId) {
        case m::kSilenceFirstQuarter:
            return 1;
        case m::kSilenceFirstHalf:
            return 2;
        case m::kSilenceFirstThreeQuarters:
            return 3;
        case m::kSilenceAllFirstRow:
            return 4;
        case m::kSilenceNone:
            return 0;
        case m::kSilenceLastQuarter:
            return 5;
        case m::kSilenceLastHalf:
            return 6;
        case m::kSilenceLastThreeQuarters:
            return 7;
        case m::kSilenceAllLastRow:
            return 4;
        default:
            return -1;
    }
}

std::string muteFailureMessage(MuteResult result, const InputFileSet& files, int fileIndex) {
    const int code = static_cast<int>(result);
    const auto path = [&](int index) {
        return index >= 0 && index < InputFileSet::kMaxFiles
                   ? files.filePath[static_cast<std::size_t>(index)]
                   : std::string();
    };
    switch (result) {
        case MuteResult::CannotOpenForReading:
        case MuteResult::SeekForReadingFailed:
            return formatText("%sが開けません（%d）.", path(fileIndex).c_str(), code);
        case MuteResult::Aborted:
            return "変更を中止しました.";
        case MuteResult::CannotOpenForUpdate:
        case MuteResult::SeekForUpdateFailed:
        case MuteResult::WriteFailed:
            return formatText("%sが更新できません（%d）.", path(fileIndex).c_str(), code);
        case MuteResult::NextFileCannotBeUpdated:
        case MuteResult::NextFileWriteFailed:
            return formatText("%sが更新できません（%d）.", path(fileIndex + 1).c_str(), code);
        case MuteResult::GopTooLarge:
            return formatText("%sのGOPが大き過ぎて編集できません（%d）.", path(fileIndex).c_str(),
                              code);
        default:
            return formatText("不明のエラーが発生しました（%d）.", code);
    }
}

}  // namespace velmorin
