#include "desktop_driver.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/wide_text.h"

namespace velmorin::test {

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

namespace {

struct Search {
    DWORD pid;
    const wchar_t* className;
    std::wstring caption;
    bool anyCaption;
    HWND found = nullptr;
};

BOOL CALLBACK check(HWND window, LPARAM l) {
    auto& s = *reinterpret_cast<Search*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (pid != s.pid || !IsWindowVisible(window) || std::wstring(name) != s.className) return TRUE;
    if (!s.anyCaption && wideFromUtf8(windowText(window)) != s.caption) return TRUE;
    s.found = window;
    return FALSE;
}

}  // namespace

HWND findWindow(DWORD pid, const wchar_t* className, const std::string& caption) {
    Search s{pid, className, wideFromUtf8(caption), caption.empty()};
    EnumWindows(check, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND waitForWindow(DWORD pid, const wchar_t* className, const std::string& caption) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(pid, className, caption)) != nullptr; });
    return found;
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string windowText(HWND window) {
    wchar_t text[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return utf8FromWide(text);
}

void setWindowText(HWND window, const std::string& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideFromUtf8(text).c_str()));
}

std::vector<std::string> listLines(HWND list) {
    std::vector<std::string> lines;
    const auto n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t line[512] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
        lines.push_back(utf8FromWide(line));
    }
    return lines;
}

std::string runProgram(const std::string& commandLine, DWORD& status) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring line = wideFromUtf8(commandLine);
    status = 255;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return {};
    }
    CloseHandle(writeEnd);
    std::string out;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);
    return out;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

std::string readFile(const std::string& path) {
    std::ifstream in(std::filesystem::path(wideFromUtf8(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace velmorin::test
