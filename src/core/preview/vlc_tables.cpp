#include "preview/vlc_tables.h"

#include <cstdlib>
#include <string>

namespace velmorin::preview {

namespace {

std::string cleanBits(const char* bits) {
    std::string s;
    for (const char* p = bits; *p; ++p)
        if (*p == '0' || *p == '1') s.push_back(*p);
    return s;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

// clang-format off
// Table B-1, macroblock_address_increment (the escape is handled before the lookup).
constexpr VlcCode kAddressIncrement[] = {
    {"1", 1},             {"011", 2},           {"010", 3},           {"0011", 4},
    {"0010", 5},          {"00011", 6},         {"00010", 7},         {"0000111", 8},
    {"0000110", 9},       {"00001011", 10},     {"00001010", 11},     {"00001001", 12},
    {"00001000", 13},     {"00000111", 14},     {"00000110", 15},     {"0000010111", 16},
    {"0000010110", 17},   {"0000010101", 18},   {"0000010100", 19},   {"0000010011", 20},
    {"0000010010", 21},   {"00000100011", 22},  {"00000100010", 23},  {"00000100001", 24},
    {"00000100000", 25},  {"00000011111", 26},  {"00000011110", 27},  {"00000011101", 28},
    {"00000011100", 29},  {"00000011011", 30},  {"00000011010", 31},  {"00000011001", 32},
    {"00000011000", 33},
};

// Tables B-2, B-3, B-4, macroblock_type in I, P and B pictures.
constexpr VlcCode kTypeI[] = {{"1", kMbIntra}, {"01", kMbQuant | kMbIntra}};
constexpr VlcCode kTypeP[] = {
    {"1", kMbForward | kMbPattern},
    {"01", kMbPattern},
    {"001", kMbForward},
    {"00011", kMbIntra},
    {"00010", kMbQuant | kMbForward | kMbPattern},
    {"00001", kMbQuant | kMbPattern},
    {"000001", kMbQuant | kMbIntra},
};
constexpr VlcCode kTypeB[] = {
    {"10", kMbForward | kMbBackward},
    {"11", kMbForward | kMbBackward | kMbPattern},
    {"011", kMbBackward | kMbPattern},
    {"010", kMbBackward},
    {"0011", kMbForward | kMbPattern},
    {"0010", kMbForward},
    {"00011", kMbIntra},
    {"00010", kMbQuant | kMbForward | kMbBackward | kMbPattern},
    {"000011", kMbQuant | kMbForward | kMbPattern},
    {"000010", kMbQuant | kMbBackward | kMbPattern},
    {"000001", kMbQuant | kMbIntra},
};

// Table B-9, coded_block_pattern.
constexpr VlcCode kCodedBlockPattern[] = {
    {"111", 60},       {"1101", 4},       {"1100", 8},       {"1011", 16},      {"1010", 32},
    {"10011", 12},     {"10010", 48},     {"10001", 20},     {"10000", 40},     {"01111", 28},
    {"01110", 44},     {"01101", 52},     {"01100", 56},     {"01011", 1},      {"01010", 61},
    {"01001", 2},      {"01000", 62},     {"001111", 24},    {"001110", 36},    {"001101", 3},
    {"001100", 63},    {"0010111", 5},    {"0010110", 9},    {"0010101", 17},   {"0010100", 33},
    {"0010011", 6},    {"0010010", 10},   {"0010001", 18},   {"0010000", 34},   {"00011111", 7},
    {"00011110", 11},  {"00011101", 19},  {"00011100", 35},  {"00011011", 13},  {"00011010", 49},
    {"00011001", 21},  {"00011000", 41},  {"00010111", 14},  {"00010110", 50},  {"00010101", 22},
    {"00010100", 42},  {"00010011", 15},  {"00010010", 51},  {"00010001", 23},  {"00010000", 43},
    {"00001111", 25},  {"00001110", 37},  {"00001101", 26},  {"00001100", 38},  {"00001011", 29},
    {"00001010", 45},  {"00001001", 53},  {"00001000", 57},  {"00000111", 30},  {"00000110", 46},
    {"00000101", 54},  {"00000100", 58},  {"000000111", 31}, {"000000110", 47}, {"000000101", 55},
    {"000000100", 59}, {"000000011", 27}, {"000000010", 39}, {"000000001", 0},
};

// Table B-10, motion_code, written with its sign bit (0 = positive).
constexpr VlcCode kMotionCode[] = {
    {"1", 0},
    {"010", 1},          {"011", -1},
    {"0010", 2},         {"0011", -2},
    {"00010", 3},        {"00011", -3},
    {"0000110", 4},      {"0000111", -4},
    {"00001010", 5},     {"00001011", -5},
    {"00001000", 6},     {"00001001", -6},
    {"00000110", 7},     {"00000111", -7},
    {"0000010110", 8},   {"0000010111", -8},
    {"0000010100", 9},   {"0000010101", -9},
    {"0000010010", 10},  {"0000010011", -10},
    {"00000100010", 11}, {"00000100011", -11},
    {"00000100000", 12}, {"00000100001", -12},
    {"00000011110", 13}, {"00000011111", -13},
    {"00000011100", 14}, {"00000011101", -14},
    {"00000011010", 15}, {"00000011011", -15},
    {"00000011000", 16}, {"00000011001", -16},
};

// Tables B-12 and B-13, dct_dc_size_luminance and dct_dc_size_chrominance.
constexpr VlcCode kDcSizeLuma[] = {
    {"100", 0},      {"00", 1},        {"01", 2},         {"101", 3},
    {"110", 4},      {"1110", 5},      {"11110", 6},      {"111110", 7},
    {"1111110", 8},  {"11111110", 9},  {"111111110", 10}, {"111111111", 11},
};
constexpr VlcCode kDcSizeChroma[] = {
    {"00", 0},        {"01", 1},         {"10", 2},          {"110", 3},
    {"1110", 4},      {"11110", 5},      {"111110", 6},      {"1111110", 7},
    {"11111110", 8},  {"111111110", 9},  {"1111111110", 10}, {"1111111111", 11},
};

struct DctCode {
    const char* bits;  // without the sign bit
    int run;           // -1 end_of_block, -2 escape, -3 the first-coefficient code "1"
    int level;
};

// The codes of 14 to 16 bits, the same in tables B-14 and B-15.
constexpr DctCode kDctLongCodes[] = {
    {"00000000011111", 0, 16},   {"00000000011110", 0, 17},   {"00000000011101", 0, 18},
    {"00000000011100", 0, 19},   {"00000000011011", 0, 20},   {"00000000011010", 0, 21},
    {"00000000011001", 0, 22},   {"00000000011000", 0, 23},   {"00000000010111", 0, 24},
    {"00000000010110", 0, 25},   {"00000000010101", 0, 26},   {"00000000010100", 0, 27},
    {"00000000010011", 0, 28},   {"00000000010010", 0, 29},   {"00000000010001", 0, 30},
    {"00000000010000", 0, 31},   {"000000000011000", 0, 32},  {"000000000010111", 0, 33},
    {"000000000010110", 0, 34},  {"000000000010101", 0, 35},  {"000000000010100", 0, 36},
    {"000000000010011", 0, 37},  {"000000000010010", 0, 38},  {"000000000010001", 0, 39},
    {"000000000010000", 0, 40},  {"000000000011111", 1, 8},   {"000000000011110", 1, 9},
    {"000000000011101", 1, 10},  {"000000000011100", 1, 11},  {"000000000011011", 1, 12},
    {"000000000011010", 1, 13},  {"000000000011001", 1, 14},  {"0000000000010011", 1, 15},
    {"0000000000010010", 1, 16}, {"0000000000010001", 1, 17}, {"0000000000010000", 1, 18},
    {"0000000000010100", 6, 3},  {"0000000000011010", 11, 2}, {"0000000000011001", 12, 2},
    {"0000000000011000", 13, 2}, {"0000000000010111", 14, 2}, {"0000000000010110", 15, 2},
    {"0000000000010101", 16, 2}, {"0000000000011111", 27, 1}, {"0000000000011110", 28, 1},
    {"0000000000011101", 29, 1}, {"0000000000011100", 30, 1}, {"0000000000011011", 31, 1},
};

// Table B-14, DCT coefficients table zero, in the standard's order.
constexpr DctCode kDctZero[] = {
    {"10", -1, 0},       {"1", -3, 1},        {"11", 0, 1},        {"011", 1, 1},
    {"0100", 0, 2},      {"0101", 2, 1},      {"00101", 0, 3},     {"00111", 3, 1},
    {"00110", 4, 1},     {"000110", 1, 2},    {"000111", 5, 1},    {"000101", 6, 1},
    {"000100", 7, 1},    {"0000110", 0, 4},   {"0000100", 2, 2},   {"0000111", 8, 1},
    {"0000101", 9, 1},   {"000001", -2, 0},   {"00100110", 0, 5},  {"00100001", 0, 6},
    {"00100101", 1, 3},  {"00100100", 3, 2},  {"00100111", 10, 1}, {"00100011", 11, 1},
    {"00100010", 12, 1}, {"00100000", 13, 1}, {"0000001010", 0, 7}, {"0000001100", 1, 4},
    {"0000001011", 2, 3}, {"0000001111", 4, 2}, {"0000001001", 5, 2}, {"0000001110", 14, 1},
    {"0000001101", 15, 1}, {"0000001000", 16, 1},
    {"000000011101", 0, 8}, {"000000011000", 0, 9}, {"000000010011", 0, 10},
    {"000000010000", 0, 11}, {"000000011011", 1, 5}, {"000000010100", 2, 4},
    {"000000011100", 3, 3}, {"000000010010", 4, 3}, {"000000011110", 6, 2},
    {"000000010101", 7, 2}, {"000000010001", 8, 2}, {"000000011111", 17, 1},
    {"000000011010", 18, 1}, {"000000011001", 19, 1}, {"000000010111", 20, 1},
    {"000000010110", 21, 1},
    {"0000000011010", 0, 12}, {"0000000011001", 0, 13}, {"0000000011000", 0, 14},
    {"0000000010111", 0, 15}, {"0000000010110", 1, 6}, {"0000000010101", 1, 7},
    {"0000000010100", 2, 5}, {"0000000010011", 3, 4}, {"0000000010010", 5, 3},
    {"0000000010001", 9, 2}, {"0000000010000", 10, 2}, {"0000000011111", 22, 1},
    {"0000000011110", 23, 1}, {"0000000011101", 24, 1}, {"0000000011100", 25, 1},
    {"0000000011011", 26, 1},
};

// Table B-15, DCT coefficients table one, in the standard's order.
constexpr DctCode kDctOne[] = {
    {"0110", -1, 0},     {"10", 0, 1},        {"010", 1, 1},       {"110", 0, 2},
    {"00101", 2, 1},     {"0111", 0, 3},      {"00111", 3, 1},     {"000110", 4, 1},
    {"00110", 1, 2},     {"000111", 5, 1},    {"0000110", 6, 1},   {"0000100", 7, 1},
    {"11100", 0, 4},     {"0000111", 2, 2},   {"0000101", 8, 1},   {"1111000", 9, 1},
    {"000001", -2, 0},   {"11101", 0, 5},     {"000101", 0, 6},    {"1111001", 1, 3},
    {"00100110", 3, 2},  {"1111010", 10, 1},  {"00100001", 11, 1}, {"00100101", 12, 1},
    {"00100100", 13, 1}, {"000100", 0, 7},    {"00100111", 1, 4},  {"11111100", 2, 3},
    {"11111101", 4, 2},  {"000000100", 5, 2}, {"000000101", 14, 1}, {"000000111", 15, 1},
    {"0000001101", 16, 1}, {"1111011", 0, 8}, {"1111100", 0, 9},   {"00100011", 0, 10},
    {"00100010", 0, 11}, {"00100000", 1, 5},  {"0000001100", 2, 4},
    {"000000011100", 3, 3}, {"000000010010", 4, 3}, {"000000011110", 6, 2},
    {"000000010101", 7, 2}, {"000000010001", 8, 2}, {"000000011111", 17, 1},
    {"000000011010", 18, 1}, {"000000011001", 19, 1}, {"000000010111", 20, 1},
    {"000000010110", 21, 1},
    {"11111010", 0, 12}, {"11111011", 0, 13}, {"11111110", 0, 14}, {"11111111", 0, 15},
    {"0000000010110", 1, 6}, {"0000000010101", 1, 7}, {"0000000010100", 2, 5},
    {"0000000010011", 3, 4}, {"0000000010010", 5, 3}, {"0000000010001", 9, 2},
    {"0000000010000", 10, 2}, {"0000000011111", 22, 1}, {"0000000011110", 23, 1},
    {"0000000011101", 24, 1}, {"0000000011100", 25, 1}, {"0000000011011", 26, 1},
};
// clang-format on

template <std::size_t N>
DctTable makeDctTable(const DctCode (&codes)[N], const DctCode* longCodes, std::size_t longCount) {
    std::vector<DctRecord> records;
    std::vector<VlcCode> lookupCodes;
    int escape = 0;
    auto add = [&](const DctCode& c, bool inLookup) {
        const int number = static_cast<int>(records.size());
        const std::string bits = cleanBits(c.bits);
        if (c.run == -2) escape = number;
        records.push_back({static_cast<std::uint8_t>(c.run < 0 ? 0 : c.run),
                           static_cast<std::uint8_t>(c.level),
                           static_cast<std::uint8_t>(bits.size())});
        if (inLookup) lookupCodes.push_back({c.bits, number});
    };
    for (const DctCode& c : codes) add(c, c.run != -3);
    for (std::size_t i = 0; i < longCount; ++i) add(longCodes[i], true);
    return DctTable{std::move(records), escape,
                    VlcTable({{0, 8, "000000"}, {6, 6, "00000000"}, {8, 8, nullptr}},
                             lookupCodes.data(), lookupCodes.size())};
}

}  // namespace

VlcTable::VlcTable(std::initializer_list<LevelShape> shape, const VlcCode* codes,
                   std::size_t count) {
    const std::vector<LevelShape> shapes(shape);
    for (const LevelShape& s : shapes) {
        VlcLevel level;
        level.skip = s.skip;
        level.width = s.width;
        level.entries.resize(std::size_t{1} << s.width);
        levels_.push_back(std::move(level));
    }
    for (std::size_t c = 0; c < count; ++c) {
        const std::string bits = cleanBits(codes[c].bits);
        std::size_t i = 0;
        while (i + 1 < shapes.size() && startsWith(bits, cleanBits(shapes[i].deeperPrefix))) ++i;
        VlcLevel& level = levels_[i];
        const int tail = static_cast<int>(bits.size()) - level.skip;
        // The code lists are constant: a code that fits no level is a mistake in them.
        if (tail <= 0 || tail > level.width) std::abort();
        std::uint32_t index = 0;
        for (int b = 0; b < tail; ++b)
            index = (index << 1) | (bits[level.skip + b] == '1' ? 1u : 0u);
        const int spare = level.width - tail;
        for (std::uint32_t fill = 0; fill < (1u << spare); ++fill) {
            VlcEntry& e = level.entries[(index << spare) | fill];
            if (e.kind != VlcEntry::Invalid) std::abort();  // two codes share a prefix
            e = {static_cast<std::int16_t>(codes[c].value), static_cast<std::uint8_t>(bits.size()),
                 VlcEntry::Value};
        }
    }
    // Entries whose bits continue the next level's prefix send the lookup deeper.
    for (std::size_t i = 0; i + 1 < shapes.size(); ++i) {
        const std::string prefix = cleanBits(shapes[i].deeperPrefix);
        VlcLevel& level = levels_[i];
        for (std::uint32_t v = 0; v < level.entries.size(); ++v) {
            bool match = true;
            for (int b = 0; b < level.width && level.skip + b < static_cast<int>(prefix.size());
                 ++b) {
                const bool bit = ((v >> (level.width - 1 - b)) & 1u) != 0;
                if (bit != (prefix[level.skip + b] == '1')) match = false;
            }
            if (match && level.entries[v].kind == VlcEntry::Invalid)
                level.entries[v].kind = VlcEntry::Deeper;
        }
    }
    first_ = levels_[0].entries.data();
    firstWidth_ = levels_[0].width;
}

const VlcTables& vlcTables() {
    static const VlcTables tables{
        VlcTable({{0, 5, "0000"}, {4, 7, nullptr}}, kAddressIncrement,
                 std::size(kAddressIncrement)),
        VlcTable({{0, 2, nullptr}}, kTypeI, std::size(kTypeI)),
        VlcTable({{0, 6, nullptr}}, kTypeP, std::size(kTypeP)),
        VlcTable({{0, 6, nullptr}}, kTypeB, std::size(kTypeB)),
        VlcTable({{0, 7, "000"}, {3, 6, nullptr}}, kCodedBlockPattern,
                 std::size(kCodedBlockPattern)),
        VlcTable({{0, 5, "0000"}, {4, 7, nullptr}}, kMotionCode, std::size(kMotionCode)),
        VlcTable({{0, 4, "1111"}, {4, 5, nullptr}}, kDcSizeLuma, std::size(kDcSizeLuma)),
        VlcTable({{0, 4, "1111"}, {4, 6, nullptr}}, kDcSizeChroma, std::size(kDcSizeChroma)),
        makeDctTable(kDctZero, kDctLongCodes, std::size(kDctLongCodes)),
        makeDctTable(kDctOne, kDctLongCodes, std::size(kDctLongCodes)),
    };
    return tables;
}

// clang-format off
const std::array<std::uint8_t, 64> kZigzagScan = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

const std::array<std::uint8_t, 64> kAlternateScan = {
    0,  8,  16, 24, 1,  9,  2,  10, 17, 25, 32, 40, 48, 56, 57, 49, 41, 33, 26, 18, 3,  11,
    4,  12, 19, 27, 34, 42, 50, 58, 35, 43, 51, 59, 20, 28, 5,  13, 6,  14, 21, 29, 36, 44,
    52, 60, 37, 45, 53, 61, 22, 30, 7,  15, 23, 31, 38, 46, 54, 62, 39, 47, 55, 63,
};

const ScanInverse& scanInverse() {
    static const ScanInverse inverse = [] {
        ScanInverse s{};
        for (int k = 0; k < 64; ++k) {
            s.zigzag[kZigzagScan[k]] = static_cast<std::uint8_t>(k);
            s.alternate[kAlternateScan[k]] = static_cast<std::uint8_t>(k);
        }
        return s;
    }();
    return inverse;
}

namespace {

constexpr std::array<std::uint8_t, 64> kDefaultIntraRaster = {
    8,  16, 19, 22, 26, 27, 29, 34, 16, 16, 22, 24, 27, 29, 34, 37, 19, 22, 26, 27, 29, 34,
    34, 38, 22, 22, 26, 27, 29, 34, 37, 40, 22, 26, 27, 29, 32, 35, 40, 48, 26, 27, 29, 32,
    35, 40, 48, 58, 26, 27, 29, 34, 38, 46, 56, 69, 27, 29, 35, 38, 46, 56, 69, 83,
};

}  // namespace

const std::array<std::uint8_t, 64> kDefaultIntraMatrixZigzag = [] {
    std::array<std::uint8_t, 64> m{};
    for (int k = 0; k < 64; ++k) m[k] = kDefaultIntraRaster[kZigzagScan[k]];
    return m;
}();

const std::array<std::uint8_t, 64> kQuantiserScale = {
    // linear: 2 × quantiser_scale_code
    0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36, 38, 40, 42, 44, 46,
    48, 50, 52, 54, 56, 58, 60, 62,
    // non-linear
    0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 14, 16, 18, 20, 22, 24, 28, 32, 36, 40, 44, 48, 52, 56,
    64, 72, 80, 88, 96, 104, 112,
};
// clang-format on

}  // namespace velmorin::preview
