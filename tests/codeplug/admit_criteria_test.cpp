// SPDX-License-Identifier: GPL-3.0-or-later
// The admit criteria of every family's channels: what no admit word names reads as 0.

#include "codeplug/record_factory.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

class AdmitOfEveryFamily : public ::testing::TestWithParam<FormatId> {};

TEST_P(AdmitOfEveryFamily, TextThatNamesNoCriterionReadsAsZero)
{
    for (const ChannelMode mode : {ChannelMode::Fm, ChannelMode::Dmr}) {
        Channel channel = newChannel(GetParam());
        channel.setMode(mode);
        for (const char* text : {"", " ", "Channel", "CHANNEL_FREE "})
            EXPECT_EQ(channel.format().admitFromText(channel, text), 0) << '"' << text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(Families, AdmitOfEveryFamily, ::testing::Values(Md380Format, RdbV1Format, D868Format));

} // namespace
} // namespace pw
