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

// Reads GOP k into the buffer, through `own` when it is already open on the GOP's file.
MuteResult load(MuteTitle title, SectorBuffer& buffer, int k, LoadedGop& gop, BinaryFile& own) {
    const auto& table = title.table;
    const auto& files = title.files;
    const auto i = static_cast<std::size_t>(k);
    const int f = table.fileIndex[i];
    if (table.extent(k, files).sectorCount() > SectorBuffer::kSectors)
        return MuteResult::GopTooLarge;

    BinaryFile reader;
    if (!own.isOpen()) {
        reader =
            BinaryFile::open(files.filePath[static_cast<std::size_t>(f)], BinaryFile::Mode::Read);
        if (!reader.isOpen()) return MuteResult::CannotOpenForReading;
    }
    BinaryFile& file = own.isOpen() ? own : reader;
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
    reader.close();
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
// for the marker; when it comes in open on that file, it is used throughout.
MuteResult writeAudio(MuteTitle title, SectorBuffer& buffer, Ui& ui, int k, MuteState pattern,
                      BinaryFile& own) {
    const auto& table = title.table;
    const auto& files = title.files;
    const auto i = static_cast<std::size_t>(k);
    const int f = table.fileIndex[i];

    LoadedGop gop;
    if (const MuteResult loaded = load(title, buffer, k, gop, own); loaded != MuteResult::Ok)
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
    if (!own.isOpen()) {
        own =
            BinaryFile::open(files.filePath[static_cast<std::size_t>(f)], BinaryFile::Mode::Update);
        if (!own.isOpen()) return MuteResult::CannotOpenForUpdate;
    }
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
    std::vector<GopPattern> targets;
    targets.reserve(gops.size());
    for (const int k : gops) targets.push_back({k, pattern});
    return muteGops(title, lines, buffer, ui, targets, done);
}

std::vector<GopMuteOutcome> muteGops(MuteTitle title, GopLines& lines, SectorBuffer& buffer, Ui& ui,
                                     const std::vector<GopPattern>& targets,
                                     const std::function<void(const GopMuteOutcome&)>& done,
                                     const std::function<bool()>& stop) {
    std::vector<GopMuteOutcome> outcomes;
    const auto report = [&](int k, MuteState pattern, MuteResult result) {
        const bool listed = k < lines.count();
        if (result == MuteResult::Ok && listed) lines.setPattern(k, pattern);
        outcomes.push_back({k, result, listed ? std::string(lines.text(k)) : std::string()});
        if (done) done(outcomes.back());
    };
    // The last GOP whose marker has been handed to the system but is not yet known to be on
    // the disk. The next GOP in the same file goes through the same open file, so its audio
    // sync puts that marker on the disk too: a run of GOPs costs one open and one sync per
    // GOP, while no marker is written before its own GOP's audio is on the disk.
    BinaryFile pendingFile;
    int pendingGop = -1;
    MuteState pendingPattern = 0;
    // Puts the pending marker on the disk (unless a sync of its file already has), closes
    // its file unless the next GOP carries it on, and reports the GOP.
    const auto settle = [&](BinaryFile& file, bool alreadySynced, bool closeFile) {
        if (pendingGop < 0) return true;
        bool ok = alreadySynced || file.syncToDisk();
        if (closeFile) ok = file.close() && ok;
        report(std::exchange(pendingGop, -1), pendingPattern,
               ok ? MuteResult::Ok : MuteResult::WriteFailed);
        return ok;
    };
    const auto fileOf = [&](int gop) {
        return title.table.fileIndex[static_cast<std::size_t>(gop)];
    };

    for (const auto& [k, pattern] : targets) {
        if (stop && stop()) break;
        BinaryFile own;
        const bool carried = pendingGop >= 0 && fileOf(pendingGop) == fileOf(k);
        if (carried) own = std::move(pendingFile);
        MuteResult result = writeAudio(title, buffer, ui, k, pattern, own);
        const bool settled = carried ? settle(own, result == MuteResult::Ok, false)
                                     : settle(pendingFile, false, true);
        if (!settled) return outcomes;
        if (result == MuteResult::Ok) result = writeMarker(title, buffer, k, own);
        if (result != MuteResult::Ok) {
            report(k, pattern, result);
            return outcomes;
        }
        pendingFile = std::move(own);
        pendingGop = k;
        pendingPattern = pattern;
    }
    settle(pendingFile, false, true);
    return outcomes;
}

}  // namespace velmorin
