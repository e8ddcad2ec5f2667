#include "platform/mapped_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/native_path.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmorin {

namespace {

// Views start at a multiple of the system's mapping granularity.
std::uint64_t granularity() {
#if defined(_WIN32)
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwAllocationGranularity;
#elif defined(__linux__)
    return static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
#else
    return 4096;
#endif
}

#if defined(_WIN32)
// Removable, optical and network drives can fail a read at any page.
bool onFixedDrive(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1];
    return GetVolumePathNameW(path.c_str(), root, MAX_PATH + 1) &&
           GetDriveTypeW(root) == DRIVE_FIXED;
}
#elif defined(__linux__)
// True when every page of [base, base + length) is in memory.
bool resident(void* base, std::size_t length) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> pages((length + page - 1) / page);
    return mincore(base, length, pages.data()) == 0 &&
           std::all_of(pages.begin(), pages.end(), [](unsigned char p) { return p & 1; });
}
#endif

}  // namespace

MappedFile::~MappedFile() {
    close();
}

MappedFile::MappedFile(MappedFile&& other) noexcept {
    *this = std::move(other);
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, kNoHandle);
#if defined(_WIN32)
        mapping_ = std::exchange(other.mapping_, nullptr);
#endif
        size_ = std::exchange(other.size_, 0);
        base_ = std::exchange(other.base_, nullptr);
        mappedLength_ = std::exchange(other.mappedLength_, 0);
    }
    return *this;
}

MappedFile MappedFile::open(const std::string& path) {
    MappedFile result;
#if defined(_WIN32)
    if (!onFixedDrive(nativePath(path).wstring())) return result;
    HANDLE file = CreateFileW(nativePath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return result;
    LARGE_INTEGER size;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart <= 0) {
        CloseHandle(file);
        return result;
    }
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) {
        CloseHandle(file);
        return result;
    }
    result.handle_ = file;
    result.mapping_ = mapping;
    result.size_ = static_cast<std::uint64_t>(size.QuadPart);
#elif defined(__linux__)
    const int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return result;
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        ::close(fd);
        return result;
    }
    // mincore tells what is in memory only for files the process owns or may write; for
    // others (a disc mounted by root, a read-only share) it says every page is, and the
    // check in view() would be blind: those files are read.
    const bool mayAsk = status.st_uid == geteuid() || geteuid() == 0 ||
                        faccessat(AT_FDCWD, nativePath(path).c_str(), W_OK, AT_EACCESS) == 0;
    if (!mayAsk || !S_ISREG(status.st_mode) || status.st_size <= 0) {
        ::close(fd);
        return result;
    }
    result.handle_ = fd;
    result.size_ = static_cast<std::uint64_t>(status.st_size);
#else
    (void)path;
#endif
    return result;
}

const std::uint8_t* MappedFile::view(std::uint64_t offset, std::size_t length) {
    releaseView();
    if (!isOpen() || length == 0 || offset > size_ || length > size_ - offset) return nullptr;
    const std::uint64_t start = offset - offset % granularity();
    const auto lead = static_cast<std::size_t>(offset - start);
    if (length > SIZE_MAX - lead) return nullptr;
    const std::size_t mapped = lead + length;
#if defined(_WIN32)
    void* base = MapViewOfFile(mapping_, FILE_MAP_READ, static_cast<DWORD>(start >> 32),
                               static_cast<DWORD>(start), mapped);
    if (!base) return nullptr;
    // Every page is looked at: bring them in with the view, as Linux does for MAP_POPULATE,
    // so that what the view costs is paid (and can be timed) here.
    const auto* bytes = static_cast<const volatile std::uint8_t*>(base);
    for (std::size_t at = 0; at < mapped; at += 4096) (void)bytes[at];
#elif defined(__linux__)
    // Every page is looked at: all are brought in with the view, not a fault each.
    void* base = mmap(nullptr, mapped, PROT_READ, MAP_SHARED | MAP_POPULATE, handle_,
                      static_cast<off_t>(start));
    if (base == MAP_FAILED) return nullptr;
    if (!resident(base, mapped)) {
        munmap(base, mapped);
        return nullptr;
    }
#else
    return nullptr;
#endif
    base_ = base;
    mappedLength_ = mapped;
    return static_cast<const std::uint8_t*>(base) + lead;
}

void MappedFile::releaseView() {
    if (!base_) return;
#if defined(_WIN32)
    UnmapViewOfFile(base_);
#elif defined(__linux__)
    munmap(base_, mappedLength_);
#endif
    base_ = nullptr;
    mappedLength_ = 0;
}

void MappedFile::close() {
    releaseView();
    if (!isOpen()) return;
#if defined(_WIN32)
    CloseHandle(mapping_);
    mapping_ = nullptr;
    CloseHandle(handle_);
#elif defined(__linux__)
    ::close(handle_);
#endif
    handle_ = kNoHandle;
    size_ = 0;
}

}  // namespace velmorin
