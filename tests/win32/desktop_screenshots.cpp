// Renders velmorin.exe's windows under Wine to 24-bit BMP files: the main window after a
// scan of the sample title, its preview, the source, settings and title list dialogs, and
// "時間指定で無音化" with a plan in its list. Given a NAME, only the whole virtual desktop
// with the main window and the preview, as NAME.bmp: where the windows lie at the scaling.
// Run inside `explorer /desktop=…` so that the windows have frames.
//   desktop_screenshots PROGRAM_FOLDER VIDEO_TS OUT_FOLDER [NAME]
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "app/settings_file.h"
#include "desktop_driver.h"
#include "platform/wide_text.h"
#include "ui/control_ids.h"

namespace {

using namespace velmorin;
using namespace velmorin::test;
constexpr const wchar_t* kDialog = L"#32770";

// The window with its frame, as the screen shows it; the whole screen for the desktop window.
bool saveWindow(HWND window, const std::wstring& path) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(500);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (w * 3 + 3) / 4 * 4;
    std::string pixels(static_cast<std::size_t>(stride) * h, '\0');
    GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
        sizeof(BITMAPFILEHEADER) + sizeof info};
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// Ends the program through its exit command, answering its question.
int quit(HWND frame, DWORD pid, HANDLE process) {
    PostMessageW(frame, WM_COMMAND, ids::menu::kExit, 0);
    if (HWND ask = waitForWindow(pid, kDialog, "確認")) press(ask, IDYES);
    WaitForSingleObject(process, 30000);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 && argc != 5) return 2;
    SetProcessDPIAware();  // window rectangles and the screen in real pixels, at any scaling
    const std::wstring program = std::wstring(argv[1]) + L"\\velmorin.exe";
    const std::string videoTs = utf8FromWide(argv[2]);
    const std::wstring out = argv[3];

    // The source dialog starts in the title's folder.
    Settings settings;
    settings.lastSourceFolder = videoTs + "\\";
    saveSettings(settingsPathFor(utf8FromWide(program)), settings);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + program + L"\"";
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1;
    const DWORD pid = process.dwProcessId;
    HWND frame = waitForWindow(pid, L"VELMORIN:MAIN");
    if (!frame) return 1;
    HWND client = FindWindowExW(frame, nullptr, kDialog, nullptr);

    // Scan the title: the source dialog, every VOB file of the folder.
    press(client, ids::main_window::kInputFiles);
    HWND source = waitForWindow(pid, kDialog, "入力ﾌｧｲﾙ選択");
    if (!source) return 1;
    SendMessageW(GetDlgItem(source, ids::path_dialog::kFiles), LB_SETSEL, TRUE, -1);
    if (argc == 4) saveWindow(source, out + L"\\windows-source-dialog.bmp");
    press(source, ids::path_dialog::kSelect);
    HWND preview = waitForWindow(pid, L"_TORQE210:PREVIEW", "プレビュー");
    press(client, ids::main_window::kCellForward);  // shown in the preview
    Sleep(1000);
    SetForegroundWindow(frame);
    if (argc == 4) saveWindow(frame, out + L"\\windows-main-window.bmp");
    if (preview) {
        SetForegroundWindow(preview);
        if (argc == 4) saveWindow(preview, out + L"\\windows-preview-window.bmp");
    }
    if (argc == 5) {
        saveWindow(GetDesktopWindow(), out + L"\\" + argv[4] + L".bmp");
        return quit(frame, pid, process.hProcess);
    }

    press(client, ids::main_window::kOptions);
    if (HWND settings = waitForWindow(pid, kDialog, "オプション設定")) {
        saveWindow(settings, out + L"\\windows-settings-dialog.bmp");
        press(settings, ids::kCancel);
        waitUntil([&] { return !IsWindow(settings); });
    }
    press(client, ids::main_window::kInputFiles);
    if ((source = waitForWindow(pid, kDialog, "入力ﾌｧｲﾙ選択"))) {
        press(source, ids::path_dialog::source::kShowTitleInfo);
        if (HWND titles = waitForWindow(pid, kDialog, "ﾀｲﾄﾙ情報表示")) {
            saveWindow(titles, out + L"\\windows-title-list.bmp");
            press(titles, ids::title_info::kBack);
            waitUntil([&] { return !IsWindow(titles); });
        }
        press(source, ids::kCancel);
        waitUntil([&] { return !IsWindow(source); });
    }
    // Muting by title time: the cues of a subtitle file that hold a typed word, planned.
    const std::wstring subtitles = std::wstring(argv[1]) + L"\\speech.srt";
    std::ofstream(std::filesystem::path(subtitles), std::ios::binary)
        << "1\n00:00:06,000 --> 00:00:07,500\nHello there\n\n"
           "2\n00:00:09,000 --> 00:00:10,000\nGood night\n\n"
           "3\n00:00:20,000 --> 00:00:21,250\nhello again\n";
    PostMessageW(frame, WM_COMMAND, ids::menu::kMuteByTime, 0);
    if (HWND timed = waitForWindow(pid, kDialog, "時間指定で無音化")) {
        namespace t = ids::timed_mute;
        SendMessageW(GetDlgItem(timed, t::kFromSubtitles), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(timed, t::kWordsTyped), BM_CLICK, 0, 0);
        setWindowText(GetDlgItem(timed, t::kSubtitlePath), utf8FromWide(subtitles));
        setWindowText(GetDlgItem(timed, t::kTypedWords), "hello");
        press(timed, t::kPlan);
        waitUntil([&] { return !windowText(GetDlgItem(timed, t::kPlanTotal)).empty(); });
        saveWindow(timed, out + L"\\windows-timed-mute-dialog.bmp");
        press(timed, t::kClose);
        waitUntil([&] { return !IsWindow(timed); });
    }
    return quit(frame, pid, process.hProcess);
}
