// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/huge_page_heap.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#endif

namespace pw {

#if defined(__linux__) && defined(__GLIBC__)

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t WorthIt = std::size_t{4} << 20;

void keepLargeBlocksOnTheHeap()
{
    static const bool done = [] {
        // Blocks up to 32 MB (glibc's most) come from the advised heap rather than from mappings of
        // their own, and up to 64 MB freed at the top stays for the next file.
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        return true;
    }();
    (void)done;
}

} // namespace

void prepareHeapFor(std::size_t bytes)
{
    if (bytes < WorthIt)
        return;
    keepLargeBlocksOnTheHeap();
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    // With that much padding the next growth of the heap takes all of it at once; the top stays.
    mallopt(M_TOP_PAD, static_cast<int>(std::min<std::size_t>(bytes, 1u << 30)));
    // Through a volatile pointer: the compiler would drop a block freed at once.
    void* volatile block = std::malloc(HugePage);
    std::free(block);
    mallopt(M_TOP_PAD, 128 << 10);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t first = (before + HugePage - 1) & ~(HugePage - 1);
    if (after > first)
        madvise(reinterpret_cast<void*>(first), after - first, MADV_HUGEPAGE);
}

#else

void prepareHeapFor(std::size_t) {}

#endif

} // namespace pw
