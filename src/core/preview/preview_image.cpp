#include "preview/preview_image.h"

#include "common/bmp_file.h"
#include "platform/binary_file.h"

namespace velmorin::preview {

std::vector<std::uint8_t> bmpBytes(const PreviewImage& image) {
    return bmp24Bytes(PreviewImage::kWidth, PreviewImage::kHeight, image.pixels.data());
}

bool writeBmp(const PreviewImage& image, const std::string& path) {
    return writeWholeFile(path, bmpBytes(image));
}

}  // namespace velmorin::preview
