#include "state/settings.h"

#include "platform/platform.h"

namespace velmorin {

Settings defaultSettings(const std::string& startFolder) {
    Settings s;
    s.lastSourceFolder = startFolder;
    s.playerPath = defaultPlayerPath();
    return s;
}

}  // namespace velmorin
