// Makes a file impossible to open for writing for as long as the object lives, also for
// root (who ignores permission bits): the immutable attribute where the file system has
// it, the permission bits otherwise.
#pragma once

#include <string>

namespace velmorin::test {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(std::string path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

private:
    bool setImmutable(bool on) const;

    std::string path_;
    bool immutable_ = false;
};

}  // namespace velmorin::test
