// The preview decoder's persistent state: the values of the last headers seen, the weight
// matrices, the three frame buffers, and the working state of the slice being decoded.
// Header values and frame buffers outlive a decode on purpose: a GOP that lacks a header
// is decoded with the values of the last stream that had one.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "preview/decode_error.h"
#include "preview/mpeg2_syntax.h"

namespace velmorin::preview {

struct HeaderState {
    // Sequence header.
    int horizontalSize = 0;
    int verticalSize = 0;
    int aspectRatio = 0;
    int frameRateCode = 0;
    int bitRateValue = 0;
    int vbvBufferSize = 0;
    int constrainedParameters = 0;
    // Sequence extension.
    int profileAndLevel = 0;
    int progressiveSequence = 0;
    int chromaFormat = 0;
    int horizontalSizeExtension = 0;
    int verticalSizeExtension = 0;
    int bitRateExtension = 0;
    int vbvBufferSizeExtension = 0;
    int lowDelay = 0;
    int frameRateExtensionN = 0;
    int frameRateExtensionD = 0;
    // Sequence scalable extension.
    bool scalableExtensionPresent = false;
    int scalableMode = 0;
    // Group of pictures header.
    int timeCode = 0;
    int closedGop = 0;
    int brokenLink = 0;
    // Picture header.
    int temporalReference = 0;
    int pictureCodingType = 0;
    int vbvDelay = 0;
    int fullPelForward = 0;
    int forwardFCode = 0;
    int fullPelBackward = 0;
    int backwardFCode = 0;
    // Picture coding extension.
    int fCode[2][2] = {};
    int intraDcPrecision = 0;
    int pictureStructure = 0;
    int topFieldFirst = 0;
    int framePredFrameDct = 0;
    int concealmentMotionVectors = 0;
    int qScaleType = 0;
    int intraVlcFormat = 0;
    int alternateScan = 0;
    int repeatFirstField = 0;
    int chroma420Type = 0;
    int progressiveFrame = 0;
    int compositeDisplay = 0;

    int mbWidth() const { return (horizontalSize + 15) / 16; }
    int mbHeight() const { return (verticalSize + 15) / 16; }
};

// Weight matrices in zigzag order, as the bitstream sends them.
struct QuantMatrices {
    std::array<std::uint8_t, 64> intraLuma{};
    std::array<std::uint8_t, 64> nonIntraLuma{};
    std::array<std::uint8_t, 64> intraChroma{};
    std::array<std::uint8_t, 64> nonIntraChroma{};
};

// Three pictures of pixel triples (Y, Cb - 128, Cr - 128) as signed 16-bit samples, rows
// bottom-up: row 0 is the bottom line of the macroblock-aligned picture.
struct FrameStore {
    static constexpr int kMaxWidth = 720;
    static constexpr int kMaxHeight = 576;
    static constexpr std::size_t kSamples = std::size_t{kMaxWidth} * 3 * kMaxHeight;

    FrameStore() {
        for (auto& b : buffers) b.assign(kSamples, 0);
    }
    std::array<std::vector<std::int16_t>, 3> buffers;
    int forward = 0;  // F
    int current = 1;  // C
};

struct SliceState {
    int dcPredictor[3] = {};
    int pmv[2][2][2] = {};    // [first/second][forward/backward][horizontal/vertical]
    int previousFormat = -1;  // -1 none yet, 0 field, 1 frame
    int quantiserScaleCode = 0;
};

struct MacroblockState {
    int increment = 0;
    int flags = 0;  // MacroblockFlag bits
    int frameMotionType = 0;
    int fieldMotionType = 0;
    int motionVectorCount = 0;
    int frameFormat = 0;  // 1 frame format, 0 field format
    bool dmv = false;
    int dctType = 0;
    int motionCode[2][2][2] = {};
    int motionResidual[2][2][2] = {};
    int fieldSelect[2][2] = {};
    int dmvector[2] = {};
    int codedBlockPattern = 0;
    bool patternCode[12] = {};
};

struct DecoderState {
    HeaderState headers;
    QuantMatrices matrices;
    FrameStore frames;

    // Reader state of one decode.
    DecodeError errorCode = kNoError;
    int pictureCount = 0;
    // The current macroblock, counted from 1 in raster order (0: none yet); each slice
    // starts it from its own row.
    int macroblockAddress = 0;

    SliceState slice;
    MacroblockState mb;
    std::int32_t coefficients[12][64] = {};  // scan order
    int coefficientCount[12] = {};           // scan positions written in each block
    std::int32_t blocks[12][64] = {};        // raster order, dequantised, then transformed
    // Working store of the reconstruction: each block's dequantised values (raster order),
    // which the transform reads into `blocks`. All zero between macroblocks: only the rows
    // a block wrote are cleared after its transform.
    std::int32_t dequantised[12][64] = {};

    // Pictures this decoder can place in its frame buffers: taller than 240 lines (smaller
    // ones are not previewed at all), at most 720 × 576.
    bool pictureSizeSupported() const {
        return headers.horizontalSize >= 1 && headers.horizontalSize <= FrameStore::kMaxWidth &&
               headers.verticalSize > 240 && headers.verticalSize <= FrameStore::kMaxHeight;
    }
    int blockCount() const {
        switch (headers.chromaFormat) {
            case kChroma422:
                return 8;
            case kChroma444:
                return 12;
            default:
                return 6;
        }
    }
    // Samples per frame buffer row: three per pixel of every macroblock column.
    int rowSamples() const { return 48 * headers.mbWidth(); }
};

}  // namespace velmorin::preview
