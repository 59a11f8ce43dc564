// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_search.h"
#include "iddb/id_searcher.h"

#include "iddb/iddb_test_records.h"

#include <gtest/gtest.h>

#include <random>

namespace pw {
namespace {

using test::idRecord;
using test::loadDatabase;
using test::sampleRecords;

TEST(IdRecordStore, KeepsEveryFieldWithItsCutLength)
{
    IdRecordStore store;
    store.append(idRecord(std::string(200, '1'), std::string(200, 'C'), std::string(300, 'n'), std::string(300, 'c'),
                          std::string(300, 's'), std::string(300, 'y'), std::string(3000, 'r')));
    store.append(idRecord("1", "", "", "", "", ""));
    ASSERT_EQ(store.count(), 2);
    const auto record = store[0];
    EXPECT_EQ(record.radioId(), std::string(118, '1'));
    EXPECT_EQ(record.callsign(), std::string(118, 'C'));
    EXPECT_EQ(record.name(), std::string(246, 'n'));
    EXPECT_EQ(record.city(), std::string(246, 'c'));
    EXPECT_EQ(record.state(), std::string(246, 's'));
    EXPECT_EQ(record.country(), std::string(246, 'y'));
    EXPECT_EQ(record.remarks(), std::string(2038, 'r'));
    EXPECT_EQ(record.spare(), "");
    EXPECT_EQ(store[1].matchText(), "1        ");
    EXPECT_EQ(store.at(2).radioId(), "");
    EXPECT_EQ(store.at(-1).matchText(), "        ");
}

TEST(IdRecordStore, MatchTextJoinsTheFieldsInSearchOrder)
{
    const auto store = test::storeOf({idRecord("1", "CALL", "Name Here", "City", "State", "Country", "Remarks")});
    EXPECT_EQ(store[0].matchText(), "1 CALL City Country  Name Here Remarks State ");
}

TEST(IdRecordStore, ViewsStayValidWhileRecordsAreAppended)
{
    IdRecordStore store;
    store.append(idRecord("1", "FIRST", "n", "c", "s", "y"));
    const auto first = store[0];
    for (int i = 0; i < 20000; ++i)
        store.append(idRecord(std::to_string(i), "CALL", std::string(200, 'n'), "c", "s", "y"));
    EXPECT_GT(store.blockCount(), 1);
    EXPECT_EQ(first.callsign(), "FIRST");
    EXPECT_EQ(store[20000].radioId(), "19999");
}

TEST(ContainsNoCase, IgnoresTheCaseOfAsciiLettersOnly)
{
    EXPECT_TRUE(ContainsNoCase("Kansas City", "KANSAS"));
    EXPECT_TRUE(ContainsNoCase("abc", ""));
    EXPECT_FALSE(ContainsNoCase("ab", "abc"));
    EXPECT_TRUE(ContainsNoCase("caf\xC9", "CAF\xC9"));
    EXPECT_FALSE(ContainsNoCase("caf\xE9", "CAF\xC9"));
    EXPECT_FALSE(ContainsNoCase("[", "{"));
}

TEST(FindRecords, AgreesWithContainsNoCaseOnEveryRecord)
{
    std::mt19937 random(7);
    const std::string alphabet = "aAbBmMoO 0123,\xC3\xA9";
    auto text = [&](std::size_t maxLength) {
        std::string out;
        const auto length = random() % (maxLength + 1);
        for (std::size_t i = 0; i < length; ++i)
            out += alphabet[random() % alphabet.size()];
        return out;
    };
    std::vector<IdRecordFields> records;
    for (int i = 0; i < 3000; ++i)
        records.push_back(idRecord(text(4), text(5), text(8), text(6), text(3), text(4), text(6)));
    const auto store = test::storeOf(records);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> terms;
        const auto termCount = 1 + random() % 3;
        for (std::size_t t = 0; t < termCount; ++t)
            // Every other round the terms begin with a blank, as search lines do.
            terms.push_back((round % 2 ? " " : "") + text(4));
        std::vector<int> expected;
        for (int i = 0; i < store.count(); ++i)
            for (const auto& term : terms)
                if (ContainsNoCase(store[i].matchText(), term)) {
                    expected.push_back(i);
                    break;
                }
        EXPECT_EQ(FindRecords(store, terms), expected) << terms[0];
        EXPECT_EQ(CountRecords(store, terms), static_cast<int>(expected.size()));
    }
}

TEST(FindRecords, HitsAcrossTwoRecordsDoNotCount)
{
    const auto store = test::storeOf({idRecord("1", "a", "b", "c", "d", "e", "ZZ"), idRecord("ZZ2", "f", "g", "h", "i", "j")});
    // "e " ends record 0 and "ZZ2" begins record 1: the term spans both.
    EXPECT_EQ(FindRecords(store, {"e ZZ2"}), std::vector<int>{});
    EXPECT_EQ(FindRecords(store, {"zz"}), (std::vector<int>{0, 1}));
    EXPECT_EQ(FindRecords(store, {}), std::vector<int>{});
    EXPECT_EQ(FindRecords(store, {""}), (std::vector<int>{0, 1}));
    EXPECT_EQ(FindRecords(IdRecordStore(), {"x"}), std::vector<int>{});
}

TEST(SearchCommand, NothingRunsBeforeTheDownloadIsDone)
{
    IdDatabase database;
    EXPECT_FALSE(runSearch(database, "SMITH", "").has_value());
    EXPECT_FALSE(runEntireDatabase(database).has_value());
}

TEST(SearchCommand, SimpleQueryNeedsThreeCharactersAndMatchesAnywhere)
{
    IdDatabase database;
    loadDatabase(database, sampleRecords());
    EXPECT_FALSE(runSearch(database, "sm", "").has_value());

    const auto outcome = runSearch(database, "smith", "");
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->message, "Query 'smith' returned 2 matches.");
    EXPECT_EQ(database.Matches(), (std::vector<int>{1, 2}));

    // The general text also matches at the very start of radioId.
    EXPECT_EQ(runSearch(database, "311", "")->count, 4);
    EXPECT_EQ(database.Match(0).callsign(), "K0ABC");
    EXPECT_EQ(database.Match(99).radioId(), "");

    // A short text leaves the matches as they were.
    runSearch(database, "ab", "");
    EXPECT_EQ(database.Matches().size(), 4u);
}

TEST(SearchCommand, LineTermsMatchOnlyAtTheStartOfAWord)
{
    IdDatabase database;
    loadDatabase(database, sampleRecords());
    const auto outcome = runSearch(database, "", "MO");
    ASSERT_TRUE(outcome.has_value());
    // MORRIS and the state MO, also Moines and Mo; not ELMORE.
    EXPECT_EQ(database.Matches(), (std::vector<int>{1, 3}));
    EXPECT_EQ(outcome->message, "Compound query ' MO' returned 2 matches.");
}

TEST(SearchCommand, CompoundMessageJoinsTermsWithOrKeepingLeadingBlanks)
{
    IdDatabase database;
    loadDatabase(database, sampleRecords());
    const auto outcome = runSearch(database, "SMITH", "IOWA\r\nKANSAS");
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->message, "Compound query 'SMITH OR  IOWA OR  KANSAS' returned 4 matches.");
    EXPECT_EQ(database.Matches(), (std::vector<int>{0, 1, 2, 3}));
}

TEST(SearchCommand, FirstEmptyLineEndsTheTerms)
{
    EXPECT_EQ(compoundSearchTerms("", "IOWA\r\n\r\nKANSAS"), std::vector<std::string>{" IOWA"});
    EXPECT_EQ(compoundSearchTerms("x", "\r\nKANSAS"), std::vector<std::string>{"x"});
    EXPECT_EQ(compoundSearchTerms("", "A\nB\n"), (std::vector<std::string>{" A", " B"}));
}

TEST(SearchCommand, TermsAreCutAndCounted)
{
    std::string lines;
    for (int i = 0; i < 60; ++i)
        lines += std::string(300, 'L') + "\r\n";
    const auto terms = compoundSearchTerms(std::string(80, 'g'), lines);
    ASSERT_EQ(terms.size(), 50u);
    EXPECT_EQ(terms[0], std::string(50, 'g'));
    EXPECT_EQ(terms[1], " " + std::string(254, 'L'));
}

TEST(SearchCommand, EntireDatabaseListsEveryRecord)
{
    IdDatabase database;
    loadDatabase(database, sampleRecords());
    const auto outcome = runEntireDatabase(database);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->message, "Query 'Entire DB' returned 5 matches.");
    EXPECT_EQ(database.Matches(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(SearchCommand, OneRecordDatabaseIsSearchedLikeAnyOther)
{
    IdDatabase database;
    loadDatabase(database, {idRecord("1", "K0ABC", "n", "c", "s", "y")});
    EXPECT_EQ(runSearch(database, "k0abc", "")->count, 1);
    EXPECT_EQ(runEntireDatabase(database)->count, 1);
}

} // namespace
} // namespace pw
