#include "platform/memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

void PrepareForWriting(void* begin, std::size_t bytes) noexcept {
#ifdef MADV_POPULATE_WRITE
    if (bytes == 0) {
        return;
    }
    // Whole pages: the first and the last hold bytes of the block, so both
    // lie in the same mapping, and populating leaves their content as it is.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(begin) & (page - 1);
    const std::size_t length = (offset + bytes + page - 1) & ~(page - 1);
    // Kernels before 5.14 refuse (EINVAL): the pages then fault in one by one.
    ::madvise(static_cast<char*>(begin) - offset, length, MADV_POPULATE_WRITE);
#else
    static_cast<void>(begin);
    static_cast<void>(bytes);
#endif
}

void ReuseFreedMemory() noexcept {
#ifdef __GLIBC__
    // A heap block that outgrows the first is copied into a mapping of its
    // own, where a mapped one would only have been remapped: the smaller
    // this bound, the less such a copy adds to the peak.
    constexpr int kHeapBlockBytes = 256 << 10;
    // What is kept adds nothing to the peak: the pages were resident already.
    constexpr int kKeptBytes = 1 << 20;
    ::mallopt(M_MMAP_THRESHOLD, kHeapBlockBytes);
    ::mallopt(M_TRIM_THRESHOLD, kKeptBytes);
#endif
}

}  // namespace platform
