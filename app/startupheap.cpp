#include "app/startupheap.h"

#include <cstdint>
#include <cstdlib>
#include <thread>

#include <malloc.h>
#include <sys/mman.h>

namespace {

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23 // Linux 5.14; older kernels refuse it harmlessly
#endif

// glibc's own defaults, put back once the start is over.
constexpr int kDefaultThreshold = 128 * 1024;

struct TPageRange
{
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
};

// Allocates and frees a block of `bytes`, which stays in the heap as its
// free top, and returns its whole pages.
TPageRange reserveBlock(std::size_t bytes)
{
    void *block = std::malloc(bytes);
    if (!block)
        return {};
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    const TPageRange range{(at + 4095) & ~std::uintptr_t(4095), (at + bytes) & ~std::uintptr_t(4095)};
    std::free(block);
    return range;
}

void populate(const TPageRange &range)
{
    if (range.end > range.begin)
        ::madvise(reinterpret_cast<void *>(range.begin), range.end - range.begin, MADV_POPULATE_WRITE);
}

} // namespace

void WarmUpHeap(std::size_t bytes)
{
    // Large blocks stay in the heap during the start (file images, lists),
    // and a freed block at the top is not handed back at once.
    if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(bytes) + 1) == 0
        || mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * bytes)) == 0)
        return;
    // Not waited for: a process that leaves at once (a second start) must not
    // be held up by it, and by the release it has long finished.
    std::thread([range = reserveBlock(bytes)] { populate(range); }).detach();
}

void ReleaseWarmHeap()
{
    mallopt(M_MMAP_THRESHOLD, kDefaultThreshold);
    mallopt(M_TRIM_THRESHOLD, kDefaultThreshold);
    malloc_trim(0);
}
