#include "project/project_file.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include "common/text_format.h"
#include "platform/binary_file.h"
#include "platform/path_field.h"
#include "project/state_record.h"
#include "scan/gop_line.h"

namespace velmorin {

namespace {

const std::string& header() {
    static const std::string text = formatText("VELMORIN%04XPRJ", 256);
    return text;
}

// One list line as the program reads it: at most 254 bytes, up to and including a line
// feed, which is then dropped (as is the last byte of a line that has none).
std::string readListLine(BinaryFile& file) {
    std::string line;
    char c = 0;
    while (line.size() < 254 && file.read(&c, 1) == 1) {
        line += c;
        if (c == '\n') break;
    }
    if (!line.empty()) line.pop_back();
    return line;
}

}  // namespace

bool saveProject(const std::string& path, const AppState& state, Ui& ui) {
    std::string unstorable;
    const auto record = encodeStateRecord(state, unstorable);
    if (!record) {
        ui.error(pathNotStorableMessage(unstorable));
        return false;
    }
    const ReplaceResult result = replaceFile(path, [&](BinaryFile& file) {
        bool ok = file.write(header().data(), header().size()) &&
                  file.write(record->data(), record->size());
        for (int k = 0; ok && k < state.gopTable.gopCount; ++k) {
            const std::string line =
                (k < state.gopLines.count() ? std::string(state.gopLines.text(k)) : std::string()) +
                '\n';
            ok = file.write(line.data(), line.size());
        }
        return ok;
    });
    if (result != ReplaceResult::Ok) {
        ui.error(result == ReplaceResult::CannotCreate ? project_messages::kCannotCreate
                                                       : project_messages::kWriteError);
        return false;
    }
    ui.info(project_messages::kSaved);
    return true;
}

bool loadProject(const std::string& path, AppState& state, GopListView& list, Ui& ui) {
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file.isOpen()) {
        ui.error(project_messages::kCannotOpen);
        return false;
    }
    char head[kProjectHeaderSize];
    if (file.read(head, sizeof head) < sizeof head) {
        ui.error(project_messages::kReadError);
        return false;
    }
    if (std::memcmp(head, header().data(), sizeof head) != 0) {
        const bool tagAndKind =
            std::memcmp(head, "VELMORIN", 8) == 0 && std::memcmp(head + 12, "PRJ", 3) == 0;
        ui.error(tagAndKind ? project_messages::kOtherVersion : project_messages::kBadFormat);
        return false;
    }
    std::vector<std::uint8_t> record(kStateRecordSize);
    if (file.read(record.data(), record.size()) < record.size()) {
        ui.error(project_messages::kReadError);
        zeroStateRecord(state);
        return false;
    }
    if (!decodeStateRecord(record.data(), state)) {
        ui.error(project_messages::kBadFormat);
        return false;
    }
    list.clear();
    state.gopLines.clear();
    for (int k = 0; k < state.gopTable.gopCount; ++k) {
        state.gopLines.appendStored(readListLine(file));
        list.append(std::string(state.gopLines.text(k)));
    }
    list.setSizeLabel(sizeLabelText(state.inputFiles.totalSize()));
    return true;
}

}  // namespace velmorin
