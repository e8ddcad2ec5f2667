#include "settings_subcommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/settings_dialog_rules.h"
#include "app/settings_file.h"
#include "common/path_text.h"
#include "exit_status.h"
#include "json.h"
#include "platform/binary_file.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

namespace fs = std::filesystem;

// The folder the tool runs from, with its separator: the defaults of a first start name it.
std::string toolFolder(const std::string& programPath) {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error || self.empty()) self = fs::path(absolutePath(programPath));
    return withTrailingSeparator(self.parent_path().string());
}

// A private copy of the file's first bytes, so that the loader's own rules can run on it:
// the loader deletes a settings file it could not read completely, and the file a script
// asks about must stay as it is.
class ScratchCopy {
public:
    ~ScratchCopy() {
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }

    // False when the file could not be read.
    bool make(const std::string& source) {
        std::ifstream in(nativePath(source), std::ios::binary);
        if (!in) return false;
        std::string bytes(kSettingsFileSize, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (in.bad()) return false;
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        size_ = bytes.size();

        std::random_device random;
        std::error_code error;
        const fs::path temp = fs::temp_directory_path(error);
        if (error) return false;
        for (int attempt = 0; attempt < 16 && folder_.empty(); ++attempt) {
            const fs::path candidate = temp / ("velmorin-settings-" + std::to_string(random()));
            if (fs::create_directory(candidate, error)) folder_ = candidate;
        }
        if (folder_.empty()) return false;
        std::ofstream out(folder_ / "settings.DAT", std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out.flush());
    }

    std::string path() const { return (folder_ / "settings.DAT").string(); }
    // How many of the file's bytes the copy holds: at most the 555 the loader reads.
    std::size_t size() const { return size_; }

private:
    fs::path folder_;
    std::size_t size_ = 0;
};

void printSettings(const Settings& s, bool json) {
    const char* playTime = kPlayTimeTexts[static_cast<std::size_t>(s.playTimeIndex)];
    if (json) {
        std::printf("{\"lastSourceFolder\":%s,\"playerPath\":%s,\"playTimeIndex\":%d,\"playTime\":%s,"
                    "\"mpgWorkingFiles\":%s,\"previewEnabled\":%s}\n",
                    jsonQuoted(s.lastSourceFolder).c_str(), jsonQuoted(s.playerPath).c_str(),
                    static_cast<int>(s.playTimeIndex), jsonQuoted(playTime).c_str(),
                    s.mpgWorkingFiles ? "true" : "false", s.previewEnabled ? "true" : "false");
        return;
    }
    std::printf("lastSourceFolder: %s\n", s.lastSourceFolder.c_str());
    std::printf("playerPath: %s\n", s.playerPath.c_str());
    std::printf("playTimeIndex: %d (%s s)\n", static_cast<int>(s.playTimeIndex), playTime);
    std::printf("mpgWorkingFiles: %s\n", s.mpgWorkingFiles ? "on" : "off");
    std::printf("previewEnabled: %s\n", s.previewEnabled ? "on" : "off");
}

}  // namespace

int runSettingsSubcommand(const std::vector<std::string>& args, const std::string& programPath) {
    bool json = false;
    std::vector<std::string> files;
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") return printUsage("settings");
        if (a == "--json") {
            json = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("settings", "unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 1 || files[0].empty()) return usageError("settings", "give one FILE");

    const std::string path = absolutePath(files[0]);
    const Settings defaults = defaultSettings(toolFolder(programPath));
    std::string note;
    Settings settings = defaults;
    std::error_code error;
    const auto status = fs::status(nativePath(path), error);
    ScratchCopy copy;
    if (!fs::exists(status)) {
        note = "no such file";
    } else if (!fs::is_regular_file(status)) {
        note = "not a regular file";
    } else if (!copy.make(path)) {
        note = "cannot be read";
    } else {
        settings = loadSettings(copy.path(), defaults);
        // The loader deletes what it could not read completely: a wrong magic (everything
        // from the defaults) or a file shorter than 555 bytes (the bytes read, then the
        // defaults).
        if (!fs::exists(nativePath(copy.path()), error))
            note = copy.size() < kSettingsFileSize
                       ? "not a complete settings file (" + std::to_string(copy.size()) + " of " +
                             std::to_string(kSettingsFileSize) + " bytes)"
                       : "not a settings file (wrong magic)";
    }
    printSettings(settings, json);
    if (std::fflush(stdout) != 0) return kExitFailed;
    if (note.empty()) return kExitOk;
    std::fprintf(stderr, "velmorin-cli: %s: %s; the program would start with the settings above\n", path.c_str(),
                 note.c_str());
    return kExitFailed;
}

}  // namespace velmorin::cli
