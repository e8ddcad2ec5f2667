#include "speech_tools.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "ffmpeg_sound_decoder.h"
#include "platform/native_path.h"
#include "platform/program_file.h"
#include "pocketsphinx_aligner.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

struct ModelFiles {
    fs::path acoustic;
    fs::path dictionary;
};

// The folder's acoustic model (the subfolder holding `mdef`) and dictionary (a `.dict`),
// each the first by name.
ModelFiles findModel(const fs::path& folder) {
    ModelFiles found;
    std::error_code error;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        if (found.acoustic.empty() && fs::is_directory(entry, error) &&
            fs::is_regular_file(entry / "mdef", error))
            found.acoustic = entry;
        if (found.dictionary.empty() && entry.extension() == ".dict" &&
            fs::is_regular_file(entry, error))
            found.dictionary = entry;
    }
    return found;
}

}  // namespace

SpeechTools openSpeechTools() {
    SpeechTools tools;
    const char* named = std::getenv("VELMORIN_SPEECH_MODEL");
    const std::string folder = named && *named ? std::string(named) : bundledSpeechModelFolder();
    const ModelFiles model = findModel(nativePath(folder));
    if (model.acoustic.empty() || model.dictionary.empty()) {
        tools.unavailable = "no speech recognition model in " + folder +
                            " (it needs an acoustic model folder and a .dict file)";
        return tools;
    }
    tools.decoder = std::make_unique<FfmpegSoundDecoder>();
    // The recogniser opens its files with the C library's fopen(): in the system's code
    // page on Windows, as path::string() gives them.
    tools.aligner =
        std::make_unique<PocketsphinxAligner>(model.acoustic.string(), model.dictionary.string());
    return tools;
}

}  // namespace velmorin
