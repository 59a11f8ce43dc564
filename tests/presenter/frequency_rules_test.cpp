// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/frequency_rules.h"

#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(FrequencyRules, RefusesWhatCannotBeStoredAndAsksOutsideTheRadiosBands)
{
    // The bands of a UHF radio, as its codeplug tells them; none where the codeplug does not.
    const std::vector<FrequencyLimits> uhf = {{400.0, 480.0}};
    const std::vector<FrequencyLimits> unknown;
    const struct {
        const char* typed;
        const std::vector<FrequencyLimits>& bands;
        MessageIcon shown;  // Information: nothing shown
        MessageAnswer answer;
        std::optional<double> kept;
    } cases[] = {
        {"146.52", unknown, MessageIcon::Information, MessageAnswer::Ok, 146.52},
        {" 438.8 ", unknown, MessageIcon::Information, MessageAnswer::Ok, 438.8},
        {" 438.8 ", uhf, MessageIcon::Information, MessageAnswer::Ok, 438.8},
        {"146.52", uhf, MessageIcon::Warning, MessageAnswer::No, std::nullopt},
        {"146.52", uhf, MessageIcon::Warning, MessageAnswer::Yes, 146.52},
        {"999.99999", unknown, MessageIcon::Warning, MessageAnswer::Yes, 999.99999},
        {"300", unknown, MessageIcon::Warning, MessageAnswer::No, std::nullopt},
        {"abc", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"146.52x", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"9999", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"1000", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"0", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"-146.52", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"nan", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
        {"", unknown, MessageIcon::Error, MessageAnswer::Ok, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedPrompts prompts;
        prompts.answer(c.answer);
        EXPECT_EQ(confirmFrequency("Receive Frequency (MHz)", c.typed, c.bands, prompts), c.kept);
        if (c.shown == MessageIcon::Information) {
            EXPECT_TRUE(prompts.shown().empty());
            continue;
        }
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].icon, c.shown);
        // The question offers No first: Enter keeps nothing unusual.
        if (c.shown == MessageIcon::Warning) {
            EXPECT_EQ(prompts.shown()[0].buttons, MessageButtons::YesNoDefaultNo);
        }
    }
    EXPECT_EQ(frequencyRefusedText("Receive Frequency (MHz)", " 9999 "),
              "Receive Frequency (MHz): \"9999\" is not a frequency a codeplug can hold.\r\n"
              "Enter a number of MHz from 0.00001 to 999.99999.");
    EXPECT_EQ(unusualFrequencyQuestion("RX Frequency (MHz)", 300, unknown),
              "RX Frequency (MHz): 300.00000 MHz lies outside the bands DMR radios usually cover\r\n"
              "(136 to 174 MHz, 220 to 225 MHz, 400 to 520 MHz).\r\n\r\nKeep this frequency?");
    const std::vector<FrequencyLimits> dualBand = {{400.0, 480.0}, {136.0, 174.0}};
    EXPECT_EQ(unusualFrequencyQuestion("Receive Frequency (MHz)", 222.5, dualBand),
              "Receive Frequency (MHz): 222.50000 MHz lies outside the bands of this codeplug's radio\r\n"
              "(400 to 480 MHz, 136 to 174 MHz).\r\n\r\nKeep this frequency?");
}

} // namespace
} // namespace pw
