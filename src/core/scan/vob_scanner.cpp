#include "scan/vob_scanner.h"

#include "platform/binary_file.h"
#include "scan/gop_line.h"
#include "scan/scan_messages.h"

namespace velmorin {

namespace {

constexpr std::uint64_t kTwoGigabytes = 2147483648ull;

class WaitCursor {
public:
    explicit WaitCursor(Ui& ui) : ui_(ui) { ui_.setWaitCursor(true); }
    ~WaitCursor() { ui_.setWaitCursor(false); }

private:
    Ui& ui_;
};

}  // namespace

bool VobScanner::run() {
    target_.table.flags.fill(0);
    target_.lines.clear();
    list_.clear();

    const ClientSize client = ui_.openProgress(scan_messages::kProgressCaption);
    bar_ = ProgressBar::forClientArea(client.width, client.height);
    {
        WaitCursor waitCursor(ui_);
        if (!readAllFiles()) {
            fail();
            return false;
        }
        ui_.closeProgress();
    }
    if (scan_.interleaveSeen) ui_.info(scan_messages::kInterleaveDetected);
    if (scan_.ngPackCount > 0) ui_.info(scan_messages::finishedWithNgPacks(scan_.ngPackCount));
    return true;
}

bool VobScanner::readAllFiles() {
    auto& files = target_.files;
    scan_ = ScanState{};
    if (!checkFileSizes()) return false;

    target_.table.gopCount = 0;
    double totalSize = 0;
    for (int j = 0; j < files.fileCount; ++j) {
        files.fileSize[static_cast<std::size_t>(j)] = 0;
        const ReaderResult result = target_.options.fastRead ? readFast(j) : readFull(j);
        if (result != ReaderResult::Ok) {
            reportReaderResult(result, j);
            return false;
        }
        totalSize += files.fileSize[static_cast<std::size_t>(j)];
    }
    target_.table.close(files);
    list_.setSizeLabel(sizeLabelText(totalSize));
    return true;
}

bool VobScanner::checkFileSizes() {
    const auto& files = target_.files;
    for (int j = 0; j < files.fileCount; ++j) {
        const auto& path = files.filePath[static_cast<std::size_t>(j)];
        // A file without a directory entry counts as empty here; its reader then reports
        // that it cannot be opened.
        const std::uint64_t size = regularFileSize(path).value_or(0);
        if (size % kSectorSize != 0) {
            ui_.error(scan_messages::notWholeSectors(path));
            return false;
        }
        if (size >= kTwoGigabytes) {
            ui_.error(scan_messages::twoGigabytesOrMore(path));
            return false;
        }
        scan_.totalSectors += static_cast<std::int32_t>(size / kSectorSize);
    }
    return true;
}

void VobScanner::fail() {
    target_.table.invalidate(target_.files);
    target_.lines.clear();
    list_.clear();
    ui_.closeProgress();
}

void VobScanner::reportReaderResult(ReaderResult result, int j) {
    const auto& path = target_.files.filePath[static_cast<std::size_t>(j)];
    switch (result) {
        case ReaderResult::Ok:
        case ReaderResult::Cancelled:
            return;
        case ReaderResult::CannotOpen:
            return ui_.error(scan_messages::cannotOpen(path));
        case ReaderResult::AbnormalContent:
            return ui_.error(target_.options.fastRead ? scan_messages::fastReaderNoPackHeader(path)
                                                      : scan_messages::fullReaderAbnormal(path));
        case ReaderResult::SeekError:
            return ui_.error(scan_messages::seekError(path));
        case ReaderResult::NoVobuHeader:
            return ui_.error(scan_messages::noVobuHeader(path));
        case ReaderResult::TooManyGops:
            return ui_.error(scan_messages::kTooManyGops);
    }
}

void VobScanner::drawProgress() {
    ui_.drawProgress(bar_, bar_.splitX(scan_.sectorsDone, scan_.totalSectors));
}

}  // namespace velmorin
