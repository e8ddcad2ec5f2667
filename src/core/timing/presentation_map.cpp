#include "timing/presentation_map.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "common/byte_order.h"
#include "mute/audio_packet.h"
#include "mute/mute_pattern.h"
#include "scan/pack.h"
#include "scan/pes_packet.h"
#include "scan/sector_reader.h"
#include "timing/audio_capture.h"

namespace velmorin {

namespace {

// The presentation control packet's VOBU start and end presentation times, and the data
// search packet's VOB and cell numbers.
constexpr std::size_t kVobuStartPtm = 57;
constexpr std::size_t kVobuEndPtm = 61;
constexpr std::size_t kVobNumber = 1055;
constexpr std::size_t kCellNumber = 1058;

// The navigation pack holds the low 32 bits of the 33-bit presentation times; distances
// are taken on that 32-bit clock, which wraps round after 13 hours.
constexpr std::int64_t kPtsWrap = std::int64_t{1} << 32;
// An audio packet carries well under a second of sound; a longer step to the stream's next
// packet is a gap or a discontinuity, not the packet's length.
constexpr TitleTime kLongestPacket = kTicksPerSecond;
// One AC-3 frame: the length given to a stream's last packet when nothing better is known.
constexpr TitleTime kDefaultPacketLength = 2880;

// From `origin` to `pts` on the clock, which may have wrapped round between them.
TitleTime ptsDistance(std::uint64_t pts, std::uint64_t origin) {
    std::int64_t d = static_cast<std::int64_t>((pts - origin) & (kPtsWrap - 1));
    if (d >= kPtsWrap / 2) d -= kPtsWrap;
    return d;
}

// Maps the presentation times of one stretch of continuous time stamps to title time.
struct Clock {
    TitleTime base = 0;
    std::uint64_t origin = 0;
    TitleTime at(std::uint64_t pts) const { return base + ptsDistance(pts, origin); }
};

void cover(TitleSpan& span, TitleSpan more) {
    if (more.empty()) return;
    if (span.empty()) {
        span = more;
        return;
    }
    span.start = std::min(span.start, more.start);
    span.end = std::max(span.end, more.end);
}

struct AudioHeader {
    int stream = -1;  // the sub-stream id; -1 when the packet is not recognisably audio
    bool timed = false;
    std::uint64_t pts = 0;
};

// A packet silenced by this program keeps its header under the padding stream id; a
// genuine padding packet holds no MPEG-2 header flags (0xFF).
AudioHeader audioHeaderOf(const PesPacket& packet, SectorView s) {
    AudioHeader h;
    if (!packet.mpeg2) return h;
    const std::uint8_t subStream = subStreamId(s);
    if (!isAudioSubStream(subStream)) return h;
    h.stream = subStream;
    h.timed = packet.timed;
    h.pts = packet.pts;
    return h;
}

bool isMpegAudio(SectorView s) {
    return (firstPacketStartCode(s) & 0xFFFFFFE0u) == 0x000001C0u;
}

// One audio stream in title order. Packets whose start is known wait until the stream's
// next packet with a later start ends them; a packet without a time stamp carries on the
// frame its predecessor started, so it waits with it.
class AudioTrack {
public:
    void add(bool timed, TitleTime t, int gop, int quarter, PresentationMap& map) {
        if (timed && (!started_ || t != start_)) {
            if (started_) {
                const TitleTime step = t - start_;
                const bool plausible = step > 0 && step <= kLongestPacket;
                if (plausible) length_ = step;
                end(plausible ? t : start_ + length_, map);
            }
            started_ = true;
            start_ = t;
        }
        if (started_) waiting_.emplace_back(gop, quarter);
    }
    void finish(PresentationMap& map) {
        if (started_) end(start_ + length_, map);
    }

private:
    void end(TitleTime at, PresentationMap& map) {
        for (const auto& [gop, quarter] : waiting_)
            cover(map.gops[static_cast<std::size_t>(gop)].audio[static_cast<std::size_t>(quarter)],
                  {start_, at});
        waiting_.clear();
    }

    bool started_ = false;
    TitleTime start_ = 0;
    TitleTime length_ = kDefaultPacketLength;
    std::vector<std::pair<int, int>> waiting_;
};

class MapBuilder {
public:
    MapBuilder(const MapSource& source, SectorBuffer& buffer, PresentationMap& map)
        : source_(source), reader_(buffer), map_(map) {}

    MapOutcome run() {
        const auto& table = source_.table;
        map_ = PresentationMap{};
        map_.gops.resize(static_cast<std::size_t>(table.gopCount));
        capturing_ = source_.capture != nullptr;
        if (source_.cells)
            runByCells();
        else
            for (int k = 0; k < table.gopCount && outcome_.result == MapResult::Ok; ++k)
                readGop(k, nullptr);
        for (auto& [stream, track] : tracks_) track.finish(map_);
        map_.title = {0, titleEnd_};
        return outcome_;
    }

private:
    // Cells in program-chain order, the GOPs of each in the order of the files.
    void runByCells() {
        const auto& table = source_.table;
        const auto& files = source_.files;
        std::vector<std::uint64_t> fileStart(static_cast<std::size_t>(files.fileCount) + 1, 0);
        for (std::size_t j = 0; j < static_cast<std::size_t>(files.fileCount); ++j)
            fileStart[j + 1] = fileStart[j] + sectorsOf(files.fileSize[j]);
        std::vector<std::uint64_t> running(static_cast<std::size_t>(table.gopCount));
        for (std::size_t k = 0; k < running.size(); ++k)
            running[k] = fileStart[table.fileIndex[k]] + table.startSector[k];

        TitleTime cellsEnd = 0;
        for (const TitleCell& cell : *source_.cells) {
            // Another angle of a block starts where the block does, before the cells so
            // far end: its sound is the first angle's again, which the capture has.
            capturing_ = source_.capture && cell.start >= cellsEnd;
            cellsEnd = std::max(cellsEnd, cell.start + cell.duration);
            titleEnd_ = std::max(titleEnd_, cell.start + cell.duration);
            cellClockSet_ = false;
            auto k = std::lower_bound(running.begin(), running.end(), cell.firstSector);
            for (; k != running.end() && *k <= cell.lastSector; ++k) {
                const int gop = static_cast<int>(k - running.begin());
                if (map_.gops[static_cast<std::size_t>(gop)].inTitle) continue;  // a cell again
                readGop(gop, &cell);
                if (outcome_.result != MapResult::Ok) return;
            }
        }
    }

    // The clock of a GOP: its cell's, set by the cell's first VOBU, or without cells the
    // clock of its stretch of continuous time stamps, each stretch starting where the
    // one before it ended.
    Clock clockFor(SectorView nav, const TitleCell* cell) {
        const std::uint32_t start = readBe32(nav.data() + kVobuStartPtm);
        if (cell) {
            if (!cellClockSet_) cellClock_ = {cell->start, start};
            cellClockSet_ = true;
            return cellClock_;
        }
        const std::uint16_t vob = readBe16(nav.data() + kVobNumber);
        const bool continuous = stretchStarted_ && vob == stretchVob_ &&
                                std::abs(ptsDistance(start, lastEndPts_)) <= kTicksPerSecond / 2;
        if (!continuous) stretch_ = {titleEnd_, start};
        stretchStarted_ = true;
        stretchVob_ = vob;
        return stretch_;
    }

    void readGop(int k, const TitleCell* cell) {
        if (source_.proceed && !source_.proceed(gopsRead_++)) {
            outcome_ = {MapResult::Stopped, source_.table.fileIndex[static_cast<std::size_t>(k)],
                        k};
            return;
        }
        records_.clear();
        currentCell_ = cell;
        const GopExtent extent = source_.table.extent(k, source_.files);
        if (!readSectors(extent.file, extent.firstSector, extent.endSector - extent.firstSector, k,
                         true))
            return;
        if (extent.continuesInNextFile() &&
            !readSectors(extent.file + 1, 0, extent.nextFileSectors, k, false))
            return;

        GopPresentation& gop = map_.gops[static_cast<std::size_t>(k)];
        const int b = static_cast<int>(records_.size());
        const auto bounds = quarterBounds(b);
        int quarter = 0;
        for (int i = 0; i < b; ++i) {
            while (i >= bounds[static_cast<std::size_t>(quarter) + 1]) ++quarter;
            ++gop.packets[static_cast<std::size_t>(quarter)];
            const AudioHeader& h = records_[static_cast<std::size_t>(i)];
            if (h.stream < 0) continue;
            tracks_[h.stream].add(h.timed, clock_.at(h.pts), k, quarter, map_);
        }
        titleEnd_ = std::max(titleEnd_, gop.pictures.end);
    }

    // Goes through `count` sectors of file `file` from `first`, a run at a time.
    bool readSectors(int file, std::uint32_t first, std::uint64_t count, int k, bool own) {
        if (file != openIndex_) {
            const bool opened =
                reader_.open(source_.files.filePath[static_cast<std::size_t>(file)]);
            openIndex_ = opened ? file : -1;
            if (!opened) {
                // A continuation that cannot be read is left out, as the mute leaves it.
                if (!own) return true;
                outcome_ = {MapResult::CannotOpen, file, k};
                return false;
            }
        }
        bool navigation = own;
        std::uint64_t at = first;
        while (count > 0) {
            const SectorRun run = reader_.read(at, count);
            for (std::size_t s = 0; s < run.count; ++s) {
                const SectorView sector = run.sector(s);
                if (navigation) {
                    if (!isNavigationPack(sector)) break;
                    if (!ofCurrentCell(sector)) return false;  // another cell's unit
                    readNavigationPack(sector, k);
                    navigation = false;
                    continue;
                }
                const AudioPacket kind = classifyAudioPacket(sector);
                if (kind != AudioPacket::None) {
                    const PesPacket packet = readPesPacket(sector);
                    records_.push_back(audioHeaderOf(packet, sector));
                    if (capturing_) capture(packet);
                } else if (isMpegAudio(sector)) {
                    map_.mpegAudio = true;
                    if (capturing_) capture(readPesPacket(sector));
                }
            }
            if (navigation) break;
            if (run.count == 0) {
                // The scan saw these sectors: the file has since shrunk or cannot be read.
                // A continuation is left out, as the mute leaves it; the GOP's own are not.
                if (!own) return true;
                outcome_ = {MapResult::ReadError, file, k};
                return false;
            }
            at += run.count;
            count -= run.count;
        }
        if (navigation) {
            outcome_ = {MapResult::NotNavigationPack, file, k};
            return false;
        }
        return true;
    }

    // The capture places the packet on the clock of the GOP being read, as the map does.
    void capture(const PesPacket& packet) {
        source_.capture->take(packet, packet.timed ? clock_.at(packet.pts) : 0);
    }

    // Whether a VOBU belongs to the cell being read: in an interleaved block the cell's
    // sectors alternate with the other cells' units.
    bool ofCurrentCell(SectorView nav) const {
        const TitleCell* cell = currentCell_;
        return !cell || cell->vobId == 0 ||
               (readBe16(nav.data() + kVobNumber) == cell->vobId &&
                nav[kCellNumber] == cell->cellId);
    }

    void readNavigationPack(SectorView nav, int k) {
        GopPresentation& gop = map_.gops[static_cast<std::size_t>(k)];
        gop.inTitle = true;
        gop.timeCode = scrTimeValue(nav);
        gop.pattern = readMuteState(nav);
        clock_ = clockFor(nav, currentCell_);
        const std::uint32_t start = readBe32(nav.data() + kVobuStartPtm);
        const std::uint32_t end = readBe32(nav.data() + kVobuEndPtm);
        gop.pictures = {clock_.at(start), clock_.at(end)};
        lastEndPts_ = end;
    }

    const MapSource& source_;
    SectorReader reader_;
    PresentationMap& map_;
    MapOutcome outcome_;

    int openIndex_ = -1;
    std::vector<AudioHeader> records_;  // the audio packets of the GOP being read
    std::map<int, AudioTrack> tracks_;
    Clock clock_;
    TitleTime titleEnd_ = 0;
    int gopsRead_ = 0;

    const TitleCell* currentCell_ = nullptr;
    Clock cellClock_;
    bool cellClockSet_ = false;
    bool capturing_ = false;

    Clock stretch_;
    bool stretchStarted_ = false;
    std::uint16_t stretchVob_ = 0;
    std::uint32_t lastEndPts_ = 0;
};

}  // namespace

std::array<int, kQuarters + 1> quarterBounds(int b) {
    return {0, silentRange(1, b).hi, silentRange(2, b).hi, silentRange(3, b).hi, b};
}

unsigned silencedQuarters(MuteState state) {
    const std::string_view text = patternText(state);
    unsigned mask = 0;
    for (std::size_t q = 0; q < text.size(); ++q)
        if (text[q] == '-') mask |= 1u << q;
    return mask;
}

MapOutcome buildPresentationMap(const MapSource& source, SectorBuffer& buffer,
                                PresentationMap& map) {
    return MapBuilder(source, buffer, map).run();
}

}  // namespace velmorin
