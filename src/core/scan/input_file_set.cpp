#include "scan/input_file_set.h"

#include <filesystem>

#include "platform/binary_file.h"

namespace velmorin {

double InputFileSet::totalSize() const {
    double total = 0;
    for (int i = 0; i < fileCount && i < kMaxFiles; ++i)
        total += fileSize[static_cast<std::size_t>(i)];
    return total;
}

bool InputFileSet::holdsFile(const std::string& path) const {
    for (int i = 0; i < fileCount && i < kMaxFiles; ++i) {
        std::error_code error;
        if (std::filesystem::equivalent(nativePath(filePath[static_cast<std::size_t>(i)]),
                                        nativePath(path), error))
            return true;
    }
    return false;
}

}  // namespace velmorin
