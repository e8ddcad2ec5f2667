#include "play/stretch_copy.h"

#include <algorithm>

namespace velmorin {

std::optional<ByteRange> byteRangeOf(const AppState& state, int b, int e) {
    const auto& table = state.gopTable;
    const auto& files = state.inputFiles;
    ByteRange r;
    r.firstFile = table.fileIndex[static_cast<std::size_t>(b)];
    r.startOffset = std::uint64_t{table.startSector[static_cast<std::size_t>(b)]} * 2048;
    std::int64_t endOffset = 0;
    if (e >= table.gopCount) {
        r.lastFile = files.fileCount - 1;
        endOffset = static_cast<std::int64_t>(files.fileSize[static_cast<std::size_t>(r.lastFile)]);
    } else {
        r.lastFile = table.fileIndex[static_cast<std::size_t>(e)];
        endOffset = std::int64_t{table.startSector[static_cast<std::size_t>(e)]} * 2048;
    }
    const auto start = static_cast<std::int64_t>(r.startOffset);
    if (r.firstFile >= r.lastFile) {
        r.length = endOffset - start;
    } else {
        r.length = static_cast<std::int64_t>(files.fileSize[static_cast<std::size_t>(r.firstFile)] -
                                             static_cast<double>(start));
        for (int i = r.firstFile + 1; i < r.lastFile; ++i)
            r.length += static_cast<std::int64_t>(files.fileSize[static_cast<std::size_t>(i)]);
        r.length += endOffset;
    }
    if (r.length < 0 || r.length > kMaxStretchBytes) return std::nullopt;
    return r;
}

CopyResult copyByteRange(const InputFileSet& files, const ByteRange& range, SectorBuffer& buffer,
                         const std::function<std::optional<BinaryFile>()>& createOutput,
                         const CopyProgress& progress) {
    int f = range.firstFile;
    BinaryFile input =
        BinaryFile::open(files.filePath[static_cast<std::size_t>(f)], BinaryFile::Mode::Read);
    if (!input.isOpen()) return CopyResult::CannotOpenInput;
    if (!input.seek(range.startOffset)) return CopyResult::SeekError;
    std::optional<BinaryFile> output = createOutput();
    if (!output) return CopyResult::CannotCreateOutput;

    std::int64_t remaining = range.length;
    std::int64_t written = 0;
    while (remaining >= 1) {
        if (progress.pumpMessages) progress.pumpMessages();
        const auto piece =
            static_cast<std::size_t>(std::min<std::int64_t>(remaining, SectorBuffer::kSize));
        const std::size_t n = input.read(buffer.data(), piece);
        if (n >= 1) {
            if (!output->write(buffer.data(), n)) return CopyResult::WriteError;
            written += static_cast<std::int64_t>(n);
        }
        if (progress.drawn) progress.drawn(written);
        remaining -= static_cast<std::int64_t>(n);
        if (remaining < 1 || n == piece) continue;
        // This file has ended: go on with the next, unless it was the last.
        if (f >= range.lastFile) break;
        input =
            BinaryFile::open(files.filePath[static_cast<std::size_t>(++f)], BinaryFile::Mode::Read);
        if (!input.isOpen()) return CopyResult::CannotOpenInput;
    }
    return output->close() ? CopyResult::Ok : CopyResult::WriteError;
}

}  // namespace velmorin
