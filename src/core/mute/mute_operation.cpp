#include "mute/mute_operation.h"

#include <algorithm>
#include <utility>

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

// Loads GOP k, rewrites it for the pattern and writes its audio packets (everything after
// the navigation pack, in both files) to the disk. `own` is left open on the GOP's file
// for the marker.
MuteResult writeAudio(MuteTitle title, SectorBuffer& buffer, Ui& ui, int k, MuteState pattern,
                      BinaryFile& own) {
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
    own = BinaryFile::open(files.filePath[static_cast<std::size_t>(f)], BinaryFile::Mode::Update);
    if (!own.isOpen()) return MuteResult::CannotOpenForUpdate;
    BinaryFile next;
    if (gop.next > 0) {
        next = BinaryFile::open(files.filePath[static_cast<std::size_t>(f + 1)],
                                BinaryFile::Mode::Update);
        if (!next.isOpen()) return MuteResult::NextFileCannotBeUpdated;
    }
    if (!own.seek(std::uint64_t{table.startSector[i]} * kSectorSize + kSectorSize))
        return MuteResult::SeekForUpdateFailed;
    if (!own.write(buffer.data() + kSectorSize, gop.own - kSectorSize) || !own.syncToDisk())
        return MuteResult::WriteFailed;
    if (gop.next > 0 &&
        (!next.write(buffer.data() + gop.own, gop.next) || !next.syncToDisk() || !next.close()))
        return MuteResult::NextFileWriteFailed;
    return MuteResult::Ok;
}

// Hands GOP k's navigation pack, with its new marker, to the system; syncing `own` then
// puts it on the disk.
MuteResult writeMarker(MuteTitle title, const SectorBuffer& buffer, int k, BinaryFile& own) {
    if (!own.seek(std::uint64_t{title.table.startSector[static_cast<std::size_t>(k)]} *
                  kSectorSize))
        return MuteResult::SeekForUpdateFailed;
    return own.write(buffer.data(), kSectorSize) && own.flush() ? MuteResult::Ok
                                                                : MuteResult::WriteFailed;
}

}  // namespace

MuteResult muteGop(MuteTitle title, SectorBuffer& buffer, Ui& ui, int k, MuteState pattern) {
    BinaryFile own;
    MuteResult result = writeAudio(title, buffer, ui, k, pattern, own);
    if (result == MuteResult::Ok) result = writeMarker(title, buffer, k, own);
    if (result == MuteResult::Ok && !(own.syncToDisk() && own.close()))
        result = MuteResult::WriteFailed;
    return result;
}

std::vector<GopMuteOutcome> muteGops(MuteTitle title, GopLines& lines, SectorBuffer& buffer, Ui& ui,
                                     const std::vector<int>& gops, MuteState pattern,
                                     const std::function<void(const GopMuteOutcome&)>& done) {
    std::vector<GopMuteOutcome> outcomes;
    const auto report = [&](int k, MuteResult result) {
        const bool listed = k < lines.count();
        if (result == MuteResult::Ok && listed) lines.setPattern(k, pattern);
        outcomes.push_back({k, result, listed ? std::string(lines.text(k)) : std::string()});
        if (done) done(outcomes.back());
    };
    // The last GOP whose marker has been handed to the system but is not yet known to be on
    // the disk. A sync works on the whole file, so the next GOP's audio sync in the same file
    // puts it there too: a run of GOPs costs one sync per GOP, while no marker is written
    // before its own GOP's audio is on the disk.
    BinaryFile pendingFile;
    int pendingGop = -1;
    const auto settle = [&](bool alreadySynced) {
        if (pendingGop < 0) return true;
        const bool ok = (alreadySynced || pendingFile.syncToDisk()) && pendingFile.close();
        report(std::exchange(pendingGop, -1), ok ? MuteResult::Ok : MuteResult::WriteFailed);
        return ok;
    };

    for (const int k : gops) {
        BinaryFile own;
        MuteResult result = writeAudio(title, buffer, ui, k, pattern, own);
        const bool sameFile =
            pendingGop >= 0 && title.table.fileIndex[static_cast<std::size_t>(pendingGop)] ==
                                   title.table.fileIndex[static_cast<std::size_t>(k)];
        if (!settle(result == MuteResult::Ok && sameFile)) return outcomes;
        if (result == MuteResult::Ok) result = writeMarker(title, buffer, k, own);
        if (result != MuteResult::Ok) {
            report(k, result);
            return outcomes;
        }
        pendingFile = std::move(own);
        pendingGop = k;
    }
    settle(false);
    return outcomes;
}

}  // namespace velmorin
