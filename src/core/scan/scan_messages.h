// The scanner's messages, exactly as the program shows them.
#pragma once

#include <cstdint>
#include <string>

namespace velmorin::scan_messages {

inline constexpr const char* kProgressCaption = "VOBファイル読み込み中";
inline constexpr const char* kTooManyGops =
    "入力データサイズが大き過ぎます.\n通常のDVDビデオではありません.";
inline constexpr const char* kInterleaveDetected =
    "インターリーブを検出しました. \"X\"表示が該当個所です.";

std::string notWholeSectors(const std::string& path);
std::string twoGigabytesOrMore(const std::string& path);
std::string cannotOpen(const std::string& path);
std::string fullReaderAbnormal(const std::string& path);
std::string fastReaderNoPackHeader(const std::string& path);
std::string seekError(const std::string& path);
std::string noVobuHeader(const std::string& path);
std::string damagedPackQuestion(std::int32_t runningSector);
std::string finishedWithNgPacks(std::int32_t ngPackCount);

}  // namespace velmorin::scan_messages
