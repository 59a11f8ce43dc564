// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/background_sync.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace pw {
namespace {

// A pipe cannot be synced: the failure of a sync made in the background is what finish() tells,
// as the file's own sync would no longer report it. Less than a piece is left to the file's own
// sync, with no thread.
TEST(BackgroundSync, TellsTheFailureOfASyncMadeInTheBackground)
{
    struct Case {
        std::uintmax_t written;
        int failure;
    };
    for (const Case c : {Case{512 * 1024, 0}, Case{1 << 20, EINVAL}, Case{5 << 20, EINVAL}}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        BackgroundSync sync(ends[1]);
        for (std::uintmax_t size = 64 * 1024; size <= c.written; size += 64 * 1024)
            sync.grew(size);
        EXPECT_EQ(sync.finish().value(), c.failure) << c.written;
        EXPECT_EQ(sync.finish().value(), c.failure) << "asked again";
        ::close(ends[0]);
        ::close(ends[1]);
    }
}

} // namespace
} // namespace pw
