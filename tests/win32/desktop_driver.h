// Drives velmorin.exe from another process, as a user would: finds its windows by class
// and caption, presses buttons by control id, reads list boxes and texts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velmorin::test {

// Polls `done` until it holds or `timeoutMs` has passed; whether it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 60000);

// A visible top-level window of process `pid` with this class and caption (any caption
// when empty), or nullptr.
HWND findWindow(DWORD pid, const wchar_t* className, const std::string& caption = {});
HWND waitForWindow(DWORD pid, const wchar_t* className, const std::string& caption = {});

// A WM_COMMAND as a click on control `id` of `dialog` (or a menu command of a frame).
void press(HWND dialog, int id);
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);
std::vector<std::string> listLines(HWND list);

// Runs a command line and returns its standard output; `status` gets the exit status.
std::string runProgram(const std::string& commandLine, DWORD& status);
std::vector<std::string> splitLines(const std::string& text);
std::string readFile(const std::string& path);

}  // namespace velmorin::test
