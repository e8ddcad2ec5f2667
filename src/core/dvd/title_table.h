// The disc's title list from VIDEO_TS.IFO: for every title, the title set that holds it,
// its number there, its angles and its chapters.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/byte_reader.h"
#include "platform/platform.h"
#include "ui/ui.h"

namespace velmorin {

inline constexpr const char* kVideoTsIfoMissing = "VIDEO_TS.VOBが見つかりません.";
inline constexpr const char* kNoTitleInformation = "タイトル情報が見つかりません.";

// One line per title entry that lies entirely within the bytes read.
std::vector<std::string> titleInformationLines(const ByteReader& vmgi);

// Reads FOLDER/VIDEO_TS.IFO; reports a failure and returns nothing.
std::optional<std::vector<std::string>> readTitleInformation(const std::string& folder, Ui& ui,
                                                             Platform& platform);

}  // namespace velmorin
