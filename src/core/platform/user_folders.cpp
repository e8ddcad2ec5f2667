#include "platform/user_folders.h"

#include <cstdlib>
#include <filesystem>

#include "platform/native_path.h"

#if defined(_WIN32)
#include <shlobj.h>
#include <windows.h>

#else
#include <unistd.h>
#endif

namespace velmorin {

namespace fs = std::filesystem;

#if defined(_WIN32)

namespace {

// A folder the shell names (CSIDL_APPDATA, CSIDL_PERSONAL, ...), with its separator.
std::string shellFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK || !path[0])
        return {};
    return withTrailingSeparator(utf8Path(fs::path(path)));
}

// The same with "Velmorin\".
std::string programShellFolder(int id) {
    const std::string folder = shellFolder(id);
    return folder.empty() ? folder : folder + "Velmorin\\";
}

}  // namespace

bool folderIsWritable(const std::string& folder) {
    // The folder's read-only attribute does not stop new files on Windows and its access
    // rules are not in the attributes: only a file actually created tells.
    const std::wstring probe =
        (nativePath(folder) / (L"velmorin-" + std::to_wstring(GetCurrentProcessId()) + L".tmp"))
            .wstring();
    const HANDLE file = CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::string userSettingsFolder() {
    return programShellFolder(CSIDL_APPDATA);
}

std::string userCacheFolder() {
    return programShellFolder(CSIDL_LOCAL_APPDATA);
}

std::string userDocumentsFolder() {
    return shellFolder(CSIDL_PERSONAL);
}

std::string installedDataFolder(const std::string& programFolder) {
    return withTrailingSeparator(programFolder);
}

bool hasInstalledDataFolder(const std::string&) {
    return false;
}

#else

namespace {

// $VARIABLE when it names an absolute folder (relative ones are to be ignored), else
// ~/FALLBACK; with "velmorin/".
std::string xdgFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    fs::path base;
    if (value && value[0] == '/') {
        base = value;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return {};
        base = fs::path(home) / fallback;
    }
    return withTrailingSeparator(utf8Path((base / "velmorin").lexically_normal()));
}

}  // namespace

bool folderIsWritable(const std::string& folder) {
    return ::access(nativePath(folder).c_str(), W_OK | X_OK) == 0;
}

std::string userSettingsFolder() {
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string userCacheFolder() {
    return xdgFolder("XDG_CACHE_HOME", ".cache");
}

std::string userDocumentsFolder() {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') return {};
    return withTrailingSeparator(utf8Path(fs::path(home).lexically_normal()));
}

std::string installedDataFolder(const std::string& programFolder) {
    const fs::path data = nativePath(programFolder) / ".." / "share" / "velmorin";
    return withTrailingSeparator(utf8Path(data.lexically_normal()));
}

bool hasInstalledDataFolder(const std::string& programFolder) {
    std::error_code error;
    return fs::is_directory(nativePath(installedDataFolder(programFolder)), error);
}

#endif

bool createFolders(const std::string& folder) {
    std::error_code error;
    const fs::path path = nativePath(folder);
    fs::create_directories(path, error);
    return fs::is_directory(path, error);
}

}  // namespace velmorin
