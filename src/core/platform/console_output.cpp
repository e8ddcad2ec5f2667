#include "platform/console_output.h"

#include <initializer_list>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif
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
    bool console = false;
    for (const DWORD id : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        const HANDLE handle = GetStdHandle(id);
        DWORD mode = 0;
        if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) continue;
        console = true;
        SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
    if (console) SetConsoleOutputCP(CP_UTF8);
#endif
    writeBytesUnchanged(stdout);
    writeBytesUnchanged(stderr);
}

}  // namespace velmorin
