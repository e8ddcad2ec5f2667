// Renders the main window after a scan of a title, and the source dialog, to PNG files:
//   gui_screenshots VIDEO_TS_FOLDER OUT_FOLDER
#include <QApplication>
#include <QTimer>
#include <memory>

#include "my_frame_window.h"
#include "scan/vob_scanner.h"
#include "setting_dialog.h"
#include "src_path_select_dialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    using namespace velmorin;
    const std::string videoTs = argv[1];
    const QString out = argv[2];

    auto state = std::make_unique<AppState>();
    state->inputFiles.fileCount = 2;
    state->inputFiles.filePath[0] = videoTs + "/VTS_01_1.VOB";
    state->inputFiles.filePath[1] = videoTs + "/VTS_01_2.VOB";
    ShellState shell;
    shell.programFolder = videoTs + "/";
    gui::MyFrameWindow window(std::move(state), shell, "/dev/null");
    window.show();
    gui::QtUi ui(&window, window.shell());
    SectorBuffer buffer;
    auto& list = window.client().gopList();
    if (!VobScanner(window.state(), window.shell(), ui, list, buffer).run()) return 1;
    list.select(0);
    list.setCaretLine(0);
    window.runCommand(124);  // "∨": the next cell, which also opens the preview
    app.processEvents();
    window.grab().save(out + "/main-window.png");
    if (auto* preview = window.previewWindow()) {
        preview->repaint();
        preview->grab().save(out + "/preview-window.png");
    }

    gui::SrcPathSelectDialog dialog(&window, window.state(), window.shell(), "入力ﾌｧｲﾙ選択", videoTs);
    dialog.show();
    app.processEvents();
    dialog.grab().save(out + "/source-dialog.png");
    gui::SettingDialog settings(&window, window.state().settings, window.shell());
    settings.show();
    app.processEvents();
    settings.grab().save(out + "/settings-dialog.png");
    window.state().inputFiles.fileCount = 0;  // no question at the exit
    return 0;
}
