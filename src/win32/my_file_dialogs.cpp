#include "my_file_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/wide_text.h"
#include "project/project_commands.h"

namespace velmorin::win32 {

namespace {

// The filter's "text|pattern" pairs with NUL in place of each bar, ending in two NULs.
std::wstring filter(const std::string& pairs) {
    std::wstring f = wideFromUtf8(pairs);
    std::replace(f.begin(), f.end(), L'|', L'\0');
    f.push_back(L'\0');
    f.push_back(L'\0');
    return f;
}

std::optional<std::string> choose(HWND owner, const std::string& folder,
                                  const std::string& fileName, bool save,
                                  const std::string& pairs = kProjectFilter) {
    const std::wstring filterText = filter(pairs);
    const std::wstring initialFolder = wideFromUtf8(folder);
    std::vector<wchar_t> file(32768, L'\0');  // long paths as well
    const std::wstring name = wideFromUtf8(fileName);
    std::copy_n(name.begin(), std::min(name.size(), file.size() - 1), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterText.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen) return std::nullopt;
    return utf8FromWide(file.data());
}

}  // namespace

std::optional<std::string> MyFileOpenDialog::run(HWND owner, const std::string& folder,
                                                 const std::string& fileName) {
    return choose(owner, folder, fileName, false);
}

std::optional<std::string> MyFileSaveDialog::run(HWND owner, const std::string& folder,
                                                 const std::string& fileName) {
    return choose(owner, folder, fileName, true);
}

std::optional<std::string> chooseFileToOpen(HWND owner, const std::string& folder,
                                            const std::string& fileName,
                                            const std::string& filter) {
    return choose(owner, folder, fileName, false, filter);
}

}  // namespace velmorin::win32
