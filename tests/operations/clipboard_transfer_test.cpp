// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/clipboard_transfer.h"
#include "codeplug/record_factory.h"

#include "codeplug/rdb/six_bit_text.h"
#include "operations/channel_line.h"
#include "operations/channel_transfer.h"
#include "operations/structure_fixture.h"
#include "platform/clipboard.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

std::vector<int> allRows(int count)
{
    std::vector<int> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(i);
    return rows;
}

class Clipboard : public testing::Test {
protected:
    Codeplug& open(FormatId format, const std::string& name = "plug")
    {
        plugs_.push_back(test::openEmpty(dir_, format, name + std::to_string(plugs_.size())));
        return *plugs_.back();
    }

    PasteOutcome paste(Codeplug& codeplug, const std::string& text)
    {
        clipboard_.setText(text);
        state_.reset(codeplug);
        return pasteFromClipboard(codeplug, prompts_, clipboard_, state_);
    }

    TempDir dir_;
    std::vector<std::unique_ptr<Codeplug>> plugs_;
    ScriptedPrompts prompts_;
    MemoryClipboard clipboard_;
    ListTabState state_;
};

// ---- Copy ----

TEST_F(Clipboard, ContactCopyIsTheHeaderAndOneContactLinePerSelectedContactInListOrder)
{
    auto& plug = open(Md380Format);
    test::populate(plug);
    ASSERT_TRUE(copyContacts(plug, clipboard_, {3, 0, 3, 99}));
    EXPECT_EQ(clipboard_.text(), "DMR-CONTACT\r\n" + plug.contactAt(0)->toLine() + "\r\n" +
                                     plug.contactAt(3)->toLine() + "\r\n");
    EXPECT_EQ(*clipboard_.text(), "DMR-CONTACT\r\n"
                                  "\"9\",\"TG Local\",\"Group Call\",\"No\",\"\",\"\",\"\",\"\",\"\"\r\n"
                                  "\"2345001\",\"Alice\",\"Private Call\",\"No\",\"\",\"\",\"\",\"\",\"\"\r\n");
}

TEST_F(Clipboard, NothingIsCopiedWhenNothingIsSelected)
{
    auto& plug = open(Md2017Format);
    test::populate(plug);
    clipboard_.setText("kept");
    EXPECT_FALSE(copyContacts(plug, clipboard_, {}));
    EXPECT_FALSE(copyChannels(plug, clipboard_, {-1, 400}));
    ListTabState none;
    EXPECT_FALSE(copyZone(plug, clipboard_, none));
    EXPECT_EQ(clipboard_.text(), "kept");
}

TEST_F(Clipboard, ChannelCopyPairsEachChannelLineWithItsContactLine)
{
    auto& plug = open(Md380Format);
    test::populate(plug);
    const int dmrOne = test::channelIndex(plug, "DMR One");
    const int dmrBare = test::channelIndex(plug, "DMR Bare");
    const int fmOne = test::channelIndex(plug, "FM One");
    ASSERT_TRUE(copyChannels(plug, clipboard_, {fmOne, dmrBare, dmrOne}));
    EXPECT_EQ(*clipboard_.text(), "DMR-CHANNEL\r\n" + ChannelLine::write(*plug.channelAt(dmrOne), plug) +
                                      "\r\n\"9\",\"TG Local\",\"Group Call\",\"No\"\r\n" +
                                      ChannelLine::write(*plug.channelAt(dmrBare), plug) + "\r\n[NO_CONTACT]\r\n" +
                                      ChannelLine::write(*plug.channelAt(fmOne), plug) + "\r\n[NO_CONTACT]\r\n");
}

TEST_F(Clipboard, ContactLineOfAChannelQuotesANameWithADoubleQuoteSoItReadsBack)
{
    auto& plug = open(Md380Format);
    ASSERT_EQ(plug.addContact(test::makeContact(Md380Format, 77, "Say \"hi\"", CallType::GroupCall, true)), AddResult::Added);
    test::addChannelNamed(plug, "Quoted", true, 1);
    const auto text = channelsClipboardText(plug, {0});
    EXPECT_NE(text.find("\r\n\"77\",'Say \"hi\"',\"Group Call\",\"Yes\"\r\n"), std::string::npos) << text;

    auto& other = open(RdbV11Format);
    paste(other, text);
    ASSERT_EQ(other.contacts().count(), 1);
    EXPECT_EQ(other.contactAt(0)->dmrId(), 77u);
    EXPECT_EQ(other.channelAt(0)->txContact(), 1);
}

TEST_F(Clipboard, ZoneCopyHoldsTheNameAndEachBanksPairsEndedByAnEmptyLine)
{
    for (const auto format : {Md380Format, Md2017Format, RdbV2Format, D868Format}) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        test::populate(plug);
        ListTabState state;
        state.currentZone = 0;
        ASSERT_TRUE(copyZone(plug, clipboard_, state));
        auto pair = [&plug](const char* name) {
            return channelsClipboardText(plug, {test::channelIndex(plug, name)}).substr(13);
        };
        std::string expected = "DMR-ZONE\r\nZone A\r\n" + pair("DMR One") + pair("DMR Two") + pair("FM One") + "\r\n";
        if (hasZoneBanks(format))
            expected += pair("FM Two") + pair("DMR Bare") + "\r\n";
        EXPECT_EQ(*clipboard_.text(), expected);
    }
}

TEST_F(Clipboard, ZoneCopyLeavesOutMembersWhoseChannelDoesNotExist)
{
    auto& plug = open(Md380Format);
    test::populate(plug);
    Zone zone = newZone(Md380Format);
    zone.setName("Dangling");
    zone.setMember(0, 2);
    zone.setMember(1, 40);
    zone.setMember(2, 4);
    ASSERT_TRUE(plug.addZone(zone));
    const auto text = zoneClipboardText(plug, 2);
    auto pair = [&plug](int index) { return channelsClipboardText(plug, {index}).substr(13); };
    EXPECT_EQ(text, "DMR-ZONE\r\nDangling\r\n" + pair(1) + pair(3) + "\r\n");
}

// ---- Paste: common part ----

TEST_F(Clipboard, AnUnknownHeaderIsRefusedAndChangesNothing)
{
    auto& plug = open(Md380Format);
    const auto outcome = paste(plug, "DMR-STUFF\r\n\"1\",\"One\",\"Group Call\",\"No\"\r\n");
    EXPECT_TRUE(outcome.result.refused);
    EXPECT_EQ(outcome.tab, PasteTab::None);
    ASSERT_EQ(prompts_.shown().size(), 1u);
    EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts_.shown()[0].text, "Invalid clipboard data; unable to paste.");
    EXPECT_TRUE(plug.contacts().empty());
    EXPECT_FALSE(plug.changed());
}

TEST_F(Clipboard, ATextOfFewerThanTwoLinesOrNoCodeplugDoesNothing)
{
    auto& plug = open(Md380Format);
    for (const char* text : {"", "DMR-CONTACT", "DMR-CONTACT\r\n", "garbage\r\n"}) {
        const auto outcome = paste(plug, text);
        EXPECT_EQ(outcome.tab, PasteTab::None);
        EXPECT_FALSE(outcome.result.refused);
    }
    EXPECT_TRUE(prompts_.shown().empty());
    MemoryClipboard empty;
    pasteFromClipboard(plug, prompts_, empty, state_);
    Codeplug unloaded;
    clipboard_.setText("DMR-CONTACT\r\n\"1\",\"One\",\"Group Call\",\"No\"\r\n");
    EXPECT_EQ(pasteFromClipboard(unloaded, prompts_, clipboard_, state_).tab, PasteTab::None);
    EXPECT_TRUE(prompts_.shown().empty());
}

TEST_F(Clipboard, AContactHeaderInLowerCaseIsAccepted)
{
    auto& plug = open(Md380Format);
    const auto outcome = paste(plug, "dmr-contact\r\n\"3100\",\"World\",\"Group Call\",\"No\"\r\n");
    EXPECT_EQ(outcome.tab, PasteTab::Contacts);
    EXPECT_EQ(outcome.contactsAdded, 1);
    EXPECT_EQ(prompts_.lastText(), "1 contacts have been added.");
    EXPECT_EQ(paste(plug, "Dmr-Channel\r\n").tab, PasteTab::None);  // one line: nothing
}

TEST_F(Clipboard, TextBeyondOneHundredThousandCharactersIsNotReadAndItsLinesAreCounted)
{
    auto& plug = open(Md2017Format);
    std::string text = "DMR-CONTACT\r\n";
    std::uint32_t id = 5000000;
    while (text.size() < PasteTextLimit + 500) {
        text += test::makeContact(Md2017Format, id, "N" + std::to_string(id)).toLine() + "\r\n";
        ++id;
    }
    const auto outcome = paste(plug, text);
    // Every whole line before the limit is read, none cut short.
    const auto kept = text.substr(0, PasteTextLimit);
    const auto whole = static_cast<int>(std::count(kept.begin(), kept.end(), '\n')) - 1;
    EXPECT_EQ(outcome.contactsAdded, whole);
    const int past = static_cast<int>(id - 5000000) - whole;
    EXPECT_EQ(prompts_.lastText(), std::to_string(whole) + " contacts have been added.\r\n" + std::to_string(past) +
                                       " lines refused: past the first 100,000 characters (" + std::to_string(past) + ")");
}

TEST_F(Clipboard, CrLfAndCrLfLineEndsAndUtf16TextsAllRead)
{
    const std::string contacts = "DMR-CONTACT\r\"1\",\"One\",\"G\",\"No\"\r\"2\",\"Two\",\"G\",\"No\"";
    std::string utf16 = "\xFF\xFE";
    for (const char c : contacts)
        utf16 += std::string{c, '\0'};
    for (const auto& text : {contacts, std::string("DMR-CONTACT\n\"1\",\"One\",\"G\",\"No\"\r\n\"2\",\"A\rB\",\"G\",\"No\"\n"),
                             utf16}) {
        auto& plug = open(RdbV1Format);
        EXPECT_EQ(paste(plug, text).contactsAdded, 2);
        EXPECT_EQ(prompts_.lastText(), "2 contacts have been added.");
    }
}

// ---- Contact paste ----

TEST_F(Clipboard, ContactsPastedIntoTheirOwnCodeplugAreAllDuplicates)
{
    for (const auto format : test::AllFormats) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        test::populate(plug);
        prompts_.clearShown();
        ASSERT_TRUE(copyContacts(plug, clipboard_, allRows(plug.contacts().count())));
        const auto outcome = pasteFromClipboard(plug, prompts_, clipboard_, state_);
        EXPECT_EQ(outcome.contactsAdded, 0);
        EXPECT_EQ(outcome.duplicates, 5);
        EXPECT_EQ(outcome.tab, PasteTab::Contacts);
        EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"0 Contacts added; 5 Duplicates were skipped."});
        EXPECT_EQ(prompts_.shown().back().icon, MessageIcon::Information);
        EXPECT_EQ(plug.contacts().count(), 5);
    }
}

TEST_F(Clipboard, ContactsPasteIntoEveryOtherFamilyUpToTheFirstEmptyLine)
{
    auto& source = open(D868Format);
    test::populate(source);
    source.contactAt(3)->setCity("Springfield");
    const auto text = contactsClipboardText(source, allRows(5));
    for (const auto format : {Md380Format, Md9600Format, RdbV2Format, D868Format}) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        prompts_.clearShown();
        const auto outcome = paste(plug, text + "\r\n\"4000\",\"After\",\"Group Call\",\"No\"\r\n");
        EXPECT_EQ(outcome.contactsAdded, 5);
        EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"5 contacts have been added.\r\n1 line refused: after the "
                                                             "empty line that ends the paste (1)"});
        EXPECT_EQ(test::contactLines(plug).size(), 5u);
        EXPECT_EQ(plug.contactAt(2)->callType(), CallType::AllCall);
        EXPECT_EQ(plug.contactAt(1)->alertTone(), true);
        EXPECT_EQ(plug.contactAt(3)->city(), format == D868Format ? "Springfield" : "");
        EXPECT_TRUE(plug.changed());
        EXPECT_TRUE(includes(outcome.result.refresh, TabList::Contacts));
    }
}

TEST_F(Clipboard, ContactLinesThatDoNotReadAreCountedByTheirReason)
{
    auto& plug = open(Md380Format);
    const auto outcome = paste(plug, "DMR-CONTACT\r\nshort\r\n\"abc\",\"x\",\"G\",\"No\"\r\n\"12\",\"three\"\r\n"
                                     "\"0x10\",\"Hex\",\"G\",\"No\"\r\n" + std::string(4097, 'x') + "\r\n"
                                     "\"77\",\"Good\",\"Group Call\",\"No\"\r\n");
    EXPECT_EQ(outcome.contactsAdded, 1);
    EXPECT_EQ(outcome.duplicates, 0);
    EXPECT_EQ(prompts_.lastText(), "1 contacts have been added.\r\n5 lines refused: DMR ID not a number (2), line shorter "
                                   "than 10 characters (1), fewer than four fields (1), line longer than 4,096 "
                                   "characters (1)");
}

// ---- Channel paste ----

TEST_F(Clipboard, AChannelPastedIntoItsOwnCodeplugAsksForANewNameAndNoCountsOneDuplicate)
{
    for (const auto format : test::AllFormats) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        test::populate(plug);
        prompts_.clearShown();
        ASSERT_TRUE(copyChannels(plug, clipboard_, {test::channelIndex(plug, "DMR One")}));
        prompts_.answer(MessageAnswer::No);
        const auto outcome = pasteFromClipboard(plug, prompts_, clipboard_, state_);
        EXPECT_EQ(outcome.tab, PasteTab::Channels);
        EXPECT_EQ(outcome.channelsAdded, 0);
        EXPECT_EQ(outcome.duplicates, 1);
        ASSERT_EQ(prompts_.shown().size(), 2u);
        EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Question);
        EXPECT_EQ(prompts_.shown()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(prompts_.shown()[0].text, "Channel name 'DMR One' already exists; paste under new channel name?");
        EXPECT_EQ(prompts_.shown()[1].text, "0 new channels added; 1 duplicates skipped.");
        EXPECT_EQ(prompts_.shown()[1].icon, MessageIcon::Information);
        EXPECT_EQ(plug.channels().count(), 5);
        EXPECT_EQ(plug.contacts().count(), 5);
    }
}

TEST_F(Clipboard, YesAndANewNamePastesTheChannelUnderThatName)
{
    auto& plug = open(Md9600Format);
    test::populate(plug);
    const auto text = channelsClipboardText(plug, {test::channelIndex(plug, "DMR Two")});
    prompts_.clearShown();
    prompts_.answer(MessageAnswer::Yes);
    prompts_.type("DMR Two Copy with a long name");
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.channelsAdded, 1);
    ASSERT_EQ(prompts_.asked().size(), 1u);
    EXPECT_EQ(prompts_.asked()[0].title, "New Channel Name");
    EXPECT_EQ(prompts_.asked()[0].prompt, "Enter new channel name");
    EXPECT_EQ(prompts_.asked()[0].maxLength, 16u);
    const int added = test::channelIndex(plug, "DMR Two Copy wit");
    ASSERT_EQ(added, 5);
    EXPECT_EQ(test::channelContactName(plug, *plug.channelAt(added)), "Alice");
    EXPECT_EQ(test::rxGroupNameAt(plug, plug.channelAt(added)->rxGroupList()), "RG Quiet");
    EXPECT_EQ(outcome.result.selectedRow, 5);
    EXPECT_EQ(prompts_.lastText(), "1 new channels added; 0 duplicates skipped.");
}

TEST_F(Clipboard, ARenameThatClashesAgainAsksAgainAndCancelCountsADuplicate)
{
    auto& plug = open(Md380Format);
    test::populate(plug);
    const auto text = channelsClipboardText(plug, {0});
    prompts_.clearShown();
    prompts_.answer(MessageAnswer::Yes);
    prompts_.type("fm one");
    prompts_.answer(MessageAnswer::Yes);
    prompts_.type(std::nullopt);
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.duplicates, 1);
    EXPECT_EQ(prompts_.texts(),
              (std::vector<std::string>{"Channel name 'DMR One' already exists; paste under new channel name?",
                                        "Channel name 'fm one' already exists; paste under new channel name?",
                                        "0 new channels added; 1 duplicates skipped."}));
}

TEST_F(Clipboard, AnAnswerThatRepeatsTheRefusedNameEndsTheQuestionsAsADuplicate)
{
    // The command line answers every question Yes and every input box alike.
    auto& plug = open(Md380Format);
    test::populate(plug);
    const auto text = channelsClipboardText(plug, {0, 1});
    for (int i = 0; i < 10; ++i) {
        prompts_.answer(MessageAnswer::Yes);
        prompts_.type("Same");
    }
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.channelsAdded, 1);
    EXPECT_EQ(outcome.duplicates, 1);
    EXPECT_GE(test::channelIndex(plug, "Same"), 0);
}

TEST_F(Clipboard, ADigitalChannelWithoutContactPastesWithoutAddingAContact)
{
    auto& source = open(Md380Format);
    test::populate(source);
    const auto text = channelsClipboardText(source, {test::channelIndex(source, "DMR Bare")});
    EXPECT_NE(text.find("\r\n[NO_CONTACT]\r\n"), std::string::npos);
    for (const auto format : {Md2017Format, RdbV1Format}) {
        auto& plug = open(format);
        ASSERT_EQ(plug.addContact(test::makeContact(format, 1, "Someone")), AddResult::Added);
        const auto outcome = paste(plug, text);
        EXPECT_EQ(outcome.channelsAdded, 1);
        EXPECT_EQ(outcome.contactsAdded, 0);
        EXPECT_EQ(plug.contacts().count(), 1);
        EXPECT_EQ(plug.channelAt(0)->txContact(), 0);
        EXPECT_FALSE(includes(outcome.result.refresh, TabList::Contacts));
    }
}

TEST_F(Clipboard, APastedChannelBringsItsContactIntoACodeplugThatLacksIt)
{
    auto& source = open(D868Format);
    test::populate(source);
    const auto text = channelsClipboardText(source, allRows(5));
    for (const auto format : {Md380Format, RdbV2Format, D868Format}) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        prompts_.clearShown();
        const auto outcome = paste(plug, text);
        EXPECT_EQ(outcome.channelsAdded, 5);
        // "DMR Bare" in the D868 family transmits to the first contact, so it brings that too.
        EXPECT_EQ(outcome.contactsAdded, 2);
        EXPECT_EQ(plug.contacts().count(), 2);
        EXPECT_TRUE(includes(outcome.result.refresh, TabList::Contacts | TabList::Channels));
        EXPECT_EQ(test::channelContactName(plug, *plug.channelAt(test::channelIndex(plug, "DMR One"))), "TG Local");
        EXPECT_EQ(test::channelContactName(plug, *plug.channelAt(test::channelIndex(plug, "DMR Two"))), "Alice");
        EXPECT_EQ(plug.contactAt(plug.findContactByName("Alice"))->dmrId(), 2345001u);
        EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"5 new channels added; 0 duplicates skipped."});
        EXPECT_TRUE(plug.changed());
    }
}

TEST_F(Clipboard, AChannelWhoseContactExistsUnderAnotherNameIsPointedAtThatContact)
{
    auto& source = open(Md380Format);
    test::populate(source);
    const auto text = channelsClipboardText(source, {test::channelIndex(source, "DMR Two")});
    auto& plug = open(RdbV11Format);
    ASSERT_EQ(plug.addContact(test::makeContact(RdbV11Format, 5, "First")), AddResult::Added);
    ASSERT_EQ(plug.addContact(test::makeContact(RdbV11Format, 2345001, "Alice Smith")), AddResult::Added);
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.contactsAdded, 0);
    EXPECT_EQ(plug.contacts().count(), 2);
    EXPECT_EQ(plug.channelAt(0)->txContact(), 2);
}

TEST_F(Clipboard, AContactThatDoesNotFitIsReportedAndTheChannelIsStillPasted)
{
    auto& source = open(Md380Format);
    test::populate(source);
    const auto text = channelsClipboardText(source, {test::channelIndex(source, "DMR Two")});
    auto& plug = open(Md380Format);
    test::addContacts(plug, 100, contactCapacity(Md380Format));
    prompts_.clearShown();
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.channelsAdded, 1);
    ASSERT_EQ(prompts_.shown().size(), 2u);
    EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts_.shown()[0].text,
              "Error: Unable to add contact Alice for pasted channel DMR Two; contacts table is full.");
    EXPECT_EQ(plug.channelAt(0)->txContact(), 0);
}

TEST_F(Clipboard, AFullChannelTableEndsThePasteWithItsMessage)
{
    auto& source = open(Md380Format);
    test::populate(source);
    const auto text = channelsClipboardText(source, allRows(5));
    auto& plug = open(Md380Format);
    for (int i = 0; i < channelCapacity(Md380Format) - 2; ++i)
        ASSERT_EQ(plug.addChannel(test::makeChannel(plug, "Fill " + std::to_string(i), false)), AddResult::Added);
    prompts_.clearShown();
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.channelsAdded, 2);
    EXPECT_EQ(prompts_.texts(),
              (std::vector<std::string>{"Channel memory is full.",
                                        "2 new channels added; 0 duplicates skipped.\r\n"
                                        "3 not pasted: the channel table holds at most 999"}));
    EXPECT_EQ(plug.channels().count(), channelCapacity(Md380Format));
}

TEST_F(Clipboard, AChannelLineThatDoesNotReadIsPassedOverAndThePasteGoesOn)
{
    auto& source = open(Md380Format);
    test::populate(source);
    const auto good = channelsClipboardText(source, {0, 3}).substr(13);
    const auto firstPair = good.substr(0, good.find("\r\n", good.find("\r\n") + 2) + 2);
    const auto secondPair = good.substr(firstPair.size());
    auto& plug = open(Md2017Format);
    const auto outcome =
        paste(plug, "DMR-CHANNEL\r\n\"Only\", \"a few\", \"fields\"\r\n[NO_CONTACT]\r\n" + firstPair +
                        "not a channel at all\r\n\"1\",\"x\",\"Group Call\",\"No\"\r\n" + secondPair);
    EXPECT_EQ(outcome.channelsAdded, 2);
    EXPECT_EQ(outcome.duplicates, 0);
    EXPECT_EQ(outcome.contactsAdded, 1);
    EXPECT_EQ(plug.contacts().count(), 1);
    EXPECT_EQ(prompts_.lastText(), "2 new channels added; 0 duplicates skipped.\r\n2 lines refused: fewer than 42 fields (2)");
}

TEST_F(Clipboard, AChannelWithoutItsContactLineEndsThePaste)
{
    auto& source = open(Md380Format);
    test::populate(source);
    const auto line0 = ChannelLine::write(*source.channelAt(0), source);
    const auto line1 = ChannelLine::write(*source.channelAt(1), source);
    auto& plug = open(Md380Format);
    auto outcome = paste(plug, "DMR-CHANNEL\r\n" + line0 + "\r\n\r\n" + line1 + "\r\n[NO_CONTACT]\r\n");
    EXPECT_EQ(outcome.channelsAdded, 0);
    EXPECT_EQ(prompts_.lastText(), "0 new channels added; 0 duplicates skipped.\r\n3 lines refused: after the empty line "
                                   "that ends the paste (2), channel line without its contact line (1)");
    outcome = paste(plug, "DMR-CHANNEL\r\n" + line1 + "\r\n[NO_CONTACT]\r\n" + line0);
    EXPECT_EQ(outcome.channelsAdded, 1);
    // An empty channel line ends the paste as well.
    outcome = paste(plug, "DMR-CHANNEL\r\n\r\n" + line0 + "\r\n[NO_CONTACT]\r\n");
    EXPECT_EQ(outcome.channelsAdded, 0);
    EXPECT_EQ(prompts_.lastText(),
              "0 new channels added; 0 duplicates skipped.\r\n2 lines refused: after the empty line that ends the paste (2)");
}

// ---- Zone paste ----

TEST_F(Clipboard, ATwoBankZonePastedInto0x1001KeepsTheFirst16MembersOfBankA)
{
    auto& source = open(Md2017Format);
    Zone zone = newZone(Md2017Format);
    zone.setName("Big");
    for (int i = 0; i < 20; ++i)
        zone.addMember(source.memberNumberOf(test::addChannelNamed(source, "A" + std::to_string(i), false)));
    zone.selectBank(2);
    for (int i = 0; i < 5; ++i)
        zone.addMember(source.memberNumberOf(test::addChannelNamed(source, "B" + std::to_string(i), false)));
    ASSERT_TRUE(source.addZone(zone));
    const auto text = zoneClipboardText(source, 0);

    auto& plug = open(Md380Format);
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.tab, PasteTab::Zones);
    EXPECT_EQ(outcome.zoneMembers, 16);
    EXPECT_EQ(outcome.channelsAdded, 16);
    ASSERT_EQ(plug.zones().count(), 1);
    std::vector<std::string> expected;
    for (int i = 0; i < 16; ++i)
        expected.push_back("A" + std::to_string(i));
    EXPECT_EQ(test::memberNames(plug, *plug.zones().at(0)), expected);
    // Each channel left out is counted by its channel line.
    EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"New zone 'Big' inserted with 16 channels.\r\n"
                                                         "16 new channels added to codeplug; 0 duplicates skipped.\r\n"
                                                         "9 lines refused: channel of a zone bank this codeplug does "
                                                         "not have (5), channel past the zone bank's capacity (4)"});
    EXPECT_EQ(state_.currentZone, 0);
}

TEST_F(Clipboard, ABankLongerThanTheTargetsBankDoesNotSpillIntoTheNextBank)
{
    auto& source = open(D868Format);
    Zone zone = newZone(D868Format);
    zone.setName("Long");
    for (int i = 0; i < 70; ++i)
        zone.addMember(source.memberNumberOf(test::addChannelNamed(source, "L" + std::to_string(i), false)));
    ASSERT_TRUE(source.addZone(zone));
    auto& plug = open(Md9600Format);
    const auto outcome = paste(plug, zoneClipboardText(source, 0));
    EXPECT_EQ(outcome.zoneMembers, 64);
    ASSERT_EQ(plug.zones().count(), 1);
    EXPECT_EQ(test::memberNames(plug, *plug.zones().at(0), 1).size(), 64u);
    EXPECT_TRUE(test::memberNames(plug, *plug.zones().at(0), 2).empty());
}

TEST_F(Clipboard, AZoneWhoseChannelsExistAddsNoChannelAndStillGetsThemAll)
{
    for (const auto format : {Md380Format, RdbV1Format, D868Format}) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        test::populate(plug);
        prompts_.clearShown();
        prompts_.type("Zone A again");
        const auto askedBefore = prompts_.asked().size();
        const auto text = zoneClipboardText(plug, 0);
        const auto outcome = paste(plug, text);
        EXPECT_EQ(outcome.channelsAdded, 0);
        EXPECT_EQ(outcome.duplicates, 3);
        ASSERT_EQ(plug.zones().count(), 3);
        EXPECT_EQ(test::memberNames(plug, *plug.zones().at(2)),
                  (std::vector<std::string>{"DMR One", "DMR Two", "FM One"}));
        ASSERT_EQ(prompts_.asked().size(), askedBefore + 1);
        EXPECT_EQ(prompts_.asked().back().title, "Zone Name in Use");
        EXPECT_EQ(prompts_.asked().back().prompt, "Zone name is already in use;\r\nplease choose a new name.");
        EXPECT_EQ(prompts_.asked().back().maxLength, 16u);
        EXPECT_EQ(prompts_.lastText(), "New zone 'Zone A again' inserted with 3 channels.\r\n"
                                       "0 new channels added to codeplug; 3 duplicates skipped.");
        EXPECT_EQ(state_.currentZone, 2);
        EXPECT_EQ(plug.channels().count(), 5);
    }
}

TEST_F(Clipboard, CancellingTheZoneNameEndsThePasteWithNothingChanged)
{
    auto& plug = open(Md380Format);
    test::populate(plug);
    ASSERT_TRUE(plug.save(dir_.file("saved")));
    prompts_.clearShown();
    const auto text = "DMR-ZONE\r\nzone b\r\n" + channelsClipboardText(plug, {0}).substr(13) + "\r\n";
    const auto outcome = paste(plug, text);
    EXPECT_EQ(outcome.tab, PasteTab::Zones);
    EXPECT_EQ(plug.zones().count(), 2);
    EXPECT_FALSE(plug.changed());
    EXPECT_TRUE(prompts_.shown().empty());
    EXPECT_EQ(prompts_.asked().size(), 1u);

    // An answer that repeats the name in use ends it too, rather than asking for ever.
    for (int i = 0; i < 5; ++i)
        prompts_.type("ZONE B");
    paste(plug, text);
    EXPECT_EQ(plug.zones().count(), 2);
    EXPECT_EQ(prompts_.asked().size(), 2u);
}

TEST_F(Clipboard, AnEmptyZoneNameIsRefused)
{
    auto& plug = open(Md380Format);
    const auto outcome = paste(plug, "DMR-ZONE\r\n\r\n\r\n");
    EXPECT_TRUE(outcome.result.refused);
    EXPECT_EQ(outcome.tab, PasteTab::Zones);
    ASSERT_EQ(prompts_.shown().size(), 1u);
    EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts_.shown()[0].text, "Invalid zone name in clipboard data.");
    EXPECT_TRUE(plug.zones().empty());
}

TEST_F(Clipboard, A251stZoneIsRefused)
{
    auto& plug = open(RdbV2Format);
    for (int i = 0; i < MaxZones; ++i) {
        Zone zone = newZone(RdbV2Format);
        zone.setName("Z" + std::to_string(i));
        ASSERT_TRUE(plug.addZone(zone));
    }
    const auto outcome = paste(plug, "DMR-ZONE\r\nOne more\r\n\r\n");
    EXPECT_TRUE(outcome.result.refused);
    EXPECT_EQ(outcome.tab, PasteTab::None);
    EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"No room for more zones - maximum number reached."});
    EXPECT_EQ(plug.zones().count(), MaxZones);
}

TEST_F(Clipboard, ChannelsThatDoNotFitDuringAZonePasteAreReportedEachAndLeftOut)
{
    auto& source = open(Md380Format);
    test::populate(source);
    auto& plug = open(Md380Format);
    for (int i = 0; i < channelCapacity(Md380Format) - 1; ++i)
        ASSERT_EQ(plug.addChannel(test::makeChannel(plug, "Fill " + std::to_string(i), false)), AddResult::Added);
    ASSERT_EQ(plug.addChannel(test::makeChannel(plug, "fm one", false)), AddResult::Added);
    const auto outcome = paste(plug, zoneClipboardText(source, 0));
    EXPECT_EQ(outcome.channelsAdded, 0);
    EXPECT_EQ(outcome.duplicates, 1);
    EXPECT_EQ(outcome.zoneMembers, 1);
    EXPECT_EQ(prompts_.texts(),
              (std::vector<std::string>{"Channel memory became full (during zone paste).",
                                        "Channel memory became full (during zone paste).",
                                        "New zone 'Zone A' inserted with 1 channels.\r\n"
                                        "0 new channels added to codeplug; 1 duplicates skipped."}));
}

TEST_F(Clipboard, EveryPairOfFamiliesCarriesAZoneWithItsChannelsAndContacts)
{
    for (const auto from : test::AllFormats) {
        auto& source = open(from, "from");
        test::populate(source);
        const auto text = zoneClipboardText(source, 0);
        for (const auto to : test::AllFormats) {
            SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
            auto& plug = open(to, "to");
            const auto outcome = paste(plug, text);
            ASSERT_EQ(plug.zones().count(), 1);
            EXPECT_EQ(test::memberNames(plug, *plug.zones().at(0)),
                      (std::vector<std::string>{"DMR One", "DMR Two", "FM One"}));
            if (hasZoneBanks(from) && hasZoneBanks(to)) {
                EXPECT_EQ(test::memberNames(plug, *plug.zones().at(0), 2),
                          (std::vector<std::string>{"FM Two", "DMR Bare"}));
            }
            EXPECT_EQ(outcome.channelsAdded, hasZoneBanks(from) && hasZoneBanks(to) ? 5 : 3);
            EXPECT_EQ(test::channelContactName(plug, *plug.channelAt(test::channelIndex(plug, "DMR Two"))), "Alice");
            EXPECT_EQ(test::channelContactName(plug, *plug.channelAt(test::channelIndex(plug, "DMR One"))),
                      "TG Local");
        }
    }
}

} // namespace
} // namespace pw
