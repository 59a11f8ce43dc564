// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/user_list_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw {
namespace {

struct Read {
    std::vector<IdRecordFields> records;
    int incomplete = 0;
    UserListLayout layout = UserListLayout::Unknown;
    int rows = 0;
    int skipped = 0;
    int overlong = 0;
};

// Feeds the list in pieces of `piece` bytes (0: all at once).
Read readList(std::string_view text, std::size_t piece = 0, std::size_t maxLine = UserListReader::DefaultMaxLineBytes)
{
    Read read;
    UserListReader reader(
        [&](const IdRecordFields& fields, bool complete) {
            if (complete)
                read.records.push_back(fields);
            else
                ++read.incomplete;
            return true;
        },
        maxLine);
    if (piece == 0)
        piece = text.size() + 1;
    for (std::size_t at = 0; at < text.size(); at += piece)
        reader.feed(text.substr(at, piece));
    reader.finish();
    read.layout = reader.layout();
    read.rows = reader.rows();
    read.skipped = reader.skippedRows();
    read.overlong = reader.overlongLines();
    return read;
}

std::vector<std::string> row(const IdRecordFields& f)
{
    return {f.radioId, f.callsign, f.name, f.city, f.state, f.country, f.remarks};
}

const std::string TodaysList = "\xEF\xBB\xBF" "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\r\n"
                               "1023001,VE3THW,Wayne,Edward,Toronto,Ontario,Canada\r\n"
                               "2620001,DL1ABC,J\xC3\xBCrgen,,M\xC3\xBCnchen,Bayern,Germany\r\n"
                               ",NOID,No,Id,Nowhere,,\r\n"
                               "3112345,K0ABC,,\"Smith, \"\"Jr.\"\"\",Kansas City,Missouri,United States";

TEST(UserListHeaderLayout, ColumnsAreMappedByNameAndNamesJoined)
{
    for (const std::size_t piece : {0, 1, 7}) {
        const auto read = readList(TodaysList, piece);
        EXPECT_EQ(read.layout, UserListLayout::Header);
        ASSERT_EQ(read.records.size(), 3u) << piece;
        EXPECT_EQ(row(read.records[0]), (std::vector<std::string>{"1023001", "VE3THW", "Wayne Edward", "Toronto",
                                                                  "Ontario", "Canada", ""}));
        EXPECT_EQ(read.records[1].name, "J\xC3\xBCrgen");
        EXPECT_EQ(read.records[1].city, "M\xC3\xBCnchen");
        EXPECT_EQ(read.records[2].name, "Smith, \"Jr.\"");
        EXPECT_EQ(read.rows, 3);
        EXPECT_EQ(read.skipped, 1);
    }
}

TEST(UserListHeaderLayout, AnyOrderAnyCaseUnknownAndMissingColumns)
{
    const auto read = readList("country,Extra,last_name,Radio_Id,callsign,first_name,Remarks\n"
                               "Canada,zzz,Edward,1023001,VE3THW,Wayne,\"tab\there\"\n"
                               "Norway\n");
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(row(read.records[0]), (std::vector<std::string>{"1023001", "VE3THW", "Wayne Edward", "", "", "Canada",
                                                              "tab here"}));
    EXPECT_EQ(read.skipped, 1);
}

TEST(UserListHeaderLayout, Windows1252LinesBecomeUtf8AndLongTextsAreCutOnCharacters)
{
    const std::string longName(245, 'n');
    const auto read = readList("RADIO_ID,FIRST_NAME,CITY\n1,Ren\xE9,\x80uro\n2," + longName + "\xC3\xA9\xC3\xA9,x\n");
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[0].name, "Ren\xC3\xA9");
    EXPECT_EQ(read.records[0].city, "\xE2\x82\xAC" "uro");
    // 245 + 2 bytes would split the first é at the 246-byte limit: it is dropped whole.
    EXPECT_EQ(read.records[1].name, longName);
}

TEST(UserListQuotedLayout, FieldRulesCountsAndRemarks)
{
    const auto read = readList("\"1\",\"A1\",\"Name\",\"City\",\"State\"\n"           // five fields: a row, no record
                               "\n"                                                   // no field 0
                               "\"N0CALL\",\"B2\",\"Bee\",\"Town\",\"St\",\"Land\"\n"   // field 0 not a number
                               "\"5\",\"C3\",\"Cee\",\"Town\",\"St\",\"Land\",\"tab\there\xC3\xA9 end\"\n"
                               "\"6\",\"D4\",\"Dee\",\"Town\",\"St\",\"Land\",\"r\",\"extra\"\n");
    EXPECT_EQ(read.layout, UserListLayout::QuotedFields);
    EXPECT_EQ(read.rows, 4);
    EXPECT_EQ(read.incomplete, 1);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.records[0].radioId, "N0CALL");
    EXPECT_EQ(read.records[1].remarks, "tab here\xC3\xA9 end");
    EXPECT_EQ(read.records[2].remarks, "r");
}

TEST(UserListLines, OverlongLinesArePassedOverAndTheReceiverCanStop)
{
    const std::string list = "\"1\",\"A\",\"" + std::string(500, 'x') + "\",\"c\",\"s\",\"y\"\n\"2\",\"B\",\"b\",\"c\",\"s\",\"y\"\n";
    for (const std::size_t piece : {0, 3, 100}) {
        const auto read = readList(list, piece, 200);
        ASSERT_EQ(read.records.size(), 1u);
        EXPECT_EQ(read.records[0].radioId, "2");
        EXPECT_EQ(read.overlong, 1);
    }

    int delivered = 0;
    UserListReader capped([&](const IdRecordFields&, bool) { return ++delivered < 2; });
    EXPECT_FALSE(capped.feed("\"1\",\"a\",\"b\",\"c\",\"d\",\"e\"\n\"2\",\"a\",\"b\",\"c\",\"d\",\"e\"\n\"3\"\n"));
    EXPECT_EQ(delivered, 2);
    EXPECT_EQ(capped.rows(), 1);
}

} // namespace
} // namespace pw
