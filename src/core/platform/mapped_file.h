// Read-only views of a file mapped into memory. A reader that looks at a few bytes of
// every sector touches only the pages it looks at, and nothing is copied: where the
// system's cache holds the file in large pages, mapping them costs a fraction of
// copying them out.
//
// A page that cannot be read ends the program that touches it (SIGBUS, or an in-page
// exception on Windows) where a read would have failed, so a view is only given when all
// of it is in memory: on Linux every page is brought in as the view is made and a view
// with a page missing (a read error, a scratched disc, a file shortened since) is refused,
// which the system can tell only for files the user owns or may write, so only those are
// mapped; on Windows only files on fixed drives are mapped (an external USB disk counts as
// one: a bad sector there still ends the program). A file another program truncates while
// a view of it is being read would still end the program. Elsewhere nothing is mapped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmorin {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Opens a regular file for views; !isOpen() when it cannot be opened, is empty, or
    // is not to be mapped (then the caller reads it instead).
    static MappedFile open(const std::string& path);

    bool isOpen() const { return handle_ != kNoHandle; }
    std::uint64_t size() const { return size_; }

    // Maps bytes [offset, offset + length) of the file, which must lie inside it, and
    // releases the previous view; nullptr when the system refuses or a page of it cannot
    // be brought in. The bytes stay valid until the next view, close or destruction.
    const std::uint8_t* view(std::uint64_t offset, std::size_t length);
    // Releases the view, if there is one.
    void releaseView();

    void close();

private:
#if defined(_WIN32)
    using Handle = void*;
    static constexpr Handle kNoHandle = nullptr;
    Handle mapping_ = nullptr;
#else
    using Handle = int;
    static constexpr Handle kNoHandle = -1;
#endif
    Handle handle_ = kNoHandle;
    std::uint64_t size_ = 0;
    void* base_ = nullptr;  // the mapped range, from an aligned offset
    std::size_t mappedLength_ = 0;
};

}  // namespace velmorin
