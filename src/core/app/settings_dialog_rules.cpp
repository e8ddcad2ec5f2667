#include "app/settings_dialog_rules.h"

#include "platform/binary_file.h"
#include "platform/path_field.h"

namespace velmorin {

bool playerProgramExists(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    return regularFileSize(path).has_value();
}

bool acceptPlayerPath(const std::string& path, Ui& ui) {
    if (!playerProgramExists(path)) {
        ui.error(kPlayerMissing);
        return false;
    }
    // Otherwise it would be taken now and lost when the settings are next read.
    if (!pathFitsField(path)) {
        ui.error(pathNotStorableMessage(path));
        return false;
    }
    return true;
}

}  // namespace velmorin
