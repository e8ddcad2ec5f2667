// The preview decoder: decodes the first picture of one GOP of a VOB file into the 360 × 240
// preview image. It reads the GOP's packs, joins the video payloads into an elementary
// stream, walks its start codes and stops at the second picture header, converting the
// first picture then. Failures are shown through the Ui; a picture of 240 lines or fewer
// stops the decode silently and leaves the image as it was.
//
// The packs are read in steps of 1 MiB, and a start code is handled only once the stream
// holds 1 MiB beyond the previous one (or the input has ended); each header and slice sees
// the stream up to the end of the last step read, and zero bytes behind it. The decoder
// keeps exactly these rules but reads each step lazily, a piece at a time, as the start
// code search and the bit reader reach its end: a GOP's first picture is usually a small
// part of the 2 MiB the rules would have it hold, and the rest is never read.
//
// The decoder owns all of its memory (stream area, pack area, frame buffers, image); it
// never touches the shared sector buffer. One object keeps header values, weight matrices,
// frame buffers and the image from one decode to the next.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/binary_file.h"
#include "preview/bit_reader.h"
#include "preview/decode_error.h"
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

class PreviewDecoder final : private BitReader::MoreInput {
public:
    // The stream area holds up to 1 MiB behind the position being scanned and the 2 MiB
    // the reading rules may put ahead of it.
    static constexpr std::size_t kStreamAreaSize = 3 * 1024 * 1024;
    // One reading step of packs.
    static constexpr std::size_t kPackAreaSize = 1024 * 1024;
    // The error codes, also as PreviewDecoder::kSmallPicture and so on.
    using enum DecodeError;

    PreviewDecoder();
    ~PreviewDecoder();
    PreviewDecoder(const PreviewDecoder&) = delete;
    PreviewDecoder& operator=(const PreviewDecoder&) = delete;

    // Decodes the request; true when a new image was written.
    bool decode(const PreviewRequest& request, Ui& ui);

    const PreviewImage& image() const { return image_; }
    PreviewImage& image() { return image_; }

    // The error code the last decode ended with (a DecodeError), as the number the decode
    // error message shows.
    int lastErrorCode() const;
    // Header values, matrices and frame buffers, for inspection.
    const DecoderState& state() const { return *state_; }
    DecoderState& state() { return *state_; }

private:
    // Continue: go on with the next start code; Ended: the decode is over (any error is then
    // reported); StopSilently: a picture the preview does not show.
    enum class ScanResult { Continue, Ended, StopSilently };
    // Walks the start codes until the decode ends (never answers Continue).
    ScanResult scanStartCodes();
    // The area offset of the next 00 00 01 from the position whose value byte lies in the
    // data, reading more input as the rules allow; nothing when all of the stream they
    // allow holds none.
    std::optional<std::size_t> findNextStartCode();
    // Acts on the start code whose first byte is at area offset `at`.
    ScanResult handleStartCode(std::size_t at);
    void setFill(std::size_t fill);
    // Whether the reading rules give the stream more input at this point.
    bool mayRead() const;
    // Reads one piece of the current step (starting a step first if none is open) and
    // appends its video payloads; returns false when the rules allow no more input.
    bool readPiece();
    // Reads until the stream holds `end` bytes of the area or no more input is allowed.
    void readUpTo(std::size_t end);
    std::ptrdiff_t extend(const std::uint8_t* base, std::ptrdiff_t byte) override;

    std::unique_ptr<DecoderState> state_;
    std::vector<std::uint8_t> stream_;  // stream area plus a zero pad
    std::vector<std::uint8_t> packs_;   // the step being read
    PreviewImage image_;

    std::size_t fill_ = 0;      // valid bytes in the stream area
    std::size_t position_ = 0;  // where the start code search goes on
    // Stream offsets counted from the start of the GOP's stream (the area's first byte is
    // at `areaStart_`): the position of the last look-ahead check, and the end of the last
    // step read in full.
    std::uint64_t areaStart_ = 0;
    std::uint64_t checkedAt_ = 0;
    std::uint64_t stepsEnd_ = 0;

    // Input: the GOP's file and, for the step in which it ends, the next one.
    BinaryFile file_;
    BinaryFile next_;
    std::string nextPath_;
    bool stepOpen_ = false;         // a step has been started and not read to its end
    bool readingNext_ = false;      // the open step goes on in the next file
    bool inputEnded_ = false;       // a step came out short: no input after it
    std::size_t stepBytes_ = 0;     // bytes of the open step read so far
    std::size_t stepFiltered_ = 0;  // of those, the whole packs passed to the filter
    bool imageWritten_ = false;
};

}  // namespace velmorin::preview
