#include "arguments.h"

namespace velmorin::cli {

std::optional<ParsedArguments> parseArguments(const std::vector<std::string>& args,
                                              const OptionSpec& spec, std::string& problem) {
    ParsedArguments out;
    const auto valueOf = [&](std::size_t& i) -> std::optional<std::string> {
        if (i + 1 >= args.size()) {
            problem = args[i] + " needs a value";
            return std::nullopt;
        }
        return args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--full") {
            out.title.fullRead = true;
        } else if (a == "--answer") {
            const auto v = valueOf(i);
            if (!v) return std::nullopt;
            if (*v != "yes" && *v != "no") {
                problem = "--answer takes yes or no";
                return std::nullopt;
            }
            out.title.answer = *v == "yes";
        } else if (a == "--vtsi") {
            const auto v = valueOf(i);
            if (!v) return std::nullopt;
            out.title.vtsiFile = *v;
        } else if (a == "--project") {
            const auto v = valueOf(i);
            if (!v) return std::nullopt;
            out.title.projectFile = *v;
        } else if (a == "--chapters") {
            const auto v = valueOf(i);
            if (!v) return std::nullopt;
            if (*v != "sector" && *v != "cells") {
                problem = "--chapters takes sector or cells";
                return std::nullopt;
            }
            out.title.chapterMethod =
                *v == "cells" ? ChapterMethod::CountCells : ChapterMethod::SectorMatch;
        } else if (a == "-E") {
            out.title.interleaveCheck = true;
        } else if (spec.flags.count(a)) {
            out.flags.insert(a);
        } else if (spec.valued.count(a)) {
            const auto v = valueOf(i);
            if (!v) return std::nullopt;
            out.values[a] = *v;
        } else if (a == "--") {
            out.title.vobFiles.insert(out.title.vobFiles.end(),
                                      args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            problem = "unknown option " + a;
            return std::nullopt;
        } else {
            out.title.vobFiles.push_back(a);
        }
    }
    if (out.help) return out;
    const int sources =
        !out.title.vobFiles.empty() + !out.title.vtsiFile.empty() + !out.title.projectFile.empty();
    if (sources != 1) {
        problem = sources == 0 ? "no title given: VOB files, --vtsi FILE or --project FILE"
                               : "give one title: VOB files, --vtsi FILE or --project FILE";
        return std::nullopt;
    }
    if (out.title.vobFiles.size() > 128) {
        problem = "at most 128 VOB files make one title";
        return std::nullopt;
    }
    return out;
}

std::optional<int> parseNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

std::optional<int> numberOption(const ParsedArguments& parsed, const std::string& name) {
    const auto it = parsed.values.find(name);
    if (it == parsed.values.end()) return std::nullopt;
    return parseNumber(it->second).value_or(-1);
}

}  // namespace velmorin::cli
