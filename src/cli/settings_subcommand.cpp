#include "settings_subcommand.h"

#include <cstdio>
#include <filesystem>

#include "app/program_files.h"
#include "app/settings_dialog_rules.h"
#include "app/settings_file.h"
#include "exit_status.h"
#include "json.h"
#include "platform/binary_file.h"
#include "platform/native_path.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

namespace fs = std::filesystem;

// The folder the tool runs from, with its separator: the defaults of a first start name it.
std::string toolFolder(const std::string& programPath) {
    return withTrailingSeparator(utf8Path(nativePath(programPath).parent_path()));
}

// The desktop program beside the tool: its files are the ones reported.
std::string desktopProgramPath(const std::string& toolPath) {
    return toolFolder(toolPath) + (programsAreNamedExe() ? "velmorin.exe" : "velmorin");
}

int printProgramFiles(const ProgramFiles& f, bool json) {
    const std::pair<const char*, const std::string*> paths[] = {{"settingsFile", &f.settingsFile},
                                                                {"optionsFile", &f.optionsFile},
                                                                {"workingFolder", &f.workingFolder},
                                                                {"logoFile", &f.logoFile},
                                                                {"helpFile", &f.helpFile}};
    if (json) {
        std::printf("{\"layout\":\"%s\"", layoutName(f.layout));
        for (const auto& [name, path] : paths)
            std::printf(",\"%s\":%s", name, jsonQuoted(*path).c_str());
        std::printf("}\n");
    } else {
        std::printf("layout: %s\n", layoutName(f.layout));
        for (const auto& [name, path] : paths) std::printf("%s: %s\n", name, path->c_str());
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

void printSettings(const Settings& s, bool json) {
    const char* playTime = kPlayTimeTexts[static_cast<std::size_t>(s.playTimeIndex)];
    if (json) {
        std::printf(
            "{\"lastSourceFolder\":%s,\"playerPath\":%s,\"playTimeIndex\":%d,\"playTime\":%s,"
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
    if (files.empty())
        return printProgramFiles(locateProgramFiles(desktopProgramPath(programPath)), json);
    if (files.size() != 1 || files[0].empty()) return usageError("settings", "give one FILE");

    const std::string path = absolutePath(files[0]);
    const Settings defaults = defaultSettings(toolFolder(programPath));
    std::string note;
    Settings settings = defaults;
    std::error_code error;
    const auto status = fs::status(nativePath(path), error);
    BinaryFile file;
    if (!fs::exists(status)) {
        note = "no such file";
    } else if (!fs::is_regular_file(status)) {
        note = "not a regular file";
    } else if (file = BinaryFile::open(path, BinaryFile::Mode::Read); !file.isOpen()) {
        note = "cannot be read";
    } else {
        // The loader's own rules on the file's first bytes, read here without the
        // loader's deletion of an incomplete file: the file a script asks about stays.
        SettingsImage bytes{};
        const std::size_t n = file.read(bytes.data(), bytes.size());
        if (file.hasError()) {
            note = "cannot be read";
        } else {
            const SettingsRead read = decodeSettings(bytes.data(), n, defaults);
            settings = read.settings;
            const std::string ofAll =
                std::to_string(n) + " of " + std::to_string(kSettingsFileSize) + " bytes";
            if (read.state == SettingsFileState::WrongMagic && n < 15)
                note = "not a settings file (" + ofAll + ", the magic cut short)";
            else if (read.state == SettingsFileState::WrongMagic)
                note = "not a settings file (wrong magic)";
            else if (read.state == SettingsFileState::Short)
                note = "not a complete settings file (" + ofAll + ")";
        }
    }
    printSettings(settings, json);
    if (std::fflush(stdout) != 0) return kExitFailed;
    if (note.empty()) return kExitOk;
    std::fprintf(stderr, "velmorin-cli: %s: %s; the program would start with the settings above\n",
                 path.c_str(), note.c_str());
    return kExitFailed;
}

}  // namespace velmorin::cli
