#include "platform/large_buffer.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace velmorin {

namespace {

constexpr std::size_t kHugePage = 2 * 1024 * 1024;

}  // namespace

void LargeBufferDeleter::operator()(std::uint8_t* p) const {
#if defined(_WIN32)
    _aligned_free(p);
#else
    std::free(p);
#endif
}

LargeBuffer allocateLargeBuffer(std::size_t size) {
#if defined(_WIN32)
    void* p = _aligned_malloc(size, kHugePage);
#else
    void* p = std::aligned_alloc(kHugePage, size);
#endif
    if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(p, size, MADV_HUGEPAGE);  // a hint only: without huge pages all still works
#endif
    return LargeBuffer(static_cast<std::uint8_t*>(p));
}

}  // namespace velmorin
