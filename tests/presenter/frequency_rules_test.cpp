// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/frequency_rules.h"

#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(FrequencyRules, RefusesWhatCannotBeStoredAndAsksOutsideTheUsualBands)
{
    const struct {
        const char* typed;
        MessageIcon shown;  // Information: nothing shown
        MessageAnswer answer;
        std::optional<double> kept;
    } cases[] = {
        {"146.52", MessageIcon::Information, MessageAnswer::Ok, 146.52},
        {" 438.8 ", MessageIcon::Information, MessageAnswer::Ok, 438.8},
        {"999.99999", MessageIcon::Warning, MessageAnswer::Yes, 999.99999},
        {"300", MessageIcon::Warning, MessageAnswer::No, std::nullopt},
        {"abc", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"146.52x", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"9999", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"1000", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"0", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"-146.52", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"nan", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"", MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedPrompts prompts;
        prompts.answer(c.answer);
        EXPECT_EQ(confirmFrequency("Receive Frequency (MHz)", c.typed, prompts), c.kept);
        if (c.shown == MessageIcon::Information) {
            EXPECT_TRUE(prompts.shown().empty());
            continue;
        }
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].icon, c.shown);
    }
    EXPECT_EQ(frequencyRefusedText("Receive Frequency (MHz)", " 9999 "),
              "Receive Frequency (MHz): \"9999\" is not a frequency a codeplug can hold.\r\n"
              "Enter a number of MHz from 0.00001 to 999.99999.");
    EXPECT_EQ(unusualFrequencyQuestion("RX Frequency (MHz)", 300),
              "RX Frequency (MHz): 300.00000 MHz lies outside the bands DMR radios usually cover\r\n"
              "(136 to 174 MHz, 220 to 225 MHz, 400 to 520 MHz).\r\n\r\nKeep this frequency?");
}

} // namespace
} // namespace pw
