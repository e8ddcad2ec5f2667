// The Platform of the machine the program runs on.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/path_text.h"
#include "platform/native_path.h"
#include "platform/platform.h"
#include "platform/volumes.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace velmorin {

namespace {

class SystemPlatform : public Platform {
public:
    bool startProgram(const std::string& program, const std::string& argument) override {
#if defined(_WIN32)
        // The short forms hold no blanks, so the two paths make a plain command line.
        char shortProgram[MAX_PATH] = {}, shortArgument[MAX_PATH] = {};
        std::string commandLine =
            GetShortPathNameA(program.c_str(), shortProgram, MAX_PATH) ? shortProgram : program;
        commandLine += ' ';
        commandLine +=
            GetShortPathNameA(argument.c_str(), shortArgument, MAX_PATH) ? shortArgument : argument;
        return WinExec(commandLine.c_str(), SW_SHOW) > 31;
#else
        std::string programCopy = program, argumentCopy = argument;
        char* argv[] = {programCopy.data(), argumentCopy.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
        // The program does not wait for its player; a thread of its own collects the
        // player's exit so that it leaves no zombie behind.
        std::thread([pid] {
            int status = 0;
            waitpid(pid, &status, 0);
        }).detach();
        return true;
#endif
    }

    std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        std::vector<FolderEntry> out;
        std::error_code error;
        std::filesystem::directory_iterator it(nativePath(folder), error), end;
        if (error) return std::nullopt;
        for (; !error && it != end; it.increment(error)) {
            std::error_code ignored;
            const bool directory = it->is_directory(ignored);
            const auto perms = it->status(ignored).permissions();
            const bool executable =
                !directory &&
                (perms & (std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                          std::filesystem::perms::others_exec)) != std::filesystem::perms::none;
            out.push_back(FolderEntry{utf8Path(it->path().filename()), directory, executable});
        }
        std::sort(out.begin(), out.end(),
                  [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        return out;
    }

    std::vector<Volume> volumes() override {
#if defined(_WIN32)
        std::vector<Volume> out;
        const DWORD drives = GetLogicalDrives();
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (!(drives & (1u << (letter - 'A')))) continue;
            const std::string root = std::string(1, letter) + ":\\";
            const UINT type = GetDriveTypeA(root.c_str());
            if (type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE ||
                type == DRIVE_CDROM || type == DRIVE_RAMDISK)
                out.push_back(Volume{std::string(1, letter) + " :", root});
        }
        return out;
#else
        std::ifstream mounts("/proc/self/mounts");
        std::ostringstream text;
        text << mounts.rdbuf();
        auto out = browsableVolumes(text.str());
        if (out.empty()) out.push_back(Volume{"/", "/"});
        return out;
#endif
    }
};

}  // namespace

std::string defaultPlayerPath() {
#if defined(_WIN32)
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system, 3) + "Program Files\\Windows Media Player\\WMPLAYER.EXE";
#else
    return "/usr/bin/xdg-open";
#endif
}

Platform& systemPlatform() {
    static SystemPlatform platform;
    return platform;
}

std::vector<std::string> findFiles(Platform& platform, const std::string& folder,
                                   const std::string& pattern) {
    std::vector<std::string> out;
    for (const auto& entry : platform.listFolder(folder).value_or(std::vector<FolderEntry>{}))
        if (!entry.isDirectory && wildcardMatch(pattern, entry.name)) out.push_back(entry.name);
    return out;
}

}  // namespace velmorin
