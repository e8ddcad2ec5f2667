// The preview decoder: decodes the first picture of one GOP of a VOB file into the 360 × 240
// preview image. It reads the GOP's packs, joins the video payloads into an elementary
// stream, walks its start codes and stops at the second picture header, converting the
// first picture then. Failures are shown through the Ui; a picture of 240 lines or fewer
// stops the decode silently and leaves the image as it was.
//
// The decoder owns all of its memory (stream area, pack area, frame buffers, image); it
// never touches the shared sector buffer. One object keeps header values, weight matrices,
// frame buffers and the image from one decode to the next.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "preview/preview_image.h"

namespace velmorin {
class Ui;
struct InputFileSet;
struct GopTable;
}  // namespace velmorin

namespace velmorin::preview {

struct DecoderState;

struct PreviewRequest {
    std::string path;               // the VOB file that holds the GOP
    std::string nextPath;           // the file after it in the set, or empty for the last one
    std::uint32_t startSector = 0;  // the GOP's first sector within `path`
    bool decoded = false;           // for the caller: set once the request has been decoded
};

// The request for GOP k (0-based) of the opened title.
PreviewRequest requestForGop(const InputFileSet& files, const GopTable& gops, int k);

namespace preview_messages {
inline constexpr const char* kCannotOpen = "%sが開けません（プレビュー）.";
inline constexpr const char* kSeekError = "シークエラーが発生しました（プレビュー）.";
inline constexpr const char* kDecodeError = "デコードエラー（%d）が発生しました（プレビュー）.";
}  // namespace preview_messages

class PreviewDecoder {
public:
    static constexpr std::size_t kStreamAreaSize = 2 * 1024 * 1024;
    static constexpr std::size_t kPackAreaSize = 1024 * 1024;
    // Error code of the silent stop on a picture of 240 lines or fewer.
    static constexpr int kSmallPicture = 100;
    // Error code of the silent stop on a picture larger than the frame buffers (720 × 576).
    static constexpr int kPictureTooLarge = 101;

    PreviewDecoder();
    ~PreviewDecoder();
    PreviewDecoder(const PreviewDecoder&) = delete;
    PreviewDecoder& operator=(const PreviewDecoder&) = delete;

    // Decodes the request; true when a new image was written.
    bool decode(const PreviewRequest& request, Ui& ui);

    const PreviewImage& image() const { return image_; }
    PreviewImage& image() { return image_; }

    // The error code the last decode ended with (0, 1–11, or a silent-stop code).
    int lastErrorCode() const;
    // Header values, matrices and frame buffers, for inspection.
    const DecoderState& state() const { return *state_; }
    DecoderState& state() { return *state_; }

private:
    enum class ScanResult { NeedMoreInput, Finished, StopSilently };
    ScanResult scanStartCodes();
    void setFill(std::size_t fill);

    std::unique_ptr<DecoderState> state_;
    std::vector<std::uint8_t> stream_;  // stream area plus a zero pad
    std::vector<std::uint8_t> packs_;
    PreviewImage image_;

    std::size_t fill_ = 0;
    std::size_t position_ = 0;
    int runState_ = 0;  // 0 more input may follow, 1 input exhausted, 2 picture finished
    bool imageWritten_ = false;
};

}  // namespace velmorin::preview
