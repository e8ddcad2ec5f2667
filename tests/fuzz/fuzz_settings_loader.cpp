// Feeds arbitrary bytes to the settings loader through a real file.
//
// `fuzz_settings_loader --make-seeds DIR VIDEO_TS` writes a valid settings file as a seed.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/settings_file.h"
#include "fuzz_files.h"

void velmorin::test::writeSeeds(const std::string& dir, const std::string&) {
    saveSettings(dir + "/seed.DAT", Settings{"/映像/dvd", "/usr/bin/mpv", 12, true, false});
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const velmorin::test::InputFile file("fuzz.DAT");
    const velmorin::Settings defaults{"/opt/", "/usr/bin/xdg-open", 10, true, true};
    const velmorin::Settings s = velmorin::loadSettings(file.write(data, size), defaults);
    if (s.playTimeIndex < 0 || s.playTimeIndex >= velmorin::Settings::kPlayTimes) std::abort();
    return 0;
}
