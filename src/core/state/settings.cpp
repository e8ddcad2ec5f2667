#include "state/settings.h"

#include "platform/platform.h"

namespace velmorin {

Settings defaultSettings(const std::string& programFolder) {
    Settings s;
    s.lastSourceFolder = programFolder;
    s.playerPath = defaultPlayerPath();
    return s;
}

}  // namespace velmorin
