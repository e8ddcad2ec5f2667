// Variable-length code lookup for MPEG-2 video (ISO/IEC 13818-2 Annex B). Every code table
// is written down as the standard lists it, (code bits, value), and expanded once into
// lookup levels: a level peeks a fixed number of bits at a fixed offset and either finishes
// the code or sends the lookup one level deeper.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "preview/bit_reader.h"

namespace velmorin::preview {

struct VlcEntry {
    enum Kind : std::uint8_t { Invalid, Value, Deeper };
    std::int16_t value = 0;
    std::uint8_t length = 0;  // total code length in bits
    Kind kind = Invalid;
};

struct VlcLevel {
    int skip = 0;   // bits that the level skips before its peek
    int width = 0;  // bits that it peeks
    std::vector<VlcEntry> entries;
};

struct VlcCode {
    const char* bits;  // '0'/'1', spaces allowed
    int value;
};

// A code table expanded into up to three levels.
class VlcTable {
public:
    struct LevelShape {
        int skip;
        int width;
        const char* deeperPrefix;  // codes starting with these bits belong to the next level
    };
    // The first level's shape must have skip 0.
    VlcTable(std::initializer_list<LevelShape> shape, const VlcCode* codes, std::size_t count);
    // Moving keeps the levels' storage, which first_ points into; copying would not.
    VlcTable(VlcTable&&) = default;
    VlcTable(const VlcTable&) = delete;
    VlcTable& operator=(const VlcTable&) = delete;

    // The entry for the bits at the reader's position (Invalid with length 0 when no code
    // matches); the position does not move.
    VlcEntry lookup(const BitReader& reader) const {
        // The first level starts at the code's first bit; most codes end there.
        const VlcEntry& first = first_[reader.peek(firstWidth_)];
        if (first.kind != VlcEntry::Deeper) return first;
        for (std::size_t i = 1;; ++i) {
            const VlcLevel& level = levels_[i];
            const std::uint32_t bits =
                reader.peek(level.skip + level.width) & ((1u << level.width) - 1);
            const VlcEntry& e = level.entries[bits];
            if (e.kind != VlcEntry::Deeper) return e;
        }
    }

private:
    std::vector<VlcLevel> levels_;
    const VlcEntry* first_ = nullptr;
    int firstWidth_ = 0;
};

// One DCT coefficient code: end_of_block, escape, or a (run, level) pair followed by a sign
// bit. `length` excludes the sign bit.
struct DctRecord {
    std::uint8_t run;
    std::uint8_t level;
    std::uint8_t length;
};

struct DctTable {
    std::vector<DctRecord> records;  // record 0 is end_of_block
    int escapeRecord = 0;
    VlcTable lookup;  // value = record number
};

inline constexpr int kEndOfBlock = 0;

struct VlcTables {
    VlcTable addressIncrement;   // B-1; value = increment
    VlcTable macroblockTypeI;    // B-2; value = flag bits (MacroblockFlag)
    VlcTable macroblockTypeP;    // B-3
    VlcTable macroblockTypeB;    // B-4
    VlcTable codedBlockPattern;  // B-9
    VlcTable motionCode;         // B-10, sign included
    VlcTable dcSizeLuma;         // B-12
    VlcTable dcSizeChroma;       // B-13
    DctTable dctZero;            // B-14
    DctTable dctOne;             // B-15
    // Record 1 of table zero: the first-coefficient code "1" (run 0, level 1).
    static constexpr int kFirstCoefficientRecord = 1;
    // Record 2 of table zero: "11", run 0 level 1 everywhere but the first coefficient.
    static constexpr int kSecondOneRecord = 2;
};

enum MacroblockFlag : int {
    kMbQuant = 1,
    kMbForward = 2,
    kMbBackward = 4,
    kMbPattern = 8,
    kMbIntra = 16,
};

// The tables, built on first use.
const VlcTables& vlcTables();

// Scan orders as "scan index -> raster position", and their inverses.
extern const std::array<std::uint8_t, 64> kZigzagScan;
extern const std::array<std::uint8_t, 64> kAlternateScan;
struct ScanInverse {
    std::array<std::uint8_t, 64> zigzag;     // raster position -> zigzag index
    std::array<std::uint8_t, 64> alternate;  // raster position -> alternate scan index
};
const ScanInverse& scanInverse();

// The default intra weight matrix, in zigzag order.
extern const std::array<std::uint8_t, 64> kDefaultIntraMatrixZigzag;
// quantiser_scale for q_scale_type * 32 + quantiser_scale_code.
extern const std::array<std::uint8_t, 64> kQuantiserScale;

}  // namespace velmorin::preview
