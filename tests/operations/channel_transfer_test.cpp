// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/channel_line.h"
#include "codeplug/record_factory.h"
#include "operations/channel_transfer.h"
#include "operations/contact_transfer.h"

#include "operations/transfer_fixture.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

Channel named(const Codeplug& codeplug, const std::string& name, bool digital = false)
{
    Channel channel = newChannel(codeplug.formatId());
    channel.setName(name);
    channel.setMode(digital ? ChannelMode::Dmr : ChannelMode::Fm);
    return channel;
}

class ChannelCsv : public testing::Test {
protected:
    Codeplug& open(FormatId format)
    {
        codeplug_ = test::openEmpty(dir_, format);
        return *codeplug_;
    }

    // Runs the CSV import command on a file holding `text`.
    TransferOutcome importText(const std::string& text)
    {
        const auto path = dir_.file("in.csv");
        test::writeText(path, text);
        prompts_.choose(path.string());
        return importChannelsCsvCommand(*codeplug_, prompts_);
    }

    TempDir dir_;
    std::unique_ptr<Codeplug> codeplug_;
    ScriptedPrompts prompts_;
};

TEST_F(ChannelCsv, ExportThenImportIntoTheSameCodeplugCountsEveryChannelAsADuplicate)
{
    for (const auto format : test::AllFormats) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        for (int i = 0; i < 12; ++i)
            ASSERT_EQ(plug.addChannel(named(plug, "Chan " + std::to_string(i), i % 2 == 0)), AddResult::Added);
        const auto path = dir_.file("round.csv");
        ASSERT_TRUE(exportChannelsCsv(plug, path));
        const auto text = test::readText(path);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        prompts_.clearShown();
        prompts_.choose(path.string());
        const auto outcome = importChannelsCsvCommand(plug, prompts_);
        EXPECT_EQ(outcome.duplicates, 12);
        EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"0 new channels added; 12 duplicates skipped."});
        EXPECT_EQ(plug.channels().count(), 12);
    }
}

TEST_F(ChannelCsv, NamesWithControlBytesAndQuotesComeBackAsDuplicates)
{
    // A CR inside a name once came back as a blank, so the channel was added a second time.
    auto& plug = open(Md380Format);
    for (const char* name : {"\r", "A\rB", "Say \"hi\"", "It's"})
        ASSERT_EQ(plug.addChannel(named(plug, name)), AddResult::Added);
    const auto outcome = importText(channelsCsvText(plug));
    EXPECT_EQ(outcome.added, 0);
    EXPECT_EQ(outcome.duplicates, 4);
}

TEST_F(ChannelCsv, NamesDifferingOnlyInCaseAreDuplicates)
{
    auto& plug = open(Md380Format);
    ASSERT_EQ(plug.addChannel(named(plug, "Repeater")), AddResult::Added);
    TempDir otherDir;
    auto other = test::openEmpty(otherDir, D868Format);
    ASSERT_EQ(other->addChannel(named(*other, "REPEATER")), AddResult::Added);
    ASSERT_EQ(other->addChannel(named(*other, "repeater 2")), AddResult::Added);
    const auto outcome = importText(channelsCsvText(*other));
    EXPECT_EQ(outcome.added, 1);
    EXPECT_EQ(outcome.duplicates, 1);
    EXPECT_EQ(prompts_.lastText(), "1 new channels added; 1 duplicates skipped.");
}

TEST_F(ChannelCsv, LinesThatDoNotReadAreDroppedAndCountedNowhere)
{
    auto& plug = open(RdbV11Format);
    Channel channel = named(plug, "Kept");
    const auto line = ChannelLine::write(channel, plug);
    const auto fortyOne = ChannelLine::write(named(plug, "Dropped"), plug);
    const auto cut = fortyOne.substr(0, fortyOne.rfind(", "));
    const auto outcome = importText(cut + "\r\n\r\ngarbage\r\n" + line);
    EXPECT_EQ(outcome.added, 1);
    EXPECT_EQ(outcome.duplicates, 0);
    ASSERT_EQ(plug.channels().count(), 1);
    EXPECT_EQ(plug.channelAt(0)->name(), "Kept");
}

TEST_F(ChannelCsv, An0x1001CodeplugTakes999ChannelsNot1000)
{
    auto& plug = open(Md380Format);
    std::string text;
    for (int i = 0; i < 1001; ++i)
        text += ChannelLine::write(named(plug, "C" + std::to_string(i)), plug) + "\r\n";
    const auto outcome = importText(text);
    EXPECT_EQ(outcome.added, 999);
    EXPECT_TRUE(outcome.tableFull);
    EXPECT_EQ(plug.channels().count(), 999);
    EXPECT_EQ(prompts_.texts(),
              (std::vector<std::string>{"Channel memory is full.",
                                        "999 new channels added; 0 duplicates skipped.\r\n"
                                        "2 not imported: the channel table holds at most 999"}));

    // The same limit through the import from a codeplug.
    TempDir otherDir;
    auto other = test::openEmpty(otherDir, Md2017Format);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(other->addChannel(named(*other, "D" + std::to_string(i))), AddResult::Added);
    plug.channels().deleteAll();
    const auto counts = importChannelsFromCodeplug(plug, *other);
    EXPECT_EQ(counts.added, 999);
    EXPECT_TRUE(counts.tableFull);
}

TEST_F(ChannelCsv, ExportAsksBeforeOverwritingAndReportsTheResult)
{
    auto& plug = open(Md9600Format);
    ASSERT_EQ(plug.addChannel(named(plug, "One")), AddResult::Added);
    const auto path = dir_.file("exists.csv");
    test::writeText(path, "old");
    for (const auto answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        prompts_.clearShown();
        prompts_.choose(path.string());
        prompts_.answer(answer);
        EXPECT_EQ(exportChannelsCsvCommand(plug, prompts_).status, TransferOutcome::Status::Cancelled);
        ASSERT_EQ(prompts_.shown().size(), 1u);
        EXPECT_EQ(prompts_.shown()[0].text, "File '" + path.string() + "' already exists; overwrite?");
        EXPECT_EQ(prompts_.shown()[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(test::readText(path), "old");
    }
    prompts_.clearShown();
    prompts_.choose(path.string());
    prompts_.answer(MessageAnswer::Yes);
    EXPECT_TRUE(exportChannelsCsvCommand(plug, prompts_).done());
    EXPECT_EQ(prompts_.lastText(), "Successfully wrote channel data to CSV file.");
    EXPECT_EQ(test::readText(path), channelsCsvText(plug));

    prompts_.clearShown();
    prompts_.choose((dir_.file("no-folder") / "x.csv").string());
    EXPECT_EQ(exportChannelsCsvCommand(plug, prompts_).status, TransferOutcome::Status::Failed);
    EXPECT_EQ(prompts_.lastText(), "Unable to write CSV file.");
    EXPECT_EQ(prompts_.shown().back().icon, MessageIcon::Warning);

    const auto& request = prompts_.requests().front();
    EXPECT_EQ(request.title, "Export Channels to CSV File...");
    EXPECT_EQ(request.confirmText, "Export >");
    EXPECT_EQ(request.defaultExtension, "csv");
    EXPECT_EQ(request.filter, "CSV Files (*.csv)|*.csv|TXT Files (*.txt)|*.txt|All Files (*.*)|*.*||");
}

TEST_F(ChannelCsv, CommandsNeedALoadedCodeplugAndReadableFiles)
{
    Codeplug unloaded;
    EXPECT_EQ(exportChannelsCsvCommand(unloaded, prompts_).status, TransferOutcome::Status::Refused);
    EXPECT_EQ(importChannelsCsvCommand(unloaded, prompts_).status, TransferOutcome::Status::Refused);
    EXPECT_EQ(importChannelsFromCodeplugCommand(unloaded, prompts_).status, TransferOutcome::Status::Refused);
    for (const auto& text : prompts_.texts())
        EXPECT_EQ(text, "Please open a valid Codeplug file before using this command.");
    EXPECT_EQ(prompts_.shown().size(), 3u);

    auto& plug = open(Md380Format);
    prompts_.clearShown();
    const auto missing = dir_.file("missing.csv").string();
    prompts_.choose(missing);
    EXPECT_EQ(importChannelsCsvCommand(plug, prompts_).status, TransferOutcome::Status::Failed);
    EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"File '" + missing + "' could not be opened."});

    prompts_.clearShown();
    test::writeText(dir_.file("junk.rdt"), "not a codeplug");
    prompts_.choose(dir_.file("junk.rdt").string());
    EXPECT_EQ(importChannelsFromCodeplugCommand(plug, prompts_).status, TransferOutcome::Status::Failed);
    EXPECT_EQ(prompts_.texts(),
              std::vector<std::string>{"Unable to read specified file. Is it a valid\r\nradio database file?"});
    EXPECT_EQ(prompts_.shown().back().icon, MessageIcon::Error);

    const auto& request = prompts_.requests().back();
    EXPECT_EQ(request.title, "Import Channels from Codeplug...");
    EXPECT_EQ(request.confirmText, "Ch Import >");
    EXPECT_EQ(request.defaultExtension, "rdt");
    EXPECT_EQ(request.filter, "RDT/RDB Files (*.rdt, *.rdb)|*.rdt;*.rdb|All Files (*.*)|*.*||");
    const auto& csvRequest = prompts_.requests().front();
    EXPECT_EQ(csvRequest.title, "Import Channels from CSV File...");
    EXPECT_EQ(csvRequest.confirmText, "Import >");
}

TEST_F(ChannelCsv, SortCommandSortsByAnyColumnButTheFirst)
{
    auto& plug = open(Md380Format);
    for (const char* name : {"b", "c", "a"})
        ASSERT_EQ(plug.addChannel(named(plug, name)), AddResult::Added);
    plug.encode();
    auto names = [&plug] {
        std::string all;
        for (const auto& c : plug.channels())
            all += c->name();
        return all;
    };
    EXPECT_EQ(sortChannelsCommand(plug, prompts_, 0).status, TransferOutcome::Status::Refused);
    EXPECT_EQ(names(), "bca");
    EXPECT_TRUE(sortChannelsCommand(plug, prompts_, 1).done());
    EXPECT_EQ(names(), "abc");
    EXPECT_TRUE(plug.changed());
    EXPECT_TRUE(prompts_.shown().empty());
}

// ---- Import from another codeplug ----

TEST(ChannelImport, ContactWithTheSameIdUnderAnotherNameIsReusedNotAdded)
{
    TempDir dir;
    auto working = test::openEmpty(dir, RdbV2Format, "working");
    ASSERT_EQ(working->addContact(test::makeContact(RdbV2Format, 3100, "Local Name", CallType::GroupCall)), AddResult::Added);
    ASSERT_EQ(working->addContact(test::makeContact(RdbV2Format, 9, "Other")), AddResult::Added);
    auto other = test::openEmpty(dir, Md380Format, "other");
    ASSERT_EQ(other->addContact(test::makeContact(Md380Format, 9, "Filler")), AddResult::Added);
    ASSERT_EQ(other->addContact(test::makeContact(Md380Format, 3100, "Club", CallType::GroupCall)), AddResult::Added);
    auto channel = named(*other, "Net", true);
    channel.setTxContactByName("Club", [&](std::string_view n) { return other->findContactByName(n); });
    ASSERT_EQ(other->addChannel(channel), AddResult::Added);

    const auto counts = importChannelsFromCodeplug(*working, *other);
    EXPECT_EQ(counts.added, 1);
    EXPECT_EQ(counts.supportingContacts, 0);
    EXPECT_EQ(working->contacts().count(), 2);
    EXPECT_EQ(working->channelAt(0)->txContact(), 1);
    EXPECT_EQ(working->channelAt(0)->contactNameCache(), "Local Name");
}

TEST(ChannelImport, CommandReportsChannelsContactsAndDuplicates)
{
    TempDir dir;
    auto working = test::openEmpty(dir, D868Format, "working");
    ASSERT_EQ(working->addChannel(named(*working, "dup")), AddResult::Added);
    auto other = test::openEmpty(dir, RdbV1Format, "other");
    ASSERT_EQ(other->addContact(test::makeContact(RdbV1Format, 1234, "Talk", CallType::GroupCall)), AddResult::Added);
    ASSERT_EQ(other->addContact(test::makeContact(RdbV1Format, 5678, "Chat", CallType::GroupCall)), AddResult::Added);
    for (const auto& [name, contact] : {std::pair{"DUP", ""}, {"A", "Talk"}, {"B", "Talk"}, {"C", "Chat"}, {"D", ""}}) {
        auto channel = named(*other, name, contact[0] != '\0');
        if (contact[0])
            channel.setTxContactByName(contact, [&](std::string_view n) { return other->findContactByName(n); });
        ASSERT_EQ(other->addChannel(channel), AddResult::Added);
    }
    const auto counts = importChannelsFromCodeplug(*working, *other);
    EXPECT_EQ(counts.added, 4);
    EXPECT_EQ(counts.supportingContacts, 2);
    EXPECT_EQ(counts.duplicates, 1);
    EXPECT_TRUE(working->changed());
    ASSERT_EQ(working->channels().count(), 5);
    EXPECT_EQ(working->channelAt(2)->contactNameCache(), "Talk");
    EXPECT_EQ(working->channelAt(3)->contactNameCache(), "Chat");
    EXPECT_EQ(working->contactAt(working->channelAt(3)->txContact() - 1)->dmrId(), 5678u);
}

TEST(ChannelImport, SupportingContactsMarkTheCodeplugChangedEvenWhenEveryChannelIsADuplicate)
{
    TempDir dir;
    auto working = test::openEmpty(dir, Md380Format, "working");
    ASSERT_EQ(working->addChannel(named(*working, "Net")), AddResult::Added);
    auto other = test::openEmpty(dir, Md2017Format, "other");
    ASSERT_EQ(other->addContact(test::makeContact(Md2017Format, 77, "Ops", CallType::GroupCall)), AddResult::Added);
    auto channel = named(*other, "net", true);
    channel.setTxContactByName("Ops", [&](std::string_view n) { return other->findContactByName(n); });
    ASSERT_EQ(other->addChannel(channel), AddResult::Added);

    // Take the working codeplug as freshly opened: nothing changed yet.
    const auto path = dir.file("working-saved");
    ASSERT_TRUE(working->save(path));
    ASSERT_FALSE(working->changed());
    const auto counts = importChannelsFromCodeplug(*working, *other);
    EXPECT_EQ(counts.duplicates, 1);
    EXPECT_EQ(counts.supportingContacts, 1);
    EXPECT_TRUE(working->changed());
}

// ---- Contacts across families ----

class ContactAcrossFamilies : public testing::TestWithParam<std::tuple<FormatId, FormatId>> {};

void expectSameContact(const Contact& from, const Contact& to)
{
    EXPECT_EQ(to.dmrId(), from.dmrId());
    EXPECT_EQ(to.name(), from.name());
    EXPECT_EQ(to.callType(), from.callType());
    EXPECT_EQ(to.alertTone(), from.alertTone());
    const auto* d868 = recordFormatsOf(D868Format).contact;
    if (&from.format() == d868 && &to.format() == d868) {
        EXPECT_EQ(to.callsign(), from.callsign());
        EXPECT_EQ(to.city(), from.city());
        EXPECT_EQ(to.state(), from.state());
        EXPECT_EQ(to.country(), from.country());
        EXPECT_EQ(to.remarks(), from.remarks());
    }
}

TEST_P(ContactAcrossFamilies, KeepsEveryFieldBothFamiliesHoldThroughCsvMergeAndChannelImport)
{
    const auto [from, to] = GetParam();
    TempDir dir;
    auto source = test::openEmpty(dir, from, "source");
    auto full = test::makeContact(from, 2345678, "Jane Q 7", CallType::PrivateCall, true);
    full.setCallsign("K9JQ");
    full.setCity("Omaha");
    full.setState("Nebraska");
    full.setCountry("United States");
    full.setRemarks("net control");
    ASSERT_EQ(source->addContact(full), AddResult::Added);
    ASSERT_EQ(source->addContact(test::makeContact(from, 91, "TG 91", CallType::GroupCall)), AddResult::Added);
    ASSERT_EQ(source->addContact(test::makeContact(from, 0, "Everyone", CallType::AllCall, true)), AddResult::Added);
    for (int i = 0; i < 2; ++i) {
        auto channel = named(*source, "Ch " + std::to_string(i), true);
        channel.setTxContactByName(source->contactAt(i)->name(),
                                   [&](std::string_view n) { return source->findContactByName(n); });
        ASSERT_EQ(source->addChannel(channel), AddResult::Added);
    }

    auto csvTarget = test::openEmpty(dir, to, "csv");
    ASSERT_TRUE(exportContactsCsv(*source, dir.file("contacts.csv")));
    EXPECT_EQ(importContactsCsv(*csvTarget, dir.file("contacts.csv")), 3);
    auto mergeTarget = test::openEmpty(dir, to, "merge");
    EXPECT_EQ(mergeContactsFromCodeplug(*mergeTarget, source.get(), false, MergeBothCallTypes), 3);
    for (const auto* target : {csvTarget.get(), mergeTarget.get()}) {
        ASSERT_EQ(target->contacts().count(), 3);
        for (int i = 0; i < 3; ++i)
            expectSameContact(*source->contactAt(i), *target->contactAt(i));
    }
    auto importTarget = test::openEmpty(dir, to, "import");
    EXPECT_EQ(importChannelsFromCodeplug(*importTarget, *source).supportingContacts, 2);
    ASSERT_EQ(importTarget->contacts().count(), 2);
    for (int i = 0; i < 2; ++i)
        expectSameContact(*source->contactAt(i), *importTarget->contactAt(i));
}

std::string pairName(const testing::TestParamInfo<ContactAcrossFamilies::ParamType>& param)
{
    char text[32];
    std::snprintf(text, sizeof text, "From%04xTo%04x", static_cast<unsigned>(std::get<0>(param.param)),
                  static_cast<unsigned>(std::get<1>(param.param)));
    return text;
}

INSTANTIATE_TEST_SUITE_P(EveryPair, ContactAcrossFamilies,
                         testing::Combine(testing::ValuesIn(test::AllFormats), testing::ValuesIn(test::AllFormats)),
                         pairName);

} // namespace
} // namespace pw
