// Synthetic VOB packs and files for exact edge cases.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmorin::test {

using Sector = std::array<std::uint8_t, 2048>;

struct NavFields {
    std::uint64_t scr = 0;       // 33-bit SCR base, 90 kHz ticks
    bool newCell = false;        // cell elapsed time zero; otherwise 00:00:01:00
    std::uint32_t vobuEnd = 0;   // VOBU_EA; VobBuilder fills it from the VOBU's size
    std::uint8_t category = 0;   // byte 1063
    bool chapterMarker = false;  // 5B B5 at 2032
    int muteState = 0;
    std::uint32_t startPtm = 0;  // VOBU_S_PTM and VOBU_E_PTM: its pictures' times
    std::uint32_t endPtm = 0;
    std::uint16_t vobId = 0;
    std::uint8_t cellId = 0;
};

// A pack with one packet of `streamId` (0xE0 video, 0xBD private stream 1, ...).
Sector makePack(std::uint8_t streamId = 0xE0, std::uint64_t scr = 0);
Sector makeNavPack(const NavFields& fields);
// A private stream 1 pack whose PES header carries a PTS, so the sub-stream id stands at
// 23 + 5: 0x80 AC-3, 0xA0 LPCM, 0x20 a sub-picture, …
Sector makePrivateStreamPack(std::uint8_t subStream);
// An audio packet of private stream 1 whose PES header carries `pts` (33 bits), or no
// time stamp when it is negative.
Sector makeAudioPack(std::uint8_t subStream, std::int64_t pts);
void setScr(Sector& pack, std::uint64_t scrBase);
void setCellElapsedTime(Sector& navPack, std::uint8_t b69, std::uint8_t b70, std::uint8_t b71,
                        std::uint8_t b72);

// Builds a VOB file VOBU by VOBU; each VOBU's end address is set from its size.
class VobBuilder {
public:
    // A VOBU of `sectors` packs (navigation pack included).
    VobBuilder& vobu(int sectors, NavFields fields = {});
    VobBuilder& pack(const Sector& sector);
    VobBuilder& packs(int count, std::uint8_t streamId = 0xE0);
    VobBuilder& audio(int count, std::uint8_t subStream = 0x80);

    std::vector<Sector>& sectors() { return sectors_; }
    void writeTo(const std::string& path) const;

private:
    std::vector<Sector> sectors_;
};

void writeSectors(const std::string& path, const std::vector<Sector>& sectors);
void writeBytes(const std::string& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string readFile(const std::string& path);

// Paths are UTF-8 text, as the core takes them; these convert to and from the system's
// own form (UTF-16 on Windows).
std::filesystem::path nativePath(const std::string& utf8Path);
std::string utf8Path(const std::filesystem::path& path);
// `name` (which may hold '/') in `folder`, with the system's separators.
std::string pathIn(const std::string& folder, const std::string& name);

// A fresh folder under the system's temporary folder, removed with everything in it.
// Its paths use the system's folder separator.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace velmorin::test
