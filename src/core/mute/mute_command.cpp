#include "mute/mute_command.h"

#include "common/text_format.h"

namespace velmorin {

MuteState patternForButton(int controlId) {
    switch (controlId) {
        case 103:
            return 1;
        case 104:
            return 2;
        case 105:
            return 3;
        case 106:
            return 4;
        case 108:
            return 0;
        case 109:
            return 5;
        case 110:
            return 6;
        case 111:
            return 7;
        case 112:
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
