#include "read_only_file.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace velmorin::test {

namespace fs = std::filesystem;

ReadOnlyFile::ReadOnlyFile(std::string path) : path_(std::move(path)) {
    fs::permissions(path_,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (geteuid() == 0) {
        immutable_ = setImmutable(true);
        if (!immutable_) throw std::runtime_error("cannot make " + path_ + " immutable");
    }
}

ReadOnlyFile::~ReadOnlyFile() {
    if (immutable_) setImmutable(false);
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add, ignored);
}

bool ReadOnlyFile::setImmutable(bool on) const {
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
}

}  // namespace velmorin::test
