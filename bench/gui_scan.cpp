// Scans a title in the desktop program's main window (offscreen), list filled and
// progress window and message pump running, then quits: for timing the whole process
// against velmorin-cli scan.
//   QT_QPA_PLATFORM=offscreen gui_scan FILE.VOB...
#include <QApplication>
#include <memory>

#include "my_frame_window.h"
#include "scan/vob_scanner.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace velmorin;
    auto state = std::make_unique<AppState>();
    for (int i = 1; i < argc; ++i)
        state->inputFiles.filePath[static_cast<std::size_t>(state->inputFiles.fileCount++)] =
            argv[i];
    gui::MyFrameWindow window(std::move(state), ShellState{}, "/dev/null");
    window.show();
    gui::QtUi ui(&window, window.shell());
    SectorBuffer buffer;
    window.shell().busy = true;
    const bool ok = VobScanner(scanTargetOf(window.state(), window.shell()), ui,
                               window.client().gopList(), buffer)
                        .run();
    window.shell().busy = false;
    app.processEvents();
    std::printf("%d GOPs\n", window.state().gopTable.gopCount);
    window.state().inputFiles.fileCount = 0;
    return ok ? 0 : 1;
}
