// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/contact_commands.h"
#include "operations/contact_transfer.h"

#include "model/unicode_text.h"
#include "operations/transfer_fixture.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

class ContactCsv : public testing::Test {
protected:
    Codeplug& open(FormatId format)
    {
        codeplug_ = test::openEmpty(dir_, format);
        return *codeplug_;
    }

    // Runs the CSV import command on a file holding `text`; the closing message.
    std::string importText(const std::string& text)
    {
        const auto path = dir_.file("in.csv");
        test::writeText(path, text);
        ScriptedPrompts prompts;
        prompts.choose(path.string());
        importContactsCsvCommand(*codeplug_, prompts);
        return prompts.lastText();
    }

    TempDir dir_;
    std::unique_ptr<Codeplug> codeplug_;
};

TEST_F(ContactCsv, ExportWritesOneQuotedLinePerContactWithCrLf)
{
    auto& plug = open(Md380Format);
    ASSERT_EQ(plug.addContact(test::makeContact(Md380Format, 3100, "Worldwide", CallType::GroupCall, true)), AddResult::Added);
    ASSERT_EQ(plug.addContact(test::makeContact(Md380Format, 2345678, "Jane Doe")), AddResult::Added);
    const auto path = dir_.file("out.csv");
    ASSERT_TRUE(exportContactsCsv(plug, path));
    EXPECT_EQ(test::readText(path), "\"3100\",\"Worldwide\",\"Group Call\",\"Yes\",\"\",\"\",\"\",\"\",\"\"\r\n"
                                    "\"2345678\",\"Jane Doe\",\"Private Call\",\"No\",\"\",\"\",\"\",\"\",\"\"\r\n");
}

TEST_F(ContactCsv, D868ExportCarriesTheFiveTexts)
{
    auto& plug = open(D868Format);
    auto contact = test::makeContact(D868Format, 7, "Ann");
    contact.setCallsign("K1ANN");
    contact.setCity("Springfield");
    contact.setState("IL");
    contact.setCountry("United States");
    contact.setRemarks("club");
    ASSERT_EQ(plug.addContact(contact), AddResult::Added);
    EXPECT_EQ(contactsCsvText(plug),
              "\"7\",\"Ann\",\"Private Call\",\"No\",\"K1ANN\",\"Springfield\",\"IL\",\"United States\",\"club\"\r\n");
}

TEST_F(ContactCsv, ExportRefusesAnEmptyTableAndAFileItCannotWrite)
{
    auto& plug = open(RdbV2Format);
    EXPECT_FALSE(exportContactsCsv(plug, dir_.file("empty.csv")));
    EXPECT_FALSE(std::filesystem::exists(dir_.file("empty.csv")));
    test::addContacts(plug, 100, 2);
    EXPECT_FALSE(exportContactsCsv(plug, dir_.file("missing-folder") / "out.csv"));
    // A target that is a folder is left as it was.
    std::filesystem::create_directory(dir_.file("folder"));
    EXPECT_FALSE(exportContactsCsv(plug, dir_.file("folder")));
    EXPECT_TRUE(std::filesystem::is_directory(dir_.file("folder")));
}

TEST_F(ContactCsv, ExportThenImportIntoTheSameCodeplugAddsNothing)
{
    for (const auto format : test::AllFormats) {
        SCOPED_TRACE(format);
        auto& plug = open(format);
        test::addContacts(plug, 1000, 25);
        ASSERT_EQ(plug.addContact(test::makeContact(format, 9, "Everyone", CallType::AllCall)), AddResult::Added);
        const auto path = dir_.file("round.csv");
        ASSERT_TRUE(exportContactsCsv(plug, path));
        const auto before = test::contactLines(plug);
        EXPECT_EQ(importText(test::readText(path)), "0 contacts imported.");
        EXPECT_EQ(test::contactLines(plug), before);
        EXPECT_FALSE(plug.changed());
    }
}

TEST_F(ContactCsv, EveryLineThatBecomesNoContactIsCountedByItsReason)
{
    const std::string tail = "\",\"Name\",\"Private Call\",\"No\"";
    const struct {
        std::string line;
        std::string reason;
    } cases[] = {
        {"\"-1" + tail, "DMR ID not a number"},     {"\"+5" + tail, "DMR ID not a number"},
        {"\" 12 " + tail, "DMR ID not a number"},   {"12 ,\"Name\",\"G\",\"No\"", "DMR ID not a number"},
        {"\"0x10" + tail, "DMR ID not a number"},   {"\"1e5" + tail, "DMR ID not a number"},
        {"\"12abc" + tail, "DMR ID not a number"},  {"\"abc" + tail, "DMR ID not a number"},
        {"\"" + tail, "DMR ID not a number"},       {"\"16777216" + tail, "DMR ID above 16777215"},
        {"\"4294967296" + tail, "DMR ID above 16777215"},
        {"\"1\",\"x\"", "line shorter than 10 characters"},
        {"\"201\",\"Three\",\"Group Call\"", "fewer than four fields"},
        {"\"7\",\"Nul" + std::string(1, '\0') + "x\",\"Private Call\",\"No\"", "zero byte in the line"},
        {"\"8\",\"" + std::string(4090, 'x') + "\",\"P\",\"N\"", "line longer than 4,096 characters"},
        {"\"9\",\"" + std::string(10'000'000, 'x') + "\",\"P\",\"N\"", "line longer than 4,096 characters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 40));
        auto& plug = open(Md9600Format);
        // A first line that names the columns and blank lines are no records and no refusals.
        EXPECT_EQ(importText("\"Radio ID\",\"Name\",\"Call Type\",\"Alert\"\r\n" + c.line + "\r\n \r\n\r\n" +
                             "\"16777215\",\"Four\",\"Group Call\",\"Yes\"\r\n"),
                  "1 contacts imported.\r\n1 line refused: " + c.reason + " (1)");
        ASSERT_EQ(plug.contacts().count(), 1);
        EXPECT_EQ(plug.contactAt(0)->dmrId(), 16777215u);
    }
}

TEST_F(ContactCsv, RefusedLinesAreGroupedByReasonTheMostFrequentFirst)
{
    open(Md380Format);
    EXPECT_EQ(importText(std::string(5000, 'x') + "\r\n\"a\",\"N\",\"G\",\"No\"\r\n\"b\",\"N\",\"G\",\"No\"\r\n"),
              "0 contacts imported.\r\n3 lines refused: DMR ID not a number (2), line longer than 4,096 characters (1)");
    // A word in the first field of any but the first line is no column title.
    EXPECT_EQ(importText("\"1\",\"N\",\"G\",\"No\"\r\n\"ID\",\"Name\",\"Type\",\"Alert\"\r\n"),
              "1 contacts imported.\r\n1 line refused: DMR ID not a number (1)");
}

TEST_F(ContactCsv, CrLfAndCrLfLineEndsAndUtf16FilesAllRead)
{
    const std::string lines[] = {"\"1\",\"\xC5\x81\xC3\xB3" "d\xC5\xBA\",\"Private Call\",\"No\"",
                                 "\"2\",\"Two\",\"Group Call\",\"Yes\"", "\"3\",\"Three\",\"All Call\",\"No\""};
    const auto joined = [&lines](const std::string& end) { return lines[0] + end + lines[1] + end + lines[2] + end; };
    const auto utf16 = [](const std::string& utf8, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (std::size_t at = 0; at < utf8.size();) {
            const char32_t c = decodeUtf8At(utf8, at);
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    for (const auto& text : {joined("\r"), joined("\n"), joined("\r\n"), lines[0] + "\r" + lines[1] + "\r\n" + lines[2],
                             utf16(joined("\r\n"), false), utf16(joined("\n"), true)}) {
        auto& plug = open(Md380Format);
        EXPECT_EQ(importText(text), "3 contacts imported.");
        ASSERT_EQ(plug.contacts().count(), 3);
        EXPECT_EQ(plug.contactAt(0)->name(), "\xC5\x81\xC3\xB3" "d\xC5\xBA");
        EXPECT_EQ(plug.contactAt(2)->name(), "Three");
    }
}

TEST_F(ContactCsv, FourFieldsImportIntoD868WithoutTheTexts)
{
    auto& plug = open(D868Format);
    EXPECT_EQ(importText("\"55\",\"Short\",\"Private Call\",\"No\"\r\n"
                         "\"56\",\"Long\",\"Private Call\",\"y\",\"W1AW\",\"Newington\",\"CT\",\"USA\",\"HQ\"\r\n"),
              "2 contacts imported.");
    const auto* shortOne = plug.contactAt(0);
    EXPECT_EQ(shortOne->callsign() + shortOne->city() + shortOne->state() + shortOne->country() + shortOne->remarks(),
              "");
    const auto* longOne = plug.contactAt(1);
    EXPECT_TRUE(longOne->alertTone());
    EXPECT_EQ(longOne->callsign(), "W1AW");
    EXPECT_EQ(longOne->city(), "Newington");
    EXPECT_EQ(longOne->state(), "CT");
    EXPECT_EQ(longOne->country(), "USA");
    EXPECT_EQ(longOne->remarks(), "HQ");
}

TEST_F(ContactCsv, LowerCaseAGivesAllCallWithIdFFFFFF)
{
    auto& plug = open(RdbV1Format);
    EXPECT_EQ(importText("\"12\",\"All\",\"all call\",\"No\"\r\n"), "1 contacts imported.");
    EXPECT_EQ(plug.contactAt(0)->callType(), CallType::AllCall);
    EXPECT_EQ(plug.contactAt(0)->dmrId(), 16777215u);
}

TEST_F(ContactCsv, TwoLinesWithOneNewIdAreBothAdded)
{
    auto& plug = open(Md380Format);
    test::addContacts(plug, 10, 1);
    EXPECT_EQ(importText("\"10\",\"Old\",\"Private Call\",\"No\"\r\n"
                         "\"77\",\"First\",\"Private Call\",\"No\"\r\n"
                         "\"77\",\"Second\",\"Private Call\",\"No\""),  // no line end on the last line
              "2 contacts imported.");
    EXPECT_EQ(plug.contacts().count(), 3);
    EXPECT_EQ(plug.contactAt(1)->name(), "First");
    EXPECT_EQ(plug.contactAt(2)->name(), "Second");
}

TEST_F(ContactCsv, AHundredThousandLinesIntoAThousandSlotsSayHowManyWereLeftOut)
{
    open(Md380Format);
    std::string text;
    for (int i = 1; i <= 100000; ++i)
        text += "\"" + std::to_string(i) + "\",\"N\",\"Private Call\",\"No\"\r\n";
    EXPECT_EQ(importText(text), "1000 contacts imported.\r\n99,000 not imported: the contact table holds at most 1,000");
}

TEST_F(ContactCsv, ImportStopsWhereTheTableIsFull)
{
    auto& plug = open(Md380Format);
    test::addContacts(plug, 1, 995);
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "\"" + std::to_string(5000 + i) + "\",\"N" + std::to_string(i) + "\",\"Private Call\",\"No\"\r\n";
    EXPECT_EQ(importText(text), "5 contacts imported.\r\n5 not imported: the contact table holds at most 1,000");
    EXPECT_EQ(plug.contacts().count(), 1000);
    EXPECT_EQ(plug.contactAt(999)->name(), "N4");
}

TEST_F(ContactCsv, QuotesCommasAndSingleQuotesAreRead)
{
    auto& plug = open(Md2017Format);
    EXPECT_EQ(importText("\"1001\",\"Doe, Jane\",\"Private Call\",\"No\"\r\n"
                         "'1002','Single',\"Group Call\",'Yes'\r\n"),
              "2 contacts imported.");
    EXPECT_EQ(plug.contactAt(0)->name(), "Doe, Jane");
    EXPECT_EQ(plug.contactAt(1)->name(), "Single");
    EXPECT_EQ(plug.contactAt(1)->callType(), CallType::GroupCall);
    EXPECT_TRUE(plug.contactAt(1)->alertTone());
}

TEST_F(ContactCsv, NamesWithQuotesAndLineBreaksSurviveTheRoundTrip)
{
    auto& source = open(Md380Format);
    ASSERT_EQ(source.addContact(test::makeContact(Md380Format, 1, "Bob \"Chief\"", CallType::GroupCall)), AddResult::Added);
    ASSERT_EQ(source.addContact(test::makeContact(Md380Format, 2, "O'Brien \"Jr\"")), AddResult::Added);
    ASSERT_EQ(source.addContact(test::makeContact(Md380Format, 3, "Two\r\nLines")), AddResult::Added);
    const auto path = dir_.file("quotes.csv");
    ASSERT_TRUE(exportContactsCsv(source, path));

    TempDir other;
    auto target = test::openEmpty(other, Md380Format);
    EXPECT_EQ(importContactsCsv(*target, path), 3);
    EXPECT_EQ(target->contactAt(0)->name(), "Bob \"Chief\"");
    EXPECT_EQ(target->contactAt(0)->callType(), CallType::GroupCall);
    EXPECT_EQ(target->contactAt(1)->name(), "O'Brien 'Jr'");
    EXPECT_EQ(target->contactAt(2)->name(), "Two\r Lines");  // the CR stays within its quoted field
}

TEST_F(ContactCsv, TheTailOfAnOverlongLineIsNotReadAsALineOfItsOwn)
{
    auto& plug = open(Md380Format);
    const std::string longLine = std::string(100000, 'x') + "\"99\",\"Tail\",\"Private Call\",\"No\"";
    EXPECT_EQ(importText(longLine + "\r\n\"98\",\"Kept\",\"Private Call\",\"No\"\r\n"),
              "1 contacts imported.\r\n1 line refused: line longer than 4,096 characters (1)");
    ASSERT_EQ(plug.contacts().count(), 1);
    EXPECT_EQ(plug.contactAt(0)->name(), "Kept");
}

TEST_F(ContactCsv, ImportOfAFileThatCannotBeOpenedSaysSo)
{
    auto& plug = open(Md380Format);
    ScriptedPrompts prompts;
    const auto missing = dir_.file("missing.csv").string();
    prompts.choose(missing);
    const auto outcome = importContactsCsvCommand(plug, prompts);
    EXPECT_EQ(outcome.status, TransferOutcome::Status::Failed);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "File '" + missing + "' could not be opened.");
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(importContactsCsv(plug, missing), 0);
    EXPECT_EQ(importContactsCsv(plug, dir_.path()), 0);
}

// ---- The merge ----

class ContactMerge : public ContactCsv {
protected:
    RecordList<Contact> incoming_;

    void offer(FormatId format, std::uint32_t id, const std::string& name, CallType type = CallType::PrivateCall)
    {
        incoming_.append(std::make_unique<Contact>(test::makeContact(format, id, name, type)));
    }
};

TEST_F(ContactMerge, OptionsChooseTheCallTypesTaken)
{
    auto& plug = open(RdbV2Format);
    offer(Md380Format, 1, "Group", CallType::GroupCall);
    offer(Md380Format, 2, "Private");
    offer(Md380Format, 3, "All", CallType::AllCall);
    EXPECT_EQ(mergeContacts(plug, incoming_, false, MergeGroupCalls), 2);
    EXPECT_EQ(plug.contacts().count(), 2);
    EXPECT_EQ(plug.contactAt(0)->name(), "Group");
    EXPECT_EQ(plug.contactAt(1)->name(), "All");
    EXPECT_EQ(mergeContacts(plug, incoming_, false, MergePrivateCalls), 1);
    EXPECT_EQ(plug.contactAt(2)->name(), "Private");
    EXPECT_EQ(mergeContacts(plug, incoming_, false, 0), 0);
    EXPECT_EQ(plug.contacts().count(), 3);
}

TEST_F(ContactMerge, PresentIdsAreSkippedUnlessAddedWithoutCheck)
{
    auto& plug = open(Md2017Format);
    test::addContacts(plug, 500, 3);
    offer(Md2017Format, 501, "Again");
    offer(Md2017Format, 900, "New");
    EXPECT_EQ(mergeContacts(plug, incoming_, false, MergeBothCallTypes), 1);
    EXPECT_EQ(plug.contacts().count(), 4);
    EXPECT_EQ(plug.contactAt(1)->name(), "C501");
    EXPECT_TRUE(plug.changed());
    EXPECT_EQ(mergeContacts(plug, incoming_, true, MergeBothCallTypes), 2);
    EXPECT_EQ(plug.contacts().count(), 6);
}

TEST_F(ContactMerge, UpdateExistingOverwritesNameAndTextsOfTheFirstContactWithTheId)
{
    auto& plug = open(D868Format);
    test::addContacts(plug, 40, 2);
    ASSERT_EQ(plug.addContact(test::makeContact(D868Format, 41, "Second41"), true), AddResult::Added);
    auto fresh = test::makeContact(D868Format, 41, "Renamed", CallType::GroupCall, true);
    fresh.setCallsign("N0CALL");
    fresh.setCity("Paris");
    fresh.setState("IDF");
    fresh.setCountry("France");
    fresh.setRemarks("moved");
    incoming_.append(std::make_unique<Contact>(fresh));
    offer(D868Format, 99, "Brand New");

    EXPECT_EQ(mergeContacts(plug, incoming_, false, MergeBothCallTypes | MergeUpdateExisting), 2);
    ASSERT_EQ(plug.contacts().count(), 4);
    const auto* updated = plug.contactAt(1);
    EXPECT_EQ(updated->name(), "Renamed");
    EXPECT_EQ(updated->callsign(), "N0CALL");
    EXPECT_EQ(updated->city(), "Paris");
    EXPECT_EQ(updated->state(), "IDF");
    EXPECT_EQ(updated->country(), "France");
    EXPECT_EQ(updated->remarks(), "moved");
    // Only the name and the texts change.
    EXPECT_EQ(updated->callType(), CallType::PrivateCall);
    EXPECT_FALSE(updated->alertTone());
    EXPECT_EQ(plug.contactAt(2)->name(), "Second41");
    EXPECT_EQ(plug.contactAt(3)->name(), "Brand New");
}

TEST_F(ContactMerge, AFullTableEndsTheMerge)
{
    auto& plug = open(Md380Format);
    test::addContacts(plug, 1, 998);
    offer(Md380Format, 2000, "A");
    offer(Md380Format, 1, "Present");
    offer(Md380Format, 2001, "B");
    offer(Md380Format, 2002, "C");
    EXPECT_EQ(mergeContacts(plug, incoming_, false, MergeBothCallTypes), 2);
    EXPECT_EQ(plug.contacts().count(), 1000);
}

TEST_F(ContactMerge, NothingToMergeLeavesTheCodeplugUnchanged)
{
    auto& plug = open(Md380Format);
    EXPECT_EQ(mergeContacts(plug, incoming_, false, MergeBothCallTypes), 0);
    EXPECT_EQ(mergeContactsFromCodeplug(plug, nullptr, false, MergeBothCallTypes), 0);
    EXPECT_EQ(mergeContactsFromCodeplug(plug, &plug, false, MergeBothCallTypes), 0);
    EXPECT_FALSE(plug.changed());

    Codeplug unloaded;
    offer(Md380Format, 5, "X");
    EXPECT_EQ(mergeContacts(unloaded, incoming_, false, MergeBothCallTypes), 0);
    EXPECT_FALSE(unloaded.changed());
}

TEST_F(ContactMerge, MergeFromAnotherCodeplugConvertsTheFamily)
{
    auto& plug = open(RdbV1Format);
    TempDir otherDir;
    auto other = test::openEmpty(otherDir, D868Format);
    auto contact = test::makeContact(D868Format, 3120, "Group-1", CallType::GroupCall, true);
    contact.setCity("Lost");
    ASSERT_EQ(other->addContact(contact), AddResult::Added);
    EXPECT_EQ(mergeContactsFromCodeplug(plug, other.get(), false, MergeBothCallTypes), 1);
    const auto* merged = plug.contactAt(0);
    EXPECT_EQ(&merged->format(), recordFormatsOf(RdbV1Format).contact);
    EXPECT_EQ(merged->name(), "Group.1");  // the six-bit alphabet has no hyphen
    EXPECT_EQ(merged->dmrId(), 3120u);
    EXPECT_EQ(merged->callType(), CallType::GroupCall);
    EXPECT_TRUE(merged->alertTone());
    EXPECT_EQ(merged->city(), "");
}

// ---- One line ----

TEST(AddContactFromLine, ResultsFollowTheLineAndTheTable)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, Md380Format);
    const auto readOf = [&plug](std::string_view line) { return addContactFromLine(*plug, line).read; };
    EXPECT_EQ(readOf("\"1\",\"A\""), ContactLineRead::TooShort);
    EXPECT_EQ(readOf("\"1234\",\"Only two\""), ContactLineRead::TooFewFields);
    EXPECT_EQ(readOf("\"word\",\"Name\",\"Group Call\",\"No\""), ContactLineRead::IdNotANumber);
    EXPECT_EQ(readOf("\"16777216\",\"Name\",\"Group Call\",\"No\""), ContactLineRead::IdOutOfRange);
    EXPECT_FALSE(plug->changed());
    EXPECT_EQ(addContactFromLine(*plug, "\"1234\",\"Name\",\"Group Call\",\"No\"").add, AddResult::Added);
    EXPECT_TRUE(plug->changed());
    EXPECT_EQ(addContactFromLine(*plug, "\"1234\",\"Again\",\"Group Call\",\"No\"").add, AddResult::DuplicateRefused);
    test::addContacts(*plug, 10, 999);
    EXPECT_EQ(addContactFromLine(*plug, "\"4321\",\"Full\",\"Group Call\",\"No\"").add, AddResult::TableFullRefused);
    Codeplug unloaded;
    EXPECT_EQ(addContactFromLine(unloaded, "\"4321\",\"Name\",\"Group Call\",\"No\"").add, AddResult::NotLoadedRefused);
}

// ---- Commands ----

TEST_F(ContactCsv, CommandsNeedALoadedCodeplug)
{
    Codeplug unloaded;
    ScriptedPrompts prompts;
    EXPECT_EQ(mergeContactsCommand(unloaded, prompts).status, TransferOutcome::Status::Refused);
    EXPECT_EQ(importContactsCsvCommand(unloaded, prompts).status, TransferOutcome::Status::Refused);
    EXPECT_EQ(exportContactsCsvCommand(unloaded, prompts).status, TransferOutcome::Status::Refused);
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Please open a valid Codeplug file first.",
                                                         "Please open a valid Codeplug file first.",
                                                         "There are no valid contacts in the file to export."}));
    EXPECT_TRUE(prompts.requests().empty());
}

TEST_F(ContactCsv, FileChoosersCarryTheirTitlesButtonsAndFilters)
{
    auto& plug = open(Md380Format);
    test::addContacts(plug, 1, 1);
    ScriptedPrompts prompts;
    EXPECT_EQ(mergeContactsCommand(plug, prompts).status, TransferOutcome::Status::Cancelled);
    EXPECT_EQ(importContactsCsvCommand(plug, prompts).status, TransferOutcome::Status::Cancelled);
    EXPECT_EQ(exportContactsCsvCommand(plug, prompts).status, TransferOutcome::Status::Cancelled);
    EXPECT_TRUE(prompts.shown().empty());
    ASSERT_EQ(prompts.requests().size(), 3u);
    const auto& merge = prompts.requests()[0];
    EXPECT_EQ(merge.title, "Merge Contacts from a different Codeplug File...");
    EXPECT_EQ(merge.confirmText, "Merge >");
    EXPECT_EQ(merge.filter, "RDT/RDT Files (*.rdt;*.rdb)|*.rdt;*.rdb|All Files (*.*)|*.*||");
    const auto& import = prompts.requests()[1];
    EXPECT_EQ(import.title, "Import Contacts from a CSV File...");
    EXPECT_EQ(import.confirmText, "CSV Import >");
    EXPECT_EQ(import.filter, "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||");
    const auto& exportRequest = prompts.requests()[2];
    EXPECT_EQ(exportRequest.title, "Export Contacts as Comma-Separated Values...");
    EXPECT_EQ(exportRequest.confirmText, "CSV Export >");
    EXPECT_EQ(exportRequest.defaultExtension, "csv");
    EXPECT_EQ(exportRequest.mode, FileChooserRequest::Mode::Save);
    EXPECT_EQ(exportRequest.filter, "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||");
}

TEST_F(ContactCsv, ExportCommandReportsSuccessAndFailure)
{
    auto& plug = open(RdbV11Format);
    test::addContacts(plug, 1, 3);
    ScriptedPrompts prompts;
    prompts.choose(dir_.file("good.csv").string());
    prompts.choose((dir_.file("no-such-folder") / "bad.csv").string());
    EXPECT_TRUE(exportContactsCsvCommand(plug, prompts).done());
    EXPECT_EQ(exportContactsCsvCommand(plug, prompts).status, TransferOutcome::Status::Failed);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].text, "Contacts succesfully exported.");
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompts.shown()[1].text, "Failed to export contact data.");
    EXPECT_EQ(prompts.shown()[1].icon, MessageIcon::Error);
    EXPECT_EQ(prompts.busyCount(), 2);
    EXPECT_FALSE(prompts.busy());
}

TEST_F(ContactCsv, MergeCommandRefusesAFileThatIsNoCodeplug)
{
    auto& plug = open(Md380Format);
    test::writeText(dir_.file("junk.rdt"), std::string(5000, 'j'));
    ScriptedPrompts prompts;
    prompts.choose(dir_.file("junk.rdt").string());
    EXPECT_EQ(mergeContactsCommand(plug, prompts).status, TransferOutcome::Status::Failed);
    EXPECT_EQ(prompts.lastText(), "Unable to open the specified file for merging.");
    EXPECT_EQ(plug.contacts().count(), 0);
}

TEST_F(ContactCsv, ImportCommandShowsTheWaitCursorAndTheCount)
{
    auto& plug = open(Md380Format);
    test::writeText(dir_.file("two.csv"), "\"1\",\"One\",\"Group Call\",\"No\"\r\n\"2\",\"Two\",\"Group Call\",\"No\"\r\n");
    ScriptedPrompts prompts;
    prompts.choose(dir_.file("two.csv").string());
    const auto outcome = importContactsCsvCommand(plug, prompts);
    EXPECT_TRUE(outcome.done());
    EXPECT_EQ(outcome.added, 2);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"2 contacts imported."});
    EXPECT_EQ(prompts.busyCount(), 1);
    EXPECT_FALSE(prompts.busy());
    EXPECT_TRUE(plug.changed());
}

TEST_F(ContactCsv, ContactSortFollowsTheHeadingsOfEachList)
{
    auto& plug = open(Md380Format);
    ASSERT_EQ(plug.addContact(test::makeContact(Md380Format, 30, "b", CallType::AllCall)), AddResult::Added);
    ASSERT_EQ(plug.addContact(test::makeContact(Md380Format, 10, "c", CallType::GroupCall)), AddResult::Added);
    ASSERT_EQ(plug.addContact(test::makeContact(Md380Format, 20, "a")), AddResult::Added);
    auto names = [&plug] {
        std::string all;
        for (const auto& c : plug.contacts())
            all += c->name();
        return all;
    };
    // "b" is an All Call contact and so has ID 16777215.
    EXPECT_FALSE(sortContactsCommand(plug, 0));
    EXPECT_FALSE(sortContactsCommand(plug, 3));
    EXPECT_FALSE(plug.changed());
    EXPECT_EQ(names(), "bca");
    EXPECT_TRUE(sortContactsCommand(plug, 2));
    EXPECT_EQ(names(), "abc");
    EXPECT_TRUE(plug.changed());
    EXPECT_TRUE(sortContactsCommand(plug, 1));
    EXPECT_EQ(names(), "cab");
    EXPECT_TRUE(sortContactsCommand(plug, 3, ContactListKind::RxGroupMaster));
    EXPECT_EQ(names(), "cab");
}

} // namespace
} // namespace pw
