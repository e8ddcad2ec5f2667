// Renders the main window after a scan of a title, its preview, the source, settings and
// title list dialogs, "時間指定で無音化" with a plan and the start-up picture to PNG files:
//   gui_screenshots VIDEO_TS_FOLDER LOGO.BMP OUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <memory>

#include "dvd/title_table.h"
#include "logo_dialog.h"
#include "my_frame_window.h"
#include "platform/platform.h"
#include "scan/vob_scanner.h"
#include "setting_dialog.h"
#include "src_path_select_dialog.h"
#include "timed_mute_dialog.h"
#include "title_inf_dialog.h"
#include "ui/control_ids.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) return 2;
    using namespace velmorin;
    const std::string videoTs = argv[1];
    const std::string logo = argv[2];
    const QString out = argv[3];

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
    if (!VobScanner(scanTargetOf(window.state(), window.shell()), ui, list, buffer).run()) return 1;
    list.select(0);
    list.setCaretLine(0);
    window.runCommand(ids::main_window::kCellForward);  // the next cell; opens the preview
    app.processEvents();
    window.grab().save(out + "/main-window.png");
    if (auto* preview = window.previewWindow()) {
        preview->repaint();
        preview->grab().save(out + "/preview-window.png");
    }

    gui::SrcPathSelectDialog dialog(&window, window.state(), window.shell(), "入力ﾌｧｲﾙ選択",
                                    videoTs);
    dialog.show();
    app.processEvents();
    dialog.grab().save(out + "/source-dialog.png");
    gui::SettingDialog settings(&window, window.state().settings, window.shell());
    settings.show();
    app.processEvents();
    settings.grab().save(out + "/settings-dialog.png");
    auto lines = readTitleInformation(videoTs, ui, systemPlatform());
    if (!lines) return 1;
    gui::TitleInfDialog titles(&window, *lines);
    titles.show();
    app.processEvents();
    titles.grab().save(out + "/title-list.png");
    // Muting by subtitles: the cues that hold a listed word, each silenced whole. The file
    // lies at the same path every time, so the picture does not change with it.
    QDir scratch(QDir::temp().filePath("velmorin-screenshots"));
    scratch.mkpath(".");
    const std::string subtitles = scratch.filePath("film.srt").toStdString();
    std::ofstream(subtitles) << "1\n00:00:05,000 --> 00:00:06,000\nDamn it, you!\n\n"
                                "2\n00:00:10,000 --> 00:00:11,000\nNot here.\n\n"
                                "3\n00:00:15,000 --> 00:00:16,000\nOh gosh darn.\n";
    TimedMuteFields fields;
    fields.source = SpanSource::Subtitles;
    fields.subtitlePath = subtitles;
    fields.wordsFromFile = false;
    fields.typedWords = "damn\ngosh darn";
    fields.wholeCues = true;
    gui::TimedMuteDialog timed(&window, window.state(), window.shell(), buffer, list, fields);
    timed.show();
    gui::control<QPushButton>(&timed, ids::timed_mute::kPlan)->click();
    app.processEvents();
    timed.grab().save(out + "/timed-mute-dialog.png");
    scratch.removeRecursively();
    gui::LogoDialog startup(&window, logo);
    startup.show();
    app.processEvents();
    startup.grab().save(out + "/startup-picture.png");
    window.state().inputFiles.fileCount = 0;  // no question at the exit
    return 0;
}
