// Short MPEG-2 program streams made by ffmpeg for the preview decoder's tests, cached in the
// build folder, and ffmpeg's own decoding of their first picture as an oracle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "preview/preview_image.h"

namespace velmorin::test {

// A DVD-style program stream (2048-byte packs) of a few frames of ffmpeg's test pattern,
// made once with `videoOptions` and kept under the build folder. Empty on failure.
std::string makePreviewStream(const std::string& name, const std::string& size,
                              const std::string& rate, const std::string& videoOptions);

struct YuvPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> y, cb, cr;  // 4:2:0 planes
};

// ffmpeg's decoding of picture `index` (display order) of `stream`.
std::optional<YuvPicture> ffmpegPicture(const std::string& stream, int width, int height,
                                        int index = 0);

// The preview image of `picture`: every second pixel and line where the picture is wider
// than 360 or taller than 240, from the bottom line up (at most 480 lines shown), chroma
// rows taken as the decoder assigns them (interlaced: rows 2k, 2k + 1 serve the top and
// bottom field lines of each four-line band). Pixels the picture does not reach keep
// `background`.
preview::PreviewImage previewOf(const YuvPicture& picture, bool interlacedChroma,
                                const preview::PreviewImage& background);

// The joined payloads of the video packs of a program stream.
std::string videoElementaryStream(const std::string& programStream);
// An elementary stream cut into well-formed 2048-byte video packs (2025 payload bytes each).
std::string videoPacks(const std::string& elementaryStream);
// Offsets of the start codes 00 00 01 `value` in an elementary stream.
std::vector<std::size_t> startCodes(const std::string& elementaryStream, std::uint8_t value);

// PSNR over the image bytes, in dB (99 for identical images).
double psnr(const preview::PreviewImage& a, const preview::PreviewImage& b);

}  // namespace velmorin::test
