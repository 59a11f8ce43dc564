// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/record_filter.h"

#include "codeplug/codeplug.h"
#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

struct ContactRow {
    std::uint32_t id;
    const char* name;
    CallType type;
    const char* callsign;
    const char* city;
};

void openWithContacts(Codeplug& codeplug, const TempDir& dir, FormatId format, std::initializer_list<ContactRow> rows)
{
    ASSERT_NE(codeplug.open(test::writeFixture(dir.file("plug"), format)), 0u);
    ASSERT_TRUE(codeplug.decode());
    while (codeplug.contacts().count() > 0 && codeplug.contacts().count() > codeplug.codec().minimumContacts())
        codeplug.deleteContact(0);
    // A format that keeps one contact at least keeps the fixture's: it becomes the first row.
    const int kept = codeplug.contacts().count();
    for (const auto& row : rows) {
        Contact contact = codeplug.newContact();
        contact.setDmrId(row.id);
        contact.setName(row.name);
        contact.setCallType(row.type);
        contact.setCallsign(row.callsign);
        contact.setCity(row.city);
        ASSERT_EQ(codeplug.addContact(contact), AddResult::Added);
    }
    if (kept > 0)
        codeplug.deleteContact(0);
}

const std::vector<ContactColumn> SearchedContactColumns = {
    ContactColumn::DmrId,    ContactColumn::Name, ContactColumn::CallType, ContactColumn::Callsign,
    ContactColumn::City,     ContactColumn::State, ContactColumn::Country, ContactColumn::Remarks};

// What the filter finds for each text typed, in turn.
struct Typed {
    const char* typed;
    std::vector<int> rows;
};

void expectRowsFound(RecordFilter& filter, std::initializer_list<Typed> typing)
{
    for (const auto& step : typing) {
        SCOPED_TRACE(step.typed);
        EXPECT_EQ(filter.rowsHolding(step.typed), step.rows);
    }
}

TEST(RecordFilter, FindsContactsByAnyPartOfTheirTextsWhateverTheCaseAndAccents)
{
    TempDir dir;
    Codeplug codeplug;
    ASSERT_NO_FATAL_FAILURE(openWithContacts(codeplug, dir, Md2017Format,
                                             {{2041234, "Z\xC3\xBCrich Relay", CallType::PrivateCall, "", ""},
                                              {3100, "USA", CallType::GroupCall, "", ""},
                                              {2500001, "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", CallType::PrivateCall, "", ""},
                                              {262, "\xC5\x81\xC3\xB3\x64\xC5\xBA North", CallType::GroupCall, "", ""}}));
    RecordFilter filter(codeplug, SearchedContactColumns);
    expectRowsFound(filter, {
        {"zur", {0}},                             // the ü of Zürich read as u
        {"Z\xC3\x9CRICH", {0}},                   // and an Ü typed as u too
        {"RELAY", {0}},
        {"moskva", {2}},                          // Cyrillic in its Latin spelling
        {"\xD0\xBC\xD0\xBE\xD1\x81", {2}},        // and typed in Cyrillic
        {"lodz", {3}},
        {"group", {1, 3}},                        // the contact type column
        {"2041", {0}},                            // part of a DMR ID
        {"26", {3}},
        {"0", {0, 1, 2}},
        {"y n", {}},                              // no match across two texts or rows
        {"Relay\x1F", {0}},                       // control characters are no part of a text
    });
    EXPECT_FALSE(RecordFilter::filters(" \t "));
    EXPECT_TRUE(RecordFilter::filters(" a"));
}

TEST(RecordFilter, NarrowsAsTheUserTypesAndRebuildsAfterAChange)
{
    TempDir dir;
    Codeplug codeplug;
    ASSERT_NO_FATAL_FAILURE(openWithContacts(codeplug, dir, D868Format,
                                             {{1001, "Alpha", CallType::PrivateCall, "PA3ABC", "Utrecht"},
                                              {1002, "Bravo", CallType::PrivateCall, "PA3XYZ", "Zwolle"},
                                              {1003, "Charlie", CallType::PrivateCall, "ON4AAA", "Gent"}}));
    RecordFilter filter(codeplug, SearchedContactColumns);
    // Typed on, the rows found narrow; shortened again (Backspace), a text finds its wider rows,
    // and a new text after a shortened one narrows those, not the narrower ones found before.
    expectRowsFound(filter, {{"pa", {0, 1}}, {"pa3", {0, 1}}, {"pa3x", {1}}, {"pa3xq", {}}, {"pa3x", {1}},
                             {"pa", {0, 1}}, {"pa3a", {0}}, {"pa", {0, 1}}, {"e", {0, 1, 2}}, {"gent", {2}}});
    // The table changed: the filter finds what it now holds once told.
    codeplug.contactAt(0)->setCity("Gent");
    EXPECT_EQ(filter.rowsHolding("gent"), (std::vector<int>{2}));
    filter.invalidate();
    EXPECT_EQ(filter.rowsHolding("gent"), (std::vector<int>{0, 2}));
}

TEST(RecordFilter, FindsChannelsByTheirShownTexts)
{
    TempDir dir;
    Codeplug codeplug;
    ASSERT_NE(codeplug.open(test::writeFixture(dir.file("plug"), Md380Format)), 0u);
    ASSERT_TRUE(codeplug.decode());
    for (const auto& [name, mhz, digital] : {std::tuple{"Hotspot", 438.8, true}, std::tuple{"Calling", 146.52, false}}) {
        Channel channel = codeplug.newChannel(mhz);
        channel.setName(name);
        channel.setMode(digital ? ChannelMode::Dmr : ChannelMode::Fm);
        ASSERT_EQ(codeplug.addChannel(channel), AddResult::Added);
    }
    const int first = codeplug.channels().count() - 2;
    RecordFilter filter(codeplug, {ChannelColumn::Name, ChannelColumn::RxFrequency, ChannelColumn::Mode});
    EXPECT_EQ(filter.rowsHolding("438.80"), (std::vector<int>{first}));
    EXPECT_EQ(filter.rowsHolding("fm"), (std::vector<int>{first + 1}));
    EXPECT_EQ(filter.rowsHolding("CALL"), (std::vector<int>{first + 1}));
}

} // namespace
} // namespace pw
