#include "preview/block_decoder.h"

#include <algorithm>

namespace velmorin::preview {

namespace {

// The DC predictor of each block: Y, Y, Y, Y, then Cb and Cr in turn.
constexpr int kBlockComponent[12] = {0, 0, 0, 0, 1, 2, 1, 2, 1, 2, 1, 2};

// The fast lookup of a DCT coefficient code on its first 8 bits; codes that begin with six
// zeros go through the full table.
struct FastDctEntry {
    enum Kind : std::uint8_t { Slow, Coefficient, EndOfBlock, Escape };
    std::uint8_t run = 0;
    std::uint8_t level = 0;
    std::uint8_t length = 0;  // without the sign bit
    Kind kind = Slow;
};

struct FastDctTable {
    FastDctEntry entries[256];
};

FastDctTable makeFastDctTable(const DctTable& table) {
    FastDctTable fast;
    for (int b = 0; b < 256; ++b) {
        if (b < 4) continue;  // six leading zeros: the longer codes
        const std::uint8_t bytes[8] = {static_cast<std::uint8_t>(b)};
        const BitReader probe(bytes, 4);
        const VlcEntry e = table.lookup.lookup(probe);
        if (e.kind != VlcEntry::Value) continue;
        const DctRecord& r = table.records[static_cast<std::size_t>(e.value)];
        FastDctEntry& f = fast.entries[b];
        f.run = r.run;
        f.level = r.level;
        f.length = r.length;
        f.kind = e.value == kEndOfBlock          ? FastDctEntry::EndOfBlock
                 : e.value == table.escapeRecord ? FastDctEntry::Escape
                                                 : FastDctEntry::Coefficient;
    }
    return fast;
}

struct FastDctTables {
    FastDctTable zero;
    FastDctTable one;
};

const FastDctTables& fastDctTables() {
    static const FastDctTables tables{makeFastDctTable(vlcTables().dctZero),
                                      makeFastDctTable(vlcTables().dctOne)};
    return tables;
}

// Stores a (run, level) pair at index k; returns false when it lands at 64 or beyond. With
// a dequantiser, the level's dequantised value also goes to its raster position in `out`.
inline bool store(std::int32_t* coefficients, int& k, int run, int level, const Dequantiser* d,
                  std::int32_t* out, BlockMarks& marks) {
    k += run;
    if (k >= 64) {
        k = 64;
        return false;
    }
    coefficients[k] = level;
    if (d && level != 0) {
        // AC levels are at most 12-bit: the products fit 32 bits.
        const std::int32_t f = d->intra ? (level * d->step[k] * 2) / 32
                                        : ((2 * level + (level > 0 ? 1 : -1)) * d->step[k]) / 32;
        const std::int32_t v = std::clamp(f, -2048, 2047);
        const int p = d->scan[k];
        out[p] = v;
        marks.sum += v;
        marks.rows |= 1u << (p >> 3);
        marks.columns |= 1u << (p & 7);
    }
    ++k;
    return true;
}

// Reads the level of a record (sign bit or escape) and stores it.
inline bool storeRecord(BitReader& in, const DctTable& table, int record,
                        std::int32_t* coefficients, int& k, const Dequantiser* d, std::int32_t* out,
                        BlockMarks& marks) {
    int run;
    int level;
    if (record == table.escapeRecord) {
        run = static_cast<int>(in.read(6));
        level = static_cast<int>(in.read(12));
        if (level >= 2048) level -= 4096;
    } else {
        const DctRecord& r = table.records[static_cast<std::size_t>(record)];
        run = r.run;
        level = in.readFlag() ? -r.level : r.level;
    }
    return store(coefficients, k, run, level, d, out, marks);
}

// The coefficients of a coded block: the DC or first coefficient, then the codes up to the
// end of block (or an invalid code). `k` and `marks` follow the stores.
inline void decodeCoefficients(BitReader& in, DecoderState& state, const VlcTables& t, int i,
                               const Dequantiser* d, std::int32_t* coefficients, std::int32_t* out,
                               int& k, BlockMarks& marks) {
    const bool intra = (state.mb.flags & kMbIntra) != 0;
    if (intra) {
        const VlcEntry e = (i < 4 ? t.dcSizeLuma : t.dcSizeChroma).lookup(in);
        in.skip(e.length);
        const int size = e.value;
        int diff = 0;
        if (size > 0) {
            diff = static_cast<int>(in.read(size));
            if (diff < (1 << (size - 1))) diff = diff + 1 - (1 << size);
        }
        int& predictor = state.slice.dcPredictor[kBlockComponent[i]];
        // Wrapping arithmetic: a hostile stream may drive the predictor anywhere.
        predictor = static_cast<int>(static_cast<std::uint32_t>(predictor) +
                                     static_cast<std::uint32_t>(diff));
        coefficients[0] = predictor;
        k = 1;
        if (d) {
            // The DC is the running predictor: scaled in 64 bits.
            const std::int64_t dc = std::int64_t{predictor} * d->dcScale;
            out[0] = static_cast<std::int32_t>(std::clamp<std::int64_t>(dc, -2048, 2047));
            marks.sum = out[0];
            marks.rows = 1;
            marks.columns = 1;
        }
    } else {
        const VlcEntry e = t.dctZero.lookup.lookup(in);
        if (e.kind != VlcEntry::Value) {
            state.errorCode = kErrorCoefficientCode;
            return;
        }
        int record = e.value;
        if (record == kEndOfBlock || record == VlcTables::kSecondOneRecord)
            record = VlcTables::kFirstCoefficientRecord;
        in.skip(t.dctZero.records[static_cast<std::size_t>(record)].length);
        storeRecord(in, t.dctZero, record, coefficients, k, d, out, marks);
    }
    const bool one = intra && state.headers.intraVlcFormat == 1;
    const DctTable& table = one ? t.dctOne : t.dctZero;
    const FastDctTable& fast = one ? fastDctTables().one : fastDctTables().zero;
    for (;;) {
        // Codes of up to 8 bits with their sign, or an escape (24 bits), lie in the window.
        const std::uint32_t window = in.window();
        const FastDctEntry f = fast.entries[window >> 24];
        if (f.kind == FastDctEntry::Coefficient) {
            const int level = ((window << f.length) & 0x80000000u) ? -f.level : f.level;
            in.skip(f.length + 1);
            if (!store(coefficients, k, f.run, level, d, out, marks))
                state.errorCode = kErrorTooManyCoefficients;
            continue;
        }
        if (f.kind == FastDctEntry::EndOfBlock) {
            in.skip(f.length);
            return;
        }
        if (f.kind == FastDctEntry::Escape) {
            const int run = static_cast<int>((window >> 20) & 0x3F);
            int level = static_cast<int>((window >> 8) & 0xFFF);
            if (level >= 2048) level -= 4096;
            in.skip(24);
            if (!store(coefficients, k, run, level, d, out, marks))
                state.errorCode = kErrorTooManyCoefficients;
            continue;
        }
        const VlcEntry e = table.lookup.lookup(in);
        if (e.kind != VlcEntry::Value) {
            state.errorCode = kErrorCoefficientCode;
            return;
        }
        const int record = e.value;
        in.skip(table.records[static_cast<std::size_t>(record)].length);
        if (record == kEndOfBlock) return;
        if (!storeRecord(in, table, record, coefficients, k, d, out, marks))
            state.errorCode = kErrorTooManyCoefficients;
    }
}

}  // namespace

// Brings the dequantiser up to date for the current macroblock. The weight matrices and the
// picture's values do not change within a slice, so `step` is remade only when the
// macroblock's intra flag or quantiser_scale differs from the last one's.
void prepareDequantiser(const DecoderState& state, Dequantiser& d) {
    const HeaderState& h = state.headers;
    const bool intra = (state.mb.flags & kMbIntra) != 0;
    const int qsIndex = (h.qScaleType & 1) * 32 + (state.slice.quantiserScaleCode & 31);
    const int key = (intra ? 128 : 0) + qsIndex;
    if (key == d.key) return;
    d.key = key;
    d.intra = intra;
    d.dcScale = 8 >> (h.intraDcPrecision & 3);
    d.scan = (h.alternateScan ? kAlternateScan : kZigzagScan).data();
    const auto& w = d.intra ? state.matrices.intraLuma : state.matrices.nonIntraLuma;
    const int qs = kQuantiserScale[static_cast<std::size_t>(qsIndex)];
    const auto& zigzagIndex = scanInverse().zigzag;
    for (int k = 0; k < 64; ++k) d.step[k] = w[zigzagIndex[d.scan[k]]] * qs;
}

// Decodes block i into the coefficient store (scan order) and records how far its
// coefficients reach. With a dequantiser, a coded block's dequantised values (raster
// order, mismatch control applied) go to the working store, and `marks` tells where they
// may be nonzero.
void decodeBlock(BitReader& reader, DecoderState& state, const VlcTables& t, int i,
                 const Dequantiser* d, BlockMarks& marks) {
    // The store is zero past the count of the block's last decode: only the part before it
    // needs clearing.
    std::int32_t* coefficients = state.coefficients[i];
    const int written = std::clamp(state.coefficientCount[i], 0, 64);
    for (int j = 0; j < written; j += 8) std::fill_n(coefficients + j, 8, 0);
    marks = BlockMarks{};
    if (!state.mb.patternCode[i]) {
        state.coefficientCount[i] = 0;
        return;
    }
    // The loop works on copies (kept in registers, apart from the stores it makes).
    BitReader in = reader;
    int k = 0;
    BlockMarks m;
    std::int32_t* out = state.dequantised[i];
    decodeCoefficients(in, state, t, i, d, coefficients, out, k, m);
    reader = in;
    state.coefficientCount[i] = k;
    if (d && (m.sum & 1) == 0) {
        // Flipping the lowest bit takes an odd value one down (3 to 2, -3 to -4, towards
        // minus infinity in two's complement) and an even one up (0 to 1, -4 to -3).
        out[63] ^= 1;
        m.rows |= 0x80;
        m.columns |= 0x80;
    }
    marks = m;
}

}  // namespace velmorin::preview
