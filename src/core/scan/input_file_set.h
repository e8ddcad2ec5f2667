// The opened title's VOB files, in playback order, and how many bytes of each the last
// scan covered.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace velmorin {

struct InputFileSet {
    static constexpr int kMaxFiles = 128;

    std::int32_t fileCount = 0;
    std::array<std::string, kMaxFiles> filePath{};  // UTF-8 full paths
    std::array<double, kMaxFiles> fileSize{};       // bytes covered by the last scan

    // Sum of the sizes of the files in the set, as the size label shows it.
    double totalSize() const;
    // Whether `path` names one of the set's files (under any name: links and relative
    // paths count), so that nothing writes an output over its own input.
    bool holdsFile(const std::string& path) const;
};

}  // namespace velmorin
