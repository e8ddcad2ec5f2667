#include "preview/stream_headers.h"

#include <algorithm>

#include "preview/vlc_tables.h"

namespace velmorin::preview {

namespace {

int bits(BitReader& in, int n) {
    return static_cast<int>(in.read(n));
}

// Reads 64 weights; a zero weight is not stored when `keepOnZero` is set.
void readMatrix(BitReader& in, std::array<std::uint8_t, 64>& a, std::array<std::uint8_t, 64>* b,
                bool keepOnZero) {
    for (int k = 0; k < 64; ++k) {
        const auto v = static_cast<std::uint8_t>(in.read(8));
        if (keepOnZero && v == 0) continue;
        a[k] = v;
        if (b) (*b)[k] = v;
    }
}

void parseSequenceExtension(BitReader& in, HeaderState& h) {
    h.profileAndLevel = bits(in, 8);
    h.progressiveSequence = bits(in, 1);
    h.chromaFormat = bits(in, 2);
    h.horizontalSizeExtension = bits(in, 2);
    h.verticalSizeExtension = bits(in, 2);
    h.bitRateExtension = bits(in, 12);
    in.skip(1);  // marker
    h.vbvBufferSizeExtension = bits(in, 8);
    h.lowDelay = bits(in, 1);
    h.frameRateExtensionN = bits(in, 2);
    h.frameRateExtensionD = bits(in, 5);
}

void parseQuantMatrixExtension(BitReader& in, QuantMatrices& m) {
    if (in.readFlag()) readMatrix(in, m.intraLuma, nullptr, true);
    if (in.readFlag()) readMatrix(in, m.nonIntraLuma, nullptr, true);
    if (in.readFlag()) readMatrix(in, m.intraChroma, nullptr, true);
    if (in.readFlag()) readMatrix(in, m.nonIntraChroma, nullptr, true);
}

void parsePictureCodingExtension(BitReader& in, DecoderState& state) {
    HeaderState& h = state.headers;
    for (int s = 0; s < 2; ++s)
        for (int t = 0; t < 2; ++t) h.fCode[s][t] = bits(in, 4);
    // The last zero f_code names the error.
    constexpr DecodeError kZeroFCode[2][2] = {
        {kErrorForwardHorizontalFCode, kErrorForwardVerticalFCode},
        {kErrorBackwardHorizontalFCode, kErrorBackwardVerticalFCode}};
    for (int s = 0; s < 2; ++s)
        for (int t = 0; t < 2; ++t)
            if (h.fCode[s][t] == 0) state.errorCode = kZeroFCode[s][t];
    h.intraDcPrecision = bits(in, 2);
    h.pictureStructure = bits(in, 2);
    h.topFieldFirst = bits(in, 1);
    h.framePredFrameDct = bits(in, 1);
    h.concealmentMotionVectors = bits(in, 1);
    h.qScaleType = bits(in, 1);
    h.intraVlcFormat = bits(in, 1);
    h.alternateScan = bits(in, 1);
    h.repeatFirstField = bits(in, 1);
    h.chroma420Type = bits(in, 1);
    h.progressiveFrame = bits(in, 1);
    h.compositeDisplay = bits(in, 1);
    if (h.compositeDisplay) in.skip(20);
}

}  // namespace

void parseSequenceHeader(BitReader& in, DecoderState& state) {
    HeaderState& h = state.headers;
    h.horizontalSize = bits(in, 12);
    h.verticalSize = bits(in, 12);
    h.aspectRatio = bits(in, 4);
    h.frameRateCode = bits(in, 4);
    h.bitRateValue = bits(in, 18);
    in.skip(1);  // marker
    h.vbvBufferSize = bits(in, 10);
    h.constrainedParameters = bits(in, 1);
    h.scalableExtensionPresent = false;
    QuantMatrices& m = state.matrices;
    if (in.readFlag()) {
        readMatrix(in, m.intraLuma, &m.intraChroma, false);
    } else {
        m.intraLuma = kDefaultIntraMatrixZigzag;
        m.intraChroma = kDefaultIntraMatrixZigzag;
    }
    if (in.readFlag()) {
        readMatrix(in, m.nonIntraLuma, &m.nonIntraChroma, false);
    } else {
        m.nonIntraLuma.fill(16);
        m.nonIntraChroma.fill(16);
    }
}

void parseExtension(BitReader& in, DecoderState& state) {
    switch (in.read(4)) {
        case kSequenceExtension:
            parseSequenceExtension(in, state.headers);
            break;
        case kQuantMatrixExtension:
            parseQuantMatrixExtension(in, state.matrices);
            break;
        case kSequenceScalableExtension:
            state.headers.scalableExtensionPresent = true;
            state.headers.scalableMode = bits(in, 2);
            break;
        case kPictureCodingExtension:
            parsePictureCodingExtension(in, state);
            break;
        default:
            break;  // display and other scalable extensions: nothing the preview uses
    }
}

void parseGroupOfPictures(BitReader& in, DecoderState& state) {
    state.headers.timeCode = bits(in, 25);
    state.headers.closedGop = bits(in, 1);
    state.headers.brokenLink = bits(in, 1);
}

void parsePictureHeader(BitReader& in, DecoderState& state) {
    HeaderState& h = state.headers;
    h.temporalReference = bits(in, 10);
    h.pictureCodingType = bits(in, 3);
    h.vbvDelay = bits(in, 16);
    if (h.pictureCodingType == kPictureP || h.pictureCodingType == kPictureB) {
        h.fullPelForward = bits(in, 1);
        h.forwardFCode = bits(in, 3);
    }
    if (h.pictureCodingType == kPictureB) {
        h.fullPelBackward = bits(in, 1);
        h.backwardFCode = bits(in, 3);
    }
    // extra_information_picture: read and dropped.
    while (in.readFlag()) in.skip(8);

    FrameStore& f = state.frames;
    if (h.pictureCodingType == kPictureI || h.pictureCodingType == kPictureP) {
        const int oldForward = f.forward;
        f.current = oldForward;
        f.forward = 1 - oldForward;
    } else if (h.pictureCodingType == kPictureB) {
        f.current = 2;
    }
    if (h.pictureCodingType == kPictureP || h.pictureCodingType == kPictureB) {
        f.buffers[f.current] = f.buffers[f.forward];
    }
}

}  // namespace velmorin::preview
