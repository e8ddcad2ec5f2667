// Feeds arbitrary bytes to the preview decoder through real files.
//
// Input: byte 0 chooses the mode (bit 0: the data is a video elementary stream, wrapped
// here into well-formed 2048-byte video packs, so that headers and slices are reached
// directly; bit 1: the request names a second file, which gets the data from the split
// on; bit 2: start one sector in), byte 1 the sector at which the data is split into two
// files; the rest is the data. The decoder object lives across inputs, as the preview
// window's does, so header values and frame buffers left by one input meet the next.
//
// `fuzz_preview --make-seeds DIR VIDEO_TS` writes seed inputs and exits.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "pack_builder.h"
#include "preview/preview_decoder.h"
#include "silent_ui.h"

namespace {

using namespace velmorin;

// Video packs: 14-byte pack header, PES header without optional fields, 2025 payload bytes.
std::vector<std::uint8_t> wrapInPacks(const std::uint8_t* es, std::size_t size) {
    std::vector<std::uint8_t> out;
    for (std::size_t at = 0; at < size; at += 2025) {
        const std::size_t n = std::min<std::size_t>(2025, size - at);
        std::uint8_t pack[2048] = {0x00, 0x00, 0x01, 0xBA, 0x44, 0,    0x04, 0,    0x04,
                                   0x01, 0x01, 0x89, 0xC3, 0xF8, 0x00, 0x00, 0x01, 0xE0};
        const std::size_t length = 3 + n;
        pack[18] = static_cast<std::uint8_t>(length >> 8);
        pack[19] = static_cast<std::uint8_t>(length);
        pack[20] = 0x81;
        pack[21] = 0x00;
        pack[22] = 0x00;
        std::memcpy(pack + 23, es + at, n);
        // A short last packet is followed by a padding packet in a real VOB; zeros do here.
        out.insert(out.end(), pack, pack + 2048);
    }
    return out;
}

// The payloads of the video packs, as the decoder joins them.
std::vector<std::uint8_t> videoPayloads(const std::vector<std::uint8_t>& vob) {
    std::vector<std::uint8_t> es;
    for (std::size_t at = 0; at + 2048 <= vob.size(); at += 2048) {
        const std::uint8_t* p = vob.data() + at;
        if (std::memcmp(p, "\x00\x00\x01\xBA", 4) != 0 ||
            std::memcmp(p + 14, "\x00\x00\x01\xE0", 4) != 0)
            continue;
        const std::size_t begin = 23 + p[22];
        const std::size_t end =
            std::min<std::size_t>(20 + ((std::size_t{p[18]} << 8) | p[19]), 2048);
        if (end > begin) es.insert(es.end(), p + begin, p + end);
    }
    return es;
}

}  // namespace

void velmorin::test::writeSeeds(const std::string& dir, const std::string& videoTs) {
    const std::vector<std::uint8_t> disc = readPrefix(videoTs + "/VTS_01_1.VOB", 160 * 2048);
    const std::vector<std::uint8_t> es = videoPayloads(disc);
    NumberedSeeds seeds(dir);
    seeds.write(0x00, 0, disc);
    seeds.write(0x02, 40, disc);
    // The elementary stream: whole, and its start (sequence header, the first slices).
    seeds.write(0x01, 0, es);
    seeds.write(0x01, 0, es.data(), std::min<std::size_t>(es.size(), 4096));
    seeds.write(0x03, 2, es.data(), std::min<std::size_t>(es.size(), 30000));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static test::TempDir dir;
    static const std::string first = dir.file("VTS_01_1.VOB");
    static const std::string second = dir.file("VTS_01_2.VOB");
    static auto decoder = std::make_unique<preview::PreviewDecoder>();

    const std::uint8_t mode = data[0];
    std::vector<std::uint8_t> body = (mode & 0x01)
                                         ? wrapInPacks(data + 2, size - 2)
                                         : std::vector<std::uint8_t>(data + 2, data + size);
    const std::size_t split = (mode & 0x02)
                                  ? std::min<std::size_t>(std::size_t{data[1]} * 2048, body.size())
                                  : body.size();
    test::writeInputFile(first, body.data(), split);
    test::writeInputFile(second, body.data() + split, body.size() - split);

    preview::PreviewRequest request;
    request.path = first;
    if (mode & 0x02) request.nextPath = second;
    request.startSector = (mode & 0x04) ? 1 : 0;
    test::SilentUi ui;
    const bool written = decoder->decode(request, ui);
    // What the decoder promises its caller.
    const int code = decoder->lastErrorCode();
    if (written && (code == preview::PreviewDecoder::kSmallPicture ||
                    code == preview::PreviewDecoder::kPictureTooLarge))
        std::abort();
    if (decoder->image().pixels.size() != 360u * 240u * 3u) std::abort();
    return 0;
}
