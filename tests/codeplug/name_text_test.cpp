// SPDX-License-Identifier: GPL-3.0-or-later
// Names as the families store them: TYT (and the RDB lists) in UTF-16LE, D868 in 8-bit Latin-1,
// RDB contacts and channels in the six-bit alphabet; the model holds UTF-8.

#include "codeplug/byte_field.h"
#include "codeplug/codeplug.h"
#include "codeplug/rdb/six_bit_text.h"
#include "codeplug/record_factory.h"
#include "support/temp_dir.h"
#include "support/tyt_fixture.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::TempDir;

std::vector<std::uint16_t> unitsAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t count)
{
    std::vector<std::uint16_t> units;
    for (std::size_t i = 0; i < count; ++i)
        units.push_back(static_cast<std::uint16_t>(getU16Le(bytes, offset + 2 * i)));
    return units;
}

TEST(Utf16Name, StoresEveryScriptAsUtf16Units)
{
    const struct {
        const char* utf8;
        std::vector<std::uint16_t> units;
    } cases[] = {
        {"Ab", {0x41, 0x62, 0}},
        {"\xD0\x9C\xD0\xBE", {0x041C, 0x043E, 0}},                 // Мо
        {"\xCE\xA9\xCE\xB1", {0x03A9, 0x03B1, 0}},                 // Ωα
        {"\xE5\x8C\x97\xE4\xBA\xAC", {0x5317, 0x4EAC, 0}},         // 北京
        {"\xC3\xA9\xF0\x9F\x93\xBB", {0x00E9, 0xD83D, 0xDCFB, 0}}, // é📻
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> record(32, 0xEE);
        setUtf16Name(record, 0, 16, c.utf8);
        EXPECT_EQ(unitsAt(record, 0, c.units.size()), c.units) << c.utf8;
        EXPECT_EQ(getUtf16Name(record, 0, 16), c.utf8);
        EXPECT_EQ(getU16Le(record, 30), 0u) << "the units after the name are zeroed";
    }
}

TEST(Utf16Name, LongNameIsCutBeforeACharacterThatDoesNotFitWhole)
{
    std::vector<std::uint8_t> record(32, 0);
    // Fifteen letters and a character of two units: the pair does not fit and is left out.
    setUtf16Name(record, 0, 16, std::string(15, 'x') + "\xF0\x9F\x93\xBB");
    EXPECT_EQ(getUtf16Name(record, 0, 16), std::string(15, 'x'));
    EXPECT_EQ(getU16Le(record, 30), 0u);
    std::string zhe;
    for (int i = 0; i < 17; ++i)
        zhe += "\xD0\x96";  // Ж
    setUtf16Name(record, 0, 16, zhe);
    EXPECT_EQ(getUtf16Name(record, 0, 16), zhe.substr(0, 32));
}

TEST(Utf16Name, NameThatReadsTheSameKeepsItsBytes)
{
    // Other software leaves units after the terminating zero, and a lone surrogate shows as U+FFFD.
    std::vector<std::uint8_t> record(32, 0);
    setU16Le(record, 0, 0x0041);
    setU16Le(record, 2, 0xD800);
    setU16Le(record, 6, 0x1234);
    const auto stored = record;
    const auto shown = getUtf16Name(record, 0, 16);
    EXPECT_EQ(shown, "A\xEF\xBF\xBD");
    setUtf16Name(record, 0, 16, shown);
    EXPECT_EQ(record, stored);
    setUtf16Name(record, 0, 16, "B");
    EXPECT_EQ(unitsAt(record, 0, 4), (std::vector<std::uint16_t>{0x42, 0, 0, 0}));
}

TEST(Latin1Text, BytesReadAsLatin1AndOtherLettersAreTransliterated)
{
    std::vector<std::uint8_t> field(17, 0);
    field[0] = 0xE9;
    field[1] = 't';
    field[2] = 0xE9;
    field[5] = 0x77;  // after the terminator: kept while the text stays as it reads
    const auto stored = field;
    EXPECT_EQ(getLatin1Text(field, 0, 16), "\xC3\xA9t\xC3\xA9");
    setLatin1Text(field, 0, 17, "\xC3\xA9t\xC3\xA9", 16);
    EXPECT_EQ(field, stored);
    setLatin1Text(field, 0, 17, "\xD0\x9C\xD0\xB8\xD1\x80 \xC3\xA9", 16);  // Мир é
    EXPECT_EQ(getCString(field, 0, 16), "Mir \xE9");
    EXPECT_EQ(field[5], 0);
}

TEST(SixBitName, TransliteratesAndTellsWhatCannotBeHeld)
{
    EXPECT_EQ(SixBitText::normalize("J\xC3\xBCrgen"), "Jurgen");
    EXPECT_EQ(SixBitText::normalize("\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"), "Moskva");
    EXPECT_TRUE(SixBitText::holds("Plain-ASCII/Name"));
    EXPECT_TRUE(SixBitText::holds("\xE5\x8C\x97\xE4\xBA\xAC"));
    EXPECT_FALSE(SixBitText::holds("Club \xE2\x9C\x93"));   // ✓
    EXPECT_FALSE(SixBitText::holds("\xF0\x9F\x93\xBB"));    // 📻
    const Contact contact = newContact(RdbV2Format);
    EXPECT_FALSE(contact.format().holdsName("\xE2\x9C\x93"));
    EXPECT_TRUE(newContact(Md9600Format).format().holdsName("\xE2\x9C\x93"));
}

// A file whose names other software wrote in UTF-16 shows them, and saves byte for byte while
// they are not edited, even when other fields of their records are.
TEST(TytNames, WrittenByOtherSoftwareShowAndSurviveUnedited)
{
    TempDir dir;
    test::TytFixture fixture(Md9600Format);
    fixture.addContact(1001, "x", CallType::GroupCall);
    fixture.addChannel(test::tytAnalogChannel(Md9600Format, "x", 145.5));
    fixture.addZone("x", {1});
    auto path = fixture.write(dir.file("plug.rdt"));
    auto bytes = test::readBytes(path);
    const std::size_t contactName = test::tytContactOffset(Md9600Format, 0) + 4;
    const std::size_t channelName = test::tytChannelOffset(Md9600Format, 0) + 32;
    const std::size_t zoneName = test::tytZoneOffset(0);
    // Москва, then a zero unit and bytes left behind; the zone begins with U+4E00, whose low byte is 0.
    const std::uint16_t moscow[] = {0x041C, 0x043E, 0x0441, 0x043A, 0x0432, 0x0430, 0, 0xBEEF};
    for (std::size_t i = 0; i < std::size(moscow); ++i) {
        setU16Le(bytes, contactName + 2 * i, moscow[i]);
        setU16Le(bytes, channelName + 2 * i, moscow[i]);
    }
    setU16Le(bytes, zoneName, 0x4E00);
    setU16Le(bytes, zoneName + 2, 0x533A);
    test::writeBytes(path, bytes);

    Codeplug codeplug;
    ASSERT_EQ(codeplug.open(path), Md9600Format);
    ASSERT_TRUE(codeplug.decode());
    const std::string shown = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";
    EXPECT_EQ(codeplug.contactAt(0)->name(), shown);
    EXPECT_EQ(codeplug.channelAt(0)->name(), shown);
    ASSERT_EQ(codeplug.zones().count(), 1);
    EXPECT_EQ(codeplug.zones().at(0)->name(), "\xE4\xB8\x80\xE5\x8C\xBA");

    codeplug.contactAt(0)->setDmrId(1002);
    codeplug.contactAt(0)->setDmrId(1001);
    codeplug.channelAt(0)->setName(shown);
    codeplug.markChanged();
    ASSERT_TRUE(codeplug.save(dir.file("saved.rdt")));
    EXPECT_EQ(test::readBytes(dir.file("saved.rdt")), bytes);
}

TEST(D868Names, StoredBytesReadAsLatin1AndComeBackTheSame)
{
    Channel channel = newChannel(D868Format);
    channel.setName("Caf\xC3\xA9");
    EXPECT_EQ(channel.name(), "Caf\xC3\xA9");
    channel.setName("\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1 \xC3\xA9");  // Αθήνα é
    EXPECT_EQ(channel.name(), "Athena \xC3\xA9");
    Contact contact = newContact(D868Format);
    contact.setName("J\xC3\xBCrgen");
    contact.setCity("\xD0\x9C\xD0\xB8\xD1\x80");
    EXPECT_EQ(contact.name(), "Jurgen");
    EXPECT_EQ(contact.city(), "Mir");
}

} // namespace
} // namespace pw
