#include "timed/title_map_reader.h"

#include <filesystem>
#include <optional>

#include "dvd/ifo_file.h"
#include "dvd/vtsi_reader.h"
#include "platform/native_path.h"
#include "scan/scan_messages.h"
#include "timing/map_messages.h"
#include "timing/title_cells.h"

namespace velmorin {

TitleMapResult readTitleMap(const AppState& state, SectorBuffer& buffer, Ui& ui,
                            const TitleMapRequest& request, PresentationMap& map) {
    std::optional<TitleCells> cells;
    if (!request.vtsiPath.empty()) {
        IfoBuffer ifo;
        if (!ifo.load(request.vtsiPath)) {
            ui.error(vtsi_messages::kCannotOpen);
            return TitleMapResult::Refused;
        }
        cells = readTitleCells(ifo.reader(), request.title);
        if (!cells) {
            ui.error(vtsi_messages::kBadFormat);
            return TitleMapResult::Refused;
        }
        if (cells->cells.empty()) {
            ui.error(map_messages::titleNotInSet(request.title, cells->titleCount));
            return TitleMapResult::Refused;
        }
    }
    const MapSource source{state.gopTable, state.inputFiles, cells ? &cells->cells : nullptr,
                           request.capture, request.proceed};
    const MapOutcome outcome = buildPresentationMap(source, buffer, map);
    const std::string& path = state.inputFiles.filePath[static_cast<std::size_t>(outcome.file)];
    switch (outcome.result) {
        case MapResult::Ok:
            return TitleMapResult::Ok;
        case MapResult::Stopped:
            return TitleMapResult::Stopped;
        case MapResult::CannotOpen:
            ui.error(scan_messages::cannotOpen(path));
            break;
        case MapResult::NotNavigationPack:
            ui.error(scan_messages::noVobuHeader(path));
            break;
        case MapResult::ReadError:
            ui.error(scan_messages::seekError(path));
            break;
    }
    return TitleMapResult::Refused;
}

std::string vtsiFileOf(const AppState& state) {
    if (!state.sourceOptions.readByVtsi || state.inputFiles.fileCount < 1) return {};
    const std::filesystem::path first = nativePath(state.inputFiles.filePath[0]);
    const std::string name = utf8Path(first.filename());
    // VTS_nn_m.VOB (or VTS_nn_mm.VOB) beside VTS_nn_0.IFO, in either case.
    if (name.size() < 10 || (name.compare(0, 4, "VTS_") != 0 && name.compare(0, 4, "vts_") != 0))
        return {};
    const std::string stem = name.substr(0, 7);
    for (const char* suffix : {"0.IFO", "0.ifo"}) {
        const std::filesystem::path ifo = first.parent_path() / nativePath(stem + suffix);
        std::error_code error;
        if (std::filesystem::is_regular_file(ifo, error)) return utf8Path(ifo);
    }
    return {};
}

}  // namespace velmorin
