#include "platform/binary_file.h"

#include <cerrno>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
// A 32-bit off_t would wrap offsets above 4 GiB onto the start of the file and refuse
// those above 2 GiB; the build defines _FILE_OFFSET_BITS=64 for it.
static_assert(sizeof(off_t) >= sizeof(std::uint64_t), "file offsets must be 64-bit");
#endif
#include <utility>

namespace velmorin {

std::optional<std::uint64_t> regularFileSize(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(nativePath(path), error);
    if (error || !std::filesystem::is_regular_file(status)) return std::nullopt;
    const auto size = std::filesystem::file_size(nativePath(path), error);
    if (error) return std::nullopt;
    return size;
}

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes) {
    const auto size = regularFileSize(path);
    if (!size || *size > maxBytes) return std::nullopt;
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file.isOpen()) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    if (file.read(bytes.data(), bytes.size()) != bytes.size() || file.hasError())
        return std::nullopt;
    return bytes;
}

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    BinaryFile file = BinaryFile::create(path);
    if (!file.isOpen()) return false;
    const bool written = file.write(bytes.data(), bytes.size());
    return file.close() && written;
}

void removeFile(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(nativePath(path), ignored);
}

ReplaceResult replaceFile(const std::string& path,
                          const std::function<bool(BinaryFile&)>& writeBody) {
    const std::string temporary = path + ".saving";
    BinaryFile file = BinaryFile::create(temporary);
    if (!file.isOpen()) return ReplaceResult::CannotCreate;
    bool ok = writeBody(file) && file.syncToDisk() && file.close();
    std::error_code error;
    if (ok) std::filesystem::rename(nativePath(temporary), nativePath(path), error);
    if (!ok || error) {
        file.close();
        removeFile(temporary);
        return ReplaceResult::WriteFailed;
    }
    return ReplaceResult::Ok;
}

BinaryFile::~BinaryFile() {
    close();
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        close();
        file_ = std::exchange(other.file_, nullptr);
    }
    return *this;
}

BinaryFile BinaryFile::open(const std::string& path, Mode mode) {
    BinaryFile result;
    if (!regularFileSize(path)) return result;
    const char* flags = mode == Mode::Read ? "rb" : "r+b";
#if defined(_WIN32)
    result.file_ = _wfopen(nativePath(path).c_str(), mode == Mode::Read ? L"rb" : L"r+b");
    (void)flags;
#else
    result.file_ = std::fopen(nativePath(path).c_str(), flags);
#endif
    return result;
}

BinaryFile BinaryFile::create(const std::string& path) {
    BinaryFile result;
#if defined(_WIN32)
    result.file_ = _wfopen(nativePath(path).c_str(), L"wb");
#else
    result.file_ = std::fopen(nativePath(path).c_str(), "wb");
#endif
    return result;
}

std::size_t BinaryFile::read(void* data, std::size_t size) {
    if (!file_) return 0;
    return std::fread(data, 1, size, file_);
}

std::size_t BinaryFile::readAt(std::uint64_t offset, void* data, std::size_t size) {
    if (!file_) return 0;
#if defined(_WIN32)
    // A read at an offset (ReadFile with an OVERLAPPED position) costs Wine a round trip to
    // its server each; the C library's seek and read do not.
    return seek(offset) ? read(data, size) : 0;
#else
    std::size_t done = 0;
    auto* bytes = static_cast<std::uint8_t*>(data);
    while (done < size) {
        const ssize_t got =
            pread(fileno(file_), bytes + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
#endif
}

namespace {
int writesBeforeFailure = -1;  // negative: writes never fail on purpose
}  // namespace

void failWritesAfterForTesting(int writes) {
    writesBeforeFailure = writes;
}

bool BinaryFile::write(const void* data, std::size_t size) {
    if (!file_) return false;
    if (writesBeforeFailure == 0) return false;
    if (writesBeforeFailure > 0) --writesBeforeFailure;
    return std::fwrite(data, 1, size, file_) == size;
}

bool BinaryFile::seek(std::uint64_t offset) {
    if (!file_) return false;
#if defined(_WIN32)
    return _fseeki64(file_, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

bool BinaryFile::flush() {
    return file_ && std::fflush(file_) == 0;
}

bool BinaryFile::syncToDisk() {
    if (!file_ || std::fflush(file_) != 0) return false;
#if defined(_WIN32)
    return _commit(_fileno(file_)) == 0;
#elif defined(__APPLE__)
    return fsync(fileno(file_)) == 0;
#else
    return fdatasync(fileno(file_)) == 0;
#endif
}

bool BinaryFile::hasError() const {
    return file_ && std::ferror(file_);
}

bool BinaryFile::close() {
    if (!file_) return true;
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

}  // namespace velmorin
