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

    BinaryFile file = BinaryFile::open(request.path, BinaryFile::Mode::Read);
    if (!file.isOpen()) {
        ui.error(formatText(preview_messages::kCannotOpen, request.path.c_str()));
        return false;
    }
    if (!file.seek(std::uint64_t{request.startSector} * kSectorSize)) {
        ui.error(preview_messages::kSeekError);
        return false;
    }

    setFill(0);
    position_ = 0;
    runState_ = 0;
    s.errorCode = 0;
    s.pictureCount = 0;
    s.macroblockAddress = 0;
    imageWritten_ = false;
    std::string nextPath = request.nextPath;

    for (;;) {
        if (fill_ - position_ < 4 && runState_ == 1) break;
        if (s.errorCode != 0) break;
        if (scanStartCodes() == ScanResult::StopSilently) return false;
        if (runState_ == 2) break;

        std::size_t n = file.read(packs_.data(), kPackAreaSize);
        if (n < kPackAreaSize && !nextPath.empty()) {
            BinaryFile next = BinaryFile::open(nextPath, BinaryFile::Mode::Read);
            if (next.isOpen()) n += next.read(packs_.data() + n, kPackAreaSize - n);
            nextPath.clear();
        }
        // fill is below the look-ahead here and one read appends less than it.
        const std::size_t appended =
            appendVideoPayloads(packs_.data(), n, stream_.data() + fill_, kStreamAreaSize - fill_);
        setFill(fill_ + appended);
        if (n < kPackAreaSize) runState_ = 1;
    }
    file.close();
    if (s.errorCode != 0) ui.error(formatText(preview_messages::kDecodeError, s.errorCode));
    return imageWritten_;
}

PreviewDecoder::ScanResult PreviewDecoder::scanStartCodes() {
    DecoderState& s = *state_;
    std::uint8_t* area = stream_.data();
    for (;;) {
        if (fill_ - position_ < kLookAhead && runState_ == 0) {
            std::memmove(area, area + position_, fill_ - position_);
            const std::size_t kept = fill_ - position_;
            position_ = 0;
            setFill(kept);
            return ScanResult::NeedMoreInput;
        }
        // The next 00 00 01 with its value byte inside the data.
        std::size_t i = position_;
        bool found = false;
        while (i + 3 < fill_) {
            const void* one = std::memchr(area + i + 2, 1, fill_ - 1 - (i + 2));
            if (!one) break;
            const std::size_t at =
                static_cast<std::size_t>(static_cast<const std::uint8_t*>(one) - area);
            if (area[at - 1] == 0 && area[at - 2] == 0) {
                i = at - 2;
                found = true;
                break;
            }
            i = at - 1;
        }
        if (!found) {
            position_ = 0;
            setFill(0);
            return ScanResult::NeedMoreInput;
        }

        const std::uint8_t code = area[i + 3];
        const std::size_t base = i + 4;
        BitReader in(area + base, stream_.size() - 4 - base);
        if (code == 0x00) {
            ++s.pictureCount;
            if (s.pictureCount >= 2 && s.headers.pictureCodingType != kPictureB &&
                s.pictureSizeSupported()) {
                convertPicture(s, image_);
                imageWritten_ = true;
            }
            if (s.pictureCount > 1) {
                runState_ = 2;
                return ScanResult::Finished;
            }
            s.macroblockAddress = 0;
            parsePictureHeader(in, s);
        } else if (code <= 0xAF) {
            if (s.pictureSizeSupported()) decodeSlice(in, s);
        } else if (code == 0xB3) {
            parseSequenceHeader(in, s);
            if (s.headers.verticalSize <= 240) {
                s.errorCode = PreviewDecoder::kSmallPicture;
                return ScanResult::StopSilently;
            }
            if (!s.pictureSizeSupported()) {
                s.errorCode = PreviewDecoder::kPictureTooLarge;
                return ScanResult::StopSilently;
            }
        } else if (code == 0xB5) {
            parseExtension(in, s);
        } else if (code == 0xB8) {
            parseGroupOfPictures(in, s);
        }
        position_ = i + 4;
    }
}

}  // namespace velmorin::preview
