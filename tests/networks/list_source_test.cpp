// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the networks' lists from loopback servers: every page of the repeater list, a page that
// fails or answers for another page, the cache that serves while fresh and stands in for a failed
// download, and a load stopped while the server keeps silent.

#include "networks/background_load.h"
#include "networks/list_source.h"
#include "networks/repeater_filter.h"
#include "support/fixture_builder.h"
#include "support/loopback_http_server.h"
#include "support/network_lists_generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

namespace pw {
namespace {

using test::LoopbackHttpServer;

std::vector<std::string> lines(const std::vector<Repeater>& repeaters)
{
    std::vector<std::string> all;
    for (const auto& repeater : repeaters)
        all.push_back(repeaterCsvLine(repeater));
    return all;
}

// Serves the list in pages of 25, but answers page 2 with `page2` once that is set.
class PagedServer {
public:
    explicit PagedServer(const std::vector<Repeater>& repeaters) : serve_(test::repeaterListHandler(repeaters, 25)) {}

    void answerPage2(std::string response)
    {
        std::lock_guard lock(mutex_);
        page2_ = std::move(response);
    }
    std::string url() const { return server_.url("/api/dmr/repeater/"); }
    std::size_t requests() const { return server_.requests().size(); }

private:
    test::LoopbackHttpServer::Handler serve_;
    std::mutex mutex_;
    std::string page2_;
    LoopbackHttpServer server_{[this](const std::string& request, test::ServerConnection& connection) {
        std::string page2;
        {
            std::lock_guard lock(mutex_);
            page2 = page2_;
        }
        if (!page2.empty() && request.find("page=2 ") != std::string::npos)
            connection.send(page2);
        else
            serve_(request, connection);
    }};
};

TEST(RepeaterLoad, EveryPageIsReadTheCacheServesWhileFreshAndStandsInForAFailedPage)
{
    test::TempDir dir;
    const auto repeaters = test::generateRepeaters(60);
    PagedServer server(repeaters);
    ListSource source;
    source.url = server.url();
    source.cachePath = dir.file("repeaters.cache");
    const auto load = loadRepeaters(source);
    ASSERT_EQ(load.outcomes.size(), 1u);
    EXPECT_EQ(load.outcomes[0].line(), "source: " + source.url + ": 60 repeaters");
    EXPECT_EQ(lines(load.repeaters), lines(repeaters));
    EXPECT_EQ(server.requests(), 3u);
    const auto cached = test::readBytes(source.cachePath);

    const auto fresh = loadRepeaters(source);
    EXPECT_EQ(lines(fresh.repeaters), lines(repeaters));
    EXPECT_EQ(fresh.outcomes[0].label, "cache");
    EXPECT_EQ(server.requests(), 3u);

    // Stale now: each download fails on its second page, and the cached list serves instead.
    source.cacheMaxAge = std::chrono::seconds(0);
    const std::vector<Repeater> three(repeaters.begin(), repeaters.begin() + 3);
    const std::pair<std::string, std::string> failures[] = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", "page 2: HTTP 404"},
        {test::sizedResponse(test::repeaterPageJson(three, 1, 3, 60)), "page 2: answered with page 1"},
        {test::sizedResponse("{\"results\":["), "page 2: not valid JSON (cut off after byte 12)"},
        {test::sizedResponse(test::repeaterPageJson(three, 2, 3, 60)).substr(0, 150), "page 2: connection broken off"},
    };
    for (const auto& [response, reason] : failures) {
        server.answerPage2(response);
        const auto failed = loadRepeaters(source);
        ASSERT_EQ(failed.outcomes.size(), 1u);
        const auto& line = failed.outcomes[0].line();
        EXPECT_EQ(line.rfind("source: " + source.url + ": failed: " + reason, 0), 0u) << line;
        EXPECT_NE(line.find("; the cached list of "), std::string::npos) << line;
        EXPECT_NE(line.find(" (60 repeaters) is used"), std::string::npos) << line;
        EXPECT_EQ(lines(failed.repeaters), lines(repeaters));
        EXPECT_EQ(test::readBytes(source.cachePath), cached);
    }

    // Without a cache, a list short of a page is no list.
    source.cachePath.clear();
    const auto without = loadRepeaters(source);
    EXPECT_TRUE(without.repeaters.empty());
    EXPECT_TRUE(without.outcomes[0].failed);
}

TEST(BackgroundLoad, StoppingEndsALoadThatTheServerKeepsWaiting)
{
    LoopbackHttpServer silent([](const std::string&, test::ServerConnection& connection) { connection.holdOpen(); });
    BackgroundLoad<TalkgroupLoad> load;
    ListSource source;
    source.url = silent.url("/v2/talkgroup");
    ASSERT_TRUE(load.start([source](const std::atomic<bool>* stop, const ListProgressReport& progress) {
        auto stoppable = source;
        stoppable.stop = stop;
        return loadTalkgroups(stoppable, progress);
    }));
    EXPECT_FALSE(load.done());
    load.stop();
    ASSERT_TRUE(load.done());
    const auto stopped = load.take();
    ASSERT_EQ(stopped.outcomes.size(), 1u);
    EXPECT_EQ(stopped.outcomes[0].line(), "source: " + source.url + ": failed: stopped");
}

} // namespace
} // namespace pw
