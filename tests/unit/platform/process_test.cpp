// The player's start: the quoting of its command line, and a real start of a player whose
// folder and working file hold blanks and characters outside the ANSI code page. The player
// is a copy of this test program: started with kRecordTo set, it writes its arguments into
// that file and leaves before any test runs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/settings_file.h"
#include "pack_builder.h"
#include "platform/binary_file.h"
#include "platform/command_line.h"
#include "platform/platform.h"
#include "platform/program_file.h"
#include "platform/wide_text.h"

namespace velmorin {
namespace {

constexpr const char* kRecordTo = "VELMORIN_TEST_RECORD_ARGUMENTS_TO";

std::vector<std::string> ownArguments() {
#if defined(_WIN32)
    return commandLineArguments(0, nullptr);
#else
    std::vector<std::string> out;
    const std::string text = test::readFile("/proc/self/cmdline");  // each ends in a zero
    for (std::size_t at = 0, end; (end = text.find('\0', at)) != std::string::npos; at = end + 1)
        out.push_back(text.substr(at, end - at));
    return out;
#endif
}

const bool startedAsPlayer = [] {
    const char* record = std::getenv(kRecordTo);
    if (!record || !*record) return false;
    std::string text;
    for (const auto& argument : ownArguments()) text += argument + '\n';
    const std::string part = std::string(record) + ".part";  // the test never reads half
    writeWholeFile(part, std::vector<std::uint8_t>(text.begin(), text.end()));
    std::filesystem::rename(nativePath(part), nativePath(record));
    std::_Exit(0);
}();

TEST(Process, QuotesThePlayersArgumentByTheCRuntimeRules) {
    EXPECT_EQ(programCommandLine(R"(C:\Program Files\映像\p.exe)", R"(D:\作業\T.VOB)"),
              R"("C:\Program Files\映像\p.exe" "D:\作業\T.VOB")");
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"",              R"("")"},
        {R"(C:\dir\)",    R"("C:\dir\\")"},         // before the closing quote: doubled
        {R"(a\b c)",      R"("a\b c")"},            // elsewhere: as they are
        {R"(say "hi")",   R"("say \"hi\"")"},
        {R"(a\\"b)",      R"("a\\\\\"b")"},         // before a quote: doubled, then the escape
    };
    // clang-format on
    for (const auto& [argument, quoted] : cases) {
        EXPECT_EQ(quotedCommandLineArgument(argument), quoted);
#if defined(_WIN32)
        EXPECT_EQ(
            splitCommandLine(wideFromUtf8(programCommandLine(R"(C:\再生 p\p.exe)", argument))),
            (std::vector<std::string>{R"(C:\再生 p\p.exe)", argument}));
#endif
    }
}

TEST(Process, StartsThePlayerWithTheWorkingFileAsItsOneArgument) {
    ASSERT_FALSE(startedAsPlayer);
    const std::string self = runningProgramPath("");
    EXPECT_EQ(utf8Path(nativePath(settingsPathFor(self)).filename()), "unit_tests.DAT");
    test::TempDir dir;
    const std::string folder = dir.file("Program Files") + kFolderSeparator + "映像 プレーヤー";
    const std::string player =
        withTrailingSeparator(folder) + utf8Path(nativePath(self).filename());
    std::filesystem::create_directories(nativePath(folder));
    std::filesystem::copy_file(nativePath(self), nativePath(player));
    const std::string workingFile = dir.file("作業 1") + kFolderSeparator + "TMP1.VOB";
    const std::string record = dir.file("arguments.txt");
#if defined(_WIN32)
    _putenv((std::string(kRecordTo) + "=" + record).c_str());
    ASSERT_TRUE(systemPlatform().startProgram(player, workingFile));
    _putenv((std::string(kRecordTo) + "=").c_str());
#else
    // Where the kernel runs no 32-bit programs, this test runs under an emulator
    // (qemu-i386) and so must the copy: the player started is then a script that hands the
    // copy and its argument to the emulator, which passes both on unchanged.
    std::string started = player;
    if (const char* emulator = std::getenv("VELMORIN_TEST_EMULATOR"); emulator && *emulator) {
        started = withTrailingSeparator(folder) + "player.sh";
        const std::string script =
            "#!/bin/sh\nexec '" + std::string(emulator) + "' '" + player + "' \"$@\"\n";
        writeWholeFile(started, std::vector<std::uint8_t>(script.begin(), script.end()));
        std::filesystem::permissions(nativePath(started), std::filesystem::perms::owner_all);
    }
    setenv(kRecordTo, record.c_str(), 1);
    ASSERT_TRUE(systemPlatform().startProgram(started, workingFile));
    unsetenv(kRecordTo);
#endif
    for (int i = 0; i < 1200 && !regularFileSize(record); ++i)  // a minute at most
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(test::readFile(record), player + "\n" + workingFile + "\n");
}

}  // namespace
}  // namespace velmorin
