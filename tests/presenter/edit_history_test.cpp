// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/edit_history.h"

#include "codeplug/codeplug.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

class EditHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::TytFixture fixture(Md380Format);
        fixture.addContact(91, "WORLDWIDE");
        ASSERT_NE(codeplug_.open(fixture.write(dir_.file("a.rdt"))), 0u);
        ASSERT_TRUE(codeplug_.decode());
    }

    test::TempDir dir_;
    Codeplug codeplug_;
};

TEST_F(EditHistoryTest, KeepsTheNewestStepsWithinTheLimitAndForgetsTheSavedOne)
{
    EditHistory history(3);
    history.reset(codeplug_);
    for (const char* name : {"ONE", "TWO", "THREE", "FOUR", "FIVE"}) {
        codeplug_.setRadioName(name);
        EXPECT_TRUE(history.record(codeplug_, name));
    }
    EXPECT_FALSE(history.record(codeplug_, "nothing new"));
    EXPECT_EQ(history.stepCount(), 4u);
    EXPECT_EQ(history.undoLabel(), "FIVE");
    int undone = 0;
    while (history.undo(codeplug_))
        ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(codeplug_.radioName(), std::optional<std::string>("TWO"));
    // The opened state left the history: no step is the saved one any more.
    EXPECT_TRUE(codeplug_.changed());
}

TEST_F(EditHistoryTest, ANewStepDropsWhatCouldBeRedoneAndTheBytesLimitCounts)
{
    EditHistory history(50, 1);  // no room for more than the newest step
    history.reset(codeplug_);
    codeplug_.setRadioName("ONE");
    history.record(codeplug_, "One");
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_FALSE(history.canUndo());

    EditHistory unbounded;
    unbounded.reset(codeplug_);
    const auto atOne = codeplug_.fileBytes();
    codeplug_.setRadioName("TWO");
    unbounded.record(codeplug_, "Two");
    ASSERT_TRUE(unbounded.undo(codeplug_));
    EXPECT_EQ(codeplug_.fileBytes(), atOne);
    EXPECT_FALSE(codeplug_.changed());
    codeplug_.setRadioName("THREE");
    unbounded.record(codeplug_, "Three");
    EXPECT_FALSE(unbounded.canRedo());
    EXPECT_EQ(unbounded.undoLabel(), "Three");
    EXPECT_EQ(unbounded.byteCount(), 2 * atOne->size());
}

} // namespace
} // namespace pw
