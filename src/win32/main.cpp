// velmorin.exe: the Windows desktop program.
// clang-format off
#include "win32.h"  // before the other Windows headers
#include <commctrl.h>
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

    std::string argumentText;
    const auto arguments = splitCommandLine(GetCommandLineW());
    for (std::size_t i = 1; i < arguments.size(); ++i) argumentText += " " + arguments[i];
    ProgramStartup startup = prepareProgramStartup(runningProgramPath({}), argumentText);

    win32::MyFrameWindow window(std::move(startup.state), std::move(startup.shell),
                                startup.settingsPath, startup.files.logoFile);
    if (!window.create(show)) return 1;
    win32::runMessageLoop();
    return 0;
}
