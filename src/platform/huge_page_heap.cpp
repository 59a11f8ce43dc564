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
constexpr std::size_t WorthIt = std::size_t{2} << 20;

std::uintptr_t hugePageBelow(std::uintptr_t address) { return address & ~std::uintptr_t{HugePage - 1}; }
std::uintptr_t hugePageFrom(std::uintptr_t address) { return hugePageBelow(address + HugePage - 1); }

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
    // glibc hands out the next block from the start of its top chunk, which ends at the heap's
    // end. A spacer block reaching from there to a huge page boundary makes what comes next (the
    // file's buffer, then the records) start in huge pages: below the boundary only 4 KiB pages
    // can back the heap, and up to 2 MiB of those cost more than the rest of the read. The spacer
    // is never written beyond its header, so it takes address space, not memory. It stays
    // allocated until the next large file, or small blocks would fall into it; volatile, as the
    // compiler drops a block whose pointer is never read.
    static void* volatile spacer = nullptr;
    std::free(spacer);
    constexpr std::uintptr_t Word = sizeof(std::size_t);
    constexpr std::uintptr_t SmallestSpacer = 64 * 1024;
    const auto heapEnd = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const auto top = heapEnd - mallinfo2().keepcost;
    const std::uintptr_t first = hugePageFrom(top + SmallestSpacer);
    const std::uintptr_t end = hugePageFrom(first + bytes);
    // To grow the heap for a block of n bytes, glibc asks the system for the block's chunk (n and
    // a size word), the top pad and a minimal chunk, less what the top chunk already has. With
    // this pad the heap then ends on a huge page boundary, so its last huge page is whole too.
    mallopt(M_TOP_PAD, static_cast<int>(std::min<std::uintptr_t>(end - first - 2 * Word, 1u << 30)));
    spacer = std::malloc(first - top - 3 * Word);
    mallopt(M_TOP_PAD, 128 << 10);
    if (reinterpret_cast<std::uintptr_t>(spacer) != top + 2 * Word) {
        // A free block below the top served it, memory in use already: give that back.
        std::free(spacer);
        spacer = nullptr;
    }
    const auto grownTo = hugePageBelow(reinterpret_cast<std::uintptr_t>(sbrk(0)));
    // A heap that had the room did not grow: an earlier large file prepared it.
    if (grownTo > first && grownTo > heapEnd) {
        madvise(reinterpret_cast<void*>(first), grownTo - first, MADV_HUGEPAGE);
        // The file's bytes and the records decoded from them fill most of what was asked for.
        warmInBackground(first, std::min<std::uintptr_t>(grownTo - first, bytes * 5 / 6));
    }
}

#else

void prepareHeapFor(std::size_t) {}

#endif

} // namespace pw
