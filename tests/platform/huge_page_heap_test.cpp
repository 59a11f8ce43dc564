// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/huge_page_heap.h"

#include <gtest/gtest.h>

#include <cstdint>
#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <unistd.h>
#endif
#include <memory>
#include <vector>

namespace pw {
namespace {

// The heap is faulted in on another thread while this one fills it: what is written meanwhile
// stays as written, in a large block and in many small ones.
TEST(HugePageHeap, MemoryWrittenWhileTheHeapIsWarmedKeepsItsBytes)
{
    prepareHeapFor(std::size_t{48} << 20);
    std::vector<std::uint8_t> large(std::size_t{16} << 20);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<std::uint8_t>(i * 7 + 1);
    std::vector<std::unique_ptr<std::uint64_t[]>> small;
    for (std::uint64_t i = 0; i < 100000; ++i) {
        small.push_back(std::make_unique<std::uint64_t[]>(12));
        small.back()[0] = small.back()[11] = i;
    }
    for (std::size_t i = 0; i < large.size(); ++i)
        ASSERT_EQ(large[i], static_cast<std::uint8_t>(i * 7 + 1)) << i;
    for (std::uint64_t i = 0; i < small.size(); ++i)
        ASSERT_TRUE(small[i][0] == i && small[i][11] == i) << i;
}

// A large file's buffer starts on a huge page (after the few small blocks made meanwhile, such as
// the warming thread's) and the heap ends on one: below the first boundary and past the last only
// small pages back the heap. That holds for a heap with little free, as a program's is when it
// opens its first file (and this test's, in the process of its own that ctest gives it); free
// blocks of megabytes would serve the buffer themselves.
TEST(HugePageHeap, TheNextLargeBlockStartsOnAHugePage)
{
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    const bool freshHeap = mallinfo2().fordblks < (std::size_t{1} << 20);
#endif
    prepareHeapFor(std::size_t{24} << 20);
    std::vector<std::uint8_t> buffer(std::size_t{8} << 20);
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
    if (freshHeap) {
        EXPECT_LT(reinterpret_cast<std::uintptr_t>(buffer.data()) % HugePage, 4096u);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(sbrk(0)) % HugePage, 0u);
    }
#endif
    // A second large file gives back the first one's spacer (the sanitizer build's leak check
    // would report it otherwise).
    prepareHeapFor(std::size_t{24} << 20);
    buffer.assign(std::size_t{8} << 20, 1);
    EXPECT_EQ(buffer.back(), 1);
}

} // namespace
} // namespace pw
