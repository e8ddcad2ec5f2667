#include "title_map.h"

#include "dvd/ifo_file.h"
#include "dvd/vtsi_reader.h"
#include "exit_status.h"
#include "scan/scan_messages.h"
#include "timing/map_messages.h"
#include "timing/title_cells.h"
#include "timing/title_time_text.h"

namespace velmorin::cli {

std::string spanText(const TitleSpan& span) {
    return span.empty() ? "-" : formatTitleSpan(span);
}

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

Failure readTitleMap(TitleSession& session, const TitleArguments& title, int titleNumber,
                     PresentationMap& map, AudioCapture* capture) {
    auto& state = session.state();
    std::optional<TitleCells> cells;
    if (!title.vtsiFile.empty()) {
        IfoBuffer ifo;
        if (!ifo.load(absolutePath(title.vtsiFile))) {
            session.ui().error(vtsi_messages::kCannotOpen);
            return kFailed;
        }
        cells = readTitleCells(ifo.reader(), titleNumber);
        if (!cells) {
            session.ui().error(vtsi_messages::kBadFormat);
            return kFailed;
        }
        if (cells->cells.empty()) {
            session.ui().error(map_messages::titleNotInSet(titleNumber, cells->titleCount));
            return kFailed;
        }
    }
    MapSource source{state.gopTable, state.inputFiles, cells ? &cells->cells : nullptr};
    source.capture = capture;
    const MapOutcome outcome = buildPresentationMap(source, session.buffer(), map);
    const std::string& path = state.inputFiles.filePath[static_cast<std::size_t>(outcome.file)];
    switch (outcome.result) {
        case MapResult::Ok:
            return kSucceeded;
        case MapResult::CannotOpen:
            session.ui().error(scan_messages::cannotOpen(path));
            return kFailed;
        case MapResult::NotNavigationPack:
            session.ui().error(scan_messages::noVobuHeader(path));
            return kFailed;
        case MapResult::ReadError:
            session.ui().error(scan_messages::seekError(path));
            return kFailed;
    }
    return kFailed;
}

}  // namespace velmorin::cli
