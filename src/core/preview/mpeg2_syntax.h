// Values of MPEG-2 video syntax elements (ISO/IEC 13818-2) that the preview decoder tells
// apart: start codes, extension identifiers, picture types and structures, chroma formats
// and motion types.
#pragma once

#include <cstdint>

namespace velmorin::preview {

// The byte that follows a 00 00 01 start code prefix.
namespace start_code {
inline constexpr std::uint8_t kPicture = 0x00;
// Slices: the value is slice_vertical_position, the macroblock row plus one.
inline constexpr std::uint8_t kFirstSlice = 0x01;
inline constexpr std::uint8_t kLastSlice = 0xAF;
inline constexpr std::uint8_t kSequenceHeader = 0xB3;
inline constexpr std::uint8_t kExtension = 0xB5;
inline constexpr std::uint8_t kGroupOfPictures = 0xB8;

inline constexpr bool isSlice(std::uint8_t value) {
    return value >= kFirstSlice && value <= kLastSlice;
}
}  // namespace start_code

// extension_start_code_identifier values the decoder reads.
enum ExtensionId : int {
    kSequenceExtension = 1,
    kQuantMatrixExtension = 3,
    kSequenceScalableExtension = 5,
    kPictureCodingExtension = 8,
};

// scalable_mode of the sequence scalable extension.
inline constexpr int kDataPartitioning = 0;

enum PictureType : int { kPictureI = 1, kPictureP = 2, kPictureB = 3 };

enum PictureStructure : int { kTopField = 1, kBottomField = 2, kFramePicture = 3 };

enum ChromaFormat : int { kChroma420 = 1, kChroma422 = 2, kChroma444 = 3 };

// frame_motion_type in frame pictures and field_motion_type in field pictures.
enum FrameMotionType : int { kFrameMotionField = 1, kFrameMotionFrame = 2 };
enum FieldMotionType : int { kFieldMotionField = 1, kFieldMotion16x8 = 2 };
inline constexpr int kMotionDualPrime = 3;

}  // namespace velmorin::preview
