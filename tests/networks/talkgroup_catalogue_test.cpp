// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/talkgroup_catalogue.h"
#include "networks/talkgroup_ids.h"
#include "support/network_lists_generator.h"

#include <gtest/gtest.h>

namespace pw {

bool operator==(const Talkgroup& a, const Talkgroup& b) { return a.id == b.id && a.name == b.name; }

namespace {

TEST(TalkgroupCatalogue, BothFormsOfTwoThousandTalkgroupsReadBackWhole)
{
    const auto talkgroups = test::generateTalkgroups(2000);
    for (const auto& text : {test::talkgroupJson(talkgroups), test::talkgroupCsv(talkgroups),
                             "\xEF\xBB\xBF \n" + test::talkgroupJson(talkgroups)}) {
        const auto reading = readTalkgroupCatalogue(text);
        EXPECT_EQ(reading.failure, "");
        EXPECT_EQ(reading.passedOver, 0);
        EXPECT_EQ(reading.catalogue.talkgroups(), talkgroups) << text.substr(0, 40);
    }
}

TEST(TalkgroupCatalogue, EntriesThatAreNoTalkgroupArePassedOverAndCounted)
{
    struct Case {
        std::string text;
        std::vector<Talkgroup> kept;
        int passedOver;
    };
    const Case cases[] = {
        {R"({"91":"Worldwide","abc":"x","0":"Zero","16777216":"Big","262":"","7":7,"8":{"n":"x"},"9":null})",
         {{91, "Worldwide"}}, 7},
        {R"({"262":"Germany","262":"Deutschland","91":" World\nwide "})", {{91, "World wide"}, {262, "Germany"}}, 1},
        {"Talkgroup,Name\r\n91,Worldwide\r\n\r\nx,Bad\r23,\r262,\"Germany, \"\"DE\"\"\"\n3100",
         {{91, "Worldwide"}, {262, "Germany, \"DE\""}}, 3},
        // A Windows-1252 file: the name comes out as UTF-8.
        {"232,\xD6sterreich\n", {{232, "\xC3\x96sterreich"}}, 0},
    };
    for (const auto& c : cases) {
        const auto reading = readTalkgroupCatalogue(c.text);
        EXPECT_EQ(reading.catalogue.talkgroups(), c.kept) << c.text;
        EXPECT_EQ(reading.passedOver, c.passedOver) << c.text;
    }
}

TEST(TalkgroupCatalogue, TextThatIsNoTalkgroupListSaysWhy)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"({"91":"Worldwide")", "not valid JSON (cut off after byte 17)"},
        {R"({"91":"World)" "\xFF" R"("})", "not valid JSON (at byte 13)"},
        {R"({"91":"Worldwide"} [])", "not valid JSON (at byte 20)"},
        {"{}", "no talkgroup in it"},
        {"", "no talkgroup in it"},
        {"<html>Bad Gateway</html>", "no talkgroup in it"},
        {"{\"a\":" + std::string(40, '[') + std::string(40, ']') + "}", "nested deeper than 32 levels"},
    };
    for (const auto& [text, failure] : cases) {
        const auto reading = readTalkgroupCatalogue(text);
        EXPECT_EQ(reading.failure, failure) << text;
        EXPECT_TRUE(reading.catalogue.empty());
    }
}

TEST(TalkgroupCatalogue, FindsByNumberAndMatchesNamesIgnoringCase)
{
    const TalkgroupCatalogue catalogue({{262, "Germany"}, {91, "Worldwide"}, {2621, "Bayern"}, {3100, "WORLD chat"}});
    ASSERT_NE(catalogue.find(2621), nullptr);
    EXPECT_EQ(catalogue.find(2621)->name, "Bayern");
    EXPECT_EQ(catalogue.find(2622), nullptr);
    EXPECT_EQ(catalogue.matching("world"), (std::vector<Talkgroup>{{91, "Worldwide"}, {3100, "WORLD chat"}}));
    EXPECT_EQ(catalogue.matching("").size(), 4u);
}

TEST(TalkgroupIds, ListsOfNumbersAndRanges)
{
    const auto ids = parseTalkgroupIds("91, 262 ,3100-3199");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->size(), 3u);
    for (const std::uint32_t id : {91u, 262u, 3100u, 3150u, 3199u})
        EXPECT_TRUE(containsTalkgroup(*ids, id)) << id;
    for (const std::uint32_t id : {90u, 263u, 3099u, 3200u})
        EXPECT_FALSE(containsTalkgroup(*ids, id)) << id;
    for (const char* bad : {"", "91,", "0", "16777216", "3199-3100", "91-", "-5", "9 1", "0x5B", "1e3"})
        EXPECT_FALSE(parseTalkgroupIds(bad)) << bad;
}

} // namespace
} // namespace pw
