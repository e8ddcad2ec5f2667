#include "run_command.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "pack_builder.h"

namespace velmorin::test {

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

CommandResult runCommand(const std::string& commandLine) {
    TempDir dir;
    const std::string out = dir.file("out"), err = dir.file("err");
    const std::string full =
        "(" + commandLine + ") </dev/null >" + shellQuoted(out) + " 2>" + shellQuoted(err);
    const int raw = std::system(full.c_str());
    CommandResult result;
    if (raw != -1 && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    result.out = readFile(out);
    result.err = readFile(err);
    return result;
}

}  // namespace velmorin::test
