// SPDX-License-Identifier: GPL-3.0-or-later
// Names in other scripts through every path a name takes: set, saved, reopened, exported to CSV,
// imported back and pasted, in each family. What a family cannot hold is transliterated, never
// stored as the bytes of another encoding.

#include "model/unicode_text.h"
#include "operations/channel_transfer.h"
#include "operations/clipboard_transfer.h"
#include "operations/contact_transfer.h"
#include "operations/list_tab_state.h"
#include "operations/transfer_fixture.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

struct Stored {
    std::string contact;
    std::string channel;
    std::string zone;
};

struct NameCase {
    FormatId format;
    std::string typed;
    Stored stored;
};

const std::string Moscow = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";  // Москва
const std::string Athens = "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1";          // Αθήνα
const std::string Beijing = "\xE5\x8C\x97\xE4\xBA\xAC";                         // 北京
const std::string Cafe = "J\xC3\xBCrgen Caf\xC3\xA9";                           // Jürgen Café

std::vector<NameCase> cases()
{
    std::vector<NameCase> all;
    for (const auto& name : {Moscow, Athens, Beijing, Cafe}) {
        // UTF-16 holds every one of them.
        all.push_back({Md9600Format, name, {name, name, name}});
        all.push_back({Md380Format, name, {name, name, name}});
    }
    // RDB: contacts and channels in the six-bit alphabet, list names in UTF-16.
    all.push_back({RdbV2Format, Moscow, {"Moskva", "Moskva", Moscow}});
    all.push_back({RdbV2Format, Athens, {"Athena", "Athena", Athens}});
    all.push_back({RdbV2Format, Beijing, {"bei jing", "bei jing", Beijing}});
    all.push_back({RdbV2Format, Cafe, {"Jurgen Cafe", "Jurgen Cafe", Cafe}});
    // D868: channel and list names are Latin-1; contact texts are seven-bit.
    all.push_back({D868Format, Moscow, {"Moskva", "Moskva", "Moskva"}});
    all.push_back({D868Format, Athens, {"Athena", "Athena", "Athena"}});
    all.push_back({D868Format, Beijing, {"bei jing", "bei jing", "bei jing"}});
    all.push_back({D868Format, Cafe, {"Jurgen Cafe", Cafe, Cafe}});
    return all;
}

class UnicodeNames : public testing::TestWithParam<NameCase> {};

TEST_P(UnicodeNames, SurviveSaveCsvAndPasteAsTheFamilyStoresThem)
{
    const auto& c = GetParam();
    TempDir dir;
    auto plug = test::openEmpty(dir, c.format);
    ASSERT_EQ(plug->addContact(test::makeContact(c.format, 9, c.typed, CallType::GroupCall)), AddResult::Added);
    Channel channel = plug->newChannel(439.5);
    channel.setName(c.typed);
    ASSERT_EQ(plug->addChannel(channel), AddResult::Added);
    Zone zone = plug->newZone();
    zone.setName(c.typed);
    zone.addMember(plug->memberNumberOf(0));
    ASSERT_TRUE(plug->addZone(zone));
    plug->markChanged();
    ASSERT_TRUE(plug->save(dir.file("saved")));

    Codeplug reopened;
    ASSERT_EQ(reopened.open(dir.file("saved")), c.format);
    ASSERT_TRUE(reopened.decode());
    ASSERT_EQ(reopened.contacts().count(), 1);
    EXPECT_EQ(reopened.contactAt(0)->name(), c.stored.contact);
    EXPECT_EQ(reopened.channelAt(0)->name(), c.stored.channel);
    ASSERT_GE(reopened.zones().count(), 1);
    EXPECT_EQ(reopened.zones().at(0)->name(), c.stored.zone);

    // CSV files are UTF-8 and read back to the same names.
    ASSERT_TRUE(exportContactsCsv(reopened, dir.file("contacts.csv")));
    ASSERT_TRUE(exportChannelsCsv(reopened, dir.file("channels.csv")));
    const auto csv = test::readText(dir.file("contacts.csv"));
    EXPECT_TRUE(isValidUtf8(csv));
    EXPECT_NE(csv.find(c.stored.contact), std::string::npos);
    auto imported = test::openEmpty(dir, c.format, "imported");
    EXPECT_EQ(readContactsCsv(*imported, dir.file("contacts.csv")).imported, 1);
    EXPECT_EQ(importChannelsCsv(*imported, dir.file("channels.csv")).added, 1);
    ASSERT_EQ(imported->contacts().count(), 1);
    EXPECT_EQ(imported->contactAt(0)->name(), c.stored.contact);
    ASSERT_EQ(imported->channels().count(), 1);
    EXPECT_EQ(imported->channelAt(0)->name(), c.stored.channel);

    // The clipboard carries the same text.
    auto pasted = test::openEmpty(dir, c.format, "pasted");
    ScriptedPrompts prompts;
    ListTabState state;
    state.reset(*pasted);
    pasteText(*pasted, prompts, contactsClipboardText(reopened, {0}), state);
    ASSERT_EQ(pasted->contacts().count(), 1);
    EXPECT_EQ(pasted->contactAt(0)->name(), c.stored.contact);
}

INSTANTIATE_TEST_SUITE_P(Families, UnicodeNames, testing::ValuesIn(cases()));

// Files written by older tools are Windows-1252; a byte-order mark before UTF-8 is skipped.
TEST(CsvEncoding, Windows1252AndUtf8WithByteOrderMarkReadAlike)
{
    TempDir dir;
    const std::string line = "\"2000001\",\"Caf\xC3\xA9 \xE2\x82\xAC\",\"Private Call\",\"No\"\r\n";
    test::writeText(dir.file("utf8.csv"), "\xEF\xBB\xBF" + line);
    test::writeText(dir.file("1252.csv"), "\"2000001\",\"Caf\xE9 \x80\",\"Private Call\",\"No\"\r\n");
    for (const char* file : {"utf8.csv", "1252.csv"}) {
        auto plug = test::openEmpty(dir, Md9600Format);
        ASSERT_EQ(readContactsCsv(*plug, dir.file(file)).imported, 1) << file;
        EXPECT_EQ(plug->contactAt(0)->name(), "Caf\xC3\xA9 \xE2\x82\xAC") << file;
    }
}

TEST(CsvEncoding, PastedWindows1252TextIsReadAsSuch)
{
    TempDir dir;
    auto plug = test::openEmpty(dir, Md9600Format);
    ScriptedPrompts prompts;
    ListTabState state;
    state.reset(*plug);
    pasteText(*plug, prompts, "DMR-CONTACT\r\n\"2000001\",\"M\xFCller\",\"Private Call\",\"No\"\r\n", state);
    ASSERT_EQ(plug->contacts().count(), 1);
    EXPECT_EQ(plug->contactAt(0)->name(), "M\xC3\xBCller");
}

} // namespace
} // namespace pw
