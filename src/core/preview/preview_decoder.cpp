#include "preview/preview_decoder.h"

#include <algorithm>
#include <cstring>

#include "common/sector.h"
#include "common/text_format.h"
#include "platform/binary_file.h"
#include "preview/conversion.h"
#include "preview/decoder_state.h"
#include "preview/pack_filter.h"
#include "preview/slice_decoder.h"
#include "preview/stream_headers.h"
#include "scan/gop_table.h"
#include "ui/ui.h"

namespace velmorin::preview {

namespace {

// Zero bytes kept behind the valid stream bytes (re-zeroed whenever the fill changes): a
// header or slice read that runs past the end of the data sees zero bits, which end every
// loop of the syntax. Stale bytes further on are therefore never reached, and the area as
// a whole need not be cleared for each decode.
constexpr std::size_t kZeroPad = 4096;
// While more input may follow, at least this much stream stays ahead of a start code.
constexpr std::size_t kLookAhead = 1024 * 1024;
// The packs of a reading step are read this many at a time, as the stream needs them.
constexpr std::size_t kPieceSize = 32 * kSectorSize;

}  // namespace

PreviewRequest requestForGop(const InputFileSet& files, const GopTable& gops, int k) {
    PreviewRequest request;
    const int file = gops.fileIndex[static_cast<std::size_t>(k)];
    request.path = files.filePath[static_cast<std::size_t>(file)];
    if (file < files.fileCount - 1)
        request.nextPath = files.filePath[static_cast<std::size_t>(file) + 1];
    request.startSector = gops.startSector[static_cast<std::size_t>(k)];
    return request;
}

PreviewDecoder::PreviewDecoder()
    : state_(std::make_unique<DecoderState>()),
      stream_(kStreamAreaSize + kZeroPad, 0),
      packs_(kPackAreaSize, 0) {}

PreviewDecoder::~PreviewDecoder() = default;

int PreviewDecoder::lastErrorCode() const {
    return state_->errorCode;
}

void PreviewDecoder::setFill(std::size_t fill) {
    fill_ = fill;
    std::memset(stream_.data() + fill_, 0, kZeroPad);
}

bool PreviewDecoder::decode(const PreviewRequest& request, Ui& ui) {
    DecoderState& s = *state_;
    s.frames.forward = 0;
    s.frames.current = 1;

    file_ = BinaryFile::open(request.path, BinaryFile::Mode::Read);
    if (!file_.isOpen()) {
        ui.error(formatText(preview_messages::kCannotOpen, request.path.c_str()));
        return false;
    }
    if (!file_.seek(std::uint64_t{request.startSector} * kSectorSize)) {
        file_.close();
        ui.error(preview_messages::kSeekError);
        return false;
    }

    setFill(0);
    position_ = 0;
    areaStart_ = 0;
    checkedAt_ = 0;
    stepsEnd_ = 0;
    next_.close();
    nextPath_ = request.nextPath;
    stepOpen_ = false;
    readingNext_ = false;
    inputEnded_ = false;
    stepBytes_ = 0;
    stepFiltered_ = 0;
    s.errorCode = kNoError;
    s.pictureCount = 0;
    s.macroblockAddress = 0;
    imageWritten_ = false;

    const ScanResult result = scanStartCodes();
    file_.close();
    next_.close();
    if (result == ScanResult::StopSilently) return false;
    if (s.errorCode != kNoError)
        ui.error(formatText(preview_messages::kDecodeError, static_cast<int>(s.errorCode)));
    return imageWritten_;
}

bool PreviewDecoder::mayRead() const {
    if (stepOpen_) return true;  // a step once begun is read to its end
    if (inputEnded_) return false;
    return stepsEnd_ < checkedAt_ + kLookAhead;
}

bool PreviewDecoder::readPiece() {
    if (!mayRead()) return false;
    if (!stepOpen_) {
        stepOpen_ = true;
        readingNext_ = false;  // every step starts in the GOP's file
        stepBytes_ = 0;
        stepFiltered_ = 0;
    }
    const std::size_t wanted = std::min(kPieceSize, kPackAreaSize - stepBytes_);
    const std::size_t n = (readingNext_ ? next_ : file_).read(packs_.data() + stepBytes_, wanted);
    stepBytes_ += n;
    bool shortStep = false;
    if (n < wanted) {
        // The GOP's file has ended: the step goes on in the next file of the set (once per
        // decode); a step that ends short is the last input.
        if (!readingNext_ && !nextPath_.empty()) {
            next_ = BinaryFile::open(nextPath_, BinaryFile::Mode::Read);
            nextPath_.clear();
            readingNext_ = next_.isOpen();
        } else {
            readingNext_ = false;
        }
        shortStep = !readingNext_;
    }
    // Whole packs go to the filter as they arrive; a part pack at the step's end is dropped.
    const std::size_t whole = stepBytes_ / kSectorSize * kSectorSize;
    if (whole > stepFiltered_) {
        const std::size_t appended =
            appendVideoPayloads(packs_.data() + stepFiltered_, whole - stepFiltered_,
                                stream_.data() + fill_, kStreamAreaSize - fill_);
        stepFiltered_ = whole;
        if (appended > 0) setFill(fill_ + appended);
    }
    if (shortStep || stepBytes_ == kPackAreaSize) {
        stepOpen_ = false;
        stepsEnd_ = areaStart_ + fill_;
        if (shortStep) inputEnded_ = true;
    }
    return true;
}

void PreviewDecoder::readUpTo(std::size_t end) {
    while (fill_ < end && readPiece()) {
    }
}

std::ptrdiff_t PreviewDecoder::extend(const std::uint8_t* base, std::ptrdiff_t byte) {
    const auto offset = static_cast<std::size_t>(base - stream_.data());
    const std::size_t needed = offset + static_cast<std::size_t>(byte) + 4;
    readUpTo(needed);
    if (fill_ >= needed)
        return static_cast<std::ptrdiff_t>(fill_) - 4 - static_cast<std::ptrdiff_t>(offset);
    // The stream has no more for this reader: the zero pad and the area's end, as for a
    // reader made on a full step.
    return static_cast<std::ptrdiff_t>(stream_.size()) - 4 - static_cast<std::ptrdiff_t>(offset);
}

PreviewDecoder::ScanResult PreviewDecoder::scanStartCodes() {
    DecoderState& s = *state_;
    for (;;) {
        // The look-ahead check. A decode error ends the decode at the first check that would
        // read more input: with the steps the rules hold at this point read in full, this
        // check reads when they end less than the look-ahead beyond the position.
        if (s.errorCode != kNoError) {
            while (readPiece()) {
            }
            if (!inputEnded_ && stepsEnd_ < areaStart_ + position_ + kLookAhead)
                return ScanResult::Ended;
        }
        checkedAt_ = areaStart_ + position_;
        if (position_ >= kLookAhead) {
            std::memmove(stream_.data(), stream_.data() + position_, fill_ - position_);
            areaStart_ += position_;
            setFill(fill_ - position_);
            position_ = 0;
        }

        const std::optional<std::size_t> at = findNextStartCode();
        if (!at) {
            // No start code in all the stream the rules hold: the input has ended, or an
            // error ends the decode, or the stream so far is dropped and reading goes on.
            if (inputEnded_ || s.errorCode != kNoError) return ScanResult::Ended;
            areaStart_ += fill_;
            position_ = 0;
            setFill(0);
            continue;
        }
        const ScanResult result = handleStartCode(*at);
        if (result != ScanResult::Continue) return result;
        position_ = *at + 4;
    }
}

std::optional<std::size_t> PreviewDecoder::findNextStartCode() {
    const std::uint8_t* area = stream_.data();
    std::size_t i = position_;
    for (;;) {
        while (i + 3 < fill_) {
            const void* one = std::memchr(area + i + 2, 1, fill_ - 1 - (i + 2));
            if (!one) break;
            const std::size_t at =
                static_cast<std::size_t>(static_cast<const std::uint8_t*>(one) - area);
            if (area[at - 1] == 0 && area[at - 2] == 0) return at - 2;
            i = at - 1;
        }
        // Nothing before the end of the data: a start code can only end in what follows.
        const std::size_t searched = fill_;
        if (!readPiece()) return std::nullopt;
        i = std::max(position_, searched >= 3 ? searched - 3 : 0);
    }
}

PreviewDecoder::ScanResult PreviewDecoder::handleStartCode(std::size_t at) {
    DecoderState& s = *state_;
    const std::uint8_t code = stream_[at + 3];
    const std::size_t base = at + 4;
    BitReader in(stream_.data() + base,
                 static_cast<std::ptrdiff_t>(fill_) - 4 - static_cast<std::ptrdiff_t>(base), this);
    if (code == start_code::kPicture) {
        ++s.pictureCount;
        if (s.pictureCount >= 2 && s.headers.pictureCodingType != kPictureB &&
            s.pictureSizeSupported()) {
            convertPicture(s, image_);
            imageWritten_ = true;
        }
        if (s.pictureCount > 1) return ScanResult::Ended;
        s.macroblockAddress = 0;
        parsePictureHeader(in, s);
    } else if (start_code::isSlice(code)) {
        if (s.pictureSizeSupported()) decodeSlice(in, s, code);
    } else if (code == start_code::kSequenceHeader) {
        parseSequenceHeader(in, s);
        if (s.headers.verticalSize <= 240) {
            s.errorCode = kSmallPicture;
            return ScanResult::StopSilently;
        }
        if (!s.pictureSizeSupported()) {
            s.errorCode = kPictureTooLarge;
            return ScanResult::StopSilently;
        }
    } else if (code == start_code::kExtension) {
        parseExtension(in, s);
    } else if (code == start_code::kGroupOfPictures) {
        parseGroupOfPictures(in, s);
    }
    return ScanResult::Continue;
}

}  // namespace velmorin::preview
