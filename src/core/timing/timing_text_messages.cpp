#include "timing/timing_text_messages.h"

#include "common/text_format.h"
#include "timing/title_time_text.h"

namespace velmorin::timing_messages {

std::string undecodableText(const std::string& path, int line, const char* encodingName) {
    return formatText("%s の%d行目が%sの文字として読めません.\n文字コードを確認してください.",
                      path.c_str(), line, encodingName);
}

std::string malformedEdlLine(const std::string& path, int line) {
    return formatText("%s の%d行目が異常です（EDLの行は「開始秒 終了秒 動作」です）.", path.c_str(),
                      line);
}

std::string ignoredEdlEntry(const std::string& path, int line, const std::string& action) {
    return formatText("%s の%d行目は無音化以外の動作（%s）のため無視しました.", path.c_str(), line,
                      action.c_str());
}

std::string malformedSubtitleTiming(const std::string& path, int line) {
    return formatText("%s の%d行目の時刻が異常です.", path.c_str(), line);
}

std::string noSubtitleCues(const std::string& path) {
    return formatText("%s に字幕がありません.", path.c_str());
}

std::string malformedTypedSpan(int line) {
    return formatText(
        "入力した時間の%d行目が正しくありません.\n開始-終了を hh:mm:ss.mmm "
        "または秒で入力してください.",
        line);
}

std::string noWords(const std::string& path) {
    return formatText("%s に語句がありません.", path.c_str());
}

std::string noMatchingCues(const std::string& subtitlePath) {
    return formatText("%s に語句を含む字幕はありません.", subtitlePath.c_str());
}

std::string spanBeforeTitleStart(const TitleSpan& span) {
    return formatText("%s は時間をずらすとタイトルの先頭より前になります.",
                      formatTitleSpan(span).c_str());
}

}  // namespace velmorin::timing_messages
