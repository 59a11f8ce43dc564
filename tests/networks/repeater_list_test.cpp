// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/repeater_filter.h"
#include "networks/repeater_list.h"
#include "support/network_lists_generator.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

std::vector<std::string> csvLines(const std::vector<Repeater>& repeaters)
{
    std::vector<std::string> lines;
    for (const auto& repeater : repeaters)
        lines.push_back(repeaterCsvLine(repeater) + "|" + repeater.status + "|" + std::to_string(repeater.talkgroups.size()));
    return lines;
}

TEST(RepeaterList, PagesOfBothFormsReadAsTheRepeatersTheyWereMadeFrom)
{
    const auto repeaters = test::generateRepeaters(60);
    const std::vector<Repeater> firstHalf(repeaters.begin(), repeaters.begin() + 30);
    const auto page = readRepeaterPage(test::repeaterPageJson(firstHalf, 1, 2, repeaters.size()));
    EXPECT_EQ(page.failure, "");
    EXPECT_EQ(page.passedOver, 0);
    EXPECT_EQ(page.page, 1);
    EXPECT_EQ(page.pages, 2);
    EXPECT_EQ(csvLines(page.repeaters), csvLines(firstHalf));
    for (std::size_t i = 0; i < firstHalf.size(); ++i)
        for (std::size_t t = 0; t < firstHalf[i].talkgroups.size(); ++t) {
            EXPECT_EQ(page.repeaters[i].talkgroups[t].id, firstHalf[i].talkgroups[t].id);
            EXPECT_EQ(page.repeaters[i].talkgroups[t].timeSlot, firstHalf[i].talkgroups[t].timeSlot);
            EXPECT_EQ(page.repeaters[i].talkgroups[t].description, firstHalf[i].talkgroups[t].description);
        }
    // The cache's form: the whole list as one page.
    const auto cached = readRepeaterPage(repeaterListJson(repeaters));
    EXPECT_EQ(cached.pages, 1);
    EXPECT_EQ(csvLines(cached.repeaters), csvLines(repeaters));
}

TEST(RepeaterList, ValuesThatDoNotReadStayMissingAndBadEntriesAreCounted)
{
    const auto page = readRepeaterPage(R"({"results":[
        {"callsign":"DB0AB","city":"Köln","frequency":"438.8","offset":"-7.6","color_code":"16","status":"On-Air",
         "talkgroups":[{"talkgroup":262,"timeslot":1,"description":"DE"},{"talkgroup":0,"timeslot":1},
                       {"talkgroup":91,"timeslot":3},{"talkgroup":"9","timeslot":"2"},{"timeslot":2}]},
        {"callsign":"DB0CD","frequency":"4.3e2","offset":"x","color_code":-1,"status":"off-air","talkgroups":null},
        {"callsign":"DB0EF","frequency":-5,"offset":7.6,"color_code":3.0},
        7, "text", [1]]})");
    ASSERT_EQ(page.failure, "");
    ASSERT_EQ(page.repeaters.size(), 3u);
    EXPECT_EQ(page.passedOver, 3 + 3);
    const auto& first = page.repeaters[0];
    EXPECT_TRUE(first.onAir());
    EXPECT_FALSE(first.colorCode);
    ASSERT_TRUE(first.inputMhz());
    EXPECT_DOUBLE_EQ(*first.inputMhz(), 431.2);
    ASSERT_EQ(first.talkgroups.size(), 2u);
    EXPECT_EQ(first.talkgroups[1].id, 9u);
    EXPECT_EQ(first.talkgroups[1].timeSlot, 2);
    EXPECT_EQ(repeaterCsvLine(first), "DB0AB,Köln,,,438.80000,431.20000,,");
    EXPECT_FALSE(page.repeaters[1].outputMhz);
    EXPECT_FALSE(page.repeaters[1].offsetMhz);
    EXPECT_FALSE(page.repeaters[1].onAir());
    EXPECT_FALSE(page.repeaters[2].outputMhz);
    EXPECT_FALSE(page.repeaters[2].colorCode);
}

TEST(RepeaterList, TextThatIsNoRepeaterListSaysWhy)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"([{"callsign":"DB0AB"}])", "not a repeater list: an array where an object was expected"},
        {R"({"count":0,"page":1})", "not a repeater list: no \"results\""},
        {R"("results")", "not a repeater list: no JSON object"},
        {R"({"results":[{"callsign":"DB0AB"})", "not valid JSON (cut off after byte 32)"},
    };
    for (const auto& [text, failure] : cases)
        EXPECT_EQ(readRepeaterPage(text).failure, failure) << text;
}

TEST(RepeaterFilter, OnAirRepeatersMatchingEveryFilterGivenIgnoringCase)
{
    Repeater repeater;
    repeater.country = "Germany";
    repeater.state = "Bayern";
    repeater.city = "M\xC3\xBCnchen";
    repeater.network = "BrandMeister";
    repeater.status = "on-air";
    repeater.outputMhz = 145.6;
    const auto filter = [](std::string country, std::string state, std::string city, std::string network,
                           std::optional<AmateurBand> band) {
        return RepeaterFilter{std::move(country), std::move(state), std::move(city), std::move(network), band};
    };
    struct Case {
        RepeaterFilter filter;
        bool matches;
    };
    const Case cases[] = {
        {filter("", "", "", "", std::nullopt), true},
        {filter("germany", "BAYERN", "M\xC3\xBCnchen", "brandmeister", AmateurBand::TwoMetres), true},
        {filter("Germ", "", "", "", std::nullopt), false},
        {filter("", "Hessen", "", "", std::nullopt), false},
        {filter("", "", "", "", AmateurBand::SeventyCentimetres), false},
        {filter("", "", "", "DMR+", std::nullopt), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.filter.matches(repeater), c.matches) << c.filter.country << c.filter.state << c.filter.network;
    repeater.status = "off-air";
    EXPECT_FALSE(RepeaterFilter().matches(repeater));
    EXPECT_EQ(amateurBandFromText("70CM"), AmateurBand::SeventyCentimetres);
    EXPECT_FALSE(amateurBandFromText("23cm"));
}

} // namespace
} // namespace pw
