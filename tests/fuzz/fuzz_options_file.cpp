// Feeds arbitrary bytes to the start-up arguments through a real options.txt.
//
// `fuzz_options_file --make-seeds DIR VIDEO_TS` writes a usual first line as a seed.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/startup_arguments.h"
#include "fuzz_files.h"

void velmorin::test::writeSeeds(const std::string& dir, const std::string&) {
    const std::string line = "-E  extra\twords -e\n";
    writeInputFile(dir + "/seed.txt", reinterpret_cast<const std::uint8_t*>(line.data()),
                   line.size());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const velmorin::test::InputFile file("options.txt");
    const std::string folder = std::filesystem::path(file.write(data, size)).parent_path().string();
    const auto line = velmorin::readOptionsLine(folder);
    if (line && line->size() > 253) std::abort();
    const auto arguments = velmorin::parseStartupArguments(" -E", line);
    if (arguments.words.size() > velmorin::StartupArguments::kMaxWords) std::abort();
    return 0;
}
