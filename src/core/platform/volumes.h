// Which mounted file systems the drive list offers on systems without drive letters.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmorin {

// From the text of /proc/self/mounts: the root, and the volumes mounted where users
// find removable media and network shares, or of a disc or network file system type.
std::vector<Volume> browsableVolumes(const std::string& mountsText);

}  // namespace velmorin
