#include "dvd/vtsi_reader.h"

#include <cstring>

#include "common/text_format.h"
#include "dvd/ifo_file.h"
#include "dvd/program_chain.h"
#include "platform/native_path.h"

namespace velmorin {

namespace {

bool hasIdentifier(const ByteReader& ifo) {
    static constexpr char kId[] = "DVDVIDEO-VTS";
    for (std::size_t i = 0; i < sizeof kId - 1; ++i)
        if (ifo.u8(i) != static_cast<std::uint8_t>(kId[i])) return false;
    return true;
}

}  // namespace

bool parseVtsi(const ByteReader& ifo, bool interleaveCheck, ChapterInfo& chapters, Ui& ui) {
    const std::uint64_t length = ifo.size();
    if (!hasIdentifier(ifo)) return false;
    // The table's sector pointer and the PGC offsets are taken at their full 32 bits, in
    // 64-bit arithmetic: one that points beyond the bytes examined is a format error, where
    // its low bits alone would name some other place inside them.
    const std::uint64_t p = std::uint64_t{ifo.be32(kVtsPgcTable)} * 2048;
    if (p + 16 > length) return false;

    const std::uint16_t pgcCount = ifo.be16(p);
    chapters.count = 0;
    std::uint64_t runningCell = 0;
    bool warned = false;
    for (std::uint16_t i = 0; i < pgcCount; ++i) {
        const std::uint64_t g = p + ifo.be32(p + 8 + 8 * std::uint64_t{i} + 4);
        if (g + kPgcFixedPart > length) return false;
        const ProgramChainTables pgc(ifo, g);
        const std::uint64_t m = pgc.programMap();
        const std::uint64_t b = pgc.cellPlaybackTable();
        const std::uint64_t q = pgc.cellPositionTable();
        if (m > length || b > length || q > length || b <= m) return false;
        const unsigned cells = pgc.cells();

        if (interleaveCheck && !warned) {
            for (std::uint64_t c = 0; c < cells; ++c) {
                if (pgc.cell(c).firstIlvuEnd != 0) {
                    ui.info(vtsi_messages::kInterleaved);
                    warned = true;
                    break;
                }
            }
        }
        if (i == 0) chapters.firstCellSector = pgc.cell(0).firstSector;
        // The program map: every non-zero byte up to the cell table names an entry cell.
        for (std::uint64_t k = m; k < b && chapters.count < ChapterInfo::kMaxSectors; ++k) {
            const std::uint8_t v = ifo.u8(k);
            if (v == 0) continue;
            const std::uint64_t c = v - 1u;
            chapters.sectors[static_cast<std::size_t>(chapters.count++)] = pgc.cell(c).firstSector;
            if (runningCell + c < ChapterInfo::kMaxCells) chapters.cellIsEntry[runningCell + c] = 1;
        }
        runningCell += cells;
    }
    return true;
}

std::vector<std::string> findTitleSetVobs(Platform& platform, const std::string& folder,
                                          const std::string& vtsiName) {
    const std::string base = withTrailingSeparator(folder);
    const std::string nn = vtsiName.size() >= 6 ? vtsiName.substr(4, 2) : std::string("??");
    // The actual name on disk, which may differ from the wanted one in case.
    const auto existing = [&](const std::string& name) -> std::string {
        if (name.find_first_of("*?") != std::string::npos) return {};
        const auto found = findFiles(platform, base, name);
        return found.empty() ? std::string() : base + found.front();
    };
    std::vector<std::string> parts;
    const auto collect = [&](const char* format, unsigned from, unsigned to) {
        for (unsigned m = from; m <= to; ++m) {
            const std::string path = existing(formatText(format, nn[0], nn[1], m));
            if (path.empty()) return;
            parts.push_back(path);
        }
    };
    collect("VTS_%c%c_%u.VOB", 1, 9);
    if (parts.empty()) collect("VTS_%c%c_%02u.VOB", 1, 9);
    if (parts.size() == 9) collect("VTS_%c%c_%02u.VOB", 10, 99);
    return parts;
}

bool readVtsi(const std::string& folder, const std::string& vtsiName, const SourceOptions& options,
              ChapterInfo& chapters, InputFileSet& files, Ui& ui, Platform& platform) {
    chapters.firstCellSector = 0;
    chapters.cellIsEntry.fill(0);
    IfoBuffer ifo;
    if (!ifo.load(withTrailingSeparator(folder) + vtsiName)) {
        ui.error(vtsi_messages::kCannotOpen);
        return false;
    }
    if (!parseVtsi(ifo.reader(), options.interleaveCheck, chapters, ui)) {
        ui.error(vtsi_messages::kBadFormat);
        return false;
    }
    const auto vobs = findTitleSetVobs(platform, folder, vtsiName);
    if (vobs.empty()) {
        ui.error(vtsi_messages::kNoVobFiles);
        return false;
    }
    files.fileCount = static_cast<std::int32_t>(vobs.size());
    for (std::size_t i = 0; i < vobs.size(); ++i) files.filePath[i] = vobs[i];
    return true;
}

}  // namespace velmorin
