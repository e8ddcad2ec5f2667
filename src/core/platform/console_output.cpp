#include "platform/console_output.h"

#include <utility>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace {
constexpr std::size_t kConsoleBuffer = 64 * 1024;
}  // namespace
#endif

namespace velmorin {

void writeBytesUnchanged(std::FILE* stream) {
#if defined(_WIN32)
    std::fflush(stream);
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}

void prepareStandardOutput() {
#if defined(_WIN32)
    const std::pair<DWORD, std::FILE*> streams[] = {{STD_OUTPUT_HANDLE, stdout},
                                                    {STD_ERROR_HANDLE, stderr}};
    for (const auto& [id, stream] : streams) {
        const HANDLE handle = GetStdHandle(id);
        DWORD mode = 0;
        if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
            // A file or a pipe. The C runtime flushes an unbuffered standard output after
            // every printf, a write per line; buffer it fully, as the C library of other
            // systems does. Standard error stays unbuffered.
            if (stream == stdout) std::setvbuf(stream, nullptr, _IOFBF, kConsoleBuffer);
            continue;
        }
        SetConsoleOutputCP(CP_UTF8);
        SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
        // Unbuffered, the C runtime hands a console one byte at a time, and the console
        // decodes each byte of a UTF-8 character alone into a replacement character. The
        // tool flushes where a line must show at once (messages, progress, mute lines).
        std::setvbuf(stream, nullptr, _IOFBF, kConsoleBuffer);
    }
#endif
    writeBytesUnchanged(stdout);
    writeBytesUnchanged(stderr);
}

}  // namespace velmorin
