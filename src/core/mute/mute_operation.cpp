#include "mute/mute_operation.h"

#include <algorithm>

#include "mute/gop_rewrite.h"
#include "platform/binary_file.h"
#include "scan/pack.h"

namespace velmorin {

namespace {

// The GOP as it stands in the buffer: `own` bytes from its file, then `next` bytes from
// the start of the next file.
struct LoadedGop {
    std::size_t own = 0;
    std::size_t next = 0;
};

MuteResult load(MuteTitle title, SectorBuffer& buffer, int k, LoadedGop& gop) {
    const auto& table = title.table;
    const auto& files = title.files;
    const auto i = static_cast<std::size_t>(k);
    const int f = table.fileIndex[i];
    if (table.extent(k, files).sectorCount() > SectorBuffer::kSectors)
        return MuteResult::GopTooLarge;

    BinaryFile file =
        BinaryFile::open(files.filePath[static_cast<std::size_t>(f)], BinaryFile::Mode::Read);
    if (!file.isOpen()) return MuteResult::CannotOpenForReading;
    if (!file.seek(std::uint64_t{table.startSector[i]} * kSectorSize))
        return MuteResult::SeekForReadingFailed;

    if (table.fileIndex[i + 1] == f) {
        const std::size_t size =
            std::size_t{table.startSector[i + 1] - table.startSector[i]} * kSectorSize;
        gop.own = file.read(buffer.data(), size);
        return MuteResult::Ok;
    }
    // The rest of the file, then the packs before the next file's first navigation pack.
    gop.own = file.read(buffer.data(), SectorBuffer::kSize);
    std::uint8_t more = 0;
    if (gop.own == SectorBuffer::kSize && file.read(&more, 1) > 0) return MuteResult::GopTooLarge;
    file.close();
    if (f >= files.fileCount - 1) return MuteResult::Ok;
    BinaryFile next =
        BinaryFile::open(files.filePath[static_cast<std::size_t>(f + 1)], BinaryFile::Mode::Read);
    if (!next.isOpen()) return MuteResult::Ok;  // the GOP then ends with its own file
    const std::size_t wanted = std::size_t{table.startSector[i + 1]} * kSectorSize;
    if (wanted > SectorBuffer::kSize - gop.own) return MuteResult::GopTooLarge;
    gop.next = next.read(buffer.data() + gop.own, wanted);
    return MuteResult::Ok;
}

}  // namespace

MuteResult muteGop(MuteTitle title, SectorBuffer& buffer, Ui& ui, int k, MuteState pattern) {
    const auto& table = title.table;
    const auto& files = title.files;
    const auto i = static_cast<std::size_t>(k);
    const int f = table.fileIndex[i];

    LoadedGop gop;
    if (const MuteResult loaded = load(title, buffer, k, gop); loaded != MuteResult::Ok)
        return loaded;
    // A table loaded from a project is not checked against the files: a GOP that does not
    // start with a navigation pack where the table says (a file that has changed since,
    // or ends before it) is not edited, and reported as not readable there.
    if (gop.own < kSectorSize || !isNavigationPack(SectorView(buffer.data(), kSectorSize)))
        return MuteResult::SeekForReadingFailed;
    if (!rewriteGopForPattern(buffer.data(), (gop.own + gop.next) / kSectorSize, pattern, ui))
        return MuteResult::Aborted;

    // Open both files before writing either, so that a continuation that cannot be
    // updated leaves the GOP's own file untouched too.
    BinaryFile own =
        BinaryFile::open(files.filePath[static_cast<std::size_t>(f)], BinaryFile::Mode::Update);
    if (!own.isOpen()) return MuteResult::CannotOpenForUpdate;
    BinaryFile next;
    if (gop.next > 0) {
        next = BinaryFile::open(files.filePath[static_cast<std::size_t>(f + 1)],
                                BinaryFile::Mode::Update);
        if (!next.isOpen()) return MuteResult::NextFileCannotBeUpdated;
    }

    // The audio packets: everything after the navigation pack, in both files.
    const std::uint64_t start = std::uint64_t{table.startSector[i]} * kSectorSize;
    if (!own.seek(start + kSectorSize)) return MuteResult::SeekForUpdateFailed;
    if (!own.write(buffer.data() + kSectorSize, gop.own - kSectorSize) || !own.syncToDisk())
        return MuteResult::WriteFailed;
    if (gop.next > 0) {
        if (!next.write(buffer.data() + gop.own, gop.next) || !next.syncToDisk() || !next.close())
            return MuteResult::NextFileWriteFailed;
    }
    // Then the marker.
    if (!own.seek(start)) return MuteResult::SeekForUpdateFailed;
    if (!own.write(buffer.data(), kSectorSize) || !own.syncToDisk() || !own.close())
        return MuteResult::WriteFailed;
    return MuteResult::Ok;
}

std::vector<GopMuteOutcome> muteGops(MuteTitle title, GopLines& lines, SectorBuffer& buffer, Ui& ui,
                                     const std::vector<int>& gops, MuteState pattern) {
    std::vector<GopMuteOutcome> outcomes;
    for (const int k : gops) {
        const MuteResult result = muteGop(title, buffer, ui, k, pattern);
        if (result == MuteResult::Ok && k < lines.count()) lines.setPattern(k, pattern);
        outcomes.push_back({k, result, k < lines.count() ? lines.text(k) : std::string()});
        if (result != MuteResult::Ok) break;
    }
    return outcomes;
}

}  // namespace velmorin
