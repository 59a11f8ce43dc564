// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/field_readers.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(CsvFieldReader, ReadsQuotedFieldsAndReportsMissingOnes)
{
    const std::string line = R"("1","two","three")";
    EXPECT_EQ(CsvFieldReader::field(line, 0), "1");
    EXPECT_EQ(CsvFieldReader::field(line, 1), "two");
    EXPECT_EQ(CsvFieldReader::field(line, 2), "three");
    std::string out;
    EXPECT_EQ(CsvFieldReader::field(line, 3, 0, out), -1);
    EXPECT_GE(CsvFieldReader::field(line, 2, 0, out), 0);
}

TEST(CsvFieldReader, QuotedFieldHoldsCommaAndEndsAtSecondQuote)
{
    EXPECT_EQ(CsvFieldReader::field(R"("a,b","c")", 0), "a,b");
    EXPECT_EQ(CsvFieldReader::field(R"("a,b","c")", 1), "c");
    // No escaping: the field ends at the first matching quote.
    EXPECT_EQ(CsvFieldReader::field(R"("say ""hi""",x)", 0), "say ");
    // Single quotes quote as well.
    EXPECT_EQ(CsvFieldReader::field("'x,y',z", 0), "x,y");
    EXPECT_EQ(CsvFieldReader::field("'x,y',z", 1), "z");
    // A blank after the separating comma, as channel lines write it, keeps the field quoted.
    EXPECT_EQ(CsvFieldReader::field(R"("a", "b, c", "d")", 2), "d");
    EXPECT_EQ(CsvFieldReader::field(R"("a", 'b, c', "d")", 2), "d");
}

TEST(PlainNumbers, OnlyDigitsAndAtMostOnePointAreNumbers)
{
    EXPECT_EQ(plainDecimal("16777215"), 16777215u);
    EXPECT_EQ(plainDecimal("007"), 7u);
    EXPECT_EQ(plainDecimal("99999999999999999999999"), UINT64_MAX);
    for (const char* text : {"", "-1", "+5", " 12", "12 ", "0x10", "1e5", "12abc", "1.0"})
        EXPECT_FALSE(plainDecimal(text)) << text;
    for (const char* text : {"146", "146.52", "0.000001"})
        EXPECT_TRUE(isPlainDecimalNumber(text)) << text;
    for (const char* text : {"", ".5", "146.", "1.4652e2", "-1.5", "1.2.3", "146,52"})
        EXPECT_FALSE(isPlainDecimalNumber(text)) << text;
}

TEST(CsvFieldReader, HighBytesAreBlanksOutsideQuotesOnly)
{
    EXPECT_EQ(CsvFieldReader::field("\xC3\xA9t\xC3\xA9,x", 0), "t\xC3\xA9");
    EXPECT_EQ(CsvFieldReader::field("\"\xC3\xA9t\xC3\xA9\",x", 0), "\xC3\xA9t\xC3\xA9");
}

TEST(CsvFieldReader, UnquotedFieldKeepsTrailingBlanksAndSkipsEmptyFields)
{
    EXPECT_EQ(CsvFieldReader::field("  abc  ,def", 0), "abc  ");
    EXPECT_EQ(CsvFieldReader::field("  abc  ,def", 1), "def");
    // The wanted field skips every comma before it, so an empty field is passed over.
    EXPECT_EQ(CsvFieldReader::field("a,,c", 1), "c");
    EXPECT_EQ(CsvFieldReader::field("a,,c", 2), "c");
}

TEST(CsvFieldReader, MaximumLengthCutsTheField)
{
    EXPECT_EQ(CsvFieldReader::field(R"("abcdefgh")", 0, 3), "abc");
    EXPECT_EQ(CsvFieldReader::field("abcdefgh", 0, 0), "abcdefgh");
}

TEST(CsvFieldReader, LineEndsAtZeroByte)
{
    const std::string line("\"a\"\0,\"b\"", 8);
    std::string out;
    EXPECT_EQ(CsvFieldReader::field(line, 1, 0, out), -1);
}

TEST(CsvFieldReader, UnterminatedQuoteRunsToEndOfLine)
{
    EXPECT_EQ(CsvFieldReader::field("\"open", 0), "open");
    std::string out;
    EXPECT_EQ(CsvFieldReader::field("\"open", 1, 0, out), -1);
}

TEST(WordReader, SplitsStatusHeaderAndTemplateLines)
{
    EXPECT_EQ(WordReader::word("HTTP/1.1 200 OK", 1), "200");
    EXPECT_EQ(WordReader::word("Transfer-Encoding: chunked", 1), "chunked");
    EXPECT_EQ(WordReader::word("%C - %F", 0), "%C");
    EXPECT_EQ(WordReader::word("%C - %F", 1), "-");
    EXPECT_EQ(WordReader::word("%C - %F", 2), "%F");
    std::string out;
    EXPECT_EQ(WordReader::word("%C - %F", 3, 0, out), -1);
}

TEST(WordReader, MaximumLengthCopiesThatManyBytes)
{
    EXPECT_EQ(WordReader::word("abcdefg", 0, 0), "abcdefg");
    EXPECT_EQ(WordReader::word("abcdefg", 0, 3), "abc");
}

TEST(WordReader, CommaSeparatesAndABlankAfterItGivesAnEmptyWord)
{
    EXPECT_EQ(WordReader::word("a,b", 1), "b");
    EXPECT_EQ(WordReader::word("a, b", 1), "");
    EXPECT_EQ(WordReader::word("a, b", 2), "b");
    EXPECT_EQ(WordReader::word("\"two words\" next", 0), "two words");
    EXPECT_EQ(WordReader::word("\"two words\" next", 1), "next");
}

TEST(CsvLineSplitting, FollowsRfc4180)
{
    std::vector<std::string> cells;
    splitCsvLine(" a , \"b,c\" ,\"d\"\"e\",,\"unclosed", cells);
    EXPECT_EQ(cells, (std::vector<std::string>{"a", "b,c", "d\"e", "", "unclosed"}));
    splitCsvLine("", cells);
    EXPECT_EQ(cells, (std::vector<std::string>{""}));
}

} // namespace
} // namespace pw
