// The Platform of the machine the program runs on.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/path_text.h"
#include "platform/command_line.h"
#include "platform/native_path.h"
#include "platform/platform.h"
#include "platform/volumes.h"

#if defined(_WIN32)
#include <direct.h>
#include <windows.h>

#include <cctype>

#include "platform/wide_text.h"
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
        // The whole paths in UTF-16, quoted: blanks and characters outside the ANSI code
        // page reach the player as they are (short 8.3 names may be switched off).
        std::wstring commandLine = wideFromUtf8(programCommandLine(program, argument));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOW;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return false;
        // The program does not wait for its player.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
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

    std::optional<std::string> enterVolume(const std::string& root) override {
#if defined(_WIN32)
        // The C runtime keeps each drive's current directory for the process; _chdrive
        // returns to it and _wgetdcwd names it.
        if (root.size() < 2 || root[1] != ':') return std::nullopt;
        const int drive = std::toupper(static_cast<unsigned char>(root[0])) - 'A' + 1;
        if (drive < 1 || drive > 26 || _chdrive(drive) != 0) return std::nullopt;
        wchar_t folder[MAX_PATH] = {};
        if (!_wgetdcwd(drive, folder, MAX_PATH)) return std::nullopt;
        return utf8FromWide(folder);
#else
        // Mounted volumes keep no current folder of their own.
        if (!listFolder(root)) return std::nullopt;
        return root;
#endif
    }

    std::vector<Volume> volumes() override {
#if defined(_WIN32)
        std::vector<Volume> out;
        const DWORD drives = GetLogicalDrives();
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (!(drives & (1u << (letter - 'A')))) continue;
            const std::string root = std::string(1, letter) + ":\\";
            const UINT type = GetDriveTypeW(wideFromUtf8(root).c_str());
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
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::string drive = length >= 3 ? utf8FromWide(std::wstring(system, 3)) : "C:\\";
    return drive + "Program Files\\Windows Media Player\\WMPLAYER.EXE";
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
