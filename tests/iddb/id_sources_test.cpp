// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_sources.h"

#include "support/fixture_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(SourceSettings, DefaultsAreTodaysListAndNoSecondSource)
{
    test::TempDir dir;
    const auto sources = readSourceSettings(dir.file("none.conf"));
    EXPECT_EQ(sources.firstSource, "https://radioid.net/static/user.csv");
    EXPECT_EQ(sources.secondSource, "none");
    EXPECT_EQ(sources.cacheMaxAge, std::chrono::hours(24));
    EXPECT_TRUE(sources.problems.empty());
}

TEST(SourceSettings, MarkBlankLinesAndCommentsAreFineAndUnreadableLinesAreReported)
{
    const auto sources = parseSourceSettings("\xEF\xBB\xBF# comment\r\n\r\n  source2 =   127.0.0.1:8080  \r\n"
                                             "source1=\nnonsense\nother = x\nsource1 = ftp://x/\n"
                                             "cache_max_age_hours = 6\ncache_max_age_hours = soon\n");
    EXPECT_EQ(sources.firstSource, "none");
    EXPECT_EQ(sources.secondSource, "127.0.0.1:8080");
    EXPECT_EQ(sources.cacheMaxAge, std::chrono::hours(6));
    EXPECT_EQ(sources.problems, (std::vector<std::string>{
                                    "iddb_sources.conf, line 5: cannot read \"nonsense\"",
                                    "iddb_sources.conf, line 6: cannot read \"other = x\"",
                                    "iddb_sources.conf, line 7: \"ftp://x/\" is not a URL, HOST[:PORT] or none",
                                    "iddb_sources.conf, line 9: \"soon\" is not a number of hours",
                                }));
}

TEST(SourceSettings, TheHostsFormerlyWrittenAsDefaultsGiveTodaysDefaults)
{
    const auto sources = parseSourceSettings("source1 = radioid.net\nsource2 = ham-digital.org\n");
    EXPECT_EQ(sources.firstSource, DefaultFirstSource);
    EXPECT_EQ(sources.secondSource, "none");
}

TEST(SourceSettings, WrittenFileReadsBack)
{
    test::TempDir dir;
    const auto path = dir.file("sub") / "written.conf";
    ASSERT_TRUE(writeSourceSettings(path, {{std::chrono::hours(3), {}}, "https://a.example/u.csv", "a.example:81"}));
    const auto back = readSourceSettings(path);
    EXPECT_EQ(back.firstSource, "https://a.example/u.csv");
    EXPECT_EQ(back.secondSource, "a.example:81");
    EXPECT_EQ(back.cacheMaxAge, std::chrono::hours(3));
    EXPECT_TRUE(back.problems.empty());
}

TEST(SourceAddresses, UrlsHostsAndSkips)
{
    using Kind = SourceAddress::Kind;
    struct Case {
        const char* text;
        int source;
        Kind kind;
        const char* url;
    };
    const Case cases[] = {
        {"https://radioid.net/static/user.csv", 1, Kind::Url, "https://radioid.net/static/user.csv"},
        {"127.0.0.1:8080", 1, Kind::Url, "http://127.0.0.1:8080/static/users_quoted.csv"},
        {"example.org", 2, Kind::Url, "http://example.org/status/users_quoted.csv"},
        {"[::1]:81", 2, Kind::Url, "http://[::1]:81/status/users_quoted.csv"},
        {"none", 1, Kind::Skipped, ""},
        {"  ", 2, Kind::Skipped, ""},
        {"host:99999", 1, Kind::Invalid, "host:99999"},
        {"host:", 1, Kind::Invalid, "host:"},
        {"ftp://host/x", 1, Kind::Invalid, "ftp://host/x"},
        {"two words", 1, Kind::Invalid, "two words"},
    };
    for (const auto& c : cases) {
        const auto address = sourceAddress(c.text, c.source);
        EXPECT_EQ(address.kind, c.kind) << c.text;
        EXPECT_EQ(address.url, c.url) << c.text;
    }
}

} // namespace
} // namespace pw
