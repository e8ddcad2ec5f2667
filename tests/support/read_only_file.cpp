#include "read_only_file.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "pack_builder.h"

namespace velmorin::test {

namespace fs = std::filesystem;

ReadOnlyFile::ReadOnlyFile(std::string path) : path_(std::move(path)) {
    // On Windows this sets the read-only attribute.
    fs::permissions(nativePath(path_),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
#if !defined(_WIN32)
    if (geteuid() == 0) {
        immutable_ = setImmutable(true);
        if (!immutable_) throw std::runtime_error("cannot make " + path_ + " immutable");
    }
#endif
}

ReadOnlyFile::~ReadOnlyFile() {
    if (immutable_) setImmutable(false);
    std::error_code ignored;
    fs::permissions(nativePath(path_), fs::perms::owner_write, fs::perm_options::add, ignored);
}

bool ReadOnlyFile::holds() const {
    if (fs::is_directory(nativePath(path_))) {
        // A folder holds when no file can be made in it (Windows ignores the attribute
        // on folders altogether).
        const fs::path probe = nativePath(path_) / "velmorin-write-probe";
        const bool made = std::ofstream(probe).is_open();
        std::error_code ignored;
        fs::remove(probe, ignored);
        return !made;
    }
    return !std::fstream(nativePath(path_), std::ios::in | std::ios::out | std::ios::binary)
                .is_open();
}

bool ReadOnlyFile::setImmutable([[maybe_unused]] bool on) const {
#if defined(_WIN32)
    return false;
#else
    const int fd = ::open(path_.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
#endif
}

}  // namespace velmorin::test
