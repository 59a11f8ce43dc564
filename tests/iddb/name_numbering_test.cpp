// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/name_numbering.h"

#include <gtest/gtest.h>

#include <string>

namespace pw {
namespace {

TEST(NameNumbering, OneNumberForNamesThatDifferInAsciiCaseOnlyAndTheFirstSpellingKept)
{
    NameNumbering numbering;
    struct Asked {
        const char* name;
        std::uint32_t number;
    };
    // "Ö" and "ö" differ in more than ASCII case; the empty name is a name too.
    const Asked asked[] = {{"Germany", 0}, {"GERMANY", 0}, {"Canada", 1}, {"germany", 0}, {"\xC3\x96sterreich", 2},
                           {"\xC3\xB6sterreich", 3},         {"", 4},     {"canada", 1}};
    for (const auto& [name, number] : asked)
        EXPECT_EQ(numbering.numberOf(name), number) << name;
    EXPECT_EQ(numbering.names(),
              (std::vector<std::string>{"Germany", "Canada", "\xC3\x96sterreich", "\xC3\xB6sterreich", ""}));
    EXPECT_EQ(numbering.find("cAnAdA"), 1u);
    EXPECT_FALSE(numbering.find("France"));
    EXPECT_EQ(numbering.names().size(), 5u);
}

TEST(NameNumbering, KeepsEveryNumberAsTheTableGrows)
{
    NameNumbering numbering;
    for (std::uint32_t i = 0; i < 5000; ++i)
        ASSERT_EQ(numbering.numberOf("STATE " + std::to_string(i)), i);
    for (std::uint32_t i = 0; i < 5000; ++i)
        ASSERT_EQ(numbering.find("state " + std::to_string(i)), i);
    numbering.clear();
    EXPECT_FALSE(numbering.find("STATE 1"));
    EXPECT_EQ(numbering.numberOf("state 1"), 0u);
}

} // namespace
} // namespace pw
