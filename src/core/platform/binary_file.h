// Whole-sector binary file access over the C library's streams. Only regular files are
// opened: a directory or device named as a VOB file is refused up front rather than
// failing on its first read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/native_path.h"

namespace velmorin {

// Size of a regular file from its directory entry; nothing when there is no entry or it
// is not a regular file.
std::optional<std::uint64_t> regularFileSize(const std::string& path);

// The bytes of a regular file of at most `maxBytes`; nothing when it cannot be opened or
// read whole, or is larger (a text file the user names is never that big: a larger one is
// the wrong file, not one worth holding in memory).
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes);

// Creates (or replaces) `path` with `bytes`; false when it cannot be written whole.
bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Removes a file if there is one; silent.
void removeFile(const std::string& path);

class BinaryFile;

// For tests of what an interrupted operation leaves on the disk: after `writes` more
// successful writes every BinaryFile write fails; a negative count ends that.
void failWritesAfterForTesting(int writes);

enum class ReplaceResult { Ok, CannotCreate, WriteFailed };

// Writes a file under a temporary name beside `path` (`writeBody` writes the contents),
// flushes it to the disk and renames it over `path`, so that a failed write never
// destroys the file it was to replace. On failure the temporary file is removed.
ReplaceResult replaceFile(const std::string& path,
                          const std::function<bool(BinaryFile&)>& writeBody);

class BinaryFile {
public:
    enum class Mode { Read, Update };

    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Opens a regular file; Update opens for reading and writing without truncation.
    static BinaryFile open(const std::string& path, Mode mode);
    // Creates a file for writing, replacing an existing one.
    static BinaryFile create(const std::string& path);

    bool isOpen() const { return file_ != nullptr; }
    // Reads up to `size` bytes; fewer at the end of the file or on a read error.
    std::size_t read(void* data, std::size_t size);
    // Reads up to `size` bytes at `offset`, in one system call on POSIX systems (pread),
    // for readers that jump through a file. Afterwards the position for read() is
    // unspecified: seek before the next read().
    std::size_t readAt(std::uint64_t offset, void* data, std::size_t size);
    bool write(const void* data, std::size_t size);
    bool seek(std::uint64_t offset);
    // Hands written bytes from the C library to the system (not yet to the disk).
    bool flush();
    // Pushes written bytes through the C library and the system to the disk.
    bool syncToDisk();
    // True once a read or write has failed (as opposed to reaching the end).
    bool hasError() const;
    bool close();

private:
    std::FILE* file_ = nullptr;
};

}  // namespace velmorin
