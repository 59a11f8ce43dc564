// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_selection.h"

#include "iddb/iddb_test_records.h"
#include "iddb/user_list_reader.h"
#include "model/letter_case.h"
#include "support/id_users_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace pw {
namespace {

using test::idRecord;

// 300,000 generated users, then records the index must not take as new users: a second record of
// an ID (a later line, another name), and ID fields that are no DMR ID.
const IdRecordStore& worldList()
{
    static const IdRecordStore store = [] {
        IdRecordStore records;
        UserListReader reader([&](const IdRecordFields& fields, bool complete) {
            if (complete)
                records.append(fields);
            return true;
        });
        reader.feed(test::generateUserListCsv(300000));
        reader.finish();
        const auto first = records.at(0);
        records.append(idRecord(std::string(first.radioId()), "XX9DUP", "Second Record", "Nowhere", "", "Germany"));
        for (const char* id : {"0", "16777216", "abc", "", "12x"})
            records.append(idRecord(id, "XX9BAD", "Bad Id", "", "", "Germany"));
        return records;
    }();
    return store;
}

const IdUserIndex& worldUsers()
{
    static const IdUserIndex index(worldList());
    return index;
}

// The users of the list as the rules read, kept the obvious way: each ID's first record, by ID, and
// the IDs of each callsign (upper case).
struct ReferenceUsers {
    std::map<std::uint32_t, int> records;
    std::multimap<std::string, std::uint32_t> byCallsign;
};

const ReferenceUsers& referenceUsers()
{
    static const ReferenceUsers users = [] {
        const auto& records = worldList();
        ReferenceUsers made;
        for (int i = 0; i < records.count(); ++i) {
            const auto text = records.at(i).radioId();
            if (text.empty() || text.size() > 8 || text.find_first_not_of("0123456789") != std::string_view::npos)
                continue;
            const auto id = static_cast<std::uint32_t>(std::stoul(std::string(text)));
            if (id >= 1 && id <= 0xFFFFFF)
                made.records.try_emplace(id, i);
        }
        for (const auto& [id, record] : made.records) {
            std::string callsign(records.at(record).callsign());
            for (auto& c : callsign)
                c = upperAscii(c);
            made.byCallsign.emplace(callsign, id);
        }
        return made;
    }();
    return users;
}

// The selection done the slow and obvious way, before the limit: the oracle for the index.
std::vector<std::uint32_t> referenceSelection(const IdSelectionCriteria& criteria)
{
    const auto& records = worldList();
    const auto& users = referenceUsers();
    const auto anyOf = [](const std::vector<std::string>& values, auto test) {
        return values.empty() || std::any_of(values.begin(), values.end(), test);
    };
    const auto named = [&](const PersonEntry& entry, std::uint32_t id, int record) {
        return entry.dmrId != 0 ? entry.dmrId == id
                                : equalsIgnoringCase(entry.callsign, records.at(record).callsign());
    };
    const auto excluded = [&](std::uint32_t id, int record) {
        return std::any_of(criteria.excluded.entries.begin(), criteria.excluded.entries.end(),
                           [&](const PersonEntry& entry) { return named(entry, id, record); });
    };
    std::vector<std::uint32_t> pinned;
    std::set<std::uint32_t> taken;
    for (const auto& entry : criteria.pinned.entries) {
        std::vector<std::uint32_t> ids;
        if (entry.dmrId != 0 && users.records.count(entry.dmrId))
            ids.push_back(entry.dmrId);
        for (auto [at, end] = users.byCallsign.equal_range(entry.callsign); entry.dmrId == 0 && at != end; ++at)
            ids.push_back(at->second);
        for (const auto id : ids)
            if (!excluded(id, users.records.at(id)) && taken.insert(id).second)
                pinned.push_back(id);
    }
    const std::vector<std::string> terms =
        criteria.criteriaText.empty() ? std::vector<std::string>{} : std::vector<std::string>{" " + criteria.criteriaText};
    std::vector<std::uint32_t> rest;
    for (const auto& [id, record] : users.records) {
        const auto r = records.at(record);
        if (taken.count(id) || excluded(id, record))
            continue;
        if (anyOf(criteria.countries, [&](const std::string& c) { return equalsIgnoringCase(c, r.country()); })
            && anyOf(criteria.states, [&](const std::string& s) { return equalsIgnoringCase(s, r.state()); })
            && anyOf(criteria.callsignPrefixes,
                     [&](const std::string& p) { return equalsIgnoringCase(r.callsign().substr(0, p.size()), p); })
            && anyOf(criteria.idPrefixes, [&](const std::string& p) { return std::to_string(id).starts_with(p); })
            && anyOf(criteria.matchTexts, [&](const std::string& t) { return ContainsNoCase(r.matchText(), t); })
            && anyOf(terms, [&](const std::string& t) { return ContainsNoCase(r.matchText(), t); }))
            rest.push_back(id);
    }
    if (criteria.near) {
        const auto near = static_cast<std::int64_t>(*criteria.near);
        std::stable_sort(rest.begin(), rest.end(), [near](std::uint32_t a, std::uint32_t b) {
            return std::abs(static_cast<std::int64_t>(a) - near) < std::abs(static_cast<std::int64_t>(b) - near);
        });
    }
    pinned.insert(pinned.end(), rest.begin(), rest.end());
    return pinned;
}

std::vector<std::uint32_t> idsOf(const IdUserIndex& index, const IdSelection& selection)
{
    std::vector<std::uint32_t> ids;
    for (const int user : selection.users)
        ids.push_back(index.idOf(user));
    return ids;
}

// A pinned list of callsigns and IDs of the generated list, with an unknown callsign, an unknown ID
// and a line that is no ID among them.
std::string pinnedText(const IdRecordStore& records, int lines)
{
    std::string text = "# friends and the club\n";
    for (int i = 0; i < lines; ++i) {
        const auto record = records.at((i * 7919) % 300000);
        text += i % 3 == 0 ? std::string(record.callsign()) + "  # by callsign\n" : std::string(record.radioId()) + ",x,y\n";
    }
    return text + "ZZ9ZZZ\n99999999\n0\n";
}

struct SelectionCase {
    const char* name;
    IdSelectionCriteria criteria;
};

std::vector<SelectionCase> selectionCases()
{
    const auto& records = worldList();
    auto with = [](auto change) {
        IdSelectionCriteria criteria;
        change(criteria);
        return criteria;
    };
    const auto pins = parsePeopleList(pinnedText(records, 5000));
    const auto excluded = parsePeopleList(std::string(records.at(14).radioId()) + "\n" + std::string(records.at(21).callsign()) +
                                          "\n" + std::string(records.at(7919).radioId()) + "\n");
    return {
        {"everyone", {}},
        {"country", with([](auto& c) { c.countries = {"germany"}; })},
        {"two countries", with([](auto& c) { c.countries = {"Canada", "NORWAY", "Atlantis"}; })},
        {"state", with([](auto& c) { c.states = {"bayern", "Ohio"}; })},
        {"callsign prefix", with([](auto& c) { c.callsignPrefixes = {"ve3", "DL1A"}; })},
        {"id prefix", with([](auto& c) { c.idPrefixes = {"1023", "12"}; })},
        {"id prefixes one digit, a leading zero and no digits", with([](auto& c) { c.idPrefixes = {"2", "01", "x"}; })},
        {"match", with([](auto& c) { c.matchTexts = {"smith", "J\xC3\xBCrgen"}; })},
        {"criteria lines", with([](auto& c) { c.criteriaText = "MISSOURI"; })},
        {"kinds combined",
         with([](auto& c) {
             c.countries = {"United States"};
             c.states = {"Missouri", "Iowa"};
             c.callsignPrefixes = {"K0"};
             c.matchTexts = {"mary"};
         })},
        {"pinned and excluded", with([&](auto& c) {
             c.countries = {"Japan"};
             c.pinned = pins;
             c.excluded = excluded;
         })},
        {"near", with([](auto& c) { c.near = 1100002; })},
        {"near below every ID, limited", with([](auto& c) {
             c.near = 5;
             c.limit = 1000;
         })},
        {"pinned, near and a limit inside the pinned",
         with([&](auto& c) {
             c.pinned = pins;
             c.near = 1400000;
             c.limit = 1200;
         })},
        {"limit", with([](auto& c) {
             c.countries = {"Spain"};
             c.limit = 10000;
         })},
        {"limit zero", with([](auto& c) { c.limit = 0; })},
    };
}

class Selection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(Selection, IsWhatTheRulesSay)
{
    const auto& criteria = GetParam().criteria;
    const auto selection = selectUsers(worldUsers(), criteria);
    auto expected = referenceSelection(criteria);
    EXPECT_EQ(selection.qualified, static_cast<int>(expected.size()));
    if (criteria.limit && expected.size() > *criteria.limit)
        expected.resize(*criteria.limit);
    EXPECT_EQ(idsOf(worldUsers(), selection), expected);
    const std::set<std::uint32_t> once(expected.begin(), expected.end());
    EXPECT_EQ(once.size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(WorldList, Selection, ::testing::ValuesIn(selectionCases()),
                         [](const auto& test) {
                             std::string name = test.param.name;
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                             return name;
                         });

TEST(UserIndex, EachDmrIdOnceFromItsFirstRecordAndNoRecordWithoutOne)
{
    const auto& index = worldUsers();
    EXPECT_EQ(index.userCount(), 300000);
    EXPECT_EQ(index.duplicateRecords(), 1);
    EXPECT_EQ(index.recordsWithoutId(), 5);
    EXPECT_EQ(index.recordOfUser(0).name(), worldList().at(0).name());
    const int germany = index.countryCode("GERMANY");
    ASSERT_GE(germany, 0);
    EXPECT_EQ(index.countries()[static_cast<std::size_t>(germany)].name, "Germany");
    int germans = 0;
    for (int user = 0; user < index.userCount(); ++user)
        germans += index.countryOf(user) == germany ? 1 : 0;
    EXPECT_EQ(index.countries()[static_cast<std::size_t>(germany)].users, germans);
}

// Lists served in ID order are indexed as they come, the others by sorting: both must give each ID
// once, from its first record, with that record's callsign key and country.
TEST(UserIndex, ListsInAndOutOfIdOrderGiveEachIdFromItsFirstRecord)
{
    struct Case {
        std::vector<const char*> ids;
        std::vector<std::pair<std::uint32_t, int>> users;  // ID, record
        int duplicates;
        int withoutId;
    };
    const Case cases[] = {
        {{"5", "5", "7", "x", "9"}, {{5, 0}, {7, 2}, {9, 4}}, 1, 1},
        {{"5", "7", "5", "9"}, {{5, 0}, {7, 1}, {9, 3}}, 1, 0},
        {{"9", "7", "0", "5"}, {{5, 3}, {7, 1}, {9, 0}}, 0, 1},
        {{"5", "6", "7", "3", "6"}, {{3, 3}, {5, 0}, {6, 1}, {7, 2}}, 1, 0},
    };
    for (const auto& c : cases) {
        std::vector<IdRecordFields> records;
        for (std::size_t i = 0; i < c.ids.size(); ++i)
            records.push_back(idRecord(c.ids[i], "dl" + std::to_string(i), "N", "", "", i % 2 ? "Germany" : "Italy"));
        const auto store = test::storeOf(records);
        const IdUserIndex index(store);
        SCOPED_TRACE(::testing::PrintToString(c.ids));
        ASSERT_EQ(index.userCount(), static_cast<int>(c.users.size()));
        for (int user = 0; user < index.userCount(); ++user) {
            const auto [id, record] = c.users[static_cast<std::size_t>(user)];
            EXPECT_EQ(index.idOf(user), id);
            EXPECT_EQ(index.recordOf(user), record);
            EXPECT_EQ(index.callsignKeyOf(user), callsignKey("DL" + std::to_string(record)));
            EXPECT_EQ(index.countries()[static_cast<std::size_t>(index.countryOf(user))].name,
                      store.at(record).country());
        }
        EXPECT_EQ(index.duplicateRecords(), c.duplicates);
        EXPECT_EQ(index.recordsWithoutId(), c.withoutId);
    }
}

TEST(SelectionOrder, PinnedFirstInTheirOrderExcludedNeverNearestWithTheLowerIdOnATie)
{
    const auto store = test::storeOf({
        idRecord("3000010", "W1AAA", "Ten", "", "", "United States"),
        idRecord("3000020", "W1BBB", "Twenty", "", "", "United States"),
        idRecord("3000030", "W1AAA", "Thirty, same callsign", "", "", "United States"),
        idRecord("3000040", "W1DDD", "Forty", "", "", "United States"),
        idRecord("3000050", "W1EEE", "Fifty", "", "", "United States"),
    });
    const IdUserIndex index(store);
    IdSelectionCriteria criteria;
    criteria.pinned = parsePeopleList("3000040\nw1aaa\n3000040\nW9NONE\n");
    criteria.excluded = parsePeopleList("3000010  # asked not to be listed\n");
    criteria.near = 3000035;
    const auto selection = selectUsers(index, criteria);
    // The callsign gives both its users by ID, the excluded one not even when pinned; then 3000030
    // is taken, 3000020 and 3000050 are 15 away and the lower goes first.
    EXPECT_EQ(idsOf(index, selection), (std::vector<std::uint32_t>{3000040, 3000030, 3000020, 3000050}));
    EXPECT_EQ(selection.pinned, 2);
    EXPECT_EQ(selection.unknownPins, std::vector<std::string>{"W9NONE"});

    criteria.limit = 1;
    const auto cut = selectUsers(index, criteria);
    EXPECT_EQ(idsOf(index, cut), std::vector<std::uint32_t>{3000040});
    EXPECT_EQ(selectionNotes(cut, criteria, criteria.limit),
              (std::vector<std::string>{"3 more users qualified but were cut at the limit of 1",
                                        "pinned entries that name no user of the list: W9NONE"}));
    EXPECT_EQ(selectionCountText(1, index.userCount(), 122197), "1 users selected of 5; capacity 122197");
    EXPECT_EQ(selectionCountText(5, 5, std::nullopt), "5 users selected of 5; no known capacity");
}

TEST(CallsignSelection, LongCallsignsAndPrefixesCompareWhole)
{
    // Users 3000001 to 3000006, by callsign.
    IdRecordStore store;
    std::uint32_t id = 3000000;
    for (const char* callsign : {"W1AW/PORTABLE/MM1", "w1aw/portable", "W1AW/POR", "W1AW/PO", "W1AWX", "W1"})
        store.append(idRecord(std::to_string(++id), callsign, "", "", "", "United States"));
    const IdUserIndex index(store);
    struct Case {
        std::vector<std::string> prefixes;
        std::string pinned;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        {{"w1aw/portable/"}, "", {3000001}},
        {{"W1AW/POR"}, "", {3000001, 3000002, 3000003}},
        {{"W1AW/PORT", "w1awx"}, "", {3000001, 3000002, 3000005}},
        {{"w1aw"}, "", {3000001, 3000002, 3000003, 3000004, 3000005}},
        {{std::string("W1\0", 3)}, "", {}},
        {{"K"}, "W1AW/PORTABLE\nw1aw/po\nW1AW/POR\n" + std::string("W1\0\n", 4), {3000002, 3000004, 3000003}},
    };
    for (const auto& [prefixes, pinned, expected] : cases) {
        IdSelectionCriteria criteria;
        criteria.callsignPrefixes = prefixes;
        criteria.pinned = parsePeopleList(pinned);
        SCOPED_TRACE(prefixes[0] + " / " + pinned);
        EXPECT_EQ(idsOf(index, selectUsers(index, criteria)), expected);
    }
}

TEST(PeopleList, OneIdOrCallsignALineWithComments)
{
    const auto list = parsePeopleList("\xEF\xBB\xBF" "# header\r\n2620001\r\n  dl1abc # Hans\n\n0262001,DL1ABC,Hans\n"
                                      "0\n16777216\n" + std::string(40, 'A') + "\n\t,nothing first\nK0ABC;x");
    std::vector<std::string> read;
    for (const auto& entry : list.entries)
        read.push_back(entry.dmrId != 0 ? std::to_string(entry.dmrId) : entry.callsign);
    EXPECT_EQ(read, (std::vector<std::string>{"2620001", "DL1ABC", "262001", "K0ABC"}));
    EXPECT_EQ(list.refused, (std::vector<std::string>{"line 6: 0", "line 7: 16777216",
                                                      "line 8: " + std::string(32, 'A')}));
}

} // namespace
} // namespace pw
