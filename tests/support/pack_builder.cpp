#include "pack_builder.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "common/byte_order.h"
#include "scan/mute_marker.h"

namespace velmorin::test {

void setScr(Sector& p, std::uint64_t b) {
    // MPEG-2 pack header: '01' SCR[32..30] 1 SCR[29..15] 1 SCR[14..0] 1 ext 1.
    p[4] = static_cast<std::uint8_t>(0x44 | ((b >> 27) & 0x38) | ((b >> 28) & 0x03));
    p[5] = static_cast<std::uint8_t>(b >> 20);
    p[6] = static_cast<std::uint8_t>(0x04 | ((b >> 12) & 0xF8) | ((b >> 13) & 0x03));
    p[7] = static_cast<std::uint8_t>(b >> 5);
    p[8] = static_cast<std::uint8_t>(0x04 | ((b << 3) & 0xF8));
    p[9] = 0x01;
}

Sector makePack(std::uint8_t streamId, std::uint64_t scr) {
    Sector p{};
    writeBe32(p.data(), 0x000001BA);
    setScr(p, scr);
    p[10] = 0x01;
    p[11] = 0x89;
    p[12] = 0xC3;
    p[13] = 0xF8;
    writeBe32(p.data() + 14, 0x00000100u | streamId);
    writeBe16(p.data() + 18, 2048 - 20);
    p[20] = 0x81;
    p[21] = 0x00;
    p[22] = 0x00;
    return p;
}

void setCellElapsedTime(Sector& p, std::uint8_t b69, std::uint8_t b70, std::uint8_t b71,
                        std::uint8_t b72) {
    p[69] = b69;
    p[70] = b70;
    p[71] = b71;
    p[72] = b72;
}

Sector makeNavPack(const NavFields& f) {
    Sector p = makePack(0xBB, f.scr);
    writeBe16(p.data() + 18, 18);            // system header length
    writeBe32(p.data() + 38, 0x000001BF);    // presentation control packet
    writeBe32(p.data() + 1024, 0x000001BF);  // data search packet
    if (f.newCell)
        setCellElapsedTime(p, 0, 0, 0, 0xC0);
    else
        setCellElapsedTime(p, 0, 0, 0x01, 0xC0);
    writeBe32(p.data() + 1039, f.vobuEnd);
    p[1063] = f.category;
    if (f.chapterMarker) {
        p[2032] = 0x5B;
        p[2033] = 0xB5;
    }
    writeMuteMarker(std::span<std::uint8_t, 2048>(p), f.muteState);
    writeBe32(p.data() + 57, f.startPtm);
    writeBe32(p.data() + 61, f.endPtm);
    writeBe16(p.data() + 1055, f.vobId);
    p[1058] = f.cellId;
    return p;
}

Sector makeAudioPack(std::uint8_t subStream, std::int64_t pts) {
    Sector p = makePrivateStreamPack(subStream);
    if (pts < 0) {
        p[21] = 0x00;
        p[22] = 0;
        p[23] = subStream;
        return p;
    }
    const auto t = static_cast<std::uint64_t>(pts);
    p[23] = static_cast<std::uint8_t>(0x21 | ((t >> 29) & 0x0E));
    p[24] = static_cast<std::uint8_t>(t >> 22);
    p[25] = static_cast<std::uint8_t>(0x01 | ((t >> 14) & 0xFE));
    p[26] = static_cast<std::uint8_t>(t >> 7);
    p[27] = static_cast<std::uint8_t>(0x01 | ((t << 1) & 0xFE));
    return p;
}

Sector makePrivateStreamPack(std::uint8_t subStream) {
    Sector p = makePack(0xBD);
    p[21] = 0x80;
    p[22] = 5;
    p[23] = 0x21;
    p[28] = subStream;
    return p;
}

VobBuilder& VobBuilder::audio(int count, std::uint8_t subStream) {
    for (int i = 0; i < count; ++i) sectors_.push_back(makePrivateStreamPack(subStream));
    return *this;
}

VobBuilder& VobBuilder::vobu(int sectors, NavFields fields) {
    fields.vobuEnd = static_cast<std::uint32_t>(sectors - 1);
    sectors_.push_back(makeNavPack(fields));
    return packs(sectors - 1);
}

VobBuilder& VobBuilder::pack(const Sector& sector) {
    sectors_.push_back(sector);
    return *this;
}

VobBuilder& VobBuilder::packs(int count, std::uint8_t streamId) {
    for (int i = 0; i < count; ++i) sectors_.push_back(makePack(streamId));
    return *this;
}

void VobBuilder::writeTo(const std::string& path) const {
    writeSectors(path, sectors_);
}

void writeSectors(const std::string& path, const std::vector<Sector>& sectors) {
    std::ofstream out(nativePath(path), std::ios::binary | std::ios::trunc);
    for (const auto& s : sectors)
        out.write(reinterpret_cast<const char*>(s.data()), static_cast<std::streamsize>(s.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(nativePath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
    std::ifstream in(nativePath(path), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::filesystem::path nativePath(const std::string& utf8Path) {
    return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TempDir::TempDir() {
    // create_directory reports whether it made the folder, so a name another process
    // took first is never shared.
    std::random_device seed;
    std::mt19937_64 random(seed());
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / ("velmorin-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = utf8Path(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder in " + utf8Path(base));
}

std::string pathIn(const std::string& folder, const std::string& name) {
    return utf8Path((nativePath(folder) / nativePath(name)).make_preferred());
}

std::string TempDir::file(const std::string& name) const {
    return pathIn(path_, name);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(nativePath(path_), ignored);
}

}  // namespace velmorin::test
