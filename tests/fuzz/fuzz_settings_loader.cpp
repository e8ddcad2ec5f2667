// Feeds arbitrary bytes to the settings loader through a real file.
//
// `fuzz_settings_loader --make-seeds DIR VIDEO_TS` writes a valid settings file as a seed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/settings_file.h"
#include "fuzz_files.h"
#include "pack_builder.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (*argc == 4 && std::strcmp((*argv)[1], "--make-seeds") == 0) {
        velmorin::saveSettings(std::string((*argv)[2]) + "/seed.DAT",
                               velmorin::Settings{"/映像/dvd", "/usr/bin/mpv", 12, true, false});
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static velmorin::test::TempDir dir;
    static const std::string path = dir.file("fuzz.DAT");
    velmorin::test::writeInputFile(path, data, size);
    const velmorin::Settings defaults{"/opt/", "/usr/bin/xdg-open", 10, true, true};
    const velmorin::Settings s = velmorin::loadSettings(path, defaults);
    if (s.playTimeIndex < 0 || s.playTimeIndex >= velmorin::Settings::kPlayTimes) std::abort();
    return 0;
}
