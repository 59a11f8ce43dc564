// SPDX-License-Identifier: GPL-3.0-or-later
// The ID database's "Add Selected Records" and "Add All Records" bring contacts in through the
// contact merge itself when no other merge is given.
#include "operations/id_contact_add.h"
#include "iddb/id_search.h"

#include "iddb/iddb_test_records.h"
#include "operations/transfer_fixture.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::idRecord;

TEST(IdDatabaseMerge, AddingRecordsUsesTheContactMergeWithItsOptions)
{
    test::TempDir dir;
    auto plug = test::openEmpty(dir, D868Format);
    ASSERT_EQ(plug->addContact(test::makeContact(D868Format, 3100002, "OLD B")), AddResult::Added);
    ASSERT_EQ(plug->addContact(test::makeContact(D868Format, 3100002, "OLD B again"), true), AddResult::Added);
    IdDatabase database;
    test::loadDatabase(database, {
        idRecord("3100001", "K0AAA", "Alice Adams", "Ames", "Iowa", "United States", "one"),
        idRecord("3100002", "K0BBB", "Bob Brown", "Boone", "Iowa", "United States"),
        idRecord("3100003", "K0CCC", "Carol Clark", "Clive", "Iowa", "United States"),
    });
    ASSERT_TRUE(runSearch(database, "Iowa", "").has_value());
    ScriptedPrompts prompts;
    AddRecordsRequest request;
    request.nameTemplate = "%C";

    auto result = addAllRecords(plug.get(), database, request, prompts);
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(prompts.lastText(), "2 Contacts added; 1 Duplicates skipped.");
    EXPECT_EQ(plug->contacts().count(), 4);
    EXPECT_EQ(plug->contactAt(0)->name(), "OLD B");

    request.refreshContacts = true;
    result = addAllRecords(plug.get(), database, request, prompts);
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(plug->contacts().count(), 4);
    // Only the first contact holding the ID is refreshed.
    EXPECT_EQ(plug->contactAt(0)->name(), "Bob Brown");
    EXPECT_EQ(plug->contactAt(0)->city(), "Boone");
    EXPECT_EQ(plug->contactAt(1)->name(), "OLD B again");
}

} // namespace
} // namespace pw
