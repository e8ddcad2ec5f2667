// velmorin.exe: the Windows desktop program.
// clang-format off
#include "win32.h"  // before the other Windows headers
#include <commctrl.h>
#include <objbase.h>
// clang-format on

#include "app/program_startup.h"
#include "message_loop.h"
#include "my_frame_window.h"
#include "platform/command_line.h"
#include "platform/program_file.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    using namespace velmorin;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // ShellExecuteW (the help document) may hand the file to a shell extension built on
    // COM: the thread must be a single-threaded apartment before it calls it.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    std::string argumentText;
    const auto arguments = splitCommandLine(GetCommandLineW());
    for (std::size_t i = 1; i < arguments.size(); ++i) argumentText += " " + arguments[i];
    ProgramStartup startup = prepareProgramStartup(runningProgramPath({}), argumentText);

    win32::MyFrameWindow window(std::move(startup.state), std::move(startup.shell),
                                startup.settingsPath, startup.files.logoFile);
    const bool created = window.create(show);
    if (created) win32::runMessageLoop();
    if (SUCCEEDED(com)) CoUninitialize();
    return created ? 0 : 1;
}
