#include "arguments.h"

namespace velmorin::cli {

std::optional<ScanArguments> parseScanArguments(const std::vector<std::string>& args,
                                                std::string& problem) {
    ScanArguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--full") {
            out.fullRead = true;
        } else if (a == "--json") {
            out.json = true;
        } else if (a == "--answer") {
            if (i + 1 >= args.size() || (args[i + 1] != "yes" && args[i + 1] != "no")) {
                problem = "--answer takes yes or no";
                return std::nullopt;
            }
            out.answer = args[++i] == "yes";
        } else if (a == "--") {
            out.vobFiles.insert(out.vobFiles.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            problem = "unknown option " + a;
            return std::nullopt;
        } else {
            out.vobFiles.push_back(a);
        }
    }
    if (!out.help && out.vobFiles.empty()) {
        problem = "no VOB file given";
        return std::nullopt;
    }
    return out;
}

}  // namespace velmorin::cli
