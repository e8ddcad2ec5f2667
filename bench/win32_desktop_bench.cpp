// Times velmorin.exe under Wine, driven through its windows: the start-up until the main
// window shows (the 2-second start-up picture included), and a scan through the source
// dialog until the size label and the list box show its end, against velmorin-cli scan of
// the same files. Best of RUNS runs.
//   desktop_bench PROGRAM_FOLDER VOB_FOLDER [RUNS]   (built by tests/win32/CMakeLists.txt)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/settings_file.h"
#include "desktop_driver.h"
#include "platform/wide_text.h"
#include "ui/control_ids.h"

namespace {

using namespace velmorin;
using namespace velmorin::test;
using Clock = std::chrono::steady_clock;
constexpr const wchar_t* kDialog = L"#32770";

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

struct Run {
    double picture = 0, startup = 0, scan = 0;
    int lines = 0;
};

// A benchmark whose program did not start or failed has no figure to give.
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "win32_desktop_bench: %s\n", what);
    std::exit(1);
}

Run timeDesktop(const std::wstring& program) {
    Run run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + program + L"\"";
    const auto started = Clock::now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        fail("velmorin.exe did not start");
    const DWORD pid = process.dwProcessId;
    waitUntil([&] { return findWindow(pid, kDialog) != nullptr; });  // the start-up picture
    run.picture = seconds(started);
    HWND frame = waitForWindow(pid, L"VELMORIN:MAIN");
    if (!frame) fail("velmorin.exe showed no main window");
    run.startup = seconds(started);
    HWND client = FindWindowExW(frame, nullptr, kDialog, nullptr);
    press(client, ids::main_window::kInputFiles);
    HWND source = waitForWindow(pid, kDialog, "入力ﾌｧｲﾙ選択");
    SendMessageW(GetDlgItem(source, ids::path_dialog::kFiles), LB_SETSEL, TRUE, -1);
    const auto scanning = Clock::now();
    press(source, ids::path_dialog::kSelect);
    HWND size = GetDlgItem(client, ids::main_window::kSizeLabel);
    waitUntil([&] { return windowText(size) != "ｻｲｽﾞ: 0.000 GB"; }, 600000);
    run.scan = seconds(scanning);
    run.lines = static_cast<int>(
        SendMessageW(GetDlgItem(client, ids::main_window::kGopList), LB_GETCOUNT, 0, 0));
    PostMessageW(frame, WM_COMMAND, ids::menu::kExit, 0);
    if (HWND ask = waitForWindow(pid, kDialog, "確認")) press(ask, IDYES);
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

// velmorin-cli scan with its output to a file, as a script would run it.
double timeTool(const std::wstring& folder, const std::wstring& vob) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW((folder + L"\\scan.out").c_str(), GENERIC_WRITE, 0, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + folder + L"\\velmorin-cli.exe\" scan \"" + vob + L"\"";
    const auto started = Clock::now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        fail("velmorin-cli.exe did not start");
    WaitForSingleObject(process.hProcess, INFINITE);
    const double s = seconds(started);
    DWORD status = 1;
    if (!GetExitCodeProcess(process.hProcess, &status) || status != 0)
        fail("velmorin-cli.exe scan failed");
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(out);
    return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring folder = argv[1];
    const std::string vobs = utf8FromWide(argv[2]);
    const int runs = argc > 3 ? _wtoi(argv[3]) : 3;
    const std::wstring program = folder + L"\\velmorin.exe";
    Settings settings;
    settings.lastSourceFolder = vobs + "\\";
    settings.previewEnabled = false;  // the scan alone, not the decoding of a preview
    saveSettings(settingsPathFor(utf8FromWide(program)), settings);

    double picture = 1e9, startup = 1e9, scan = 1e9, cli = 1e9;
    int lines = 0;
    for (int i = 0; i < runs; ++i) {
        const Run r = timeDesktop(program);
        picture = std::min(picture, r.picture);
        startup = std::min(startup, r.startup);
        scan = std::min(scan, r.scan);
        lines = r.lines;
        cli = std::min(cli, timeTool(folder, std::wstring(argv[2]) + L"\\VTS_01_1.VOB"));
    }
    std::printf("start-up until the start-up picture shows: %.3f s\n", picture);
    std::printf("start-up until the main window shows: %.3f s (2 s of it the start-up picture)\n",
                startup);
    std::printf("scan into the list box (%d lines): %.3f s\n", lines, scan);
    std::printf("velmorin-cli scan: %.3f s\nratio: %.2f\n", cli, scan / cli);
    return 0;
}
