// Makes a file impossible to open for writing for as long as the object lives, also for
// root (who ignores permission bits): the immutable attribute where the file system has
// it, the permission bits otherwise; on Windows the read-only attribute.
#pragma once

#include <string>

namespace velmorin::test {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(std::string path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Whether opening the file for writing (or making a file in the folder) now fails.
    // Always so on Linux (the constructor throws otherwise); Windows ignores the attribute
    // on folders and Wine run by root honours it on no file, so tests ask.
    bool holds() const;
    // Why holds() may be false, for the tests it makes skip.
    static constexpr const char* kNotHeldReason =
        "this system lets the test write a read-only file or into a read-only folder (Wine "
        "run by root honours no read-only attribute; Windows none on folders)";

private:
    bool setImmutable(bool on) const;

    std::string path_;
    bool immutable_ = false;
};

}  // namespace velmorin::test
