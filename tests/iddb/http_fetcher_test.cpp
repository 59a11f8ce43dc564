#include "iddb/http_fetcher.h"

#include "net_test_support.h"
#include "support/loopback_http_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw {
namespace {

using test::LoopbackHttpServer;
using test::ServerConnection;

const std::string Body = "\"1023001\",\"VE3THW\",\"Wayne Edward\",\"Toronto\",\"Ontario\",\"Canada\",\"DMR\"\n"
                         "\"1023002\",\"VA3BOC\",\"Dave\",\"Ottawa\",\"Ontario\",\"Canada\",\"\"\n"
                         "\"3112345\",\"K0ABC\",\"John Q Public\",\"Kansas City\",\"Missouri\",\"United States\",\"\"\n";

LoopbackHttpServer answering(std::string bytes)
{
    return LoopbackHttpServer([bytes](const std::string&, ServerConnection& connection) { connection.send(bytes); });
}

struct Fetched {
    bool opened = false;
    std::vector<std::string> lines;
    int endResult = 0;
    std::vector<std::string> notices;
    bool chunked = false;
};

Fetched fetch(const LoopbackHttpServer& server, HttpLimits limits = {}, HttpTiming timing = test::quickTiming())
{
    Fetched result;
    HttpFetcher fetcher(test::quickNetwork(), timing, limits);
    fetcher.SetNotifier([&result](std::string_view text) { result.notices.emplace_back(text); });
    result.opened = fetcher.Open(server.hostAndPort(), "/static/users_quoted.csv");
    result.chunked = fetcher.IsChunked();
    if (!result.opened)
        return result;
    std::string line;
    for (;;) {
        const int n = fetcher.ReadBodyLine(line);
        if (n < 0) {
            result.endResult = n;
            break;
        }
        result.lines.push_back(line);
    }
    fetcher.Close();
    return result;
}

std::vector<std::string> linesOf(const std::string& body)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < body.size()) {
        auto end = body.find('\n', pos);
        end = end == std::string::npos ? body.size() : end + 1;
        lines.push_back(body.substr(pos, end - pos));
        pos = end;
    }
    return lines;
}

TEST(HttpFetcherRequest, SendsOnlyTheRequestLineAndHost)
{
    auto server = answering(test::plainResponse(""));
    fetch(server);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /static/users_quoted.csv HTTP/1.1\r\nHost: " + server.hostAndPort() + "\r\n\r\n");
}

TEST(HttpFetcherRequest, HostAndPortSplitsOnlyAValidPort)
{
    EXPECT_EQ(splitHostAndPort("radioid.net").host, "radioid.net");
    EXPECT_EQ(splitHostAndPort("radioid.net").port, 80);
    const auto withPort = splitHostAndPort("127.0.0.1:8080");
    EXPECT_EQ(withPort.host, "127.0.0.1");
    EXPECT_EQ(withPort.port, 8080);
    EXPECT_EQ(withPort.headerHost, "127.0.0.1:8080");
    EXPECT_EQ(splitHostAndPort("host:99999").host, "host:99999");
    EXPECT_EQ(splitHostAndPort("host:0").port, 80);
    EXPECT_EQ(splitHostAndPort("host:http").host, "host:http");
    EXPECT_EQ(splitHostAndPort("host:").host, "host:");
}

TEST(HttpFetcherStatus, NotFoundYieldsNoBodyAndNoMessage)
{
    auto server = answering("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nno\n");
    const auto result = fetch(server);
    EXPECT_FALSE(result.opened);
    EXPECT_TRUE(result.notices.empty());
}

TEST(HttpFetcherStatus, OnlyExactly200Succeeds)
{
    for (const std::string status : {"HTTP/1.1 2000 OK", "HTTP/1.1 301 Moved", "HTTP/1.1", "garbage"}) {
        auto server = answering(status + "\r\n\r\n" + Body);
        EXPECT_FALSE(fetch(server).opened) << status;
    }
    auto server = answering("HTTP/1.0 200 OK\r\n\r\n" + Body);
    EXPECT_TRUE(fetch(server).opened);
}

TEST(HttpFetcherStatus, ConnectionFailuresAndBrokenHeadsFailOpen)
{
    HttpFetcher fetcher(test::quickNetwork(), test::quickTiming());
    EXPECT_FALSE(fetcher.Open("127.0.0.1:" + std::to_string(test::refusingPort()), "/"));

    auto cut = answering("HTTP/1.1 200 OK\r\nContent-Type: text/csv\r\n");
    EXPECT_FALSE(fetch(cut).opened);

    LoopbackHttpServer silent([](const std::string&, ServerConnection& connection) { connection.holdOpen(); });
    EXPECT_FALSE(fetch(silent).opened);
}

TEST(HttpFetcherPlain, DeliversEveryLineThenEndsWhenThePeerCloses)
{
    auto server = answering(test::plainResponse(Body));
    const auto result = fetch(server);
    ASSERT_TRUE(result.opened);
    EXPECT_FALSE(result.chunked);
    EXPECT_EQ(result.lines, linesOf(Body));
    EXPECT_EQ(result.endResult, SOCK_TIMEOUT);
}

TEST(HttpFetcherPlain, LongLinesArriveInPiecesOf511)
{
    const std::string line = std::string(1100, 'x') + "\n";
    auto server = answering(test::plainResponse(line));
    const auto result = fetch(server);
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[0].size(), 511u);
    EXPECT_EQ(result.lines[1].size(), 511u);
    EXPECT_EQ(result.lines[2], std::string(78, 'x') + "\n");
}

TEST(HttpFetcherPlain, LastLineWithoutLineFeedIsDeliveredWhenTheServerCloses)
{
    auto server = answering(test::plainResponse("first\nlast"));
    const auto result = fetch(server);
    EXPECT_EQ(result.lines, (std::vector<std::string>{"first\n", "last"}));
}

TEST(HttpFetcherPlain, SilentServerEndsTheBodyWithTheReceiveTimeout)
{
    LoopbackHttpServer server([](const std::string&, ServerConnection& connection) {
        connection.send(test::plainResponse("one\ntwo"));
        connection.holdOpen();
    });
    const auto result = fetch(server);
    ASSERT_TRUE(result.opened);
    // The partial line never ended: the server did not finish it.
    EXPECT_EQ(result.lines, (std::vector<std::string>{"one\n"}));
    EXPECT_EQ(result.endResult, SOCK_TIMEOUT);
}

TEST(HttpFetcherChunked, ChunkBoundariesInsideLinesYieldTheSameLines)
{
    for (const std::vector<std::size_t>& sizes :
         {std::vector<std::size_t>{1, 2, 3, 5, 7, 11, 13, 17, 19, 23}, std::vector<std::size_t>{70}, std::vector<std::size_t>{}}) {
        auto server = answering(test::chunkedResponse(Body, sizes));
        const auto result = fetch(server);
        ASSERT_TRUE(result.opened);
        EXPECT_TRUE(result.chunked);
        EXPECT_EQ(result.lines, linesOf(Body));
        EXPECT_EQ(result.endResult, SOCK_ERROR);
        EXPECT_TRUE(result.notices.empty());
    }
}

TEST(HttpFetcherChunked, UpperCaseChunkedAndAnyHeaderNameSwitchItOn)
{
    auto upper = answering(test::chunkedResponse(Body, {10}, "CHUNKED"));
    const auto result = fetch(upper);
    EXPECT_TRUE(result.chunked);
    EXPECT_EQ(result.lines, linesOf(Body));

    auto other = answering("HTTP/1.1 200 OK\r\nX-Anything: Chunked\r\n\r\n5\r\nab\ncd\r\n0\r\n\r\n");
    EXPECT_EQ(fetch(other).lines, (std::vector<std::string>{"ab\n", "cd"}));
}

TEST(HttpFetcherChunked, ChunkExtensionIsIgnored)
{
    auto server = answering("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1a;ext=1\r\n"
                            "abcdefghijklmnopqrstuvwxy\n\r\n0\r\n\r\n");
    HttpFetcher fetcher(test::quickNetwork(), test::quickTiming());
    ASSERT_TRUE(fetcher.Open(server.hostAndPort(), "/"));
    EXPECT_EQ(fetcher.GetNextBuffer(), 26);
    EXPECT_EQ(fetcher.NextByte(), 'a');

    auto extended = answering(test::chunkedResponse(Body, {9, 40}, "chunked", ";name=\"value\";" + std::string(200, 'e')));
    EXPECT_EQ(fetch(extended).lines, linesOf(Body));
}

TEST(HttpFetcherChunked, HighByteAtChunkStartIsDataNotAnEnd)
{
    const std::string body = "ab\xE9" "cd\n";
    auto server = answering(test::chunkedResponse(body, {2, 3}));
    const auto result = fetch(server);
    EXPECT_EQ(result.lines, (std::vector<std::string>{body}));
}

TEST(HttpFetcherChunked, LongLinesArriveInPiecesOf513)
{
    const std::string line = std::string(1100, 'y') + "\n";
    auto server = answering(test::chunkedResponse(line, {300, 300}));
    const auto result = fetch(server);
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[0].size(), 513u);
    EXPECT_EQ(result.lines[1].size(), 513u);
    EXPECT_EQ(result.lines[2].size(), 75u);
}

TEST(HttpFetcherChunked, FinalLineWithoutLineFeedIsDeliveredAtTheLastChunk)
{
    auto server = answering(test::chunkedResponse("one\ntwo", {5}));
    EXPECT_EQ(fetch(server).lines, (std::vector<std::string>{"one\n", "two"}));
}

TEST(HttpFetcherChunked, PeerClosingInsideAChunkEndsTheBodyWithoutAMessage)
{
    auto server = answering("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n40\r\nfirst line\nsecond");
    const auto result = fetch(server);
    EXPECT_TRUE(result.lines.empty());
    EXPECT_EQ(result.endResult, SOCK_ERROR);
    EXPECT_TRUE(result.notices.empty());

    auto between = answering("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\nfirst\n\r\n3\r\nab");
    const auto cut = fetch(between);
    EXPECT_EQ(cut.lines, (std::vector<std::string>{"first\n"}));
    EXPECT_TRUE(cut.notices.empty());
}

TEST(HttpFetcherChunked, PeerClosingBeforeASizeLineShowsTheTimeoutMessage)
{
    auto server = answering("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\nfirst\n\r\n");
    const auto result = fetch(server);
    EXPECT_EQ(result.lines, (std::vector<std::string>{"first\n"}));
    EXPECT_EQ(result.endResult, SOCK_TIMEOUT);
    EXPECT_EQ(result.notices, (std::vector<std::string>{"GetNextBuffer: SOCK_TIMEOUT"}));
}

TEST(HttpFetcherChunked, SilentPeerAtASizeLineShowsTheTimeoutMessage)
{
    LoopbackHttpServer server([](const std::string&, ServerConnection& connection) {
        connection.send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nab\n\r\n");
        connection.holdOpen();
    });
    const auto result = fetch(server);
    EXPECT_EQ(result.lines, (std::vector<std::string>{"ab\n"}));
    EXPECT_EQ(result.notices, (std::vector<std::string>{"GetNextBuffer: SOCK_TIMEOUT"}));
}

TEST(HttpFetcherChunked, UnreadableSizeLinesEndTheBodyAfterFourTries)
{
    auto server = answering("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n-5\r\nqq\r\n\r\n3\r\nab\n\r\n0\r\n\r\n");
    const auto result = fetch(server);
    EXPECT_TRUE(result.lines.empty());
    EXPECT_EQ(result.endResult, SOCK_ERROR);
    EXPECT_TRUE(result.notices.empty());

    // A stray line before a good size line is passed over.
    auto stray = answering("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n\r\n0x3\r\nab\n\r\n0\r\n\r\n");
    EXPECT_EQ(fetch(stray).lines, (std::vector<std::string>{"ab\n"}));
}

TEST(HttpFetcherLimits, HugeChunkSizeEndsTheBodyInsteadOfAllocating)
{
    for (const char* size : {"ffffffff", "7fffffffffffffffffff", "400001"}) {
        auto server = answering(std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nab\n\r\n") + size
                                + "\r\nxxxx");
        const auto result = fetch(server);
        EXPECT_EQ(result.lines, (std::vector<std::string>{"ab\n"})) << size;
        EXPECT_EQ(result.endResult, SOCK_ERROR) << size;
    }
}

TEST(HttpFetcherLimits, EndlessHeadersFailOpen)
{
    LoopbackHttpServer server([](const std::string&, ServerConnection& connection) {
        if (!connection.send("HTTP/1.1 200 OK\r\n"))
            return;
        while (connection.send("X-Filler: more and more and more\r\n")) {
        }
    });
    EXPECT_FALSE(fetch(server).opened);

    LoopbackHttpServer endlessLine([](const std::string&, ServerConnection& connection) {
        if (!connection.send("HTTP/1.1 200 OK\r\nX-Filler: "))
            return;
        const std::string filler(4096, 'f');
        while (connection.send(filler)) {
        }
    });
    EXPECT_FALSE(fetch(endlessLine).opened);
}

TEST(HttpFetcherLimits, EndlessLineAndEndlessChunksStopAtTheBodyLimit)
{
    HttpLimits limits;
    limits.maxBodyBytes = 256 * 1024;

    LoopbackHttpServer endlessLine([](const std::string&, ServerConnection& connection) {
        if (!connection.send(test::plainResponse("")))
            return;
        const std::string filler(4096, 'z');
        while (connection.send(filler)) {
        }
    });
    const auto plain = fetch(endlessLine, limits);
    EXPECT_EQ(plain.endResult, SOCK_ERROR);
    EXPECT_LE(plain.lines.size() * 511, limits.maxBodyBytes + 511);

    LoopbackHttpServer endlessChunks([](const std::string&, ServerConnection& connection) {
        if (!connection.send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"))
            return;
        while (connection.send("10\r\n0123456789abcde\n\r\n")) {
        }
    });
    const auto chunked = fetch(endlessChunks, limits);
    EXPECT_EQ(chunked.endResult, SOCK_ERROR);
    EXPECT_LE(chunked.lines.size() * 16, limits.maxBodyBytes);
    EXPECT_GT(chunked.lines.size(), 1000u);
}

TEST(HttpFetcherLimits, OverlongChunkSizeLineEndsTheBody)
{
    HttpLimits limits;
    limits.maxChunkSizeLine = 1000;
    auto server = answering("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3;" + std::string(5000, 'e')
                            + "\r\nab\n\r\n0\r\n\r\n");
    const auto result = fetch(server, limits);
    EXPECT_TRUE(result.lines.empty());
    EXPECT_EQ(result.endResult, SOCK_ERROR);
}

TEST(HttpFetcherLimits, ReadingPastTheEndKeepsGivingTheEnd)
{
    auto server = answering(test::chunkedResponse("a\n", {}));
    HttpFetcher fetcher(test::quickNetwork(), test::quickTiming());
    ASSERT_TRUE(fetcher.Open(server.hostAndPort(), "/"));
    std::string line;
    EXPECT_EQ(fetcher.ReadBodyLine(line), 1);
    EXPECT_LT(fetcher.ReadBodyLine(line), 0);
    EXPECT_TRUE(fetcher.EndedCleanly());
    EXPECT_LT(fetcher.ReadBodyLine(line), 0);
    EXPECT_TRUE(line.empty());
    EXPECT_EQ(fetcher.NextByte(), SOCK_ERROR);
}

} // namespace
} // namespace pw
