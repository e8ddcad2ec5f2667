// Starts a velmorin.exe as the Start-menu entry would, waits for its main window and ends it
// with "終了(&X)" (answering Yes should it ask): the exit that saves the settings. Exits
// with the program's status; 1 when it showed no main window or did not end.
//   start_and_exit.exe PATH\velmorin.exe
#include <windows.h>

#include <string>

#include "desktop_driver.h"
#include "ui/control_ids.h"

int wmain(int argc, wchar_t** argv) {
    using namespace velmorin;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + std::wstring(argc == 2 ? argv[1] : L"") + L"\"";
    if (argc != 2 || !CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &process))
        return 1;
    const DWORD pid = process.dwProcessId;
    HWND frame = test::waitForWindow(pid, L"VELMORIN:MAIN");
    if (frame) PostMessageW(frame, WM_COMMAND, ids::menu::kExit, 0);
    DWORD status = 1;
    if (frame && test::waitUntil([&] {
            if (HWND ask = test::findWindow(pid, L"#32770", "確認")) test::press(ask, IDYES);
            return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
        }))
        GetExitCodeProcess(process.hProcess, &status);
    else
        TerminateProcess(process.hProcess, 1);
    return static_cast<int>(status);
}
