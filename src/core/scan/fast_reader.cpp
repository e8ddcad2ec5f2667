// The fast reader: from one navigation pack to the next by the VOBU end address, and
// every sector only in the last 4 MiB of the file.
#include "platform/binary_file.h"
#include "scan/pack.h"
#include "scan/vob_scanner.h"

namespace velmorin {

namespace {

constexpr std::int64_t kTailSectors = 2048;
// The size of one read where the reader takes every sector.
constexpr std::size_t kPiece = 1024 * 1024;
static_assert(SectorBuffer::kSize % kPiece == 0 && kPiece % kSectorSize == 0);

}  // namespace

ReaderResult VobScanner::readFast(int j) {
    const auto& path = target_.files.filePath[static_cast<std::size_t>(j)];
    double& fileSize = target_.files.fileSize[static_cast<std::size_t>(j)];
    const auto size = regularFileSize(path);
    if (!size) return ReaderResult::CannotOpen;
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file.isOpen()) return ReaderResult::CannotOpen;
    const auto sectorCount = static_cast<std::int64_t>(*size / kSectorSize);

    // Packs before the first navigation pack continue the previous file's last GOP.
    // Every sector of the first chunk must be a pack. The chunk is read a piece at a time
    // into the start of the buffer: the jumps below need one sector, and touching all of
    // the buffer would cost a page fault per page where memory comes in small pages.
    std::int64_t p = -1;
    for (std::size_t done = 0; done < SectorBuffer::kSize;) {
        const std::size_t got = file.read(buffer_.data(), kPiece);
        if (file.hasError()) return ReaderResult::SeekError;
        for (std::size_t i = 0; i < got / kSectorSize; ++i) {
            const SectorView sector = buffer_.sector(i);
            if (!isPack(sector)) return ReaderResult::AbnormalContent;
            if (p < 0 && isNavigationPack(sector))
                p = static_cast<std::int64_t>(done / kSectorSize + i);
        }
        done += got;
        if (got < kPiece) break;
    }
    if (p < 0) p = 0;
    scan_.runningSector += static_cast<std::int32_t>(p);
    scan_.sectorsDone += static_cast<std::int32_t>(p);
    fileSize += static_cast<double>(p) * kSectorSize;

    bool inTail = false;
    for (int i = 0;; ++i) {
        if (i % 10 == 0) ui_.pumpMessages();
        std::size_t asked = 0;
        std::size_t got = 0;
        if (p < sectorCount - kTailSectors) {
            asked = kSectorSize;
            got = file.readAt(static_cast<std::uint64_t>(p) * kSectorSize, buffer_.data(), asked);
            if (got < asked) return ReaderResult::SeekError;
            const SectorView sector = buffer_.sector(0);
            if (!isPack(sector)) return ReaderResult::AbnormalContent;
            if (!isNavigationPack(sector)) return ReaderResult::NoVobuHeader;
            const ReaderResult result =
                recordNavigationPack(sector, j, static_cast<std::uint32_t>(p));
            if (result != ReaderResult::Ok) return result;

            // An end address that would not move forward (it wraps to 0 in 32 bits) or
            // that runs past the end of the file is damage, not a VOBU.
            const std::int64_t k = std::int64_t{vobuEndAddress(sector)} + 1;
            if (p + k > sectorCount) return ReaderResult::NoVobuHeader;
            p += k;
            scan_.runningSector += static_cast<std::int32_t>(k);
            scan_.sectorsDone += static_cast<std::int32_t>(k);
            fileSize += static_cast<double>(k) * kSectorSize;
        } else {
            // The tail is read in order from the first sector the jumps did not reach.
            if (!inTail && !file.seek(static_cast<std::uint64_t>(p) * kSectorSize))
                return ReaderResult::SeekError;
            inTail = true;
            asked = kPiece;
            got = file.read(buffer_.data(), asked);
            if (file.hasError()) return ReaderResult::SeekError;
            for (std::size_t s = 0; s < got / kSectorSize; ++s) {
                const SectorView sector = buffer_.sector(s);
                if (!isPack(sector)) return ReaderResult::AbnormalContent;
                if (isNavigationPack(sector)) {
                    const ReaderResult result =
                        recordNavigationPack(sector, j, static_cast<std::uint32_t>(p));
                    if (result != ReaderResult::Ok) return result;
                }
                ++p;
                ++scan_.runningSector;
                ++scan_.sectorsDone;
                fileSize += kSectorSize;
            }
        }
        if (target_.cancelRequested) return ReaderResult::Cancelled;
        if (i % 10 == 0) drawProgress();
        if (got < asked) return ReaderResult::Ok;
    }
}

}  // namespace velmorin
