// A stand-in player for the desktop tests: writes the file it was started with (UTF-8)
// into played.txt beside itself.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, nullptr,
                                                                  0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    utf8.pop_back();  // the terminating NUL
    std::ofstream(std::filesystem::path(self).parent_path() / L"played.txt", std::ios::binary)
        << utf8;
    return 0;
}
