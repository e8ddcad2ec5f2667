#include "scan/input_file_set.h"

namespace velmorin {

double InputFileSet::totalSize() const {
    double total = 0;
    for (int i = 0; i < fileCount && i < kMaxFiles; ++i) total += fileSize[static_cast<std::size_t>(i)];
    return total;
}

}  // namespace velmorin
