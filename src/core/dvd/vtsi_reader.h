// Reads a title set's information file (VTS_nn_0.IFO): where its chapters begin, whether
// its cells are interleaved, and which VOB files belong to it.
#pragma once

#include <string>
#include <vector>

#include "common/byte_reader.h"
#include "platform/platform.h"
#include "scan/chapter_info.h"
#include "scan/input_file_set.h"
#include "scan/source_options.h"
#include "ui/ui.h"

namespace velmorin::vtsi_messages {

inline constexpr const char* kCannotOpen = "VTSIファイルが開けません.";
inline constexpr const char* kBadFormat = "VTSIファイルの形式が異常です.";
inline constexpr const char* kNoVobFiles = "VTSIファイルに対応するVOBファイルが見つかりません.";
inline constexpr const char* kInterleaved =
    "インターリーブを検出しました. \"X\"表示が該当個所です.\n"
    "属性設定画面で【インターリーブを排除】をONにしてDVDイメージを作成してください.";

}  // namespace velmorin::vtsi_messages

namespace velmorin {

// Fills the chapter information from the VTSI bytes; false when the format is wrong.
// With `interleaveCheck`, shows the interleave warning once if a cell is interleaved.
bool parseVtsi(const ByteReader& ifo, bool interleaveCheck, ChapterInfo& chapters, Ui& ui);

// Full paths of the title set's VOB files in part order: VTS_nn_1.VOB … VTS_nn_9.VOB,
// else VTS_nn_01.VOB … VTS_nn_09.VOB, then on to VTS_nn_99.VOB after a full nine; the set
// ends at the first missing part. Names match in either case.
std::vector<std::string> findTitleSetVobs(Platform& platform, const std::string& folder,
                                          const std::string& vtsiName);

// The select button with "VTSI情報でﾘｰﾄﾞ" on: reads `vtsiName` in `folder` and makes its
// VOB files the input file set. Reports every failure; true on success.
bool readVtsi(const std::string& folder, const std::string& vtsiName, const SourceOptions& options,
              ChapterInfo& chapters, InputFileSet& files, Ui& ui, Platform& platform);

}  // namespace velmorin
