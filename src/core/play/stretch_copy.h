// A stretch of GOPs as a byte range across the input files, and its plain byte copy into
// one output file through the sector buffer.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/binary_file.h"
#include "platform/sector_buffer.h"
#include "state/app_state.h"

namespace velmorin {

inline constexpr std::int64_t kMaxStretchBytes = 1073741824;  // 2^30

// Bytes from `startOffset` of file `firstFile` on, `length` of them, running on through
// the following files up to file `lastFile`.
struct ByteRange {
    int firstFile = 0;
    std::uint64_t startOffset = 0;
    int lastFile = 0;
    std::int64_t length = 0;

    std::int64_t sectors() const { return length / 2048; }
};

// GOPs [b, e) of the table; an e at or past the last GOP runs to the end of the last
// file. Nothing when the length is negative or above 1 GiB.
std::optional<ByteRange> byteRangeOf(const AppState& state, int b, int e);

enum class CopyResult {
    Ok,
    CannotOpenInput,  // "ファイルが開けません."
    SeekError,        // "表示位置指定が正しくありません（シークエラー）."
    CannotCreateOutput,
    WriteError,  // "作業用ファイルの書き込みでエラーが発生しました."
};

struct CopyProgress {
    std::function<void()> pumpMessages;             // before every piece, when set
    std::function<void(std::int64_t bytes)> drawn;  // after every piece, with the bytes written
};

// Opens the first input file and seeks to the range, then creates the output with
// `createOutput` (nothing when it cannot) and copies in pieces of at most 16 MiB.
CopyResult copyByteRange(const InputFileSet& files, const ByteRange& range, SectorBuffer& buffer,
                         const std::function<std::optional<BinaryFile>()>& createOutput,
                         const CopyProgress& progress);

}  // namespace velmorin
