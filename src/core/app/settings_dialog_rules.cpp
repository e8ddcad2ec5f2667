#include "app/settings_dialog_rules.h"

#include "platform/binary_file.h"

namespace velmorin {

bool playerProgramExists(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    return regularFileSize(path).has_value();
}

}  // namespace velmorin
