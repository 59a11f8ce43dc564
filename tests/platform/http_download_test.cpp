// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/http_download.h"

#include "plugwright_version.h"
#include "support/loopback_http_server.h"
#include "support/test_trust.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

namespace pw {
namespace {

using test::LoopbackHttpServer;
using test::ServerConnection;

const std::string Body = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n"
                         "3112345,K0ABC,John,Smith,Kansas City,Missouri,United States\n";

LoopbackHttpServer answering(std::string bytes, std::optional<test::TlsIdentity> tls = std::nullopt)
{
    return LoopbackHttpServer([bytes](const std::string&, ServerConnection& connection) { connection.send(bytes); },
                              std::move(tls));
}

struct Fetched {
    DownloadResult result;
    std::string body;
};

Fetched fetch(const std::string& url, DownloadLimits limits = {}, const std::atomic<bool>* stop = nullptr)
{
    Fetched fetched;
    HttpDownload download(limits, stop);
    fetched.result = download.fetch(url, [&](std::string_view bytes) {
        fetched.body.append(bytes);
        return true;
    });
    return fetched;
}

class HttpsDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::TestTrustAvailable)
            GTEST_SKIP() << "needs a build with -DPLUGWRIGHT_TEST_CA_HOOK=ON";
    }
    test::TrustedTestAuthority trust;
};

TEST_F(HttpsDownload, VerifiedDownloadGivesTheBodyAndNamesPlugwright)
{
    auto server = answering(test::plainResponse(Body), trust.loopbackServer());
    for (const std::string host : {"127.0.0.1", "localhost"}) {
        const auto fetched = fetch(server.url("/static/user.csv", host));
        EXPECT_TRUE(fetched.result.ok) << fetched.result.reason;
        EXPECT_EQ(fetched.body, Body);
    }
    const auto request = server.requests().at(0);
    EXPECT_EQ(request.rfind("GET /static/user.csv HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find(std::string("User-Agent: Plugwright/") + PlugwrightVersion + "\r\n"), std::string::npos);
}

TEST_F(HttpsDownload, UntrustedOrWrongHostCertificatesFailWithTheirReason)
{
    const test::TestCertificateAuthority stranger("Somebody Else");
    auto untrusted = answering(test::plainResponse(Body), stranger.issueServer({"IP:127.0.0.1"}));
    const auto refused = fetch(untrusted.url("/"));
    EXPECT_FALSE(refused.result.ok);
    EXPECT_EQ(refused.result.reason.rfind("certificate verify failed (", 0), 0u) << refused.result.reason;
    EXPECT_EQ(refused.body, "");

    auto wrongHost = answering(test::plainResponse(Body), trust.authority().issueServer({"DNS:radio.example"}));
    const auto mismatch = fetch(wrongHost.url("/"));
    EXPECT_EQ(mismatch.result.reason, "certificate does not match the host name");
    EXPECT_EQ(mismatch.body, "");
}

TEST_F(HttpsDownload, RedirectsAreFollowedUpToFiveAndNeverDownToHttp)
{
    auto secure = answering(test::plainResponse(Body), trust.loopbackServer());
    auto upgrade = answering(test::redirectResponse(secure.url("/user.csv"), 301));
    const auto upgraded = fetch(upgrade.url("/user.csv"));
    EXPECT_TRUE(upgraded.result.ok) << upgraded.result.reason;
    EXPECT_EQ(upgraded.body, Body);

    auto plain = answering(test::plainResponse(Body));
    auto downgrade = answering(test::redirectResponse(plain.url("/user.csv")), trust.loopbackServer());
    const auto downgraded = fetch(downgrade.url("/user.csv"));
    EXPECT_EQ(downgraded.result.reason, "redirect from https to another protocol refused");
    EXPECT_TRUE(plain.requests().empty());

    std::string selfUrl;
    LoopbackHttpServer loop([&selfUrl](const std::string&, ServerConnection& connection) {
        connection.send(test::redirectResponse(selfUrl));
    }, trust.loopbackServer());
    selfUrl = loop.url("/again");
    const auto looped = fetch(loop.url("/start"));
    EXPECT_EQ(looped.result.reason, "too many redirects (more than 5)");
    EXPECT_EQ(loop.requests().size(), 6u);
}

TEST_F(HttpsDownload, KeepAliveServerWithContentLengthEndsTheDownloadAtOnce)
{
    LoopbackHttpServer keepAlive([](const std::string&, ServerConnection& connection) {
        connection.send(test::sizedResponse(Body));
        connection.holdOpen();
    }, trust.loopbackServer());
    DownloadLimits limits;
    // Were the end of the body missed, the stall rule would end the download with a failure.
    limits.lowSpeedTime = std::chrono::seconds(20);
    const auto fetched = fetch(keepAlive.url("/user.csv"), limits);
    EXPECT_TRUE(fetched.result.ok) << fetched.result.reason;
    EXPECT_EQ(fetched.body, Body);
}

TEST(HttpDownloadFailures, EachFailureHasItsReason)
{
    auto notFound = answering("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here\n");
    EXPECT_EQ(fetch(notFound.url("/")).result.reason, "HTTP 404");
    auto emptyError = answering("HTTP/1.1 503 Busy\r\nContent-Length: 0\r\n\r\n");
    EXPECT_EQ(fetch(emptyError.url("/")).result.reason, "HTTP 503");

    const auto refused = fetch("http://127.0.0.1:" + std::to_string(test::refusingPort()) + "/");
    EXPECT_EQ(refused.result.reason.rfind("could not connect", 0), 0u) << refused.result.reason;

    EXPECT_EQ(fetch("ftp://127.0.0.1/user.csv").result.reason, "not an http:// or https:// URL");

    auto silentHead = LoopbackHttpServer([](const std::string&, ServerConnection& connection) { connection.holdOpen(); });
    DownloadLimits quick;
    quick.lowSpeedTime = std::chrono::seconds(1);
    EXPECT_EQ(fetch(silentHead.url("/"), quick).result.reason, "too slow: under 1 KB/s for 1 s");
}

TEST(HttpDownloadFailures, AProxyThatCannotBeReachedIsNamed)
{
    const char* variables[] = {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"};
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    for (const char* name : variables) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    const std::string proxy = "http://127.0.0.1:" + std::to_string(test::refusingPort());
    const std::string refused = "http://127.0.0.1:" + std::to_string(test::refusingPort()) + "/user.csv";
    const struct {
        std::vector<std::pair<const char*, std::string>> environment;
        std::string url;
        std::string reason;
    } cases[] = {
        {{{"http_proxy", proxy}}, refused, "could not connect to the proxy " + proxy + " ("},
        {{{"https_proxy", proxy}}, "https://radio.example/user.csv", "could not connect to the proxy " + proxy + " ("},
        {{{"ALL_PROXY", proxy}}, refused, "could not connect to the proxy " + proxy + " ("},
        {{{"http_proxy", "http://user:secret@" + proxy.substr(7)}}, refused, "could not connect to the proxy " + proxy + " ("},
        {{{"http_proxy", proxy}, {"no_proxy", "example.org, 127.0.0.1"}}, refused, "could not connect ("},
    };
    for (const auto& c : cases) {
        for (const char* name : variables)
            ::unsetenv(name);
        for (const auto& [name, value] : c.environment)
            ::setenv(name, value.c_str(), 1);
        const auto reason = fetch(c.url).result.reason;
        EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << reason;
    }
    for (const auto& [name, value] : saved) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
}

TEST(HttpDownloadFailures, TricklingAndEndlessServersAreDropped)
{
    LoopbackHttpServer trickle([](const std::string&, ServerConnection& connection) {
        if (!connection.send("HTTP/1.1 200 OK\r\n\r\n"))
            return;
        while (connection.send("x"))
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    });
    DownloadLimits slow;
    slow.lowSpeedTime = std::chrono::seconds(1);
    const auto trickled = fetch(trickle.url("/"), slow);
    EXPECT_EQ(trickled.result.reason, "too slow: under 1 KB/s for 1 s");

    DownloadLimits short_;
    short_.lowSpeedBytesPerSecond = 1;
    short_.maxDuration = std::chrono::milliseconds(1500);
    EXPECT_EQ(fetch(trickle.url("/"), short_).result.reason, "timed out after 1500 ms");

    LoopbackHttpServer endless([](const std::string&, ServerConnection& connection) {
        if (!connection.send(test::plainResponse("")))
            return;
        const std::string filler(4096, 'z');
        while (connection.send(filler)) {
        }
    });
    DownloadLimits capped;
    capped.maxBodyBytes = 256 * 1024;
    const auto endlessResult = fetch(endless.url("/"), capped);
    EXPECT_EQ(endlessResult.result.reason, "larger than 262144 bytes");
    EXPECT_LE(endlessResult.body.size(), capped.maxBodyBytes);
}

TEST(HttpDownloadFailures, HugeChunkSizeBreaksOffWithoutAllocatingIt)
{
    for (const char* size : {"ffffffff", "7fffffffffffffff"}) {
        auto server = answering(std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nab\n\r\n") + size
                                + "\r\nxxxx");
        const auto fetched = fetch(server.url("/"));
        EXPECT_FALSE(fetched.result.ok) << size;
        EXPECT_EQ(fetched.body.substr(0, 3), "ab\n") << size;
    }
}

TEST(HttpDownloadFailures, StopFlagEndsADownloadFromAnotherThread)
{
    LoopbackHttpServer silent([](const std::string&, ServerConnection& connection) {
        connection.send("HTTP/1.1 200 OK\r\n\r\npartial");
        connection.holdOpen();
    });
    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        while (silent.requests().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stop = true;
    });
    const auto fetched = fetch(silent.url("/"), {}, &stop);
    stopper.join();
    EXPECT_EQ(fetched.result.reason, "stopped");
}

TEST(HttpDownloadUrls, OnlyHttpAndHttpsWithoutBlanks)
{
    EXPECT_TRUE(HttpDownload::isSupportedUrl("https://radioid.net/static/user.csv"));
    EXPECT_TRUE(HttpDownload::isSupportedUrl("http://[::1]:8080/x"));
    EXPECT_FALSE(HttpDownload::isSupportedUrl("file:///etc/passwd"));
    EXPECT_FALSE(HttpDownload::isSupportedUrl("https://a b/"));
    EXPECT_FALSE(HttpDownload::isSupportedUrl("radioid.net"));
}

} // namespace
} // namespace pw
