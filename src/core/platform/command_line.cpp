#include "platform/command_line.h"

#if defined(_WIN32)
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include "platform/wide_text.h"
#endif

namespace velmorin {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
#if defined(_WIN32)
    (void)argc;
    (void)argv;
    return splitCommandLine(GetCommandLineW());
#else
    return std::vector<std::string>(argv, argv + argc);
#endif
}

std::string quotedCommandLineArgument(const std::string& argument) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only before a quote.
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        out += c;
        backslashes = 0;
    }
    // The closing quote follows: the backslashes before it are doubled too.
    out.append(backslashes * 2, '\\');
    return out + '"';
}

std::string programCommandLine(const std::string& program, const std::string& argument) {
    return '"' + program + "\" " + quotedCommandLineArgument(argument);
}

#if defined(_WIN32)
std::vector<std::string> splitCommandLine(const std::wstring& commandLine) {
    std::vector<std::string> out;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(commandLine.c_str(), &count);
    if (!arguments) return out;
    for (int i = 0; i < count; ++i) out.push_back(utf8FromWide(arguments[i]));
    LocalFree(arguments);
    return out;
}
#endif

}  // namespace velmorin
