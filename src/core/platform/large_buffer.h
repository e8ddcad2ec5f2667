// Memory for the 16 MiB sector buffer. Where the system offers huge pages the buffer asks
// for them: faulting in 4,096 small pages costs more than reading a small title.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace velmorin {

struct LargeBufferDeleter {
    void operator()(std::uint8_t* p) const;
};

using LargeBuffer = std::unique_ptr<std::uint8_t[], LargeBufferDeleter>;

// `size` uninitialised bytes; a multiple of 2 MiB. Aborts like new when memory runs out.
LargeBuffer allocateLargeBuffer(std::size_t size);

}  // namespace velmorin
