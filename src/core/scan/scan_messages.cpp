#include "scan/scan_messages.h"

#include "common/text_format.h"

namespace velmorin::scan_messages {

std::string notWholeSectors(const std::string& path) {
    return formatText("%s が2KBの整数倍になっていません.\n通常のDVDビデオのファイルではありません.",
                      path.c_str());
}

std::string twoGigabytesOrMore(const std::string& path) {
    return formatText("%s のサイズが2GB以上です.\n通常のDVDビデオのファイルではありません.",
                      path.c_str());
}

std::string cannotOpen(const std::string& path) {
    return formatText("%s が開けません.", path.c_str());
}

std::string fullReaderAbnormal(const std::string& path) {
    return formatText("処理を中止しました（%s の内容が異常です）.", path.c_str());
}

std::string fastReaderNoPackHeader(const std::string& path) {
    return formatText("%s の内容が異常です（PACKヘッダ検出不能）.", path.c_str());
}

std::string seekError(const std::string& path) {
    return formatText("%s の内容が異常です（シークエラー）.", path.c_str());
}

std::string noVobuHeader(const std::string& path) {
    return formatText("%s の内容が異常です（VOBUヘッダ検出不能）.", path.c_str());
}

std::string damagedPackQuestion(std::int32_t runningSector) {
    return formatText(
        "PACKヘッダが異常です（データが部分的に壊れています：PACK No.=%08Xh）.\n"
        "処理を続行しますか（軽微な損傷の場合は、正常に再生される可能性があります）？",
        static_cast<unsigned>(runningSector));
}

std::string finishedWithNgPacks(std::int32_t ngPackCount) {
    return formatText("読み込みを終了しました（NG PACK数=%d）.", ngPackCount);
}

}  // namespace velmorin::scan_messages
