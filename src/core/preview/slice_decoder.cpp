#include "preview/slice_decoder.h"

#include <algorithm>
#include <cstring>

#include "preview/idct.h"
#include "preview/reconstruction.h"
#include "preview/vlc_tables.h"

namespace velmorin::preview {

namespace {

constexpr int kBlockComponent[12] = {0, 0, 0, 0, 1, 2, 1, 2, 1, 2, 1, 2};

void resetDcPredictors(DecoderState& state) {
    const int value = 128 << (state.headers.intraDcPrecision & 3);
    for (int& p : state.slice.dcPredictor) p = value;
}

void macroblockModes(BitReader& in, DecoderState& state) {
    const VlcTables& t = vlcTables();
    const HeaderState& h = state.headers;
    MacroblockState& mb = state.mb;
    const VlcTable* table = nullptr;
    switch (h.pictureCodingType) {
        case kPictureI:
            table = &t.macroblockTypeI;
            break;
        case kPictureP:
            table = &t.macroblockTypeP;
            break;
        case kPictureB:
            table = &t.macroblockTypeB;
            break;
        default:
            break;
    }
    if (table) {
        const VlcEntry e = table->lookup(in);
        if (e.kind == VlcEntry::Value) {
            mb.flags = e.value;
            in.skip(e.length);
        }
    }
    const bool frameDctPicture = h.pictureStructure == kFramePicture && h.framePredFrameDct == 0;
    if (mb.flags & (kMbForward | kMbBackward)) {
        if (h.pictureStructure != kFramePicture) {
            mb.fieldMotionType = static_cast<int>(in.read(2));
            mb.frameFormat = 0;
            mb.motionVectorCount =
                mb.fieldMotionType == 0 ? 0 : (mb.fieldMotionType == kFieldMotion16x8 ? 2 : 1);
            mb.dmv = mb.fieldMotionType == kMotionDualPrime;
        } else if (h.framePredFrameDct == 1) {
            mb.motionVectorCount = 1;
            mb.frameFormat = 1;
            mb.dctType = 0;
        } else {
            mb.frameMotionType = static_cast<int>(in.read(2));
            switch (mb.frameMotionType) {
                case kFrameMotionField:
                    mb.frameFormat = 0;
                    mb.motionVectorCount = 2;
                    break;
                case kFrameMotionFrame:
                    mb.frameFormat = 1;
                    mb.motionVectorCount = 1;
                    break;
                case kMotionDualPrime:
                    mb.frameFormat = 0;
                    mb.motionVectorCount = 1;
                    mb.dmv = true;
                    break;
                default:
                    mb.motionVectorCount = 0;
                    break;
            }
        }
    }
    if (frameDctPicture && (mb.flags & (kMbIntra | kMbPattern)))
        mb.dctType = static_cast<int>(in.read(1));
}

// One motion vector (r, s): its two motion codes, residuals and dual-prime offsets.
void motionVector(BitReader& in, DecoderState& state, int r, int s) {
    MacroblockState& mb = state.mb;
    for (int t = 0; t < 2; ++t) {
        const VlcEntry e = vlcTables().motionCode.lookup(in);
        if (e.kind != VlcEntry::Value) {
            state.errorCode = kErrorMotionCode;
            return;
        }
        in.skip(e.length);
        mb.motionCode[r][s][t] = e.value;
        const int fCode = state.headers.fCode[s][t];
        if (fCode > 1 && e.value != 0)
            mb.motionResidual[r][s][t] = static_cast<int>(in.read(fCode - 1));
        if (mb.dmv) {
            const std::uint32_t two = in.peek(2);
            if (two == 3) {
                mb.dmvector[t] = -1;
                in.skip(2);
            } else if (two == 2) {
                mb.dmvector[t] = 1;
                in.skip(2);
            } else {
                mb.dmvector[t] = 0;
                in.skip(1);
            }
        }
    }
}

void motionVectors(BitReader& in, DecoderState& state, int s) {
    MacroblockState& mb = state.mb;
    if (mb.motionVectorCount == 1) {
        if (mb.frameFormat == 0 && !mb.dmv) mb.fieldSelect[0][s] = static_cast<int>(in.read(1));
        motionVector(in, state, 0, s);
    } else if (mb.motionVectorCount == 2) {
        mb.fieldSelect[0][s] = static_cast<int>(in.read(1));
        motionVector(in, state, 0, s);
        mb.fieldSelect[1][s] = static_cast<int>(in.read(1));
        motionVector(in, state, 1, s);
    }
}

// The dequantisation of the current macroblock's blocks, applied to each coefficient as it
// is decoded (only 4:2:0 macroblocks of I and P pictures are reconstructed, and all their
// blocks use the luma matrices).
struct Dequantiser {
    int key = -1;  // what `step` was made for: the intra flag and quantiser_scale
    bool intra = false;
    int dcScale = 0;  // intra DC: × (8 >> intra_dc_precision)
    const std::uint8_t* scan = nullptr;
    std::int32_t step[64];  // weight × quantiser_scale, by scan index
};

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

// Where a block's nonzero dequantised values may lie (bits by row and by column), and the
// running sum for the mismatch control.
struct BlockMarks {
    unsigned rows = 0;
    unsigned columns = 0;
    std::int32_t sum = 0;
};

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
        out[63] ^= 1;  // an odd value moves one towards zero, an even one up by one
        m.rows |= 0x80;
        m.columns |= 0x80;
    }
    marks = m;
}

// False, with nothing decoded, when the address would pass the picture's last macroblock:
// no valid slice goes there, and a damaged one would otherwise decode that last
// macroblock again and again for as long as its bits last.
bool decodeMacroblock(BitReader& in, DecoderState& state, const VlcTables& t,
                      Dequantiser& dequantiser) {
    HeaderState& h = state.headers;
    SliceState& slice = state.slice;
    MacroblockState& mb = state.mb;
    mb = MacroblockState{};

    // Address increment, with its escapes.
    int increment = 0;
    while (in.peek(11) == 0x008) {
        increment += 33;
        in.skip(11);
    }
    const VlcEntry inc = t.addressIncrement.lookup(in);
    if (inc.kind == VlcEntry::Value) {
        increment += inc.value;
        in.skip(inc.length);
    } else {
        state.errorCode = kErrorAddressIncrement;
    }
    if (h.pictureCodingType == kPictureI) increment = 1;
    mb.increment = increment;
    const int limit = h.mbWidth() * h.mbHeight();
    if (state.macroblockAddress >= limit) return false;
    state.macroblockAddress = std::min(state.macroblockAddress + increment, limit);

    macroblockModes(in, state);
    const bool intra = (mb.flags & kMbIntra) != 0;
    if (!intra || increment > 1) resetDcPredictors(state);

    if (h.pictureCodingType == kPictureP) {
        if ((intra && h.concealmentMotionVectors == 0) || (!intra && !(mb.flags & kMbForward)) ||
            increment > 1)
            std::memset(slice.pmv, 0, sizeof(slice.pmv));
        if (slice.previousFormat == 1 && mb.frameFormat == 0)
            for (int s = 0; s < 2; ++s)
                for (int c = 0; c < 2; ++c) slice.pmv[1][s][c] = slice.pmv[0][s][c];
    }
    slice.previousFormat = mb.frameFormat;

    if (mb.flags & kMbQuant) slice.quantiserScaleCode = static_cast<int>(in.read(5));
    const bool concealment = intra && h.concealmentMotionVectors;
    if ((mb.flags & kMbForward) || concealment) {
        // Concealment vectors are sent as one frame vector (or one field vector in a field
        // picture) and are not used by the reconstruction.
        if (concealment) {
            mb.motionVectorCount = 1;
            mb.frameFormat = h.pictureStructure == kFramePicture ? 1 : 0;
        }
        motionVectors(in, state, 0);
    }
    if (mb.flags & kMbBackward) motionVectors(in, state, 1);
    if (concealment) in.skip(1);

    for (bool& p : mb.patternCode) p = intra;
    const int blocks = state.blockCount();
    if (mb.flags & kMbPattern) {
        const VlcEntry e = t.codedBlockPattern.lookup(in);
        if (e.kind == VlcEntry::Value) {
            in.skip(e.length);
            int cbp = e.value;
            for (int i = 0; i < 6; ++i) mb.patternCode[i] = ((cbp >> (5 - i)) & 1) != 0;
            if (blocks > 6) {
                const int extra = blocks - 6;
                const int more = static_cast<int>(in.read(extra));
                for (int i = 0; i < extra; ++i)
                    mb.patternCode[6 + i] = ((more >> (extra - 1 - i)) & 1) != 0;
                cbp = (cbp << extra) | more;
            }
            mb.codedBlockPattern = cbp;
        } else {
            state.errorCode = kErrorCodedBlockPattern;
        }
    }
    // Only 4:2:0 macroblocks of I and P pictures are reconstructed; the rest are parsed.
    const bool reconstruct =
        (h.pictureCodingType == kPictureI || h.pictureCodingType == kPictureP) &&
        h.chromaFormat == kChroma420;
    BlockMarks marks[12];
    if (!reconstruct) {
        for (int i = 0; i < blocks; ++i) decodeBlock(in, state, t, i, nullptr, marks[i]);
        return true;
    }
    prepareDequantiser(state, dequantiser);
    for (int i = 0; i < blocks; ++i) decodeBlock(in, state, t, i, &dequantiser, marks[i]);
    for (int i = 0; i < blocks; ++i) {
        std::int32_t* block = state.blocks[i];
        if (!mb.patternCode[i]) {
            std::fill(block, block + 64, i < 4 ? 0 : 128);
            continue;
        }
        std::int32_t* values = state.dequantised[i];
        inverseTransformSparse(values, block, marks[i].rows, marks[i].columns);
        for (unsigned r = 0, left = marks[i].rows; left != 0; ++r, left >>= 1)
            if (left & 1) std::fill_n(values + 8 * r, 8, 0);
        if (i >= 4 && !intra)
            for (int p = 0; p < 64; ++p) block[p] += 128;
    }
    reconstructMacroblock(state);
    return true;
}

}  // namespace

void dequantiseBlock(DecoderState& state, int i) {
    const HeaderState& h = state.headers;
    const MacroblockState& mb = state.mb;
    const bool intra = (mb.flags & kMbIntra) != 0;
    const bool luma = i < 4 || h.chromaFormat == kChroma420;
    const auto& w = intra ? (luma ? state.matrices.intraLuma : state.matrices.intraChroma)
                          : (luma ? state.matrices.nonIntraLuma : state.matrices.nonIntraChroma);
    const int qs = kQuantiserScale[(h.qScaleType & 1) * 32 + (state.slice.quantiserScaleCode & 31)];
    const auto& scan = h.alternateScan ? kAlternateScan : kZigzagScan;
    const auto& zigzagIndex = scanInverse().zigzag;
    const std::int32_t* qf = state.coefficients[i];
    std::int32_t* out = state.blocks[i];
    std::memset(out, 0, sizeof(state.blocks[i]));
    // Only the positions the block's codes reached can be non-zero; every other F is 0.
    // AC levels are at most 12-bit, so the products below fit 32 bits; the DC of an intra
    // block is the running predictor and is scaled in 64 bits.
    const int count = std::clamp(state.coefficientCount[i], 0, 64);
    std::int32_t sum = 0;
    int k = 0;
    if (intra && count > 0) {
        const std::int64_t dc = std::int64_t{qf[0]} * (8 >> (h.intraDcPrecision & 3));
        out[0] = static_cast<std::int32_t>(std::clamp<std::int64_t>(dc, -2048, 2047));
        sum = out[0];
        k = 1;
    }
    for (; k < count; ++k) {
        const std::int32_t q = qf[k];
        if (q == 0) continue;
        const int p = scan[k];
        const std::int32_t weight = w[zigzagIndex[p]];
        const std::int32_t f =
            intra ? (q * weight * qs * 2) / 32 : ((2 * q + (q > 0 ? 1 : -1)) * weight * qs) / 32;
        const std::int32_t v = std::clamp(f, -2048, 2047);
        out[p] = v;
        sum += v;
    }
    if ((sum & 1) == 0) out[63] += (out[63] & 1) ? -1 : 1;
}

void decodeSlice(BitReader& in, DecoderState& state) {
    const HeaderState& h = state.headers;
    resetDcPredictors(state);
    std::memset(state.slice.pmv, 0, sizeof(state.slice.pmv));
    state.slice.previousFormat = -1;
    if (h.verticalSize > 2800) in.skip(3);
    if (h.scalableExtensionPresent && h.scalableMode == kDataPartitioning) in.skip(7);
    state.slice.quantiserScaleCode = static_cast<int>(in.read(5));
    if (in.readFlag()) {
        in.skip(8);  // intra_slice and reserved bits
        while (in.readFlag()) in.skip(8);
    }
    const VlcTables& t = vlcTables();
    Dequantiser dequantiser;
    do {
        if (!decodeMacroblock(in, state, t, dequantiser)) return;
    } while (state.errorCode == kNoError && in.peek(23) != 0);
}

}  // namespace velmorin::preview
