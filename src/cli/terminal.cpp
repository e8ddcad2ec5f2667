#include "terminal.h"

#if defined(_WIN32)
#include <io.h>
#define VELMORIN_ISATTY _isatty
#define VELMORIN_FILENO _fileno
#else
#include <unistd.h>
#define VELMORIN_ISATTY isatty
#define VELMORIN_FILENO fileno
#endif

namespace velmorin::cli {

bool isTerminal(std::FILE* stream) {
    return VELMORIN_ISATTY(VELMORIN_FILENO(stream)) != 0;
}

}  // namespace velmorin::cli
