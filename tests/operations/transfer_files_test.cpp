// SPDX-License-Identifier: GPL-3.0-or-later
// Transfers between codeplug files: the commands open the other file themselves, and what they
// brought in must survive a save and a fresh open. These need the family codecs to keep the model
// in the file; with a codec that does not yet do so for a format the test is skipped.
#include "operations/channel_transfer.h"
#include "codeplug/record_factory.h"
#include "operations/contact_commands.h"
#include "operations/contact_transfer.h"

#include "operations/transfer_fixture.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

std::unique_ptr<Codeplug> reopen(const std::filesystem::path& path)
{
    auto codeplug = std::make_unique<Codeplug>();
    if (!codeplug->open(path) || !codeplug->decode())
        return nullptr;
    return codeplug;
}

// Whether the format's codec writes added contacts and channels into the file.
bool codecKeepsTheModel(FormatId format)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, format);
    plug->addContact(test::makeContact(format, 4242, "Probe"));
    Channel channel = newChannel(format);
    channel.setName("Probe");
    plug->addChannel(channel);
    plug->encode();
    if (!plug->save(dir.file("probe")))
        return false;
    const auto back = reopen(dir.file("probe"));
    return back && back->findContactByName("Probe") >= 0 && back->findChannelByName("Probe") >= 0;
}

// A file of the format with two contacts and two digital channels that transmit to them.
std::filesystem::path sourceFile(const TempDir& dir, FormatId format)
{
    auto plug = test::openEmpty(dir, format, "source-build");
    EXPECT_EQ(plug->addContact(test::makeContact(format, 3100, "Worldwide", CallType::GroupCall, true)), AddResult::Added);
    EXPECT_EQ(plug->addContact(test::makeContact(format, 2345678, "Jane Doe")), AddResult::Added);
    for (int i = 0; i < 2; ++i) {
        Channel channel = newChannel(format);
        channel.setName("Net " + std::to_string(i));
        channel.setMode(ChannelMode::Dmr);
        channel.setRxFrequency(438.5 + i);
        channel.setTxFrequency(430.9 + i);
        channel.setColorCode(3 + i);
        channel.setTimeSlot(2 - i);
        channel.setTxContactByName(i == 0 ? "Worldwide" : "Jane Doe",
                                   [&plug](std::string_view n) { return plug->findContactByName(n); });
        EXPECT_EQ(plug->addChannel(channel), AddResult::Added);
    }
    plug->encode();
    const auto path = dir.file("source");
    EXPECT_TRUE(plug->save(path));
    return path;
}

class TransferBetweenFiles : public testing::TestWithParam<std::tuple<FormatId, FormatId>> {};

TEST_P(TransferBetweenFiles, MergeAndChannelImportSurviveASaveAndAFreshOpen)
{
    const auto [from, to] = GetParam();
    if (!codecKeepsTheModel(from) || !codecKeepsTheModel(to))
        GTEST_SKIP() << "the codec of a format here does not yet keep added records";
    TempDir dir;
    const auto source = sourceFile(dir, from);
    const auto expected = reopen(source);
    ASSERT_TRUE(expected);
    const int firstContact = expected->findContactByName("Worldwide");
    ASSERT_GE(firstContact, 0);

    auto working = test::openEmpty(dir, to, "working");
    ScriptedPrompts prompts;
    prompts.choose(source.string());
    prompts.choose(source.string());
    ASSERT_TRUE(mergeContactsCommand(*working, prompts).done());
    ASSERT_TRUE(importChannelsFromCodeplugCommand(*working, prompts).done());
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{
                  std::to_string(expected->contacts().count()) + " contacts imported.",
                  "2 Channels added (with 0 new supporting digital contacts).\r\n\r\n0 duplicate channels skipped."}));
    ASSERT_TRUE(working->save(dir.file("saved")));

    const auto saved = reopen(dir.file("saved"));
    ASSERT_TRUE(saved);
    for (const char* name : {"Worldwide", "Jane Doe"}) {
        const auto* was = expected->contactAt(expected->findContactByName(name));
        const auto* is = saved->contactAt(saved->findContactByName(name));
        ASSERT_TRUE(was && is) << name;
        EXPECT_EQ(is->dmrId(), was->dmrId());
        EXPECT_EQ(is->callType(), was->callType());
        EXPECT_EQ(is->alertTone(), was->alertTone());
    }
    for (const char* name : {"Net 0", "Net 1"}) {
        const auto* was = expected->channelAt(expected->findChannelByName(name));
        const auto* is = saved->channelAt(saved->findChannelByName(name));
        ASSERT_TRUE(was && is) << name;
        EXPECT_EQ(Channel::frequencyText(is->rxFrequency()), Channel::frequencyText(was->rxFrequency()));
        EXPECT_EQ(Channel::frequencyText(is->txFrequency()), Channel::frequencyText(was->txFrequency()));
        EXPECT_EQ(is->colorCode(), was->colorCode());
        EXPECT_EQ(is->timeSlot(), was->timeSlot());
        EXPECT_EQ(saved->contactAt(is->txContact() - 1)->name(), expected->contactAt(was->txContact() - 1)->name());
    }
}

TEST_P(TransferBetweenFiles, CsvFilesCarryContactsAndChannelsBetweenFiles)
{
    const auto [from, to] = GetParam();
    if (!codecKeepsTheModel(from) || !codecKeepsTheModel(to))
        GTEST_SKIP() << "the codec of a format here does not yet keep added records";
    TempDir dir;
    const auto source = reopen(sourceFile(dir, from));
    ASSERT_TRUE(source);
    ASSERT_TRUE(exportContactsCsv(*source, dir.file("contacts.csv")));
    ASSERT_TRUE(exportChannelsCsv(*source, dir.file("channels.csv")));

    auto working = test::openEmpty(dir, to, "working");
    EXPECT_EQ(importContactsCsv(*working, dir.file("contacts.csv")), source->contacts().count());
    const auto counts = importChannelsCsv(*working, dir.file("channels.csv"));
    EXPECT_EQ(counts.added, source->channels().count());
    ASSERT_TRUE(working->save(dir.file("saved")));
    const auto saved = reopen(dir.file("saved"));
    ASSERT_TRUE(saved);
    // Read again into the saved file, nothing in them is new.
    EXPECT_EQ(importContactsCsv(*saved, dir.file("contacts.csv")), 0);
    EXPECT_EQ(importChannelsCsv(*saved, dir.file("channels.csv")).duplicates, source->channels().count());
}

std::string pairName(const testing::TestParamInfo<TransferBetweenFiles::ParamType>& param)
{
    char text[32];
    std::snprintf(text, sizeof text, "From%04xTo%04x", static_cast<unsigned>(std::get<0>(param.param)),
                  static_cast<unsigned>(std::get<1>(param.param)));
    return text;
}

INSTANTIATE_TEST_SUITE_P(EveryPair, TransferBetweenFiles,
                         testing::Combine(testing::ValuesIn(test::AllFormats), testing::ValuesIn(test::AllFormats)),
                         pairName);

} // namespace
} // namespace pw
