// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_contact_add.h"
#include "codeplug/record_factory.h"

#include "codeplug/codeplug.h"
#include "iddb/iddb_test_records.h"
#include "operations/transfer_fixture.h"
#include "iddb/settings_block.h"
#include "support/fixture_builder.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace pw {
namespace {

using test::idRecord;

// Stands in for the contact merge with the rules the searcher relies on: contacts whose DMR ID was
// present before the merge are skipped, or with `refreshExisting` overwrite the name and texts of
// the first contact holding that ID.
int mergeLikeTheContactMerge(Codeplug& codeplug, const RecordList<Contact>& incoming, bool refreshExisting)
{
    std::vector<std::uint32_t> present;
    for (const auto& contact : codeplug.contacts())
        present.push_back(contact->dmrId());
    std::sort(present.begin(), present.end());
    int count = 0;
    for (const auto& contact : incoming) {
        if (!std::binary_search(present.begin(), present.end(), contact->dmrId())) {
            const AddResult result = codeplug.addContact(*contact, true);
            if (result == AddResult::Added)
                ++count;
            if (result == AddResult::TableFullRefused)
                break;
        } else if (refreshExisting) {
            for (const auto& existing : codeplug.contacts()) {
                if (existing->dmrId() != contact->dmrId())
                    continue;
                existing->setName(contact->name());
                existing->setCallsign(contact->callsign());
                existing->setCity(contact->city());
                existing->setState(contact->state());
                existing->setCountry(contact->country());
                existing->setRemarks(contact->remarks());
                ++count;
                break;
            }
        }
    }
    codeplug.markChanged();
    return count;
}

struct MergeSpy {
    int calls = 0;
    bool refresh = false;
    std::vector<std::string> lines;
    ContactMerge merge()
    {
        return [this](Codeplug& codeplug, const RecordList<Contact>& incoming, bool refreshExisting) {
            ++calls;
            refresh = refreshExisting;
            for (const auto& contact : incoming)
                lines.push_back(contact->toLine());
            return mergeLikeTheContactMerge(codeplug, incoming, refreshExisting);
        };
    }
};

std::vector<IdRecordFields> fiveRecords()
{
    return {
        idRecord("3100001", "K0AAA", "Alice Adams", "Ames", "Iowa", "United States", "one"),
        idRecord("3100002", "K0BBB", "Bob Brown", "Boone", "Iowa", "United States"),
        idRecord("3100003", "K0CCC", "Carol Clark", "Clive", "Iowa", "United States"),
        idRecord("3100004", "K0DDD", "Dan Davis", "Dallas Center", "Iowa", "United States"),
        idRecord("3100005", "K0EEE", "Eve Evans", "Elkhart", "Iowa", "United States"),
    };
}

class AddRecords : public ::testing::Test {
protected:
    void open(FormatId format)
    {
        const auto path = test::writeFixture(dir.file("plug"), format);
        ASSERT_EQ(codeplug.open(path), format);
    }
    void addExisting(std::uint32_t id, const std::string& name)
    {
        Contact contact = newContact(codeplug.formatId());
        contact.setDmrId(id);
        contact.setName(name);
        ASSERT_EQ(codeplug.addContact(contact), AddResult::Added);
    }
    void search(const std::string& text)
    {
        ASSERT_TRUE(runSearch(database, text, "").has_value());
    }
    // The five Iowa records loaded and found, then `rows` of them added as "CALLSIGN - FIRST NAME".
    AddRecordsResult addIowaRows(std::vector<int> rows, const ContactMerge& merge = {})
    {
        test::loadDatabase(database, fiveRecords());
        search("Iowa");
        AddRecordsRequest request;
        request.selectedRows = std::move(rows);
        request.nameTemplate = "%C - %F";
        return addSelectedRecords(&codeplug, database, request, prompts, merge);
    }

    test::TempDir dir;
    Codeplug codeplug;
    IdDatabase database;
    ScriptedPrompts prompts;
    MergeSpy spy;
};

TEST(NameTemplate, DefaultTemplateGivesCallsignDashFirstName)
{
    IdDatabase database;
    test::loadDatabase(database, {idRecord("3112345", "K0ABC", "JOHN Q PUBLIC", "Kansas City", "Missouri", "USA")});
    ScriptedPrompts prompts;
    const auto words = templateWords("%C - %F", prompts);
    ASSERT_TRUE(words.has_value());
    EXPECT_EQ(*words, (std::vector<std::string>{"%C", "-", "%F"}));
    EXPECT_EQ(contactNameFromTemplate(*words, database.Records()[0]), "K0ABC - JOHN ");
    EXPECT_EQ(contactNameFromTemplate(*templateWords("%C %L", prompts), database.Records()[0]), "K0ABC Q ");
    EXPECT_EQ(contactNameFromTemplate(*templateWords("%ct,%st %cy %x", prompts), database.Records()[0]),
              "Kansas City Missouri USA %x ");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST(NameTemplate, MissingNameWordsGiveEmptyTextsAndOnlyTenWordsCount)
{
    IdDatabase database;
    test::loadDatabase(database, {idRecord("1", "K0ABC", "", "City", "", "")});
    ScriptedPrompts prompts;
    const auto words = templateWords("%F %L %C 4 5 6 7 8 9 10 11 12", prompts);
    ASSERT_EQ(words->size(), 10u);
    EXPECT_EQ(contactNameFromTemplate(*words, database.Records()[0]), "  K0ABC 4 5 6 7 8 9 10 ");
}

TEST(NameTemplate, BlankTemplateAsksWhetherToUseTheDefault)
{
    ScriptedPrompts prompts;
    prompts.answer(MessageAnswer::Yes);
    const auto words = templateWords("   ", prompts);
    ASSERT_TRUE(words.has_value());
    EXPECT_EQ(*words, (std::vector<std::string>{"%C", "-", "%F"}));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "Invalid template value for NAME field. Use default?");
    EXPECT_EQ(prompts.shown()[0].icon, MessageIcon::Question);
    EXPECT_EQ(prompts.shown()[0].buttons, MessageButtons::YesNoCancel);

    prompts.answer(MessageAnswer::No);
    EXPECT_FALSE(templateWords("", prompts).has_value());
    prompts.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(templateWords("", prompts).has_value());
}

TEST(ContactLines, ShortAndExtendedForms)
{
    const auto store = test::storeOf({idRecord("3112345", "K0ABC", "John Smith", "Kansas City", "Missouri", "USA", "hi")});
    EXPECT_EQ(contactLineForRecord(store[0], false, AddedRecordType::PrivateCall, "K0ABC - John "),
              "\"3112345\",\"K0ABC - John \",\"Private Call\",\"No\" ");
    EXPECT_EQ(contactLineForRecord(store[0], true, AddedRecordType::GroupCall, "ignored"),
              "\"3112345\",\"John Smith\",\"Group Call\",\"No\",\"K0ABC\",\"Kansas City\",\"Missouri\",\"USA\",\"hi\" ");
    EXPECT_EQ(addedRecordTypeText(AddedRecordType::AllCall), "All Call");
}

TEST_F(AddRecords, RecordsAFullTableLeavesOutAreCountedAsSuchNotAsDuplicates)
{
    open(Md380Format);
    test::addContacts(codeplug, 100, contactCapacity(Md380Format) - 2);
    addExisting(3100002, "OLD B");
    const auto result = addIowaRows({0, 1, 2, 3, 4});
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(prompts.lastText(),
              "1 Contacts added; 1 Duplicates skipped.\r\n3 not added: the contact table holds at most 1,000");
}

TEST_F(AddRecords, FiveRecordsWithTwoPresentSkipTwoDuplicates)
{
    open(Md380Format);
    addExisting(3100002, "OLD B");
    addExisting(3100004, "OLD D");
    const auto result = addIowaRows({4, 0, 1, 2, 3}, spy.merge());
    EXPECT_EQ(result.offered, 5);
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(prompts.lastText(), "3 Contacts added; 2 Duplicates skipped.");
    EXPECT_FALSE(spy.refresh);
    ASSERT_EQ(spy.lines.size(), 5u);
    // Rows are added in row order, whatever the order of selection.
    EXPECT_EQ(spy.lines[0], "\"3100001\",\"K0AAA - Alice \",\"Private Call\",\"No\",\"\",\"\",\"\",\"\",\"\"");
    EXPECT_EQ(codeplug.contacts().count(), 5);
    EXPECT_EQ(codeplug.contactAt(0)->name(), "OLD B");
    EXPECT_GT(prompts.busyCount(), 0);
    EXPECT_FALSE(prompts.busy());
}

TEST_F(AddRecords, Utf8NamesReachTheD868AsItsSevenBitContactTexts)
{
    open(D868Format);
    test::loadDatabase(database, {idRecord("2600001", "SP5ABC", "\xC5\x81ukasz M\xC3\xBCller", "\xC5\x81\xC3\xB3" "d\xC5\xBA",
                                           "", "Polska")});
    search("SP5");
    AddRecordsRequest request;
    request.selectedRows = {0};
    request.nameTemplate = "%F %L";
    ASSERT_TRUE(addSelectedRecords(&codeplug, database, request, prompts, spy.merge()).ran);
    ASSERT_EQ(spy.lines.size(), 1u);
    // The D868 contact stream holds seven-bit characters: every letter is spelt in ASCII.
    EXPECT_EQ(spy.lines[0], "\"2600001\",\"Lukasz Muller\",\"Private Call\",\"No\",\"SP5ABC\",\"Lodz\",\"\",\"Polska\",\"\"");
}

TEST_F(AddRecords, Utf8NamesReachTytContactsWhole)
{
    open(Md9600Format);
    test::loadDatabase(database, {idRecord("2600001", "SP5ABC", "\xC5\x81ukasz M\xC3\xBCller", "", "", "Polska")});
    search("SP5");
    AddRecordsRequest request;
    request.selectedRows = {0};
    request.nameTemplate = "%F %L";
    ASSERT_TRUE(addSelectedRecords(&codeplug, database, request, prompts, spy.merge()).ran);
    ASSERT_EQ(spy.lines.size(), 1u);
    EXPECT_TRUE(spy.lines[0].starts_with("\"2600001\",\"\xC5\x81ukasz M\xC3\xBCller")) << spy.lines[0];
}

TEST_F(AddRecords, RefreshContactsUpdatesThePresentOnes)
{
    open(D868Format);
    const int before = codeplug.contacts().count();
    addExisting(3100002, "OLD B");
    addExisting(3100004, "OLD D");
    test::loadDatabase(database, fiveRecords());
    search("Iowa");
    AddRecordsRequest request;
    request.refreshContacts = true;
    request.nameTemplate = "%C";
    const auto result = addAllRecords(&codeplug, database, request, prompts, spy.merge());
    EXPECT_EQ(result.added, 5);
    EXPECT_EQ(prompts.lastText(), "5 Contacts added to working Codeplug.");
    EXPECT_TRUE(spy.refresh);
    EXPECT_EQ(codeplug.contacts().count(), before + 5);
    const auto* refreshed = codeplug.contactAt(before);
    EXPECT_EQ(refreshed->dmrId(), 3100002u);
    // The extended family takes the whole name and the texts, not the template.
    EXPECT_EQ(refreshed->name(), "Bob Brown");
    EXPECT_EQ(refreshed->city(), "Boone");
    EXPECT_EQ(spy.lines[0], "\"3100001\",\"Alice Adams\",\"Private Call\",\"No\",\"K0AAA\",\"Ames\",\"Iowa\",\"United States\",\"one\"");
}

TEST_F(AddRecords, AllCallGivesTheAllCallId)
{
    open(Md380Format);
    test::loadDatabase(database, fiveRecords());
    search("K0AAA");
    AddRecordsRequest request;
    request.selectedRows = {0};
    request.type = AddedRecordType::AllCall;
    request.nameTemplate = "%C";
    addSelectedRecords(&codeplug, database, request, prompts, spy.merge());
    ASSERT_EQ(codeplug.contacts().count(), 1);
    EXPECT_EQ(codeplug.contactAt(0)->dmrId(), 16777215u);
    EXPECT_EQ(codeplug.contactAt(0)->callType(), CallType::AllCall);
    // The template puts a blank after each word.
    EXPECT_EQ(codeplug.contactAt(0)->name(), "K0AAA ");
}

TEST_F(AddRecords, RefusalsAndMessagesBeforeAnyMerge)
{
    test::loadDatabase(database, fiveRecords());
    AddRecordsRequest request;
    request.nameTemplate = "%C";
    // No codeplug: nothing at all.
    EXPECT_FALSE(addSelectedRecords(nullptr, database, request, prompts, spy.merge()).ran);
    EXPECT_TRUE(prompts.shown().empty());
    // Not loaded.
    addAllRecords(&codeplug, database, request, prompts, spy.merge());
    EXPECT_EQ(prompts.lastText(), "You must first load a valid codeplug before using this command.");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Error);
    open(Md380Format);
    prompts.clearShown();
    // No matches: nothing.
    addSelectedRecords(&codeplug, database, request, prompts, spy.merge());
    EXPECT_TRUE(prompts.shown().empty());
    // Matches but no selection.
    search("Iowa");
    addSelectedRecords(&codeplug, database, request, prompts, spy.merge());
    EXPECT_EQ(prompts.lastText(), "Please select one or more contacts to add to the Codeplug.");
    // A declined template.
    request.selectedRows = {0};
    request.nameTemplate = " ";
    prompts.answer(MessageAnswer::No);
    EXPECT_FALSE(addSelectedRecords(&codeplug, database, request, prompts, spy.merge()).ran);
    EXPECT_EQ(spy.calls, 0);
    EXPECT_EQ(codeplug.contacts().count(), 0);
}

TEST_F(AddRecords, RecordsWhoseIdIsNotANumberAreNotOffered)
{
    open(Md380Format);
    test::loadDatabase(database, {idRecord("N0CALL", "N0CALL", "x", "Iowa City", "", ""), idRecord("7", "K7", "y", "Iowa City", "", "")});
    search("Iowa");
    AddRecordsRequest request;
    request.selectedRows = {0, 1};
    request.nameTemplate = "%C";
    const auto result = addSelectedRecords(&codeplug, database, request, prompts, spy.merge());
    EXPECT_EQ(result.offered, 1);
    EXPECT_EQ(prompts.lastText(), "1 Contacts added to working Codeplug.");
}

TEST(SourcesNotice, ShownOnceAndRemembered)
{
    SettingsBlock settings;
    ScriptedPrompts prompts;
    EXPECT_TRUE(showSourcesNoticeOnce(settings, prompts));
    EXPECT_EQ(prompts.lastText(), "Current database sources may not provide data for all fields in all records.\r\n"
                                  "Unsupported fields will be empty in search results.");
    EXPECT_TRUE(settings.noticeShown());
    EXPECT_FALSE(showSourcesNoticeOnce(settings, prompts));
    EXPECT_EQ(prompts.shown().size(), 1u);
}

} // namespace
} // namespace pw
