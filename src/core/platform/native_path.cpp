#include "platform/native_path.h"

namespace velmorin {

bool isFolderSeparator(char c) {
#if defined(_WIN32)
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || !isFolderSeparator(folder.back())) folder += kFolderSeparator;
    return folder;
}

std::string fileTreeRootOf(const std::string& path) {
#if defined(_WIN32)
    return path.substr(0, 3);
#else
    (void)path;
    return std::string(1, kFolderSeparator);
#endif
}

bool programsAreNamedExe() {
#if defined(_WIN32)
    return true;
#else
    return false;
#endif
}

std::filesystem::path nativePath(const std::string& utf8Path) {
#if defined(_WIN32)
    return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
#else
    return std::filesystem::path(utf8Path);
#endif
}

std::string utf8Path(const std::filesystem::path& path) {
#if defined(_WIN32)
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

}  // namespace velmorin
