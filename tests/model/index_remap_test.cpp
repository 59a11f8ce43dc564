// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/index_remap.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(IndexRemap, LookupGivesTheNewPositionOfEachOldOne)
{
    IndexRemap remap(3);
    remap.remap(1, 2);
    remap.remap(2, 3);
    remap.remap(3, 1);
    remap.finalize();
    EXPECT_EQ(remap.lookup(1), 3);
    EXPECT_EQ(remap.lookup(2), 1);
    EXPECT_EQ(remap.lookup(3), 2);
}

TEST(IndexRemap, LookupOutsideTheTableOrNotRecordedIsZero)
{
    IndexRemap remap(3);
    remap.remap(1, 3);
    remap.finalize();
    EXPECT_EQ(remap.lookup(0), 0);
    EXPECT_EQ(remap.lookup(-2), 0);
    EXPECT_EQ(remap.lookup(4), 0);
    EXPECT_EQ(remap.lookup(1), 0);
    EXPECT_EQ(remap.lookup(3), 1);
}

TEST(IndexRemap, NewPositionOutsideTheTableKeepsTheMessageAndRecordsNothing)
{
    IndexRemap remap(5);
    remap.remap(6, 1);
    remap.remap(0, 2);
    remap.finalize();
    EXPECT_EQ(remap.problems(), (std::vector<std::string>{"Invalid remapped element value 6 passed (size = 5)",
                                                          "Invalid remapped element value 0 passed (size = 5)"}));
    EXPECT_EQ(remap.lookup(1), 0);
    EXPECT_EQ(remap.lookup(2), 0);
}

TEST(IndexRemap, OldPositionOutsideTheTableIsIgnoredWhenFinalising)
{
    IndexRemap remap(2);
    remap.remap(1, 7);
    remap.remap(2, 1);
    remap.finalize();
    EXPECT_TRUE(remap.problems().empty());
    EXPECT_EQ(remap.lookup(1), 2);
    EXPECT_EQ(remap.lookup(2), 0);
}

TEST(IndexRemap, EmptyRemapLooksEverythingUpAsZero)
{
    IndexRemap remap(0);
    remap.remap(1, 1);
    remap.finalize();
    EXPECT_EQ(remap.size(), 0);
    EXPECT_EQ(remap.lookup(1), 0);
}

} // namespace
} // namespace pw
