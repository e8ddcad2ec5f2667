#include "title_map.h"

#include "exit_status.h"
#include "timed/title_map_reader.h"
#include "timing/title_time_text.h"

namespace velmorin::cli {

std::optional<int> titleOption(const ParsedArguments& parsed, std::string& problem) {
    const auto n = numberOption(parsed, "--title");
    if (!n) return 1;
    if (parsed.title.vtsiFile.empty()) {
        problem = "--title needs the title set's --vtsi VTS_nn_0.IFO";
        return std::nullopt;
    }
    if (*n < 1 || *n > 99) {
        problem = "--title takes a title number from 1 to 99";
        return std::nullopt;
    }
    return *n;
}

std::string vtsiPathOf(const TitleArguments& title) {
    return title.vtsiFile.empty() ? std::string() : absolutePath(title.vtsiFile);
}

Failure readTitleMap(TitleSession& session, const TitleArguments& title, int titleNumber,
                     PresentationMap& map) {
    const TitleMapRequest request{vtsiPathOf(title), titleNumber, nullptr, {}};
    return velmorin::readTitleMap(session.state(), session.buffer(), session.ui(), request, map) ==
                   TitleMapResult::Ok
               ? kSucceeded
               : kFailed;
}

}  // namespace velmorin::cli
