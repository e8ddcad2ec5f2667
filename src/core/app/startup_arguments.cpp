#include "app/startup_arguments.h"

#include "common/path_text.h"
#include "platform/binary_file.h"
#include "platform/native_path.h"

namespace velmorin {

std::optional<std::string> readOptionsLine(const std::string& programFolder) {
    BinaryFile file = BinaryFile::open(withTrailingSeparator(programFolder) + "options.txt",
                                       BinaryFile::Mode::Read);
    if (!file.isOpen()) return std::nullopt;
    std::string line;
    char c = 0;
    while (line.size() < 254 && file.read(&c, 1) == 1) {
        line += c;
        if (c == '\n') break;
    }
    if (line.empty()) return std::nullopt;
    line.pop_back();
    return line;
}

std::string argumentTextOf(const std::string& commandLine) {
    const std::string line = commandLine.substr(0, 511);
    std::size_t end = 0;
    if (!line.empty() && line[0] == '"') {
        end = line.find('"', 1);
        end = end == std::string::npos ? line.size() : end + 1;
    } else {
        end = line.find_first_of(" \t");
        if (end == std::string::npos) end = line.size();
    }
    return line.substr(end);
}

StartupArguments parseStartupArguments(const std::string& argumentText,
                                       const std::optional<std::string>& optionsLine) {
    const std::string& text = optionsLine ? *optionsLine : argumentText;
    StartupArguments out;
    std::size_t pos = 0;
    while (out.words.size() < StartupArguments::kMaxWords) {
        const auto start = text.find_first_not_of(" \t", pos);
        if (start == std::string::npos) break;
        const auto end = text.find_first_of(" \t", start);
        out.words.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        pos = end == std::string::npos ? text.size() : end;
    }
    for (const auto& word : out.words)
        if (upperAscii(word) == "-E") out.interleaveCheck = true;
    return out;
}

}  // namespace velmorin
