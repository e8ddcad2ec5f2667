// velmorin.exe driven through its real windows, compared with velmorin-cli. The programs
// and the sample disc come from the environment: VELMORIN_PROGRAMS (the folder of
// velmorin.exe, velmorin-cli.exe and record_player.exe) and VELMORIN_SAMPLE_DISC (its
// VIDEO_TS folder). Each test goes on from where the one before left the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>

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

    // "時間指定で無音化", from the menu bar.
    static HWND openTimedMuteDialog() {
        PostMessageW(frame_, WM_COMMAND, ids::menu::kMuteByTime, 0);
        return waitForDialog("時間指定で無音化");
    }
    static void clickRadio(HWND dialog, int id) {
        HWND radio = GetDlgItem(dialog, id);
        PostMessageW(radio, BM_CLICK, 0, 0);
        EXPECT_TRUE(
            waitUntil([&] { return SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    }
    // A file of the test's own, by its path.
    static std::string workFile(const wchar_t* name, const std::string& text) {
        std::ofstream(work_ / name, std::ios::binary) << text;
        return utf8(work_ / name);
    }
    static std::string messageText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }
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
        ASSERT_FALSE(toolPlan.empty());
        ASSERT_GT(planned.size(), toolPlan.size());
        EXPECT_EQ(std::vector<std::string>(
                      planned.end() - static_cast<std::ptrdiff_t>(toolPlan.size()), planned.end()),
                  toolPlan);
        press(dialog, t::kWrite);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
        cli("mute" + vobArguments("cli-disc") + toolArguments);
        expectSameVobs();
    }
    // Closes the progress window with this caption once it shows and the program has
    // written to `file`. The program's thread is held while they are looked at, so that a
    // short operation cannot end unseen.
    static bool closeProgressWindowOnceWritten(const std::string& caption, const fs::path& file) {
        const std::wstring wanted = wideFromUtf8(caption);
        const auto unwritten = fs::last_write_time(file);
        const ULONGLONG giveUp = GetTickCount64() + 60000;
        while (GetTickCount64() < giveUp) {
            SuspendThread(process_.hThread);
            HWND progress = nullptr;
            for (HWND w = GetTopWindow(nullptr); w && !progress; w = GetWindow(w, GW_HWNDNEXT)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                wchar_t text[64] = {};
                // Read from the window manager, not asked of the held thread.
                InternalGetWindowText(w, text, 64);
                if (pid == process_.dwProcessId && IsWindowVisible(w) && text == wanted)
                    progress = w;
            }
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
    for (const auto& vob : vobs_)
        EXPECT_TRUE(readFile(utf8(work_ / L"disc" / wideFromUtf8(vob))) ==
                    readFile(utf8(work_ / L"cli-disc" / wideFromUtf8(vob))))
            << vob;
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

TEST_F(DesktopTest, TimedMuteDialogSilencesAnEdlListAsTheToolDoes) {
    const std::string edl = workFile(L"spans.edl", "1 2 1\n3.5 4.25 1\n");
    HWND dialog = openTimedMuteDialog();
    ASSERT_TRUE(dialog);
    clickRadio(dialog, t::kFromEdl);
    setWindowText(GetDlgItem(dialog, t::kEdlPath), edl);
    planWriteAndCompare(dialog, " --edl \"" + edl + "\"");
}

TEST_F(DesktopTest, TimedMuteDialogSilencesTheCuesOfTypedWordsAsTheToolDoes) {
    const std::string subtitles = workFile(L"speech.srt",
                                           "1\n00:00:06,000 --> 00:00:07,500\nHello there\n\n"
                                           "2\n00:00:09,000 --> 00:00:10,000\nGood night\n\n"
                                           "3\n00:00:20,000 --> 00:00:21,250\nhello again\n");
    const std::string words = workFile(L"words.txt", "hello\n");
    HWND dialog = openTimedMuteDialog();
    ASSERT_TRUE(dialog);
    clickRadio(dialog, t::kFromSubtitles);
    clickRadio(dialog, t::kWordsTyped);
    setWindowText(GetDlgItem(dialog, t::kSubtitlePath), subtitles);
    setWindowText(GetDlgItem(dialog, t::kTypedWords), "hello");
    clickRadio(dialog, t::kWholeCues);
    planWriteAndCompare(dialog,
                        " --srt \"" + subtitles + "\" --words \"" + words + "\" --whole-cues");
}

TEST_F(DesktopTest, TimedMuteDialogNamesAMalformedEdlLineAndWritesNothing) {
    const std::string edl = workFile(L"broken.edl", "1 2 1\n3.5 4.25\n");
    HWND dialog = openTimedMuteDialog();
    ASSERT_TRUE(dialog);
    clickRadio(dialog, t::kFromEdl);
    setWindowText(GetDlgItem(dialog, t::kEdlPath), edl);
    press(dialog, t::kWrite);
    HWND box = waitForDialog("エラー");
    ASSERT_TRUE(box);
    EXPECT_EQ(messageText(box), timing_messages::malformedEdlLine(edl, 2));
    press(box, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    expectSameVobs();
    press(dialog, t::kClose);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
}

TEST_F(DesktopTest, ClosingTheProgressWindowStopsTheWriteBetweenGops) {
    const std::string edl = workFile(L"title.edl", "0 40 1\n");
    int planned = 0;
    for (const auto& line :
         splitLines(cli("mute" + vobArguments("cli-disc") + " --edl \"" + edl + "\" --dry-run")))
        planned += line.substr(6, 4) != line.substr(14, 4);  // "00012 **** -> -*** ..."
    const auto before = listLines(list_);
    HWND dialog = openTimedMuteDialog();
    ASSERT_TRUE(dialog);
    clickRadio(dialog, t::kFromEdl);
    setWindowText(GetDlgItem(dialog, t::kEdlPath), edl);
    press(dialog, t::kWrite);
    ASSERT_TRUE(
        closeProgressWindowOnceWritten("無音化実行中", work_ / L"disc" / wideFromUtf8(vobs_[0])));

    HWND box = waitForDialog("情報");
    ASSERT_TRUE(box);
    const std::string told = messageText(box);
    press(box, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    // Each GOP written shows its new pattern; the others are as they were.
    const auto after = listLines(list_);
    ASSERT_EQ(after.size(), before.size());
    const auto written = std::inner_product(before.begin(), before.end(), after.begin(), 0,
                                            std::plus<>(), std::not_equal_to<>());
    EXPECT_GT(written, 0);
    EXPECT_LT(written, planned);
    EXPECT_EQ(told, formatText("無音化を中断しました. %d個のGOPを書き換えました.", written));
    press(dialog, t::kClose);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
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
