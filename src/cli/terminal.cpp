#include "terminal.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace velmorin::cli {

bool isTerminal(std::FILE* stream) {
#if defined(_WIN32)
    // _isatty is true for every character device, the NUL device among them: only a
    // console answers GetConsoleMode.
    DWORD mode = 0;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

}  // namespace velmorin::cli
