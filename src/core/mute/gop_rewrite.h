// Rewrites a GOP held in memory for a mute pattern: the marker in its navigation pack and
// the stream id of every audio packet. Nothing else changes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/mute_marker.h"
#include "ui/ui.h"

namespace velmorin {

inline constexpr const char* kPaddingStreamQuestion =
    "既存のPadding Streamが見つかりました. このデータは正常に編集できません.\n変更を中止しますか？";

// `sectors` whole sectors at `data`, the first being the GOP's navigation pack. Returns
// false when the user chose to abort at the padding-stream question (nothing changed).
bool rewriteGopForPattern(std::uint8_t* data, std::size_t sectors, MuteState pattern, Ui& ui);

}  // namespace velmorin
