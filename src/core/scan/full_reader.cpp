// The full reader: every sector of the file, 16 MiB at a time.
#include "platform/binary_file.h"
#include "scan/pack.h"
#include "scan/scan_messages.h"
#include "scan/vob_scanner.h"

namespace velmorin {

ReaderResult VobScanner::readFull(int j) {
    const auto& path = target_.files.filePath[static_cast<std::size_t>(j)];
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file.isOpen()) return ReaderResult::CannotOpen;

    std::uint32_t s = 0;
    for (;;) {
        ui_.pumpMessages();
        const std::size_t n = file.read(buffer_.data(), SectorBuffer::kSize);
        if (file.hasError()) return ReaderResult::SeekError;

        for (std::size_t i = 0; i < n / kSectorSize; ++i) {
            const SectorView sector = buffer_.sector(i);
            if (!isPack(sector)) {
                // A damaged pack header: the user may go on; later ones are only counted.
                // The preview decodes into its own scratch, so the chunk survives the
                // question's message loop.
                if (scan_.askOnNgPack) {
                    if (!ui_.confirm(scan_messages::damagedPackQuestion(scan_.runningSector)))
                        return ReaderResult::AbnormalContent;
                    scan_.askOnNgPack = false;
                }
                ++scan_.ngPackCount;
            } else if (isNavigationPack(sector)) {
                const ReaderResult result = recordNavigationPack(sector, j, s);
                if (result != ReaderResult::Ok) return result;
            }
            ++s;
            ++scan_.runningSector;
        }
        if (target_.cancelRequested) return ReaderResult::Cancelled;
        scan_.sectorsDone += static_cast<std::int32_t>(n / kSectorSize);
        drawProgress();
        target_.files.fileSize[static_cast<std::size_t>(j)] += static_cast<double>(n);
        if (n < SectorBuffer::kSize) return ReaderResult::Ok;
    }
}

}  // namespace velmorin
