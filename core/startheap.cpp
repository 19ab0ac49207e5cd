#include "core/startheap.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

#ifdef __linux__
#include <cstdio>
#include <cstring>
#include <sys/mman.h>
#ifndef MADV_POPULATE_READ
#define MADV_POPULATE_READ 22 // Linux 5.14; older kernels refuse it
#endif
#endif

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#define QM_HUGE_PAGE_HEAP 1
#endif

namespace {

std::atomic<bool> g_prepared{false};

#ifdef QM_HUGE_PAGE_HEAP
constexpr std::size_t kHugePage = std::size_t(2) << 20;
// The allocator's largest threshold for giving a block a mapping of its own
// (half of a thread heap's 64 MB).
constexpr std::size_t kLargestFromHeap = std::size_t(32) << 20;
// The allocator's own starting values for both thresholds.
constexpr int kUsualThreshold = 128 * 1024;

// Below this, the small pages up to a huge-page boundary cost less than
// the room a filler would hold on to.
constexpr std::size_t kSmallestFiller = 64 * 1024;

// Takes a block from the heap's top, asks for huge pages over the part of it
// that is whole huge pages, and gives it back: the heap then hands out that
// room, advised, to whatever comes next. Only the block's first page is
// touched, so no memory is taken yet.
//
// The stretch from the heap's top up to the first huge-page boundary shares
// its huge page with memory already in use, so it can only ever have small
// pages, and the start's first allocations would land there, a fault every
// 4 KB. A filler block that is kept for good, and never touched, takes that
// stretch instead: the next blocks start at the boundary.
void adviseHeapRoom(std::size_t bytes)
{
    bytes = std::min(bytes, kLargestFromHeap - kHugePage);
    void *block = std::malloc(bytes);
    if (!block)
        return;
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t from = (at + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t to = (at + bytes) & ~(kHugePage - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
    std::free(block);
    if (from - at >= kSmallestFiller) {
        // Back at the same place, a block of this size ends where the next
        // block's header must go for that block to start at the boundary
        // (a block's header is the 16 bytes before it; its own size word
        // counts towards its length).
        static std::mutex fillersMutex;
        static std::vector<void *> fillers; // kept for good, so never handed out
        const std::lock_guard lock(fillersMutex);
        fillers.push_back(std::malloc(from - at - sizeof(std::size_t)));
    }
}
#endif

} // namespace

bool PrepareStartHeap(std::size_t bytes)
{
#ifdef QM_HUGE_PAGE_HEAP
    // Blocks of the region's size come from the heap rather than from a
    // mapping of their own, and freed room stays with the heap: handed back
    // to the system, it would come back in small pages.
    if (::mallopt(M_MMAP_THRESHOLD, int(kLargestFromHeap)) == 0
        || ::mallopt(M_TRIM_THRESHOLD, int(2 * kLargestFromHeap)) == 0)
        return false;
    adviseHeapRoom(bytes);
    g_prepared = true;
    return true;
#else
    (void)bytes;
    return false;
#endif
}

void PrepareThreadHeap(std::size_t bytes)
{
#ifdef QM_HUGE_PAGE_HEAP
    if (g_prepared)
        adviseHeapRoom(bytes);
#else
    (void)bytes;
#endif
}

void EndStartHeap()
{
#ifdef QM_HUGE_PAGE_HEAP
    if (!g_prepared.exchange(false))
        return;
    ::mallopt(M_MMAP_THRESHOLD, kUsualThreshold);
    ::mallopt(M_TRIM_THRESHOLD, kUsualThreshold);
#endif
}

std::size_t PrefaultReadOnlyMappings(std::size_t largest)
{
    std::size_t mapped = 0;
#ifdef __linux__
    std::FILE *maps = std::fopen("/proc/self/maps", "re");
    if (!maps)
        return 0;
    char line[4096];
    while (std::fgets(line, sizeof line, maps)) {
        unsigned long from = 0;
        unsigned long to = 0;
        char perms[8] = {};
        int pathAt = 0;
        if (std::sscanf(line, "%lx-%lx %7s %*s %*s %*s %n", &from, &to, perms, &pathAt) < 3 || line[pathAt] != '/')
            continue; // anonymous memory, the stack and the like
        const std::size_t size = to - from;
        // Private and never written: shared or writable pages would be
        // mapped for reading only to fault again on the first write.
        const bool code = std::strcmp(perms, "r-xp") == 0;
        const bool constant = std::strcmp(perms, "r--p") == 0 && size <= largest;
        if ((code || constant) && ::madvise(reinterpret_cast<void *>(from), size, MADV_POPULATE_READ) == 0)
            mapped += size;
    }
    std::fclose(maps);
#else
    (void)largest;
#endif
    return mapped;
}
