#include "platform/program_file.h"

#include "platform/native_path.h"

#if defined(_WIN32)
#include <windows.h>

#include "platform/wide_text.h"
#endif

namespace velmorin {

namespace {

std::filesystem::path pathFromSystem() {
    std::error_code error;
#if defined(_WIN32)
    (void)error;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        // Windows paths stop at 32,767 characters.
        if (length == 0 || path.size() > 32768) return {};
        // A path that filled the buffer may have been cut: ask again with more room.
        if (length < path.size()) return std::filesystem::path(path.substr(0, length));
        path.resize(path.size() * 2);
    }
#else
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
#endif
}

}  // namespace

std::string runningProgramPath(const std::string& argv0) {
    const auto path = pathFromSystem();
    if (!path.empty()) return utf8Path(path);
    std::error_code error;
    const auto absolute = std::filesystem::absolute(nativePath(argv0), error);
    return error ? argv0 : utf8Path(absolute.lexically_normal());
}

std::string bundledSpeechModelFolder() {
#if defined(_WIN32)
    const auto program = pathFromSystem();
    if (program.empty()) return {};
    return utf8Path(program.parent_path() / L"pocketsphinx" / L"model" / L"en-us");
#else
    return "/usr/share/pocketsphinx/model/en-us";
#endif
}

}  // namespace velmorin
