#include "preview/slice_decoder.h"

#include <algorithm>
#include <cstring>

#include "preview/block_decoder.h"
#include "preview/idct.h"
#include "preview/reconstruction.h"
#include "preview/vlc_tables.h"

namespace velmorin::preview {

namespace {

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

// False, with nothing decoded, when the address would pass the picture's last macroblock:
// no valid slice goes there, and a damaged one would otherwise decode that last
// macroblock again and again for as long as its bits last.
bool decodeMacroblock(BitReader& in, DecoderState& state, const VlcTables& t,
                      Dequantiser& dequantiser, bool firstOfSlice) {
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
    // A slice's first increment gives its column. Within an I picture no macroblock is
    // skipped: every later increment is taken as 1, whatever a damaged code says.
    if (h.pictureCodingType == kPictureI && (!firstOfSlice || increment == 0)) increment = 1;
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

void decodeSlice(BitReader& in, DecoderState& state, int verticalPosition) {
    const HeaderState& h = state.headers;
    // The slice's row comes from its start code (and, in pictures over 2800 lines, the
    // extension in front of its header), not from where the previous slice ended: a lost
    // or damaged slice then costs its own macroblocks only. A slice below the picture is
    // ignored. One that goes back up is decoded at its row like any other: its macroblocks
    // stay inside the picture, and a wrong start code value cannot make the intact slices
    // after it be dropped.
    int row = verticalPosition - 1;
    if (h.verticalSize > 2800) row += static_cast<int>(in.read(3)) << 7;
    if (row >= h.mbHeight()) return;
    state.macroblockAddress = row * h.mbWidth();  // the address before the first increment
    resetDcPredictors(state);
    std::memset(state.slice.pmv, 0, sizeof(state.slice.pmv));
    state.slice.previousFormat = -1;
    if (h.scalableExtensionPresent && h.scalableMode == kDataPartitioning) in.skip(7);
    state.slice.quantiserScaleCode = static_cast<int>(in.read(5));
    if (in.readFlag()) {
        in.skip(8);  // intra_slice and reserved bits
        while (in.readFlag()) in.skip(8);
    }
    const VlcTables& t = vlcTables();
    Dequantiser dequantiser;
    bool first = true;
    do {
        if (!decodeMacroblock(in, state, t, dequantiser, first)) return;
        first = false;
    } while (state.errorCode == kNoError && in.peek(23) != 0);
}

}  // namespace velmorin::preview
