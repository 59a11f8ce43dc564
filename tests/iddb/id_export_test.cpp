// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_export.h"

#include "iddb/iddb_test_records.h"
#include "iddb/user_list_reader.h"
#include "support/id_users_generator.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using test::idRecord;

// A comma and a quote in values, letters Windows-1252 holds (ü), letters it does not (Ł, ź, Cyrillic),
// a record in plain ASCII with a callsign longer than dmrconfig keeps, a second record of one ID,
// and an ID field that is no DMR ID. Written by DMR ID.
const IdRecordStore& exportStore()
{
    static const IdRecordStore store = test::storeOf({
        idRecord("3112345", "K0ABC", "John Smith, Jr.", "Kansas City", "Missouri", "United States", "DMR"),
        idRecord("2620001", "DL1ABC", "J\xC3\xBCrgen M\xC3\xBCller", "M\xC3\xBCnchen", "Bayern", "Germany"),
        idRecord("2600001", "SP5ABC", "\xC5\x81ukasz \"Luke\" Nowak", "\xC5\x81\xC3\xB3" "d\xC5\xBA", "", "Poland",
                 "Club"),
        idRecord("2620001", "DL9DUP", "Later Line", "", "", "Germany"),
        idRecord("none", "N0ID", "No Id", "", "", "United States"),
        idRecord("3100001", "W1AW/PORTABLE/MM1", "Hiram Maxim", "Newington", "Connecticut", "United States", "Club"),
        idRecord("2500001", "R1ABC", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "", "Russia"),
    });
    return store;
}

struct LayoutCase {
    const char* name;
    RadioCsvType type;
    RadioCsvOptions options;
    std::string expected;
};

class Layout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, IsWrittenByteForByte)
{
    const IdUserIndex users(exportStore());
    EXPECT_EQ(exportSelection(users, {}, GetParam().type, GetParam().options).text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    RadioTypes, Layout,
    ::testing::Values(
        LayoutCase{"AnyTone", RadioCsvType::AnyTone, {},
                   "\"No.\",\"Radio ID\",\"Callsign\",\"Name\",\"City\",\"State\",\"Country\",\"Remarks\",\"Call Type\","
                   "\"Call Alert\"\r\n"
                   "\"1\",\"2500001\",\"R1ABC\",\"Ivan\",\"Moskva\",\"\",\"Russia\",\"\",\"Private Call\",\"None\"\r\n"
                   "\"2\",\"2600001\",\"SP5ABC\",\"Lukasz \"\"Luke\"\" Nowak\",\"L\xF3" "dz\",\"\",\"Poland\",\"Club\","
                   "\"Private Call\",\"None\"\r\n"
                   "\"3\",\"2620001\",\"DL1ABC\",\"J\xFCrgen M\xFCller\",\"M\xFCnchen\",\"Bayern\",\"Germany\",\"\","
                   "\"Private Call\",\"None\"\r\n"
                   "\"4\",\"3100001\",\"W1AW/PORTABLE/MM1\",\"Hiram Maxim\",\"Newington\",\"Connecticut\","
                   "\"United States\",\"Club\",\"Private Call\",\"None\"\r\n"
                   "\"5\",\"3112345\",\"K0ABC\",\"John Smith, Jr.\",\"Kansas City\",\"Missouri\",\"United States\","
                   "\"DMR\",\"Private Call\",\"None\"\r\n"},
        LayoutCase{"AnyToneWithoutNames", RadioCsvType::AnyTone, {ExportCharset::Ascii, true},
                   "\"No.\",\"Radio ID\",\"Callsign\",\"Name\",\"City\",\"State\",\"Country\",\"Remarks\",\"Call Type\","
                   "\"Call Alert\"\r\n"
                   "\"1\",\"2500001\",\"R1ABC\",\"\",\"\",\"\",\"Russia\",\"\",\"Private Call\",\"None\"\r\n"
                   "\"2\",\"2600001\",\"SP5ABC\",\"\",\"\",\"\",\"Poland\",\"Club\",\"Private Call\",\"None\"\r\n"
                   "\"3\",\"2620001\",\"DL1ABC\",\"\",\"\",\"\",\"Germany\",\"\",\"Private Call\",\"None\"\r\n"
                   "\"4\",\"3100001\",\"W1AW/PORTABLE/MM1\",\"\",\"\",\"\",\"United States\",\"Club\",\"Private Call\","
                   "\"None\"\r\n"
                   "\"5\",\"3112345\",\"K0ABC\",\"\",\"\",\"\",\"United States\",\"DMR\",\"Private Call\",\"None\"\r\n"},
        // dmrconfig splits at every comma and reads ASCII: no quoting, no comma inside a value.
        LayoutCase{"Dmrconfig", RadioCsvType::Dmrconfig, {},
                   "Radio ID,Callsign,Name,City,State,Country,Remarks\n"
                   "2500001,R1ABC,Ivan,Moskva,,Russia,\n"
                   "2600001,SP5ABC,Lukasz 'Luke' Nowak,Lodz,,Poland,Club\n"
                   "2620001,DL1ABC,Jurgen Muller,Munchen,Bayern,Germany,\n"
                   "3100001,W1AW/PORTABLE/MM,Hiram Maxim,Newington,Connecticut,United States,Club\n"
                   "3112345,K0ABC,John Smith  Jr.,Kansas City,Missouri,United States,DMR\n"},
        LayoutCase{"Type1", RadioCsvType::Md2017, {},
                   "Radio ID,CallSign,Name,Nickname,City,State,Country,\r\n"
                   "2500001,R1ABC,Ivan,,Moskva,,Russia\r\n"
                   "2600001,SP5ABC,\"Lukasz \"\"Luke\"\" Nowak\",,L\xF3" "dz,,Poland\r\n"
                   "2620001,DL1ABC,J\xFCrgen M\xFCller,,M\xFCnchen,Bayern,Germany\r\n"
                   "3100001,W1AW/PORTABLE/MM1,Hiram Maxim,,Newington,Connecticut,United States\r\n"
                   "3112345,K0ABC,\"John Smith, Jr.\",,Kansas City,Missouri,United States\r\n"},
        LayoutCase{"Type2Ascii", RadioCsvType::Md9600, {ExportCharset::Ascii, false},
                   "Radio ID,CallSign,Name,City,State/Prov,Country,\r\n"
                   "2500001,R1ABC,Ivan,Moskva,,Russia\r\n"
                   "2600001,SP5ABC,\"Lukasz \"\"Luke\"\" Nowak\",Lodz,,Poland\r\n"
                   "2620001,DL1ABC,Jurgen Muller,Munchen,Bayern,Germany\r\n"
                   "3100001,W1AW/PORTABLE/MM1,Hiram Maxim,Newington,Connecticut,United States\r\n"
                   "3112345,K0ABC,\"John Smith, Jr.\",Kansas City,Missouri,United States\r\n"},
        // Type 3 has no callsign column: without names, the callsign is the name.
        LayoutCase{"Type3WithoutNames", RadioCsvType::Md380, {ExportCharset::Windows1252, true},
                   "2500001,R1ABC,,,,,\r\n2600001,SP5ABC,,,,,\r\n2620001,DL1ABC,,,,,\r\n3100001,W1AW/PORTABLE/MM1,,,,,\r\n"
                   "3112345,K0ABC,,,,,\r\n"}),
    [](const auto& test) { return std::string(test.param.name); });

// Keeps what a file writer is handed, piece by piece, and refuses every piece after `accepted`.
class PieceSink final : public ByteSink {
public:
    explicit PieceSink(std::size_t accepted = SIZE_MAX) : accepted_(accepted) {}
    bool write(std::span<const std::uint8_t> bytes) override
    {
        if (pieces.size() == accepted_)
            return false;
        pieces.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    std::vector<std::string> pieces;

private:
    std::size_t accepted_;
};

// Enough users for a few pieces of every layout, one in sixteen with letters beyond ASCII.
const IdRecordStore& streamedList()
{
    static const IdRecordStore store = [] {
        IdRecordStore records;
        UserListReader reader([&](const IdRecordFields& fields, bool) {
            records.append(fields);
            return true;
        });
        reader.feed(test::generateUserListCsv(100000));
        reader.finish();
        return records;
    }();
    return store;
}

class Streamed : public ::testing::TestWithParam<RadioCsvType> {};

TEST_P(Streamed, InPiecesIsTheTextByteForByteAndStopsWhenAPieceIsRefused)
{
    const auto& store = streamedList();
    const IdUserIndex users(store);
    IdSelectionCriteria everyone;
    everyone.limit = 100000;
    const auto exported = exportSelection(users, everyone, GetParam());
    ASSERT_EQ(exported.records.size(), 100000u);

    PieceSink whole;
    std::string why;
    EXPECT_TRUE(radioCsvContent(store, exported.records, GetParam())(whole, why));
    ASSERT_GT(whole.pieces.size(), 1u);
    std::string joined;
    for (const auto& piece : whole.pieces)
        joined += piece;
    EXPECT_EQ(joined, exported.text);

    PieceSink refusing(1);
    EXPECT_FALSE(radioCsvContent(store, exported.records, GetParam())(refusing, why));
    EXPECT_EQ(refusing.pieces.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(RadioTypes, Streamed,
                         ::testing::Values(RadioCsvType::AnyTone, RadioCsvType::Dmrconfig, RadioCsvType::Md2017,
                                           RadioCsvType::Md380));

TEST(DmrconfigLayout, EveryLineHasSevenFieldsAndFitsDmrconfigsLineBuffer)
{
    // dmrconfig reads lines into 256 bytes and stops at the first with fewer than seven fields.
    const auto store = test::storeOf({idRecord("1234567", std::string(300, 'K'), std::string(300, 'n') + ",x",
                                               std::string(300, 'c'), std::string(300, 's'), std::string(300, 'y'),
                                               std::string(300, 'r') + "\t,")});
    const auto text = exportSelection(IdUserIndex(store), {}, RadioCsvType::Dmrconfig).text;
    const auto line = text.substr(text.find('\n') + 1);
    EXPECT_LE(line.size(), 255u);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 6);
    EXPECT_EQ(line.find('\t'), std::string::npos);
}

TEST(ExportCapacities, EachTypeIsCutAtWhatItsRadioKeepsUnlessALimitIsGiven)
{
    std::vector<IdRecordFields> records;
    for (int i = 0; i < 1005; ++i)
        records.push_back(idRecord(std::to_string(3100000 + i), "W" + std::to_string(i), "N", "", "", "United States"));
    const auto store = test::storeOf(records);
    const IdUserIndex users(store);
    const auto md380 = exportSelection(users, {}, RadioCsvType::Md380);
    EXPECT_EQ(md380.selection.users.size(), 1000u);
    EXPECT_EQ(md380.report, "1000 users selected of 1005; capacity 1000\r\n"
                            "5 more users qualified but were cut at the limit of 1000");
    IdSelectionCriteria more;
    more.limit = 1003;
    EXPECT_EQ(exportSelection(users, more, RadioCsvType::Md380).selection.users.size(), 1003u);
    for (const auto& info : radioCsvTypes())
        EXPECT_EQ(radioCsvTypeNamed(info.name), info.type);
    EXPECT_EQ(radioCsvTypeInfo(RadioCsvType::Md2017)->capacity, 122197u);
    EXPECT_EQ(radioCsvTypeInfo(RadioCsvType::AnyTone)->capacity, 200000u);
    EXPECT_EQ(radioTypeButtonText(1), "TYT MD2017 / MDUV380");
    EXPECT_EQ(radioTypeButtonText(2), "TYT MD9600 / Retevis RT90");
    EXPECT_EQ(radioTypeButtonText(3), "TYT MD380");
    EXPECT_EQ(radioTypeButtonText(0), "");
}

TEST(ExportCriteria, MatchWholeWordStartsIgnoringCase)
{
    const std::string criteria = "MISSOURI\r\nKANSAS";
    EXPECT_EQ(exportCriteriaTerms(criteria), (std::vector<std::string>{" MISSOURI", " KANSAS"}));
    const auto store = test::storeOf({
        idRecord("3112345", "K0ABC", "John Smith", "Kansas City", "Missouri", "United States", "r"),
        idRecord("3112346", "W0XYZ", "Jane Doe", "Springfield", "MISSOURI", "United States"),
        idRecord("3112347", "N0MIS", "Sam Antimissouri", "Town", "Iowa", "United States"),
    });
    IdSelectionCriteria selected;
    selected.criteriaText = criteria;
    EXPECT_EQ(exportSelection(IdUserIndex(store), selected, RadioCsvType::Md380).text,
              "3112345,John Smith,,,,,\r\n3112346,Jane Doe,,,,,\r\n");
    EXPECT_EQ(matchingRecordsText(store, criteria), "2 matching records in database");
    EXPECT_EQ(matchingRecordsText(store, ""), "3 matching records in database");
    EXPECT_EQ(exportCriteriaTerms(std::string(200, 'c'))[0].size(), 127u);
    EXPECT_EQ(exportCriteriaTerms("A\r\n\r\nB").size(), 1u);
}

} // namespace
} // namespace pw
