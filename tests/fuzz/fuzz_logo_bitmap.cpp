// Feeds arbitrary bytes to the start-up picture's loader through a real file.
//
// `fuzz_logo_bitmap --make-seeds DIR VIDEO_TS` writes a valid 320 × 200 8-bit bitmap and
// a 16-colour one as seeds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/logo_bitmap.h"
#include "common/little_endian.h"
#include "fuzz_files.h"

namespace {

std::string seedBitmap(std::uint32_t colours) {
    std::string file(54 + 4 * (colours ? colours : 256) + 64000, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(file.data());
    p[0] = 'B';
    p[1] = 'M';
    velmorin::writeLe32(p + 14, 40);
    velmorin::writeLe32(p + 18, 320);
    velmorin::writeLe32(p + 22, 200);
    velmorin::writeLe32(p + 46, colours);
    for (std::size_t i = 54; i < file.size(); ++i) file[i] = static_cast<char>(i * 7);
    return file;
}

}  // namespace

void velmorin::test::writeSeeds(const std::string& dir, const std::string&) {
    writeBytes(dir + "/seed256.BMP", seedBitmap(0));
    writeBytes(dir + "/seed16.BMP", seedBitmap(16));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const velmorin::test::InputFile file("LOGO.BMP");
    const velmorin::LogoBitmap bitmap = velmorin::loadLogoBitmap(file.write(data, size));
    if (!bitmap.loaded && bitmap.pixels[0] != 0) std::abort();
    return 0;
}
