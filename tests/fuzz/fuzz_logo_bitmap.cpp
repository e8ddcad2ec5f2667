// Feeds arbitrary bytes to the start-up picture's loader through a real file.
//
// `fuzz_logo_bitmap --make-seeds DIR VIDEO_TS` writes a valid 320 × 200 8-bit bitmap and
// a 16-colour one as seeds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/logo_bitmap.h"
#include "common/little_endian.h"
#include "fuzz_files.h"
#include "pack_builder.h"

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

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (*argc == 4 && std::strcmp((*argv)[1], "--make-seeds") == 0) {
        velmorin::test::writeBytes(std::string((*argv)[2]) + "/seed256.BMP", seedBitmap(0));
        velmorin::test::writeBytes(std::string((*argv)[2]) + "/seed16.BMP", seedBitmap(16));
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static velmorin::test::TempDir dir;
    static const std::string path = dir.file("LOGO.BMP");
    velmorin::test::writeInputFile(path, data, size);
    const velmorin::LogoBitmap bitmap = velmorin::loadLogoBitmap(path);
    if (!bitmap.loaded && bitmap.pixels[0] != 0) std::abort();
    return 0;
}
