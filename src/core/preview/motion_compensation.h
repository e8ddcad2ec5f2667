// Motion compensation of P-picture macroblocks: the forward motion vectors from their codes
// and predictors, and the prediction of a macroblock from the forward reference in frame or
// field format. Prediction reads the reference with coordinates clamped to the picture.
#pragma once

#include <cstdint>

#include "preview/decoder_state.h"

namespace velmorin::preview {

struct MotionVector {
    int x = 0;
    int y = 0;
};

// Decodes the motion vectors of the macroblock from its motion codes and the predictors.
void computeVectors(DecoderState& state, MotionVector (&forward)[2]);

// Writes the prediction of the 16 × 16 pixels at `target` (picture line `top`, column `left`;
// rows `stride` samples apart, upwards in memory) from the forward reference: one vector,
// with half-sample averages across and down.
void predictFrame(const DecoderState& state, std::int16_t* target, int stride, int top, int left,
                  MotionVector v);
// The same for field format: each line from the selected field with its field's vector,
// half-sample averages across only.
void predictField(const DecoderState& state, std::int16_t* target, int stride, int top, int left,
                  const MotionVector (&vectors)[2]);

}  // namespace velmorin::preview
