// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/structural_import.h"
#include "codeplug/record_factory.h"

#include "operations/structure_fixture.h"
#include "support/d868_fixture.h"
#include "support/rdb_fixture.h"
#include "support/scripted_prompts.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

constexpr FormatId OneOfEachFamily[] = {Md380Format, Md2017Format, RdbV11Format, RdbV2Format, D868Format};

class StructuralImport : public testing::Test {
protected:
    Codeplug& open(FormatId format)
    {
        plugs_.push_back(test::openEmpty(dir_, format, "plug" + std::to_string(plugs_.size())));
        return *plugs_.back();
    }
    Codeplug& populated(FormatId format)
    {
        auto& plug = open(format);
        test::populate(plug);
        return plug;
    }

    TempDir dir_;
    std::vector<std::unique_ptr<Codeplug>> plugs_;
    ScriptedPrompts prompts_;
};

TEST_F(StructuralImport, ChannelsWithoutContactsIntoAnEmptyCodeplugHaveNoTransmitContact)
{
    const auto& other = populated(RdbV2Format);
    auto& working = open(Md380Format);
    const auto counts = importStructuresFrom(working, other, ImportChannels);
    EXPECT_EQ(counts.channels, 5);
    EXPECT_TRUE(working.contacts().empty());
    for (const auto& channel : working.channels()) {
        EXPECT_EQ(channel->txContact(), 0);
        EXPECT_EQ(channel->rxGroupList(), 0);
        EXPECT_EQ(channel->scanList(), 0);
    }
}

TEST_F(StructuralImport, AZoneWithAllMembersMissingIsAddedEmptyOrInRdbWithTheFirstChannel)
{
    const auto& other = populated(Md380Format);
    for (const auto format : {Md2017Format, RdbV1Format, D868Format}) {
        SCOPED_TRACE(format);
        auto& working = open(format);
        test::addChannelNamed(working, "Mine", false);
        test::addChannelNamed(working, "Also mine", false);
        const auto counts = importStructuresFrom(working, other, ImportZones);
        EXPECT_EQ(counts.zones, 2);
        ASSERT_EQ(working.zones().count(), 2);
        const auto expected = familyOf(format) == FormatFamily::RdbFamily ? std::vector<std::string>{"Mine"}
                                                                           : std::vector<std::string>{};
        EXPECT_EQ(test::memberNames(working, *working.zones().at(0)), expected);
        EXPECT_EQ(test::memberNames(working, *working.zones().at(1)), expected);
    }
}

TEST_F(StructuralImport, AZoneWithAnEmptyFirstBankIsNotImported)
{
    auto& other = populated(Md380Format);
    Zone empty = newZone(Md380Format);
    empty.setName("Nothing");
    ASSERT_TRUE(other.addZone(empty));
    auto& working = open(Md380Format);
    EXPECT_EQ(importStructuresFrom(working, other, ImportChannels | ImportZones).zones, 2);
    EXPECT_EQ(test::named(working.zones(), "Nothing"), nullptr);
}

TEST_F(StructuralImport, ATwoBankZoneIntoAOneBankCodeplugKeepsItsFirstBank)
{
    const auto& other = populated(Md2017Format);
    auto& working = open(RdbV11Format);
    importStructuresFrom(working, other, ImportChannels | ImportZones);
    const auto* zone = test::named(working.zones(), "Zone A");
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(test::memberNames(working, *zone), (std::vector<std::string>{"DMR One", "DMR Two", "FM One"}));
}

TEST_F(StructuralImport, OnlyPrivateContactsLeavesGroupAndAllCallContactsBehind)
{
    const auto& other = populated(D868Format);
    auto& working = open(Md380Format);
    const auto counts = importStructuresFrom(working, other, ImportPrivateContacts);
    EXPECT_EQ(counts.contacts, 2);
    ASSERT_EQ(working.contacts().count(), 2);
    for (const auto& contact : working.contacts())
        EXPECT_EQ(contact->callType(), CallType::PrivateCall);
    auto& groups = open(RdbV2Format);
    EXPECT_EQ(importStructuresFrom(groups, other, ImportGroupContacts).contacts, 3);
}

TEST_F(StructuralImport, ContactDuplicatesAreRecognisedByDmrIdOnly)
{
    const auto& other = populated(Md380Format);
    auto& working = open(Md2017Format);
    ASSERT_EQ(working.addContact(test::makeContact(Md2017Format, 9, "Other name")), AddResult::Added);
    ASSERT_EQ(working.addContact(test::makeContact(Md2017Format, 12345, "Alice")), AddResult::Added);
    EXPECT_EQ(importStructuresFrom(working, other, ImportGroupContacts | ImportPrivateContacts).contacts, 4);
}

TEST_F(StructuralImport, D868ChannelsComeInWithTalkaroundAndPrivacyOff)
{
    auto& other = populated(Md380Format);
    for (const auto& channel : other.channels()) {
        channel->setTalkaround(true);
        channel->setPrivacy(true);
    }
    auto& working = open(D868Format);
    importStructuresFrom(working, other, ImportChannels);
    ASSERT_EQ(working.channels().count(), 5);
    for (const auto& channel : working.channels()) {
        EXPECT_FALSE(channel->talkaround());
        EXPECT_FALSE(channel->privacy());
    }
    // Other families keep them.
    auto& tyt = open(Md2017Format);
    importStructuresFrom(tyt, other, ImportChannels);
    EXPECT_TRUE(tyt.channelAt(0)->talkaround());
    EXPECT_TRUE(tyt.channelAt(0)->privacy());
}

TEST_F(StructuralImport, TakenNamesGetTheFirstFreeNumberWithinSixteenCharacters)
{
    auto& other = open(Md380Format);
    test::addChannelNamed(other, "Ch", false);
    for (const char* name : {"Sixteen chars ab", "Local"}) {
        ScanList list = newScanList(Md380Format);
        list.setName(name);
        list.addMember(other.memberNumberOf(0));
        ASSERT_TRUE(other.addScanList(list));
        Zone zone = newZone(Md380Format);
        zone.setName(name);
        zone.addMember(other.memberNumberOf(0));
        ASSERT_TRUE(other.addZone(zone));
    }
    auto& working = open(Md380Format);
    for (const char* name : {"Sixteen chars ab", "sixteen chars a1", "LOCAL", "Local1", "Local2"}) {
        ScanList list = newScanList(Md380Format);
        list.setName(name);
        ASSERT_TRUE(working.addScanList(list));
        Zone zone = newZone(Md380Format);
        zone.setName(name);
        ASSERT_TRUE(working.addZone(zone));
    }
    const auto counts = importStructuresFrom(working, other, ImportScanLists | ImportZones);
    EXPECT_EQ(counts.scanLists, 2);
    EXPECT_EQ(counts.zones, 2);
    EXPECT_EQ(working.scanListAt(5)->name(), "Sixteen chars a2");
    EXPECT_EQ(working.scanListAt(6)->name(), "Local3");
    EXPECT_EQ(working.zones().at(5)->name(), "Sixteen chars a2");
    EXPECT_EQ(working.zones().at(6)->name(), "Local3");
}

TEST_F(StructuralImport, RxGroupListsKeepTheirNamesAndLeaveOutMissingContacts)
{
    const auto& other = populated(Md380Format);
    auto& working = open(D868Format);
    ASSERT_EQ(working.addContact(test::makeContact(D868Format, 1, "First")), AddResult::Added);
    ASSERT_EQ(working.addContact(test::makeContact(D868Format, 91, "tg world")), AddResult::Added);
    ASSERT_TRUE(working.newRxGroupList("RG Main"));
    EXPECT_EQ(importStructuresFrom(working, other, ImportRxGroups).rxGroups, 2);
    ASSERT_EQ(working.rxGroupLists().count(), 3);
    EXPECT_EQ(working.rxGroupListAt(1)->name(), "RG Main");
    EXPECT_EQ(test::memberNames(working, *working.rxGroupListAt(1)), std::vector<std::string>{"tg world"});
    EXPECT_EQ(test::memberNames(working, *working.rxGroupListAt(2)), std::vector<std::string>{"tg world"});
}

TEST_F(StructuralImport, ScanListsAndZonesThatDoNotFitAreDroppedOneByOne)
{
    const auto& other = populated(Md380Format);
    auto& rdb = open(RdbV2Format);
    for (int i = 0; i < scanListCapacity(RdbV2Format) - 1; ++i) {
        ScanList list = newScanList(RdbV2Format);
        list.setName("S" + std::to_string(i));
        ASSERT_TRUE(rdb.addScanList(list));
    }
    EXPECT_EQ(scanListCapacity(RdbV2Format), 234);
    EXPECT_EQ(importStructuresFrom(rdb, other, ImportScanLists).scanLists, 1);
    EXPECT_EQ(rdb.scanLists().count(), 234);

    auto& tyt = open(Md380Format);
    test::addChannelNamed(tyt, "DMR One", true);
    for (int i = 0; i < MaxZones - 1; ++i) {
        Zone zone = newZone(Md380Format);
        zone.setName("Z" + std::to_string(i));
        ASSERT_TRUE(tyt.addZone(zone));
    }
    EXPECT_EQ(importStructuresFrom(tyt, other, ImportZones).zones, 1);
    EXPECT_EQ(tyt.zones().count(), MaxZones);
}

TEST_F(StructuralImport, AnEmptyScanListIsImportedTooUnderItsName)
{
    auto& other = populated(Md380Format);
    ScanList empty = newScanList(Md380Format);
    empty.setName("Empty");
    ASSERT_TRUE(other.addScanList(empty));
    auto& working = open(RdbV1Format);
    EXPECT_EQ(importStructuresFrom(working, other, ImportScanLists).scanLists, 3);
    const auto* list = test::named(working.scanLists(), "Empty");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->memberCount(), 0);
}

TEST_F(StructuralImport, ChannelsAlreadyThereArePointedAtTheImportedScanListOfTheirName)
{
    const auto& other = populated(Md2017Format);
    auto& working = open(D868Format);
    test::addChannelNamed(working, "fm one", false);
    test::addChannelNamed(working, "Unrelated", false);
    importStructuresFrom(working, other, ImportScanLists);
    EXPECT_EQ(test::scanListNameAt(working, working.channelAt(0)->scanList()), "Scan B");
    EXPECT_EQ(working.channelAt(1)->scanList(), 0);
}

// ---- Through a file, the report and the command ----

TEST_F(StructuralImport, TheReportHasALinePerChosenKindInTheOrderOfImport)
{
    StructuralImportCounts counts{1, 2, 3, 4, 5};
    EXPECT_EQ(structuralImportReport("/x/other.rdt", ImportAllKinds, counts),
              "Results of import from /x/other.rdt:\r\n\r\n1 contacts imported.\r\n2 Rx Groups imported.\r\n"
              "3 channels imported.\r\n4 scan lists imported.\r\n5 zones imported.\r\n");
    EXPECT_EQ(structuralImportReport("f", ImportZones | ImportPrivateContacts, counts),
              "Results of import from f:\r\n\r\n1 contacts imported.\r\n5 zones imported.\r\n");
}

TEST_F(StructuralImport, NothingChosenFailsWithItsReason)
{
    auto& working = open(Md380Format);
    std::string report = "old";
    EXPECT_FALSE(importStructures(working, dir_.file("plug0"), 0, report));
    EXPECT_EQ(report, "Error: No structures selected to import.");
}

TEST_F(StructuralImport, AFileThatDoesNotOpenFailsWithAnEmptyReport)
{
    auto& working = open(Md380Format);
    test::writeText(dir_.file("junk.rdt"), "not a codeplug");
    std::string report = "old";
    EXPECT_FALSE(importStructures(working, dir_.file("junk.rdt"), ImportAllKinds, report));
    EXPECT_EQ(report, "");
    EXPECT_FALSE(importStructures(working, dir_.file("missing.rdt"), ImportAllKinds, report));
}

TEST_F(StructuralImport, TheCommandAsksForTheFileShowsTheReportAndMakesTheFirstScanListCurrent)
{
    auto& working = populated(Md2017Format);
    ListTabState state;
    state.currentScanList = 1;
    state.currentZone = 7;
    const auto other = test::writeFixture(dir_.file("other.rdt"), Md380Format);
    prompts_.choose(other.string());
    const auto result = importStructuresCommand(working, prompts_, ImportChannels | ImportZones, state);
    EXPECT_EQ(state.currentScanList, 0);
    EXPECT_EQ(state.currentZone, 1);
    ASSERT_EQ(prompts_.requests().size(), 1u);
    const auto& request = prompts_.requests()[0];
    EXPECT_EQ(request.title, "Import Structures from a different Codeplug File...");
    EXPECT_EQ(request.confirmText, "Import >");
    EXPECT_EQ(request.filter, "RDT/RDT Files (*.rdt;*.rdb)|*.rdt;*.rdb|All Files (*.*)|*.*||");
    EXPECT_FALSE(result.refused);
    EXPECT_TRUE(includes(result.refresh, TabList::Contacts | TabList::Channels | TabList::Zones |
                                             TabList::ScanLists | TabList::RxGroups));
    ASSERT_EQ(prompts_.shown().size(), 1u);
    EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompts_.shown()[0].text.rfind("Results of import from " + other.string(), 0), 0u);
    EXPECT_EQ(prompts_.busyCount(), 1);
}

TEST_F(StructuralImport, TheCommandShowsFailuresWithTheirDetails)
{
    auto& working = open(Md380Format);
    ListTabState state;
    prompts_.choose(dir_.file("plug0").string());
    auto result = importStructuresCommand(working, prompts_, 0, state);
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(prompts_.shown().back().icon, MessageIcon::Error);
    EXPECT_EQ(prompts_.lastText(),
              "Failed to import one or more structures. Details:\r\n\r\nError: No structures selected to import.");
    prompts_.choose(dir_.file("missing").string());
    result = importStructuresCommand(working, prompts_, ImportAllKinds, state);
    EXPECT_EQ(prompts_.lastText(), "Failed to import one or more structures. Details:\r\n\r\n");

    // A cancelled chooser does nothing; without a codeplug the command says so.
    prompts_.clearShown();
    result = importStructuresCommand(working, prompts_, ImportAllKinds, state);
    EXPECT_TRUE(prompts_.shown().empty());
    Codeplug unloaded;
    importStructuresCommand(unloaded, prompts_, ImportAllKinds, state);
    EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"Please open a valid Codeplug file first."});
}

TEST_F(StructuralImport, SwitchingReceiveGroupsOnWarnsOnlyForD868Codeplugs)
{
    for (const auto format : OneOfEachFamily) {
        SCOPED_TRACE(format);
        auto& working = open(format);
        prompts_.clearShown();
        const bool shown = receiveGroupsSwitchedOn(working, prompts_);
        EXPECT_EQ(shown, format == D868Format);
        if (format == D868Format) {
            ASSERT_EQ(prompts_.shown().size(), 1u);
            EXPECT_EQ(prompts_.shown()[0].icon, MessageIcon::Information);
            EXPECT_EQ(prompts_.shown()[0].text,
                      "AnyTone Codeplug: Receive Groups selected for structural import.\r\nWe recommend that "
                      "importing receive groups for this family of radios only be\r\ndone if the purpose and effect "
                      "of the group import is understood.");
        } else {
            EXPECT_TRUE(prompts_.shown().empty());
        }
    }
    Codeplug unloaded;
    EXPECT_FALSE(receiveGroupsSwitchedOn(unloaded, prompts_));
}

// ---- Whole files, through the family codecs ----

TEST_F(StructuralImport, AFileImportedIntoItselfWithEveryKindDuplicatesItsListsAndZones)
{
    for (const auto format : test::AllFormats) {
        SCOPED_TRACE(format);
        const auto path = dir_.file("self" + std::to_string(format) + ".rdt");
        auto working = test::populatedFile(dir_, format, path);
        ASSERT_TRUE(working) << "the codec keeps the records added";
        std::string report;
        StructuralImportCounts counts;
        ASSERT_TRUE(importStructures(*working, path, ImportAllKinds, report, &counts));
        EXPECT_EQ(report, "Results of import from " + path.string() +
                              ":\r\n\r\n0 contacts imported.\r\n2 Rx Groups imported.\r\n0 channels imported.\r\n"
                              "2 scan lists imported.\r\n2 zones imported.\r\n");
        ASSERT_TRUE(working->save(path));

        Codeplug again;
        ASSERT_EQ(again.open(path), format);
        ASSERT_TRUE(again.decode());
        EXPECT_EQ(again.contacts().count(), 5);
        EXPECT_EQ(again.channels().count(), 5);
        ASSERT_EQ(again.rxGroupLists().count(), 4);
        ASSERT_EQ(again.scanLists().count(), 4);
        ASSERT_EQ(again.zones().count(), 4);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(again.rxGroupListAt(i + 2)->name(), again.rxGroupListAt(i)->name());
            EXPECT_EQ(test::memberNames(again, *again.rxGroupListAt(i + 2)),
                      test::memberNames(again, *again.rxGroupListAt(i)));
            EXPECT_EQ(again.scanListAt(i + 2)->name(), again.scanListAt(i)->name() + "1");
            EXPECT_EQ(test::memberNames(again, *again.scanListAt(i + 2)), test::memberNames(again, *again.scanListAt(i)));
            const Zone& original = *again.zones().at(i);
            const Zone& copy = *again.zones().at(i + 2);
            EXPECT_EQ(copy.name(), original.name() + "1");
            for (int bank = 1; bank <= original.bankCount(); ++bank) {
                EXPECT_EQ(test::memberNames(again, copy, bank), test::memberNames(again, original, bank));
                EXPECT_FALSE(test::memberNames(again, copy, 1).empty());
            }
        }
    }
}

TEST_F(StructuralImport, FilesOfOtherFamiliesImportWithEveryReferenceByName)
{
    const std::pair<FormatId, FormatId> pairs[] = {{D868Format, Md380Format}, {Md380Format, RdbV11Format},
                                                   {RdbV2Format, D868Format}, {Md2017Format, RdbV2Format},
                                                   {RdbV1Format, Md9600Format}};
    for (const auto& [from, to] : pairs) {
        SCOPED_TRACE(std::to_string(from) + " into " + std::to_string(to));
        const auto otherPath = dir_.file("from" + std::to_string(from));
        const auto workingPath = dir_.file("to" + std::to_string(to));
        const auto other = test::populatedFile(dir_, from, otherPath);
        auto working = test::openEmpty(dir_, to, "to" + std::to_string(to) + ".empty");
        ASSERT_EQ(working->addContact(test::makeContact(to, 777, "Already here")), AddResult::Added);
        test::addChannelNamed(*working, "Already here", false);
        ASSERT_TRUE(working->save(workingPath));
        ASSERT_TRUE(other);
        Codeplug reopened;
        ASSERT_EQ(reopened.open(workingPath), to);
        ASSERT_TRUE(reopened.decode());
        ASSERT_EQ(reopened.channels().count(), 1);
        std::string report;
        StructuralImportCounts counts;
        ASSERT_TRUE(importStructures(reopened, otherPath, ImportAllKinds, report, &counts));
        EXPECT_EQ(counts.contacts, 5);
        EXPECT_EQ(counts.channels, 5);
        EXPECT_EQ(counts.zones, 2);
        ASSERT_TRUE(reopened.save(workingPath));
        Codeplug again;
        ASSERT_EQ(again.open(workingPath), to);
        ASSERT_TRUE(again.decode());
        test::expectSameReferencesByName(again, *other);
    }
}

// Files laid out by the fixture builders, as the vendor software lays them out, rather than saved by
// the codecs under test: D868 into TYT, TYT into RDB, RDB into D868.
TEST_F(StructuralImport, VendorLayoutFilesImportAcrossFamiliesWithEveryReferenceByName)
{
    test::D868Fixture d868;
    auto contact = [](std::uint32_t record, std::uint32_t dmrId, const char* name, int callType) {
        test::D868FixtureContact made;
        made.recordNumber = record;
        made.dmrId = dmrId;
        made.name = name;
        made.callType = callType;
        return made;
    };
    d868.talkgroups = {contact(1, 9, "Local", 1), contact(2, 91, "World", 1)};
    d868.digitalContacts = {contact(1, 2345001, "Alice", 0)};
    d868.channels = {{1, "Repeater", 439.5, true, 1, 0, 0}, {2, "Simplex", 145.5, false, 0, 255, 0}};
    d868.zones = {{"Home", {0, 1}}, {"Away", {1}}};
    d868.scanLists = {{"Scan", {1, 0}}};
    d868.rxGroups = {{"Groups", {0, 1}}};
    const auto d868Path = dir_.file("vendor.dcf");
    test::writeBytes(d868Path, test::buildD868Fixture(d868));

    test::TytFixture tyt(Md380Format);
    const int mine = tyt.addContact(777, "Mine");
    tyt.addChannel(test::tytDigitalChannel(Md380Format, "Mine", 438.0, mine));
    const auto tytPath = tyt.write(dir_.file("vendor.rdt"));

    test::RdbFixture rdb(RdbV11Format);
    rdb.addContact(rdb.contact(555, "Other", CallType::GroupCall));
    const int slot = rdb.addChannel(rdb.analogChannel("Other", 146.0));
    rdb.addZone(rdb.zone("Other", {slot}));
    const auto rdbPath = rdb.write(dir_.file("vendor.rdb"));

    const std::pair<std::filesystem::path, std::filesystem::path> steps[] = {
        {d868Path, tytPath}, {tytPath, rdbPath}, {rdbPath, d868Path}};
    for (const auto& [from, to] : steps) {
        SCOPED_TRACE(from.filename().string() + " into " + to.filename().string());
        Codeplug other;
        ASSERT_NE(other.open(from), NoFormat);
        ASSERT_TRUE(other.decode());
        ASSERT_GE(other.channels().count(), 2);
        ASSERT_GE(other.zones().count(), 2);
        Codeplug working;
        ASSERT_NE(working.open(to), NoFormat);
        ASSERT_TRUE(working.decode());
        std::string report;
        StructuralImportCounts counts;
        ASSERT_TRUE(importStructures(working, from, ImportAllKinds, report, &counts));
        EXPECT_GE(counts.channels, 2);
        EXPECT_GE(counts.zones, 2);
        ASSERT_TRUE(working.save(to));
        Codeplug again;
        ASSERT_EQ(again.open(to), working.formatId());
        ASSERT_TRUE(again.decode());
        test::expectSameReferencesByName(again, other);
    }
}

} // namespace
} // namespace pw
