// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/huge_page_heap.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <system_error>
#include <thread>
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

// Has the kernel fault in and clear the pages of [start, start + size) on a thread of its own
// while this one reads the file that will fill them. The pages' contents are not touched (malloc
// may already be handing them out), and a range the heap has given back by then is refused quietly.
void warmInBackground(std::uintptr_t start, std::size_t size)
{
#ifdef MADV_POPULATE_WRITE
    try {
        std::thread([start, size] {
            for (std::size_t done = 0; done < size; done += HugePage)
                madvise(reinterpret_cast<void*>(start + done), std::min(HugePage, size - done), MADV_POPULATE_WRITE);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the pages are faulted in as they are used.
    }
#else
    (void)start;
    (void)size;
#endif
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
    if (after > first) {
        madvise(reinterpret_cast<void*>(first), after - first, MADV_HUGEPAGE);
        // The file's bytes and the records decoded from them fill most of what was asked for.
        warmInBackground(first, std::min<std::uintptr_t>(after - first, bytes * 5 / 6));
    }
}

#else

void prepareHeapFor(std::size_t) {}

#endif

} // namespace pw
