// velmorin.exe driven through its real windows, compared with velmorin-cli. The programs
// and the sample disc come from the environment: VELMORIN_PROGRAMS (the folder of
// velmorin.exe, velmorin-cli.exe and record_player.exe) and VELMORIN_SAMPLE_DISC (its
// VIDEO_TS folder). Each test goes on from where the one before left the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/settings_file.h"
#include "common/text_format.h"
#include "desktop_driver.h"
#include "platform/wide_text.h"
#include "timing/timing_text_messages.h"
#include "ui/control_ids.h"

namespace velmorin::test {
namespace {

namespace fs = std::filesystem;
namespace t = ids::timed_mute;
constexpr const wchar_t* kDialog = L"#32770";

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

class DesktopTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const fs::path programs = wideFromUtf8(environment("VELMORIN_PROGRAMS"));
        const fs::path disc = wideFromUtf8(environment("VELMORIN_SAMPLE_DISC"));
        if (programs.empty() || disc.empty()) return;
        work_ = fs::temp_directory_path() / L"velmorin-desktop-test";
        fs::remove_all(work_);
        for (const char* folder : {"program", "disc", "cli-disc"})
            fs::create_directories(work_ / folder);
        for (const wchar_t* file : {L"velmorin.exe", L"record_player.exe", L"velmorin-cli.exe"})
            fs::copy_file(programs / file, work_ / L"program" / file);
        for (const auto& entry : fs::directory_iterator(disc)) {
            fs::copy_file(entry.path(), work_ / L"disc" / entry.path().filename());
            fs::copy_file(entry.path(), work_ / L"cli-disc" / entry.path().filename());
        }
        const std::string program = utf8(work_ / L"program" / L"velmorin.exe");
        Settings settings;
        settings.lastSourceFolder = utf8(work_ / L"disc") + "\\";
        settings.playerPath = utf8(work_ / L"program" / L"record_player.exe");
        saveSettings(settingsPathFor(program), settings);

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring line = L"\"" + wideFromUtf8(program) + L"\"";
        ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process_));
        frame_ = waitForWindow(process_.dwProcessId, L"VELMORIN:MAIN");
        client_ = FindWindowExW(frame_, nullptr, kDialog, nullptr);
        list_ = GetDlgItem(client_, ids::main_window::kGopList);
    }

    void SetUp() override {
        if (work_.empty())
            GTEST_SKIP() << "VELMORIN_PROGRAMS and VELMORIN_SAMPLE_DISC name no programs";
        ASSERT_TRUE(frame_) << "velmorin.exe showed no main window";
    }

    static std::string utf8(const fs::path& p) { return utf8FromWide(p.wstring()); }
    static HWND waitForDialog(const std::string& caption) {
        return waitForWindow(process_.dwProcessId, kDialog, caption);
    }
    static std::string cli(const std::string& arguments) {
        DWORD status = 0;
        const auto out = runProgram(
            "\"" + utf8(work_ / L"program" / L"velmorin-cli.exe") + "\" " + arguments, status);
        EXPECT_EQ(status, 0u) << arguments;
        return out;
    }
    static std::string vobArguments(const char* folder) {
        std::string args;
        for (const auto& name : vobs_)
            args += " \"" + utf8(work_ / folder / wideFromUtf8(name)) + "\"";
        return args;
    }
    // Presses `id`; a padding question that comes up is answered Yes.
    static void pressAnsweringYes(int id, const std::function<bool()>& done) {
        press(client_, id);
        EXPECT_TRUE(waitUntil([&] {
            if (HWND ask = findWindow(process_.dwProcessId, kDialog, "確認")) press(ask, IDYES);
            return done();
        }));
    }
    // A project file dialog: the file name typed in, then OK.
    static void chooseFile(int command, const std::string& path) {
        PostMessageW(frame_, WM_COMMAND, command, 0);
        HWND dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] {
            dialog = findWindow(process_.dwProcessId, kDialog);
            return dialog && GetWindow(dialog, GW_OWNER) == frame_;
        }));
        // The file name field: the combo box cmb13, or in older dialogs edt1. The dialog
        // fills it with the starting name once it shows: type until the path stays.
        HWND name = GetDlgItem(dialog, 0x47C);
        if (!name || !IsWindowVisible(name)) name = GetDlgItem(dialog, 0x480);
        ASSERT_TRUE(waitUntil([&] {
            if (windowText(name) == path) return true;
            setWindowText(name, path);
            return false;
        }));
        press(dialog, IDOK);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    }

    // A file of the test's own, by its path.
    static std::string workFile(const wchar_t* name, const std::string& text) {
        std::ofstream(work_ / name, std::ios::binary) << text;
        return utf8(work_ / name);
    }
    // "時間指定で無音化" from the menu bar, with these radios clicked.
    static HWND openTimedMuteDialog(std::initializer_list<int> radios) {
        PostMessageW(frame_, WM_COMMAND, ids::menu::kMuteByTime, 0);
        HWND dialog = waitForDialog("時間指定で無音化");
        for (int id : radios) {
            PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
            EXPECT_TRUE(waitUntil([&] { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }));
        }
        return dialog;
    }
    // Presses `id` of a dialog or message box and waits for it to close.
    static void pressClosing(HWND window, int id) {
        press(window, id);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(window); }));
    }
    static void expectSameVobs() {
        for (const auto& vob : vobs_)
            EXPECT_TRUE(readFile(utf8(work_ / L"disc" / wideFromUtf8(vob))) ==
                        readFile(utf8(work_ / L"cli-disc" / wideFromUtf8(vob))))
                << vob;
    }
    // Plans: the list ends with the tool's plan for `toolArguments`; writes, which closes
    // the dialog; the VOB files are then those the tool writes.
    static void planWriteAndCompare(HWND dialog, const std::string& toolArguments) {
        press(dialog, t::kPlan);
        ASSERT_TRUE(
            waitUntil([&] { return !windowText(GetDlgItem(dialog, t::kPlanTotal)).empty(); }));
        const auto toolPlan =
            splitLines(cli("mute" + vobArguments("cli-disc") + toolArguments + " --dry-run"));
        const auto planned = listLines(GetDlgItem(dialog, t::kPlanList));
        ASSERT_GT(planned.size(), toolPlan.size());  // the spans asked for come first
        EXPECT_TRUE(std::equal(toolPlan.rbegin(), toolPlan.rend(), planned.rbegin()));
        pressClosing(dialog, t::kWrite);
        cli("mute" + vobArguments("cli-disc") + toolArguments);
        expectSameVobs();
    }
    // Closes the progress window with this caption once it shows and the program has
    // written to `file`. The program's thread is held while they are looked at, so that a
    // short operation cannot end unseen.
    static bool closeProgressWindowOnceWritten(const std::string& caption, const fs::path& file) {
        const auto unwritten = fs::last_write_time(file);
        for (const ULONGLONG giveUp = GetTickCount64() + 60000; GetTickCount64() < giveUp;) {
            SuspendThread(process_.hThread);
            // Found by the window manager: the held thread does not answer WM_GETTEXT.
            HWND progress = FindWindowW(kDialog, wideFromUtf8(caption).c_str());
            const bool written = progress && fs::last_write_time(file) != unwritten;
            if (written) PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
            ResumeThread(process_.hThread);
            if (written) return true;
        }
        return false;
    }

    static inline fs::path work_;
    static inline PROCESS_INFORMATION process_{};
    static inline HWND frame_ = nullptr, client_ = nullptr, list_ = nullptr;
    static inline std::vector<std::string> vobs_;
    static inline std::vector<std::string> lines_;  // the tool's scan: GOP lines, size label
};

TEST_F(DesktopTest, ScanThroughTheSourceDialogListsWhatTheToolLists) {
    PostMessageW(frame_, WM_COMMAND, ids::menu::kOpenInputFiles, 0);
    HWND dialog = waitForDialog("入力ﾌｧｲﾙ選択");
    ASSERT_TRUE(dialog);
    vobs_ = listLines(GetDlgItem(dialog, ids::path_dialog::kFiles));
    ASSERT_FALSE(vobs_.empty());
    SendMessageW(GetDlgItem(dialog, ids::path_dialog::kFiles), LB_SETSEL, TRUE, -1);
    press(dialog, ids::path_dialog::kSelect);

    lines_ = splitLines(cli("scan" + vobArguments("disc")));
    ASSERT_GT(lines_.size(), 1u);
    const std::vector<std::string> gops(lines_.begin(), lines_.end() - 1);
    ASSERT_TRUE(waitUntil([&] {
        return windowText(GetDlgItem(client_, ids::main_window::kSizeLabel)) == lines_.back();
    }));
    EXPECT_EQ(listLines(list_), gops);
    // The scan's end shows the first GOP in the preview window.
    EXPECT_TRUE(waitForWindow(process_.dwProcessId, L"_TORQE210:PREVIEW", "プレビュー"));
}

TEST_F(DesktopTest, PatternButtonMutesTheVobFilesAsTheToolDoes) {
    constexpr int kGop = 1;
    SendMessageW(list_, LB_SETSEL, FALSE, -1);
    SendMessageW(list_, LB_SETSEL, TRUE, kGop);
    SendMessageW(list_, LB_SETCARETINDEX, kGop, FALSE);
    const std::string before = listLines(list_)[kGop];
    pressAnsweringYes(ids::main_window::kSilenceFirstHalf,
                      [&] { return listLines(list_)[kGop] != before; });

    const auto changed =
        splitLines(cli("mute" + vobArguments("cli-disc") + " --pattern 2 --gop 2 --answer yes"));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(listLines(list_)[kGop], changed[0]);
    lines_[kGop] = changed[0];
    expectSameVobs();
}

TEST_F(DesktopTest, CursorPlaybackHandsTheWorkingFileToThePlayer) {
    const fs::path played = work_ / L"program" / L"played.txt";
    press(client_, ids::main_window::kPlayAtCursor);
    ASSERT_TRUE(waitUntil([&] { return fs::exists(played) && fs::file_size(played) > 0; }));
    const std::string working = readFile(utf8(played));
    EXPECT_EQ(readFile(working).substr(0, 4), std::string("\0\0\1\xBA", 4)) << working;
}

TEST_F(DesktopTest, ProjectSavedAndLoadedThroughTheFileDialogs) {
    const std::string project = utf8(work_ / L"title.prj");
    chooseFile(ids::menu::kSaveProject, project);
    HWND saved = waitForDialog("情報");  // "プロジェクトを保存しました."
    ASSERT_TRUE(saved);
    press(saved, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(saved); }));
    ASSERT_TRUE(fs::exists(wideFromUtf8(project)));
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);  // the load must bring the lines back
    chooseFile(ids::menu::kOpenProject, project);
    const std::vector<std::string> gops(lines_.begin(), lines_.end() - 1);
    ASSERT_TRUE(waitUntil([&] { return listLines(list_).size() == gops.size(); }));
    EXPECT_EQ(listLines(list_), gops);
}

TEST_F(DesktopTest, SettingsDialogAndTitleListShowTheirContent) {
    press(client_, ids::main_window::kOptions);
    HWND settings = waitForDialog("オプション設定");
    ASSERT_TRUE(settings);
    EXPECT_EQ(windowText(GetDlgItem(settings, ids::settings::kPlayerPath)),
              utf8(work_ / L"program" / L"record_player.exe"));
    EXPECT_EQ(SendMessageW(GetDlgItem(settings, ids::settings::kPlayTime), CB_GETCOUNT, 0, 0), 22);
    press(settings, ids::kCancel);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(settings); }));

    press(client_, ids::main_window::kInputFiles);
    HWND source = waitForDialog("入力ﾌｧｲﾙ選択");
    ASSERT_TRUE(source);
    press(source, ids::path_dialog::source::kShowTitleInfo);
    HWND titles = waitForDialog("ﾀｲﾄﾙ情報表示");
    ASSERT_TRUE(titles);
    EXPECT_EQ(listLines(GetDlgItem(titles, ids::title_info::kTitleList)),
              splitLines(cli("titles \"" + utf8(work_ / L"disc") + "\"")));
    press(titles, ids::title_info::kBack);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(titles); }));
    press(source, ids::kCancel);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(source); }));
}

TEST_F(DesktopTest, TimedMuteDialogNamesAMalformedEdlLineThenWritesAnEdlListAsTheToolDoes) {
    const std::string broken = workFile(L"broken.edl", "1 2 1\n3.5 4.25\n");
    HWND dialog = openTimedMuteDialog({t::kFromEdl});
    setWindowText(GetDlgItem(dialog, t::kEdlPath), broken);
    press(dialog, t::kWrite);
    HWND box = waitForDialog("エラー");
    ASSERT_TRUE(box);
    EXPECT_EQ(windowText(GetDlgItem(box, 0xFFFF)), timing_messages::malformedEdlLine(broken, 2));
    pressClosing(box, IDOK);
    expectSameVobs();  // nothing written

    const std::string edl = workFile(L"spans.edl", "1 2 1\n3.5 4.25 1\n");
    setWindowText(GetDlgItem(dialog, t::kEdlPath), edl);
    planWriteAndCompare(dialog, " --edl \"" + edl + "\"");
}

TEST_F(DesktopTest, TimedMuteDialogSilencesTheCuesOfTypedWordsAsTheToolDoes) {
    const std::string subtitles =
        workFile(L"speech.srt",
                 "1\n00:00:06,000 --> 00:00:07,500\nHello there\n\n2\n00:00:09,000 --> "
                 "00:00:10,000\nGood night\n\n3\n00:00:20,000 --> 00:00:21,250\nhello again\n");
    const std::string words = workFile(L"words.txt", "hello\n");
    HWND dialog = openTimedMuteDialog({t::kFromSubtitles, t::kWordsTyped, t::kWholeCues});
    setWindowText(GetDlgItem(dialog, t::kSubtitlePath), subtitles);
    setWindowText(GetDlgItem(dialog, t::kTypedWords), "hello");
    planWriteAndCompare(dialog,
                        " --srt \"" + subtitles + "\" --words \"" + words + "\" --whole-cues");
}

TEST_F(DesktopTest, ClosingTheProgressWindowStopsTheWriteBetweenGops) {
    const std::string edl = workFile(L"title.edl", "0 40 1\n");
    const auto before = listLines(list_);
    HWND dialog = openTimedMuteDialog({t::kFromEdl});
    setWindowText(GetDlgItem(dialog, t::kEdlPath), edl);
    press(dialog, t::kWrite);
    ASSERT_TRUE(
        closeProgressWindowOnceWritten("無音化実行中", work_ / L"disc" / wideFromUtf8(vobs_[0])));
    HWND box = waitForDialog("情報");
    ASSERT_TRUE(box);
    const std::string told = windowText(GetDlgItem(box, 0xFFFF));
    pressClosing(box, IDOK);
    // Each GOP written shows its new pattern; the others are as they were.
    const auto after = listLines(list_);
    ASSERT_EQ(after.size(), before.size());
    int written = 0;
    for (std::size_t i = 0; i < after.size(); ++i) written += after[i] != before[i];
    EXPECT_GT(written, 0);
    // A GOP the title's span silences is still untouched.
    EXPECT_TRUE(std::any_of(after.begin(), after.end(),
                            [](const std::string& line) { return line.ends_with(" ****"); }));
    EXPECT_EQ(told, formatText("無音化を中断しました. %d個のGOPを書き換えました.", written));
    pressClosing(dialog, t::kClose);
}

TEST_F(DesktopTest, TheEndOfTheSessionSavesTheSettingsAndDeletesTheWorkingFilesUnasked) {
    const fs::path working = wideFromUtf8(readFile(utf8(work_ / L"program" / L"played.txt")));
    const fs::path settings =
        wideFromUtf8(settingsPathFor(utf8(work_ / L"program" / L"velmorin.exe")));
    ASSERT_TRUE(fs::exists(working));
    const auto saved = fs::last_write_time(settings);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(frame_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK,
                                    10000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));  // with a title open, and no question
    EXPECT_FALSE(findWindow(process_.dwProcessId, kDialog, "確認"));
    SendMessageTimeoutW(frame_, WM_ENDSESSION, FALSE, 0, SMTO_BLOCK, 10000, &answer);
    EXPECT_TRUE(fs::exists(working));  // the session goes on
    SendMessageTimeoutW(frame_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer);
    EXPECT_FALSE(fs::exists(working));
    EXPECT_NE(fs::last_write_time(settings), saved);
}

TEST_F(DesktopTest, ExitAsksTheQuitQuestionAndNoKeepsTheProgram) {
    PostMessageW(frame_, WM_COMMAND, ids::menu::kExit, 0);
    HWND ask = waitForDialog("確認");
    ASSERT_TRUE(ask);
    press(ask, IDNO);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(ask); }));
    EXPECT_EQ(WaitForSingleObject(process_.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    PostMessageW(frame_, WM_COMMAND, ids::menu::kExit, 0);
    ask = waitForDialog("確認");
    ASSERT_TRUE(ask);
    press(ask, IDYES);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 30000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD status = 1;
    GetExitCodeProcess(process_.hProcess, &status);
    EXPECT_EQ(status, 0u);
}

}  // namespace
}  // namespace velmorin::test
