// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/unicode_text.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(Utf8, ValidityOfWellFormedAndBrokenSequences)
{
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"plain", true},
        {"M\xC3\xBCnchen", true},
        {"\xE2\x82\xAC \xF0\x9F\x93\xBB", true},
        {"\xEF\xBF\xBD", true},          // U+FFFD written out
        {"M\xFCnchen", false},           // Latin-1
        {"\xC0\xAF", false},             // overlong
        {"\xED\xA0\x80", false},         // surrogate
        {"\xF4\x90\x80\x80", false},     // past U+10FFFF
        {"\xE2\x82", false},             // cut short
        {"\x80", false},                 // stray continuation
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.text;
    EXPECT_EQ(utf8Prefix("a\xC3\xA9", 2), "a");
    EXPECT_EQ(utf8Prefix("a\xC3\xA9", 3), "a\xC3\xA9");
}

TEST(Utf8, EightBitTextOfUnknownOrigin)
{
    EXPECT_EQ(windows1252ToUtf8("\x80 \x9C \xE9 \x81"), "\xE2\x82\xAC \xC5\x93 \xC3\xA9 \xC2\x81");
    EXPECT_EQ(latin1ToUtf8("\x80\xFF"), "\xC2\x80\xC3\xBF");
    EXPECT_EQ(utf8FromExternalText("J\xC3\xBCrgen"), "J\xC3\xBCrgen");
    EXPECT_EQ(utf8FromExternalText("J\xFCrgen"), "J\xC3\xBCrgen");
    EXPECT_EQ(utf8FromExternalText("\xEF\xBB\xBFJ\xC3\xBCrgen"), "J\xC3\xBCrgen");  // byte-order mark
    EXPECT_EQ(utf8FirstCharacters("J\xC3\xBCrgen", 2), "J\xC3\xBC");
    EXPECT_EQ(utf8FirstCharacters("Ab", 5), "Ab");
}

TEST(Transliteration, EachTargetKeepsWhatItHoldsAndSpellsTheRestInLatinLetters)
{
    struct Case {
        const char* utf8;
        const char* ascii;
        const char* windows1252;
        const char* latin1;
    };
    const Case cases[] = {
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "Lodz", "L\xF3" "dz", "L\xF3" "dz"},                    // Łódź
        {"M\xC3\xBCnchen", "Munchen", "M\xFCnchen", "M\xFCnchen"},                               // München
        {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "Moskva", "Moskva", "Moskva"},      // Москва
        {"\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", "Athena", "Athena", "Athena"},              // Αθήνα
        {"\xE2\x82\xAC" "5", "?5", "\x80" "5", "?5"},                                              // €5
        {"Stra\xC3\x9F" "e", "Strasse", "Stra\xDF" "e", "Stra\xDF" "e"},                         // Straße
        {"plain", "plain", "plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(transliterateToAscii(c.utf8), c.ascii) << c.utf8;
        EXPECT_EQ(transliterateToWindows1252(c.utf8), c.windows1252) << c.utf8;
        EXPECT_EQ(transliterateToLatin1(c.utf8), c.latin1) << c.utf8;
    }
    // What has no Latin spelling at all still becomes plain bytes of the target.
    EXPECT_TRUE(isAscii(transliterateToAscii("\xF0\x9F\x93\xBB")));
}

} // namespace
} // namespace pw
