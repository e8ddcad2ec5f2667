// The desktop program driven through its real widgets on the sample disc, offscreen:
// source dialog, scan, navigation, a pattern button, playback, the busy guard and exit.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialog_template.h"
#include "gui_test_support.h"
#include "my_frame_window.h"
#include "translations.h"
#include "viewer_select_dialog.h"

using namespace velmorin;

using test::click;
using test::readAll;
using test::whenModal;

class MainWindowJourney : public QObject {
    Q_OBJECT

public slots:
    void openedDocument(const QUrl& url) { opened_ << url; }

private slots:
    void initTestCase() {
        QVERIFY(gui::installJapaneseTranslations(*QCoreApplication::instance()));
    }
    void init();
    void cleanup();
    void scansThroughTheSourceDialogAndMatchesTheTool();
    void vtsiInputWithEachChapterMethod();
    void navigatesMutesAndPlays();
    void ignoresGuardedCommandsDuringAScan();
    void asksBeforeClosingWithInputOpen();
    void closesWithoutAskingWhenNothingIsOpen();
    void aboutDialogNamesTheProgram();
    void altHRunsHelpOnce();
    void viewerDialogChoosesOneFileOfItsPattern();
    void previewFollowsTheCaretAndClosesWhenSwitchedOff();
    void settingsDialogPlayTimePreviewAndRefusedPlayer();

private:
    QTemporaryDir dir_;
    std::string videoTs_;
    std::unique_ptr<gui::MyFrameWindow> window_;
    QList<QUrl> opened_;
};

void MainWindowJourney::init() {
    QVERIFY(dir_.isValid());
    const std::string root = dir_.path().toStdString();
    videoTs_ = root + "/VIDEO_TS";
    std::filesystem::remove_all(videoTs_);
    std::filesystem::copy(std::string(VELMORIN_SAMPLE_DISC) + "/VIDEO_TS", videoTs_);
    auto state = std::make_unique<AppState>();
    state->settings.lastSourceFolder = videoTs_;
    state->settings.playerPath = root + "/player.sh";
    std::ofstream(root + "/player.sh")
        << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/played\"\n";
    std::filesystem::permissions(root + "/player.sh", std::filesystem::perms::owner_all);
    ShellState shell;
    shell.programFolder = root + "/";
    window_ = std::make_unique<gui::MyFrameWindow>(std::move(state), shell, root + "/velmorin.DAT");
    window_->show();
}

void MainWindowJourney::cleanup() {
    window_->state().inputFiles.fileCount = 0;
    window_->close();
    window_.reset();
}

void MainWindowJourney::scansThroughTheSourceDialogAndMatchesTheTool() {
    test::openAllListedFiles(*window_);
    QCOMPARE(window_->state().inputFiles.fileCount, 2);
    QProcess tool;
    tool.start(VELMORIN_CLI, {"scan", QString::fromStdString(videoTs_ + "/VTS_01_1.VOB"),
                              QString::fromStdString(videoTs_ + "/VTS_01_2.VOB")});
    QVERIFY(tool.waitForFinished());
    std::string expected;
    for (const auto& line : test::listLines(*window_)) expected += line + "\n";
    expected +=
        gui::control<QLabel>(window_.get(), ids::main_window::kSizeLabel)->text().toStdString() +
        "\n";
    QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()), QString::fromStdString(expected));
    QCOMPARE(window_->client().gopList().selectedLines(), std::vector<int>{0});
}

void MainWindowJourney::vtsiInputWithEachChapterMethod() {
    namespace source = ids::path_dialog::source;
    for (int method : {source::kChaptersBySectorMatch, source::kChaptersByCellCount}) {
        whenModal([method](QWidget* dialog) {
            auto* vtsi = gui::control<QCheckBox>(dialog, source::kReadByVtsi);
            if (!vtsi->isChecked()) vtsi->click();
            click(dialog, method);
            QCOMPARE(
                gui::control<QListView>(dialog, ids::path_dialog::kFolders)->currentIndex().row(),
                0);
            click(dialog, ids::path_dialog::kSelect);  // VTS_01_0.IFO is selected first
        });
        click(window_.get(), ids::main_window::kInputFiles);
        QCOMPARE(window_->state().inputFiles.fileCount, 2);
        QVERIFY(window_->state().sourceOptions.readByVtsi);
        int chapters = 0;
        for (int k = 0; k < window_->state().gopTable.gopCount; ++k)
            chapters += (window_->state().gopTable.flags[k] & 2) != 0;
        QCOMPARE(chapters, 6);  // the sample disc's programs, by either method
    }
}

void MainWindowJourney::navigatesMutesAndPlays() {
    test::openAllListedFiles(*window_);
    auto& list = window_->client().gopList();
    click(window_.get(), ids::main_window::kCellForward);
    const int cell = list.caretLine();
    QVERIFY(cell > 0);
    QVERIFY(window_->state().gopTable.flags[static_cast<std::size_t>(cell)] & 1);
    click(window_.get(), ids::main_window::kChapterForward);  // after the top line
    QVERIFY(list.caretLine() > cell);

    const std::string before = readAll(videoTs_ + "/VTS_01_1.VOB");
    list.setCaretLine(2);
    click(window_.get(), ids::main_window::kSilenceAllFirstRow);
    QCOMPARE(QString::fromStdString(list.line(2).substr(24)), QString("----"));
    QVERIFY(readAll(videoTs_ + "/VTS_01_1.VOB") != before);
    click(window_.get(), ids::main_window::kSilenceNone);
    QVERIFY(readAll(videoTs_ + "/VTS_01_1.VOB") == before);

    click(window_.get(), ids::main_window::kPlayAtCursor);
    const std::string played = dir_.path().toStdString() + "/played";
    QTRY_VERIFY(std::filesystem::exists(played));
    QCOMPARE(QString::fromStdString(readAll(played)),
             QString::fromStdString("1\n" + dir_.path().toStdString() + "/TMP1.MPG\n"));
}

void MainWindowJourney::ignoresGuardedCommandsDuringAScan() {
    const std::string before = readAll(videoTs_ + "/VTS_01_1.VOB");
    window_->state().sourceOptions.fastRead = false;
    // The first message pump of the scan delivers these clicks: all are ignored.
    whenModal([](QWidget* dialog) {
        gui::control<QListView>(dialog, ids::path_dialog::kFiles)->selectAll();
        QTimer::singleShot(0, [] {
            QWidget* main = QApplication::topLevelWidgets().first();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == "MyFrameWindow") main = w;
            namespace m = ids::main_window;
            for (int id : {m::kSilenceAllFirstRow, m::kInputFiles, m::kExit})
                gui::control<QAbstractButton>(main, id)->click();
        });
        click(dialog, ids::path_dialog::kSelect);
    });
    click(window_.get(), ids::main_window::kInputFiles);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->state().inputFiles.fileCount, 2);
    QVERIFY(readAll(videoTs_ + "/VTS_01_1.VOB") == before);
    QCOMPARE(QString::fromStdString(test::listLines(*window_).front().substr(24)), QString("****"));
}

void MainWindowJourney::asksBeforeClosingWithInputOpen() {
    test::openAllListedFiles(*window_);
    whenModal([](QWidget* box) {
        QCOMPARE(box->windowTitle(), QString("確認"));
        QVERIFY(static_cast<QMessageBox*>(box)->text() == "終了しますか？");
        QVERIFY(static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->text().contains("はい"));
        static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    });
    window_->close();
    QVERIFY(window_->isVisible());
    whenModal(
        [](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click(); });
    window_->close();
    QVERIFY(!window_->isVisible());
    QVERIFY(std::filesystem::exists(dir_.path().toStdString() +
                                    "/velmorin.DAT"));  // the settings were saved
}

void MainWindowJourney::closesWithoutAskingWhenNothingIsOpen() {
    window_->close();
    QVERIFY(!window_->isVisible());  // a question box here would never have been answered
}

void MainWindowJourney::aboutDialogNamesTheProgram() {
    whenModal([](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("AboutDialog"));
        QCOMPARE(gui::control<QLabel>(dialog, ids::about::kProgramName)->text(),
                 QString("Velmorin Ver 1.00  (Tessaline)"));
        QCOMPARE(dialog->size(), gui::dialogUnitRect(dialog->font(), 0, 0, 200, 75).size());
        QVERIFY(!dialog->findChild<QLabel*>("static0")->pixmap().isNull());  // the icon
        click(dialog, ids::kOk);
    });
    QAction* about = nullptr;
    for (QAction* action : window_->findChildren<QAction*>())
        if (action->objectName() == QString("menu%1").arg(ids::menu::kAbout)) about = action;
    QVERIFY(about);
    about->trigger();
}

void MainWindowJourney::altHRunsHelpOnce() {
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QDesktopServices::setUrlHandler("file", this, "openedDocument");
    QTest::keyClick(window_.get(), Qt::Key_H, Qt::AltModifier);
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(opened_.size() == 1 && opened_[0].path().endsWith("/README.HTM"));
}

void MainWindowJourney::viewerDialogChoosesOneFileOfItsPattern() {
    const std::string root = dir_.path().toStdString();
    gui::ViewerSelectDialog dialog(window_.get(), "VOB再生プログラム選択", "*.SH",
                                   root + "/player.sh", root + "/");
    auto* files = gui::control<QListView>(&dialog, ids::path_dialog::kFiles);
    QCOMPARE(files->model()->rowCount(), 1);  // player.sh, matched in either case
    QCOMPARE(files->model()->index(0, 0).data().toString(), QString("player.sh"));
    QTimer::singleShot(0, [&] { click(&dialog, ids::path_dialog::kSelect); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(dialog.result()), QString::fromStdString(root + "/player.sh"));
}

namespace {

// The sum of the preview image's bytes: 0 for a black picture.
long imageSum(gui::PreViewFrameWindow* preview) {
    preview->repaint();  // decodes when the picture is out of date
    const QImage shot = preview->grab().toImage().convertToFormat(QImage::Format_RGB888);
    long sum = 0;
    for (int y = 0; y < shot.height(); y += 7)
        for (int x = 0; x < shot.width(); x += 7) sum += qGray(shot.pixel(x, y));
    return sum;
}

}  // namespace

void MainWindowJourney::previewFollowsTheCaretAndClosesWhenSwitchedOff() {
    test::openAllListedFiles(*window_);
    QPointer<gui::PreViewFrameWindow> preview = window_->previewWindow();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->windowTitle(), QString("プレビュー"));
    QCOMPARE(preview->size(), QSize(360, 240));
    QTRY_COMPARE(QApplication::activeWindow(), window_.get());  // the keys stay with the list
    const long first = imageSum(preview);
    QVERIFY(first > 0);  // not black
    QVERIFY(preview->request().decoded);

    click(window_.get(), ids::main_window::kChapterForward);  // a different picture
    QCOMPARE(preview->request().startSector,
             window_->state().gopTable.startSector[static_cast<std::size_t>(
                 window_->client().gopList().caretLine())]);
    QVERIFY(!preview->request().decoded);
    QVERIFY(imageSum(preview) != first);

    window_->state().settings.previewEnabled = false;
    click(window_.get(),
          ids::main_window::kCellBackward);  // any preview update now closes the window
    QTRY_VERIFY(preview.isNull());
}

void MainWindowJourney::settingsDialogPlayTimePreviewAndRefusedPlayer() {
    test::openAllListedFiles(*window_);
    QVERIFY(window_->previewWindow());
    // 0.5 seconds: play at the cursor copies one GOP. The preview is switched off.
    whenModal([](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("オプション設定"));
        QCOMPARE(gui::control<QComboBox>(dialog, ids::settings::kPlayTime)->currentText(),
                 QString("10"));
        gui::control<QComboBox>(dialog, ids::settings::kPlayTime)->setCurrentIndex(0);
        gui::control<QCheckBox>(dialog, ids::settings::kPreviewEnabled)->setChecked(false);
        click(dialog, ids::kOk);
    });
    click(window_.get(), ids::main_window::kOptions);
    QCOMPARE(window_->state().settings.playTimeIndex, 0);
    QTRY_VERIFY(!window_->previewWindow());
    click(window_.get(), ids::main_window::kPlayAtCursor);
    const GopExtent e = window_->state().gopTable.extent(0, window_->state().inputFiles);
    QCOMPARE(std::filesystem::file_size(dir_.path().toStdString() + "/TMP1.MPG"),
             e.sectorCount() * 2048);

    // A player that does not exist is refused and the dialog stays; cancel keeps it all.
    const std::string player = window_->state().settings.playerPath;
    whenModal([](QWidget* dialog) {
        gui::control<QLineEdit>(dialog, ids::settings::kPlayerPath)->setText("/no/such/player");
        gui::control<QComboBox>(dialog, ids::settings::kPlayTime)->setCurrentIndex(5);
        whenModal([dialog](QWidget* box) {
            QCOMPARE(static_cast<QMessageBox*>(box)->text(),
                     QString("指定したVOB再生プログラムは存在しません."));
            static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, [dialog] { click(dialog, ids::kCancel); });
        });
        click(dialog, ids::kOk);
    });
    click(window_.get(), ids::main_window::kOptions);
    QCOMPARE(window_->state().settings.playerPath, player);
    QCOMPARE(window_->state().settings.playTimeIndex, 0);
    QVERIFY(!window_->previewWindow());

    // Switched on again, the preview opens at once on the caret's GOP.
    whenModal([](QWidget* dialog) {
        gui::control<QCheckBox>(dialog, ids::settings::kPreviewEnabled)->setChecked(true);
        click(dialog, ids::kOk);
    });
    click(window_.get(), ids::main_window::kOptions);
    QVERIFY(window_->previewWindow());
    QVERIFY(window_->previewWindow()->isVisible());
}

QTEST_MAIN(MainWindowJourney)
#include "main_window_journey_test.moc"
