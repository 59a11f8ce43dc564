// SPDX-License-Identifier: GPL-3.0-or-later
// The networks' sources file: its two URLs and the cache's age, each line that cannot be read
// reported with the file's name and the line's number.

#include "networks/network_sources.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(NetworkSources, FileGivesWhatItSaysAndReportsWhatItCannotRead)
{
    struct Case {
        const char* text;
        const char* talkgroups;
        const char* repeaters;
        int hours;
        std::vector<std::string> problems;
    };
    const Case cases[] = {
        {"", DefaultTalkgroupSource, DefaultRepeaterSource, 24, {}},
        {"\xEF\xBB\xBF# mine\r\ntalkgroups = https://tg.example/list\r\nrepeaters=http://r.example/?a=1\n"
         "cache_max_age_hours = 3\n",
         "https://tg.example/list", "http://r.example/?a=1", 3, {}},
        {"talkgroups = ftp://tg.example/\nrepeaters = https://r.example/ x\nsource1 = https://x/\n"
         "cache_max_age_hours = soon\n",
         DefaultTalkgroupSource,
         DefaultRepeaterSource,
         24,
         {"network_sources.conf, line 1: \"ftp://tg.example/\" is not an http:// or https:// URL",
          "network_sources.conf, line 2: \"https://r.example/ x\" is not an http:// or https:// URL",
          "network_sources.conf, line 3: cannot read \"source1 = https://x/\"",
          "network_sources.conf, line 4: \"soon\" is not a number of hours"}},
    };
    for (const auto& c : cases) {
        const auto sources = parseNetworkSources(c.text);
        EXPECT_EQ(sources.talkgroups, c.talkgroups) << c.text;
        EXPECT_EQ(sources.repeaters, c.repeaters) << c.text;
        EXPECT_EQ(sources.cacheMaxAge, std::chrono::hours(c.hours)) << c.text;
        EXPECT_EQ(sources.problems, c.problems) << c.text;
    }
}

} // namespace
} // namespace pw
