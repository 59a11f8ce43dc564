// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/huge_page_heap.h"

#include <gtest/gtest.h>

#include <cstdint>
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

} // namespace
} // namespace pw
