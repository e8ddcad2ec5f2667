#include "scan/sector_reader.h"

#include <algorithm>
#include <chrono>

namespace velmorin {

namespace {

// Files are mapped a window at a time: few calls on a title of several GiB, and little
// address space for a 32-bit process. The trial maps one window, as the pass will.
constexpr std::uint64_t kWindowSectors = 32 * 1024 * 1024 / kSectorSize;
// The head of a file is always read: the cache holds it in small pages even where it holds
// the rest in large ones, since the system reads a file's start in small steps.
constexpr std::uint64_t kHeadSectors = 32 * 1024 * 1024 / kSectorSize;
// Reading is timed over this much of the pass: long enough to outweigh a call's own cost.
constexpr std::uint64_t kReadTrialSectors = 16 * 1024 * 1024 / kSectorSize;

// The least the reading way reads at once.
constexpr std::uint64_t kReadPieceSectors = 1024 * 1024 / kSectorSize;
constexpr std::uint64_t kNowhere = ~std::uint64_t{0};

std::optional<SectorReader::Way> forcedWay;

// Adds the time `work` takes to `seconds`.
template <typename Work>
auto timed(double& seconds, Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    auto result = work();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

}  // namespace

void SectorReader::forceWayForTesting(std::optional<Way> way) {
    forcedWay = way;
}

SectorReader::SectorReader(SectorBuffer& buffer)
    : buffer_(buffer), way_(forcedWay.value_or(Way::TryMapping)), forced_(forcedWay.has_value()) {}

bool SectorReader::open(const std::string& path) {
    releaseWindow();
    bufferCount_ = 0;
    filePosition_ = 0;
    mapped_.close();
    file_ = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file_.isOpen()) return false;
    if (way_ != Way::Reading) mapped_ = MappedFile::open(path);
    return true;
}

SectorRun SectorReader::read(std::uint64_t first, std::uint64_t count) {
    if (count == 0) return {};
    if (!mapped_.isOpen() || (first < kHeadSectors && !forced_))
        return readIntoBuffer(first, count);
    if (!inWindow(first)) releaseWindow();  // which may end the mapping trial
    if (mapping()) {
        const SectorRun run = readMapped(first, count);
        if (run.count > 0 || mapped_.isOpen()) return run;
        return readIntoBuffer(first, count);  // the system would not map this window
    }
    const SectorRun run = timed(readingSeconds_, [&] { return readIntoBuffer(first, count); });
    readSectors_ += run.count;
    if (readSectors_ >= kReadTrialSectors) decide();
    return run;
}

bool SectorReader::mapping() const {
    return way_ == Way::TryMapping || way_ == Way::Mapping;
}

bool SectorReader::inWindow(std::uint64_t sector) const {
    return windowData_ && sector >= windowFirst_ && sector < windowFirst_ + windowCount_;
}

SectorRun SectorReader::readMapped(std::uint64_t first, std::uint64_t count) {
    if (!inWindow(first)) {
        const std::uint64_t sectors = mapped_.size() / kSectorSize;
        if (first >= sectors) return {};
        const std::uint64_t wanted = std::min(sectors - first, kWindowSectors);
        const auto bytes = static_cast<std::size_t>(wanted * kSectorSize);
        const std::uint8_t* data =
            way_ == Way::TryMapping
                ? timed(mappingSeconds_, [&] { return mapped_.view(first * kSectorSize, bytes); })
                : mapped_.view(first * kSectorSize, bytes);
        if (!data) {
            // Refused (a page could not be brought in): this file is read from here on,
            // and a trial takes reading as its answer.
            mapped_.close();
            if (way_ == Way::TryMapping) way_ = Way::Reading;
            return {};
        }
        windowData_ = data;
        windowFirst_ = first;
        windowCount_ = wanted;
        if (way_ == Way::TryMapping) mappedSectors_ += wanted;
    }
    const std::uint64_t offset = first - windowFirst_;
    return {windowData_ + offset * kSectorSize,
            static_cast<std::size_t>(std::min(count, windowCount_ - offset))};
}

// Releasing a window is part of what mapping costs; once the trial's stretch has been
// mapped and released, the next stretch is read.
void SectorReader::releaseWindow() {
    if (!windowData_) return;
    windowData_ = nullptr;
    windowCount_ = 0;
    if (way_ != Way::TryMapping) {
        mapped_.releaseView();
        return;
    }
    timed(mappingSeconds_, [&] {
        mapped_.releaseView();
        return 0;
    });
    way_ = Way::TryReading;
}

void SectorReader::decide() {
    const bool mappingFaster = mappingSeconds_ * static_cast<double>(readSectors_) <
                               readingSeconds_ * static_cast<double>(mappedSectors_);
    way_ = mappedSectors_ > 0 && mappingFaster ? Way::Mapping : Way::Reading;
    if (way_ == Way::Reading) mapped_.close();
}

// Reads at least a piece at a time, so a pass over short runs makes few calls, and serves
// the next runs from what the buffer already holds.
SectorRun SectorReader::readIntoBuffer(std::uint64_t first, std::uint64_t count) {
    if (first < bufferFirst_ || first >= bufferFirst_ + bufferCount_) {
        bufferCount_ = 0;
        if (!file_.isOpen() || (first != filePosition_ && !file_.seek(first * kSectorSize)))
            return {};
        const auto want = static_cast<std::size_t>(
            std::clamp<std::uint64_t>(count, kReadPieceSectors, SectorBuffer::kSectors));
        bufferFirst_ = first;
        bufferCount_ = file_.read(buffer_.data(), want * kSectorSize) / kSectorSize;
        // After a short read (the end, perhaps in mid-sector) the next read seeks.
        filePosition_ = bufferCount_ == want ? first + bufferCount_ : kNowhere;
    }
    const std::uint64_t offset = first - bufferFirst_;
    return {buffer_.data() + offset * kSectorSize,
            static_cast<std::size_t>(std::min(count, bufferCount_ - offset))};
}

}  // namespace velmorin
