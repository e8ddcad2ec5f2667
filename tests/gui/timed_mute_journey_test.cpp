// "時間指定で無音化" driven through its real widgets, offscreen, one step after another on
// a copy of the sample title set, beside a copy the command-line tool mutes with the same
// inputs: the plans and the VOB files must match the tool's.
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStringListModel>
#include <filesystem>

#include "gui_test_support.h"
#include "translations.h"
#include "ui/control_ids.h"

using namespace velmorin;
namespace t = ids::timed_mute;

namespace {

QWidget* ctl(QWidget* dialog, int id) {
    return gui::control<QWidget>(dialog, id);
}
void press(QWidget* dialog, int id) {
    static_cast<QAbstractButton*>(ctl(dialog, id))->click();
}
void type(QWidget* dialog, int id, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(ctl(dialog, id))) return line->setText(text);
    static_cast<QPlainTextEdit*>(ctl(dialog, id))->setPlainText(text);
}
QStringList planRows(QWidget* dialog) {
    auto* list = static_cast<QListView*>(ctl(dialog, t::kPlanList));
    return static_cast<QStringListModel*>(list->model())->stringList();
}
// The next message box over the dialog: its text goes to `told`, and it is answered.
void answer(QWidget* dialog, QString* told) {
    test::whenModalOver(dialog, [told](QWidget* box) {
        *told = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->accept();
    });
}
// Closes the writing progress window, as the user would, once `gops` lines of the main
// window's GOP list differ from `lines`: that many GOPs are written.
void closeProgressAfter(gui::MyFrameWindow* window, std::vector<std::string> lines, int gops) {
    QTimer::singleShot(0, [=] {
        const auto now = test::listLines(*window);
        int changed = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) changed += now[i] != lines[i];
        for (QWidget* w : QApplication::topLevelWidgets())
            if (changed >= gops && w->isVisible() && w->windowTitle() == "無音化実行中")
                return (void)w->close();
        closeProgressAfter(window, lines, gops);
    });
}

}  // namespace

class TimedMuteJourney : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { window_->state().inputFiles.fileCount = 0; }
    void refusesAMalformedEdlLineAndWritesNothing();
    void writesAnEdlsSpansOfTitleTwoAsTheToolDoes();
    void writesTheCuesOfTypedWordsWholeAsTheToolDoes();
    void stopsBetweenGopsWhenTheProgressWindowCloses();

private:
    // Opens the dialog from the menu bar; `work` works it and ends it.
    void withDialog(const std::function<void(QWidget*)>& work) {
        test::whenModal(work);
        for (QAction* menu : window_->menuBar()->actions())
            if (menu->text() == "音声編集(&E)")
                for (QAction* item : menu->menu()->actions())
                    if (item->text() == "時間指定で無音化(&T)...") item->trigger();
        QVERIFY(!QApplication::activeModalWidget());
    }
    // velmorin-cli mute on the tool's copy; its standard output.
    QString tool(const QStringList& args) {
        QProcess cli;
        cli.start(VELMORIN_CLI, QStringList{"mute", "--vtsi", path("tool/VTS_01_0.IFO")} + args);
        cli.waitForFinished();
        return cli.readAllStandardOutput();
    }
    QString path(const char* name) const { return dir_.filePath(name); }
    QString file(const char* name, const char* text) {
        std::ofstream(path(name).toStdString()) << text;
        return path(name);
    }
    // Both VOB files of a copy, one after the other.
    std::string vobs(const char* copy) {
        const std::string folder = path(copy).toStdString();
        return test::readAll(folder + "/VTS_01_1.VOB") + test::readAll(folder + "/VTS_01_2.VOB");
    }

    QTemporaryDir dir_;
    std::unique_ptr<gui::MyFrameWindow> window_;
};

void TimedMuteJourney::initTestCase() {
    QVERIFY(gui::installJapaneseTranslations(*QCoreApplication::instance()));
    for (const char* copy : {"VIDEO_TS", "tool"})
        std::filesystem::copy(std::string(VELMORIN_SAMPLE_DISC) + "/VIDEO_TS",
                              path(copy).toStdString());
    auto state = std::make_unique<AppState>();
    state->settings.lastSourceFolder = path("VIDEO_TS").toStdString();
    ShellState shell;
    shell.programFolder = dir_.path().toStdString() + "/";
    window_ = std::make_unique<gui::MyFrameWindow>(std::move(state), shell, "/dev/null");
    window_->show();
    test::whenModal([](QWidget* dialog) {  // by VTS_01_0.IFO: title times of its titles
        namespace source = ids::path_dialog::source;
        for (const int id : {source::kReadByVtsi, source::kChaptersBySectorMatch, ids::kOk})
            test::click(dialog, id);
    });
    test::click(window_.get(), ids::main_window::kInputFiles);
}

void TimedMuteJourney::refusesAMalformedEdlLineAndWritesNothing() {
    const std::string before = vobs("VIDEO_TS");
    const QString edl = file("bad.edl", "1 2 1\n\n3 x 1\n");
    QString told;
    withDialog([&](QWidget* dialog) {
        press(dialog, t::kFromEdl);
        test::whenModalOver(dialog, [&](QWidget* files) {
            auto* chooser = static_cast<QFileDialog*>(files);
            QCOMPARE(chooser->nameFilters().first(), QString("EDLﾌｧｲﾙ(*.edl)"));
            QCOMPARE(chooser->directory().absolutePath(), path("VIDEO_TS"));  // the title's
            chooser->selectFile(edl);
            QMetaObject::invokeMethod(chooser, "accept");
        });
        press(dialog, t::kEdlBrowse);
        answer(dialog, &told);
        press(dialog, t::kWrite);  // plans first, and is refused there
        QVERIFY(dialog->isVisible() && planRows(dialog).isEmpty());
        press(dialog, t::kClose);
    });
    QCOMPARE(told, edl + " の3行目が異常です（EDLの行は「開始秒 終了秒 動作」です）.");
    QVERIFY(vobs("VIDEO_TS") == before);
}

void TimedMuteJourney::writesAnEdlsSpansOfTitleTwoAsTheToolDoes() {
    const QStringList args{"--title", "2", "--edl", file("cuts.edl", "3 4.5 1\n8 9.25 1\n")};
    const QString planned = tool(args + QStringList{"--dry-run"});
    withDialog([&](QWidget* dialog) {
        press(dialog, t::kFromEdl);
        type(dialog, t::kEdlPath, args[3]);
        type(dialog, t::kTitle, "2");
        press(dialog, t::kPlan);
        const QStringList rows = planRows(dialog);  // each span, then the tool's lines
        QCOMPARE(rows.mid(0, 2),
                 (QStringList{"範囲 00:00:03.000-00:00:04.500", "範囲 00:00:08.000-00:00:09.250"}));
        QCOMPARE(rows.mid(2).join('\n') + '\n', planned);
        press(dialog, t::kWrite);
        QVERIFY(!dialog->isVisible());  // written: closed
    });
    tool(args);
    QVERIFY(vobs("VIDEO_TS") == vobs("tool"));
}

void TimedMuteJourney::writesTheCuesOfTypedWordsWholeAsTheToolDoes() {
    const QString srt = file("film.srt",
                             "1\n00:00:05,000 --> 00:00:06,000\nDamn it, you!\n\n"
                             "2\n00:00:10,000 --> 00:00:11,000\nNot here.\n\n"
                             "3\n00:00:15,000 --> 00:00:16,000\nOh gosh darn.\n");
    const QStringList args{"--srt", srt, "--words", file("words.txt", "damn\ngosh darn\n"),
                           "--whole-cues"};
    const QString planned = tool(args + QStringList{"--dry-run"});
    withDialog([&](QWidget* dialog) {
        press(dialog, t::kFromSubtitles);
        type(dialog, t::kSubtitlePath, srt);
        press(dialog, t::kWordsTyped);
        type(dialog, t::kTypedWords, "damn\ngosh darn");
        type(dialog, t::kTitle, "1");
        press(dialog, t::kWholeCues);
        press(dialog, t::kPlan);
        const QStringList rows = planRows(dialog);
        QVERIFY(rows.value(0).startsWith("字幕1 「damn」 字幕全体 00:00:05.000-00:00:06.000"));
        QVERIFY(rows.value(1).startsWith("字幕3 「gosh darn」 字幕全体 00:00:15.000-00:00:16.000"));
        QCOMPARE(rows.mid(2).join('\n') + '\n', planned);
        press(dialog, t::kWrite);
        QVERIFY(!dialog->isVisible());
    });
    tool(args);
    QVERIFY(vobs("VIDEO_TS") == vobs("tool"));
    withDialog([](QWidget* dialog) {  // opens again as it was left
        QCOMPARE(static_cast<QPlainTextEdit*>(ctl(dialog, t::kTypedWords))->toPlainText(),
                 QString("damn\ngosh darn"));
        press(dialog, t::kClose);
    });
}

void TimedMuteJourney::stopsBetweenGopsWhenTheProgressWindowCloses() {
    const std::string before = vobs("VIDEO_TS");
    tool({"--at", "2-20"});
    const std::string after = vobs("tool");
    QString told;
    withDialog([&](QWidget* dialog) {
        press(dialog, t::kFromTyped);
        type(dialog, t::kTypedSpans, "2-20");
        press(dialog, t::kPlan);
        closeProgressAfter(window_.get(), test::listLines(*window_), 3);
        answer(dialog, &told);
        press(dialog, t::kWrite);
        QVERIFY(dialog->isVisible());  // stopped: the dialog stays
        press(dialog, t::kClose);
    });
    // Every GOP is as it was or as the tool wrote it; as many as told are new.
    const std::string now = vobs("VIDEO_TS");
    const auto& s = window_->state();
    const std::uint64_t firstFileSectors =
        std::filesystem::file_size(s.inputFiles.filePath[0]) / 2048;
    int written = 0, planned = 0;
    for (int k = 0; k < s.gopTable.gopCount; ++k) {
        const GopExtent e = s.gopTable.extent(k, s.inputFiles);
        const std::size_t at = (e.file * firstFileSectors + e.firstSector) * 2048;
        const std::size_t size = e.sectorCount() * 2048;
        const bool old = now.compare(at, size, before, at, size) == 0;
        QVERIFY(old || now.compare(at, size, after, at, size) == 0);
        written += !old;
        planned += before.compare(at, size, after, at, size) != 0;
    }
    QVERIFY(written >= 3 && written < planned);
    QCOMPARE(told, QString("無音化を中断しました. %1個のGOPを書き換えました.").arg(written));
}

QTEST_MAIN(TimedMuteJourney)
#include "timed_mute_journey_test.moc"
