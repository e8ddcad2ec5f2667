// The desktop program's project file dialogs, title list, start-up picture, and the
// preview painted while a mute waits for an answer; offscreen, on the sample disc.
#include <QElapsedTimer>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <filesystem>

#include "gui_test_support.h"
#include "logo_dialog.h"
#include "my_frame_window.h"
#include "preview/preview_decoder.h"
#include "title_inf_dialog.h"
#include "translations.h"

using namespace velmorin;
using test::click;
using test::readAll;
using test::whenModal;
using test::whenModalOver;

namespace {

QMessageBox* asMessageBox(QWidget* w) {
    return qobject_cast<QMessageBox*>(w);
}

// Sets the file dialog's name field and presses its accept button.
void chooseFile(QWidget* dialog, const QString& path) {
    auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
    QVERIFY(fileDialog);
    fileDialog->selectFile(path);
    QMetaObject::invokeMethod(fileDialog, "accept");  // the dialog's own accept button
}

QStringList rowsOf(QListView* list) {
    QStringList rows;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        rows << list->model()->index(i, 0).data().toString();
    return rows;
}

}  // namespace

class DialogsJourney : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(gui::installJapaneseTranslations(*QCoreApplication::instance()));
    }
    void init();
    void cleanup();
    void projectSavedAndOpenedThroughTheFileDialogs();
    void titleListShowsTheDiscsTitles();
    void startupPictureShowsForTwoSeconds();
    void previewPaintedDuringThePaddingQuestionLeavesTheMuteAlone();

private:
    std::unique_ptr<gui::MyFrameWindow> newWindow();

    QTemporaryDir dir_;
    std::string root_;
    std::string videoTs_;
    std::unique_ptr<gui::MyFrameWindow> window_;
};

std::unique_ptr<gui::MyFrameWindow> DialogsJourney::newWindow() {
    auto state = std::make_unique<AppState>();
    state->settings.lastSourceFolder = videoTs_;
    state->settings.previewEnabled = false;
    ShellState shell;
    shell.programFolder = root_ + "/";
    return std::make_unique<gui::MyFrameWindow>(std::move(state), shell, root_ + "/velmorin.DAT");
}

void DialogsJourney::init() {
    QVERIFY(dir_.isValid());
    root_ = dir_.path().toStdString();
    videoTs_ = root_ + "/VIDEO_TS";
    std::filesystem::remove_all(videoTs_);
    std::filesystem::copy(std::string(VELMORIN_SAMPLE_DISC) + "/VIDEO_TS", videoTs_);
    window_ = newWindow();
    window_->show();
}

void DialogsJourney::cleanup() {
    if (!window_) return;
    window_->state().inputFiles.fileCount = 0;
    window_->close();
    window_.reset();
}

void DialogsJourney::projectSavedAndOpenedThroughTheFileDialogs() {
    test::openAllListedFiles(*window_);
    window_->client().gopList().setCaretLine(4);
    click(window_.get(),
          ids::main_window::kSilenceFirstHalf);  // "--**": a line that only this run's state shows
    const std::vector<std::string> lines = test::listLines(*window_);
    const GopTable table = window_->state().gopTable;
    const QString project = QString::fromStdString(root_ + "/work.prj");

    // First save: the program's folder and "*.prj", the one filter, then the confirmation.
    whenModal([project](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("MyFileSaveDialog"));
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        QCOMPARE(fileDialog->nameFilters(), QStringList{"ﾌﾟﾛｼﾞｪｸﾄ(*.prj)"});
        QCOMPARE(fileDialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(fileDialog->directory().absolutePath(), QFileInfo(project).absolutePath());
        QCOMPARE(dialog->findChild<QLineEdit*>()->text(), QString("*.prj"));
        whenModalOver(dialog, [](QWidget* box) {
            QCOMPARE(asMessageBox(box)->text(), QString("プロジェクトを保存しました."));
            asMessageBox(box)->button(QMessageBox::Ok)->click();
        });
        chooseFile(dialog, project);
    });
    window_->runCommand(ids::menu::kSaveProject);
    QVERIFY(std::filesystem::exists(project.toStdString()));
    const std::string saved = readAll(project.toStdString());

    // Saving over it asks first; "No" writes nothing, and cancel ends the command.
    whenModal([project](QWidget* dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        QCOMPARE(fileDialog->directory().absolutePath(), QFileInfo(project).absolutePath());
        QCOMPARE(dialog->findChild<QLineEdit*>()->text(), QString("work.prj"));
        whenModalOver(dialog, [dialog](QWidget* box) {
            QVERIFY(asMessageBox(box)->text().contains("work.prj"));
            asMessageBox(box)->button(QMessageBox::No)->click();
            QTimer::singleShot(0, dialog,
                               [dialog] { qobject_cast<QFileDialog*>(dialog)->reject(); });
        });
        QMetaObject::invokeMethod(fileDialog, "accept");  // the dialog's own accept button
    });
    window_->runCommand(ids::menu::kSaveProject);
    QVERIFY(readAll(project.toStdString()) == saved);

    // A new window opens it with the VOB files gone: the list comes from the file alone.
    cleanup();
    std::filesystem::remove_all(videoTs_);
    window_ = newWindow();
    window_->show();
    whenModal([project](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("MyFileOpenDialog"));
        QCOMPARE(qobject_cast<QFileDialog*>(dialog)->acceptMode(), QFileDialog::AcceptOpen);
        chooseFile(dialog, project);
    });
    window_->runCommand(ids::menu::kOpenProject);
    QVERIFY(test::listLines(*window_) == lines);
    QCOMPARE(QString::fromStdString(test::listLines(*window_)[4].substr(24)), QString("--**"));
    QCOMPARE(window_->state().gopTable.gopCount, table.gopCount);
    QVERIFY(window_->state().gopTable.startSector == table.startSector);
    QCOMPARE(QString::fromStdString(window_->state().inputFiles.filePath[0]),
             QString::fromStdString(videoTs_ + "/VTS_01_1.VOB"));
    QVERIFY(!window_->previewWindow());  // a project load does not refresh the preview
}

void DialogsJourney::titleListShowsTheDiscsTitles() {
    QProcess tool;
    tool.start(VELMORIN_CLI, {"titles", QString::fromStdString(videoTs_)});
    QVERIFY(tool.waitForFinished());
    const QStringList expected =
        QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(expected.size(), 2);  // the sample disc's two titles

    QStringList shown;
    whenModal([&shown](QWidget* source) {
        whenModalOver(source, [&shown, source](QWidget* titles) {
            QCOMPARE(titles->objectName(), QString("TitleInfDialog"));
            QCOMPARE(titles->windowTitle(), QString("ﾀｲﾄﾙ情報表示"));
            shown = rowsOf(gui::control<QListView>(titles, ids::title_info::kTitleList));
            click(titles, ids::title_info::kBack);
            QTimer::singleShot(0, source, [source] { click(source, ids::kCancel); });
        });
        click(source, ids::path_dialog::source::kShowTitleInfo);
    });
    click(window_.get(), ids::main_window::kInputFiles);
    QCOMPARE(shown, expected);
    QCOMPARE(window_->state().inputFiles.fileCount, 0);  // the source dialog was cancelled

    // A disc without titles gives an empty list.
    gui::TitleInfDialog empty(window_.get(), {});
    QCOMPARE(gui::control<QListView>(&empty, ids::title_info::kTitleList)->model()->rowCount(), 0);
}

void DialogsJourney::startupPictureShowsForTwoSeconds() {
    auto unseen = newWindow();
    for (const bool withBitmap : {true, false}) {
        if (withBitmap)
            std::filesystem::copy_file(VELMORIN_LOGO, root_ + "/LOGO.BMP");
        else
            std::filesystem::remove(root_ + "/LOGO.BMP");
        QImage picture;
        whenModal([&](QWidget* logo) {
            QCOMPARE(logo->objectName(), QString("LogoDialog"));
            picture = static_cast<gui::LogoDialog*>(logo)->picture();
        });
        QElapsedTimer clock;
        clock.start();
        gui::showStartupPicture(unseen.get(), root_ + "/LOGO.BMP");
        const qint64 shownMs = clock.elapsed();
        QVERIFY2(shownMs >= 1900 && shownMs < 5000, QByteArray::number(shownMs));
        QCOMPARE(picture.size(), QSize(320, 200));
        // Our LOGO.BMP has its name in light letters on a dark blue ground; a missing file
        // leaves the picture black.
        bool anyColour = false;
        for (int y = 0; y < 200; y += 5)
            for (int x = 0; x < 320; x += 5) anyColour |= picture.pixel(x, y) != qRgb(0, 0, 0);
        QCOMPARE(anyColour, withBitmap);
    }
}

void DialogsJourney::previewPaintedDuringThePaddingQuestionLeavesTheMuteAlone() {
    // GOP 4 gets a padding packet of someone else's (an audio packet turned to 0xBE).
    const std::string vob = videoTs_ + "/VTS_01_1.VOB";
    QProcess scan;
    scan.start(VELMORIN_CLI, {"scan", "--json", QString::fromStdString(vob)});
    QVERIFY(scan.waitForFinished());
    std::string bytes = readAll(vob);
    const int gop = 3;
    {
        const auto json = QJsonDocument::fromJson(scan.readAllStandardOutput()).object();
        const auto gops = json["gops"].toArray();
        const std::size_t from = std::size_t(gops[gop].toObject()["sector"].toInt()) * 2048;
        const std::size_t to = std::size_t(gops[gop + 1].toObject()["sector"].toInt()) * 2048;
        std::size_t s = from;
        while (s < to && !(bytes[s + 17] == char(0xBD) &&
                           (bytes[s + 23 + std::uint8_t(bytes[s + 22])] & 0xF0) == 0x80))
            s += 2048;
        QVERIFY(s < to);
        bytes[s + 17] = char(0xBE);
        std::ofstream(vob, std::ios::binary | std::ios::trunc) << bytes;
    }
    // What the same mute gives when nothing interferes: the tool, answering "No" (go on).
    const std::string expectedVob = root_ + "/expected.VOB";
    std::filesystem::copy_file(vob, expectedVob);
    QProcess mute;
    mute.start(VELMORIN_CLI, {"mute", QString::fromStdString(expectedVob), "--pattern", "----",
                              "--gop", QString::number(gop + 1), "--answer", "no"});
    QVERIFY(mute.waitForFinished());
    QCOMPARE(mute.exitCode(), 0);

    window_->state().settings.previewEnabled = true;
    whenModal([](QWidget* dialog) {
        auto* files = gui::control<QListView>(dialog, ids::path_dialog::kFiles);
        files->setCurrentIndex(files->model()->index(0, 0));
        click(dialog, ids::path_dialog::kSelect);
    });
    click(window_.get(), ids::main_window::kInputFiles);  // VTS_01_1.VOB alone
    QVERIFY(window_->previewWindow());
    QVERIFY(QTest::qWaitForWindowExposed(window_->previewWindow()));
    window_->client().gopList().setCaretLine(gop);

    bool decodedMeanwhile = false;
    whenModal([&](QWidget* box) {
        QVERIFY(asMessageBox(box)->text().startsWith("既存のPadding Streamが見つかりました."));
        // While the GOP waits in the sector buffer, the preview decodes another GOP.
        auto* preview = window_->previewWindow();
        preview->setRequest(
            preview::requestForGop(window_->state().inputFiles, window_->state().gopTable, 10));
        preview->repaint();
        decodedMeanwhile = preview->request().decoded;
        asMessageBox(box)->button(QMessageBox::No)->click();
    });
    click(window_.get(), ids::main_window::kSilenceAllFirstRow);
    QVERIFY(decodedMeanwhile);
    QVERIFY(readAll(vob) == readAll(expectedVob));
    QCOMPARE(QString::fromStdString(test::listLines(*window_)[gop].substr(24)), QString("----"));
}

QTEST_MAIN(DialogsJourney)
#include "dialogs_journey_test.moc"
