#include "project/state_record.h"

#include <cstring>
#include <memory>

#include "common/little_endian.h"
#include "platform/path_field.h"

namespace velmorin {

namespace {

// Record offsets.
constexpr std::size_t kPlayerPath = 0x108;
constexpr std::size_t kPlayTimeIndex = 0x20C;
constexpr std::size_t kMpgWorkingFiles = 0x210;
constexpr std::size_t kPreviewEnabled = 0x214;
constexpr std::size_t kInterleaveCheck = 0x218;
constexpr std::size_t kReadByVtsi = 0x224;
constexpr std::size_t kChapterMethod = 0x228;
constexpr std::size_t kFastRead = 0x22C;
constexpr std::size_t kChapterCount = 0x230;
constexpr std::size_t kChapterSectors = 0x234;
constexpr std::size_t kFirstCellSector = 0x11D4;
constexpr std::size_t kCellIsEntry = 0x11D8;
constexpr std::size_t kFileCount = 0x15C0;
constexpr std::size_t kGopCount = 0x15C4;
constexpr std::size_t kStartSector = 0x15C8;
constexpr std::size_t kFileIndex = 0x815C8;
constexpr std::size_t kFlags = 0xA15C8;
constexpr std::size_t kFilePath = 0xC15C8;
constexpr std::size_t kFileSize = 0xC97C8;
constexpr std::size_t kLastProjectPath = 0xC9BCC;
constexpr std::size_t kLastSourceFolder = 0xC9CD0;

static_assert(kChapterSectors + 4 * (ChapterInfo::kMaxSectors + 1) == kFirstCellSector);
static_assert(kStartSector + 4 * GopTable::kEntries == kFileIndex);
static_assert(kFilePath + kPathFieldSize * InputFileSet::kMaxFiles == kFileSize);

}  // namespace

std::optional<std::vector<std::uint8_t>> encodeStateRecord(const AppState& state,
                                                           std::string& unstorablePath) {
    std::vector<std::uint8_t> image(kStateRecordSize, 0);
    std::uint8_t* r = image.data();
    const auto path = [&](const std::string& text, std::size_t offset, bool required) {
        if (encodePathField(text, r + offset) || !required) return true;
        unstorablePath = text;
        return false;
    };
    const auto& settings = state.settings;
    if (!path(settings.playerPath, kPlayerPath, true)) return std::nullopt;
    writeLe32(r + kPlayTimeIndex, static_cast<std::uint32_t>(settings.playTimeIndex));
    writeLe32(r + kMpgWorkingFiles, settings.mpgWorkingFiles);
    writeLe32(r + kPreviewEnabled, settings.previewEnabled);

    const auto& options = state.sourceOptions;
    writeLe32(r + kInterleaveCheck, options.interleaveCheck);
    writeLe32(r + kReadByVtsi, options.readByVtsi);
    writeLe32(r + kChapterMethod, static_cast<std::uint32_t>(options.chapterMethod));
    writeLe32(r + kFastRead, options.fastRead);

    const auto& chapters = state.chapterInfo;
    writeLe32(r + kChapterCount, static_cast<std::uint32_t>(chapters.count));
    for (std::size_t i = 0; i < chapters.sectors.size(); ++i)
        writeLe32(r + kChapterSectors + 4 * i, chapters.sectors[i]);
    writeLe32(r + kFirstCellSector, chapters.firstCellSector);
    std::memcpy(r + kCellIsEntry, chapters.cellIsEntry.data(), chapters.cellIsEntry.size());

    const auto& files = state.inputFiles;
    const auto& table = state.gopTable;
    writeLe32(r + kFileCount, static_cast<std::uint32_t>(files.fileCount));
    writeLe32(r + kGopCount, static_cast<std::uint32_t>(table.gopCount));
    for (std::size_t i = 0; i < GopTable::kEntries; ++i)
        writeLe32(r + kStartSector + 4 * i, table.startSector[i]);
    std::memcpy(r + kFileIndex, table.fileIndex.data(), table.fileIndex.size());
    std::memcpy(r + kFlags, table.flags.data(), table.flags.size());
    for (int i = 0; i < InputFileSet::kMaxFiles; ++i) {
        const auto k = static_cast<std::size_t>(i);
        // Paths beyond the file count are kept when they can be; they are never used.
        if (!path(files.filePath[k], kFilePath + kPathFieldSize * k, i < files.fileCount))
            return std::nullopt;
        writeLeDouble(r + kFileSize + 8 * k, files.fileSize[k]);
    }
    if (!path(state.lastProjectPath, kLastProjectPath, true)) return std::nullopt;
    if (!path(settings.lastSourceFolder, kLastSourceFolder, true)) return std::nullopt;
    return image;
}

bool decodeStateRecord(const std::uint8_t* r, AppState& state) {
    const auto fileCount = static_cast<std::int32_t>(readLe32(r + kFileCount));
    const auto gopCount = static_cast<std::int32_t>(readLe32(r + kGopCount));
    const auto chapterCount = static_cast<std::int32_t>(readLe32(r + kChapterCount));
    if (fileCount < 0 || fileCount > InputFileSet::kMaxFiles || gopCount < 0 ||
        gopCount > GopTable::kMaxGops || chapterCount < 0 ||
        chapterCount > ChapterInfo::kMaxSectors)
        return false;

    auto loaded = std::make_unique<AppState>();
    const auto path = [&](std::size_t offset, std::string& out) {
        const auto text = decodePathField(r + offset);
        if (text) out = *text;
        return text.has_value();
    };
    auto& settings = loaded->settings;
    if (!path(kPlayerPath, settings.playerPath)) return false;
    settings.playTimeIndex = static_cast<std::int32_t>(readLe32(r + kPlayTimeIndex));
    // An index outside the play-time list would reach past it; the settings file's rule.
    if (settings.playTimeIndex < 0 || settings.playTimeIndex >= Settings::kPlayTimes)
        settings.playTimeIndex = Settings::kDefaultPlayTimeIndex;
    settings.mpgWorkingFiles = readLe32(r + kMpgWorkingFiles) != 0;
    settings.previewEnabled = readLe32(r + kPreviewEnabled) != 0;

    auto& options = loaded->sourceOptions;
    options.interleaveCheck = readLe32(r + kInterleaveCheck) != 0;
    options.readByVtsi = readLe32(r + kReadByVtsi) != 0;
    options.chapterMethod =
        readLe32(r + kChapterMethod) == 1 ? ChapterMethod::CountCells : ChapterMethod::SectorMatch;
    options.fastRead = readLe32(r + kFastRead) != 0;

    auto& chapters = loaded->chapterInfo;
    chapters.count = chapterCount;
    for (std::size_t i = 0; i < chapters.sectors.size(); ++i)
        chapters.sectors[i] = readLe32(r + kChapterSectors + 4 * i);
    chapters.firstCellSector = readLe32(r + kFirstCellSector);
    std::memcpy(chapters.cellIsEntry.data(), r + kCellIsEntry, chapters.cellIsEntry.size());

    auto& files = loaded->inputFiles;
    auto& table = loaded->gopTable;
    files.fileCount = fileCount;
    table.gopCount = gopCount;
    for (std::size_t i = 0; i < GopTable::kEntries; ++i)
        table.startSector[i] = readLe32(r + kStartSector + 4 * i);
    std::memcpy(table.fileIndex.data(), r + kFileIndex, table.fileIndex.size());
    std::memcpy(table.flags.data(), r + kFlags, table.flags.size());
    for (std::size_t k = 0; k < InputFileSet::kMaxFiles; ++k) {
        if (!path(kFilePath + kPathFieldSize * k, files.filePath[k]) &&
            k < static_cast<std::size_t>(fileCount))
            return false;
        files.fileSize[k] = readLeDouble(r + kFileSize + 8 * k);
        // A scan never records more than a 2 GiB file; anything else (a negative size, NaN)
        // would turn into nonsense sector counts.
        const double size = files.fileSize[k];
        if (k < static_cast<std::size_t>(fileCount) && !(size >= 0 && size < 2147483648.0))
            return false;
    }
    // Every GOP, and the end entry, must name a file of the set (the end entry the one
    // just past it): the extent of a GOP is read from them.
    for (std::int32_t k = 0; k < gopCount; ++k)
        if (table.fileIndex[static_cast<std::size_t>(k)] >= fileCount) return false;
    if (gopCount > 0 && table.fileIndex[static_cast<std::size_t>(gopCount)] > fileCount)
        return false;
    if (!path(kLastProjectPath, loaded->lastProjectPath)) return false;
    if (!path(kLastSourceFolder, settings.lastSourceFolder)) return false;
    state = std::move(*loaded);
    return true;
}

void zeroStateRecord(AppState& state) {
    state = AppState{};
    state.settings = Settings{"", "", 0, false, false};
    state.sourceOptions = SourceOptions{false, ChapterMethod::SectorMatch, false, false};
}

}  // namespace velmorin
