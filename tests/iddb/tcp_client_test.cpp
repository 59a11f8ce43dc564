#include "iddb/tcp_client.h"

#include "net_test_support.h"
#include "support/loopback_http_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace pw {
namespace {

using test::LoopbackHttpServer;
using test::ServerConnection;

std::uint32_t ipv4(const char* text)
{
    in_addr address{};
    inet_pton(AF_INET, text, &address);
    return address.s_addr;
}

// A server that answers every request with `bytes` and then closes.
LoopbackHttpServer answering(std::string bytes)
{
    return LoopbackHttpServer([bytes](const std::string&, ServerConnection& connection) { connection.send(bytes); });
}

const std::string Request = "GET / HTTP/1.1\r\n\r\n";

// Connects to the server and sends it a request, after which it answers.
void ask(TcpClient& client, const LoopbackHttpServer& server)
{
    ASSERT_TRUE(client.Connect("127.0.0.1", server.port()));
    ASSERT_EQ(client.Send(Request), static_cast<int>(Request.size()));
}

TEST(TcpClientConnect, NumericHostConnectsWithoutNameResolution)
{
    auto server = answering("");
    int resolved = 0;
    NetEnvironment environment = test::quickNetwork();
    environment.resolve = [&resolved](const std::string&) {
        ++resolved;
        return std::vector<std::uint32_t>{};
    };
    TcpClient client("127.0.0.1", server.port(), environment);
    EXPECT_TRUE(client.IsConnected());
    EXPECT_EQ(resolved, 0);
    EXPECT_EQ(client.Address(), ipv4("127.0.0.1"));
    EXPECT_EQ(client.Port(), server.port());
}

TEST(TcpClientConnect, LetterHostIsResolvedByName)
{
    auto server = answering("");
    std::string asked;
    NetEnvironment environment = test::quickNetwork();
    environment.resolve = [&asked](const std::string& host) {
        asked = host;
        return std::vector<std::uint32_t>{ipv4("127.0.0.1")};
    };
    TcpClient client("localhost", server.port(), environment);
    EXPECT_TRUE(client.IsConnected());
    EXPECT_EQ(asked, "localhost");
}

TEST(TcpClientConnect, SystemResolverFindsLocalhost)
{
    auto server = answering("");
    TcpClient client("localhost", server.port(), test::quickNetwork());
    EXPECT_TRUE(client.IsConnected());
    EXPECT_EQ(client.Address(), ipv4("127.0.0.1"));
}

TEST(TcpClientConnect, NameWithRefusingFirstAddressConnectsToTheNext)
{
    // The server listens on 127.0.0.1 only, so the same port on 127.0.0.2 refuses.
    auto server = answering("");
    NetEnvironment environment = test::quickNetwork();
    environment.resolve = [](const std::string&) {
        return std::vector<std::uint32_t>{ipv4("127.0.0.2"), ipv4("127.0.0.1")};
    };
    TcpClient client("two-addresses.test", server.port(), environment);
    ASSERT_TRUE(client.IsConnected());
    EXPECT_EQ(client.Address(), ipv4("127.0.0.1"));
}

TEST(TcpClientConnect, FailuresLeaveAnUnconnectedObject)
{
    NetEnvironment environment = test::quickNetwork();
    environment.resolve = [](const std::string&) { return std::vector<std::uint32_t>{}; };
    TcpClient unresolved("no-such-host.test", 80, environment);
    EXPECT_FALSE(unresolved.IsConnected());

    TcpClient refused("127.0.0.1", test::refusingPort(), environment);
    EXPECT_FALSE(refused.IsConnected());

    TcpClient badAddress("999.1.2.3", 80, environment);
    EXPECT_FALSE(badAddress.IsConnected());

    TcpClient empty("", 80, environment);
    EXPECT_FALSE(empty.IsConnected());
}

TEST(TcpClientConnect, UnconnectedObjectRefusesEveryCall)
{
    TcpClient client(test::quickNetwork());
    char buffer[8];
    std::string line = "old";
    EXPECT_EQ(client.Send("GET"), 0);
    EXPECT_EQ(client.Receive(buffer, sizeof buffer), SOCK_ERROR);
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), SOCK_ERROR);
    client.SetTimeout(1000);
    EXPECT_EQ(client.Timeout(), 0);
    client.Close();
    EXPECT_FALSE(client.IsConnected());
}

TEST(TcpClientReadLine, LongLineIsCutAtCapacityAndTheRestComesNext)
{
    const std::string longLine = std::string(599, 'A') + "\n";
    auto server = answering(longLine + "next\n");
    TcpClient client(test::quickNetwork());
    ask(client, server);
    std::string line;
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), 511);
    EXPECT_EQ(line, std::string(511, 'A'));
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), 89);
    EXPECT_EQ(line, std::string(88, 'A') + "\n");
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), 5);
    EXPECT_EQ(line, "next\n");
}

TEST(TcpClientReadLine, ClosedPeerGivesTimeoutNotZeroAndLeavesPartialBytes)
{
    auto counter = std::make_shared<test::PauseCounter>();
    auto server = answering("one\npartial");
    TcpClient client(test::quickNetwork(counter));
    ask(client, server);
    std::string line;
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), 4);
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), SOCK_TIMEOUT);
    EXPECT_EQ(line, "partial");
    EXPECT_TRUE(client.PeerClosed());
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), SOCK_TIMEOUT);
    // Nothing can follow an orderly close, so no pause is spent waiting for it.
    EXPECT_EQ(counter->pauses.load(), 0);
}

TEST(TcpClientReadLine, OtherTerminatorsAndTinyCapacities)
{
    auto server = answering("a;b;");
    TcpClient client(test::quickNetwork());
    ask(client, server);
    std::string line;
    EXPECT_EQ(client.ReadLine(line, 1, ';'), 0);
    EXPECT_EQ(client.ReadLine(line, 2, ';'), 1);
    EXPECT_EQ(line, "a");
    EXPECT_EQ(client.ReadLine(line, 64, ';'), 1);
    EXPECT_EQ(line, ";");
    EXPECT_EQ(client.ReadLine(line, 64, ';'), 2);
    EXPECT_EQ(line, "b;");
}

TEST(TcpClientReceive, BytesKeepTheirOrderAcrossReceiveAndReadLine)
{
    std::string stream;
    for (int i = 0; i < 20000; ++i)
        stream += "line " + std::to_string(i) + "\n";
    auto server = answering(stream);
    TcpClient client(test::quickNetwork());
    ask(client, server);
    std::string received;
    std::string line;
    char buffer[7];
    for (int round = 0;; ++round) {
        if (round % 3 == 0) {
            const int n = client.Receive(buffer, sizeof buffer);
            if (n <= 0)
                break;
            received.append(buffer, static_cast<std::size_t>(n));
        } else {
            if (client.ReadLine(line, 40, '\n') < 0) {
                received += line;
                break;
            }
            received += line;
        }
    }
    EXPECT_EQ(received, stream);
    EXPECT_EQ(client.Receive(buffer, sizeof buffer), SOCK_NODATA);
}

TEST(TcpClientReceive, SilentPeerGivesTimeout)
{
    LoopbackHttpServer server([](const std::string&, ServerConnection& connection) { connection.holdOpen(); });
    TcpClient client("127.0.0.1", server.port(), test::quickNetwork());
    ASSERT_TRUE(client.IsConnected());
    client.SetTimeout(100);
    EXPECT_EQ(client.Timeout(), 100);
    ASSERT_EQ(client.Send("GET / HTTP/1.1\r\n\r\n"), 18);
    char buffer[16];
    EXPECT_EQ(client.Receive(buffer, sizeof buffer), SOCK_TIMEOUT);
    std::string line;
    EXPECT_EQ(client.ReadLine(line, 512, '\n'), SOCK_TIMEOUT);
}

TEST(TcpClientReceive, StopSignalEndsAWaitAtOnce)
{
    LoopbackHttpServer server([](const std::string&, ServerConnection& connection) { connection.holdOpen(); });
    StopSignal stop;
    NetEnvironment environment = test::quickNetwork();
    environment.stop = &stop;
    TcpClient client("127.0.0.1", server.port(), environment);
    ASSERT_TRUE(client.IsConnected());
    // A time-out far beyond any test run: only the stop signal can end this wait.
    client.SetTimeout(3'600'000);
    client.Send("GET / HTTP/1.1\r\n\r\n");
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        stop.Raise();
    });
    char buffer[16];
    EXPECT_EQ(client.Receive(buffer, sizeof buffer), SOCK_ERROR);
    stopper.join();
    EXPECT_TRUE(stop.Raised());
    EXPECT_FALSE(stop.SleepFor(std::chrono::hours(1)));
    stop.Reset();
    EXPECT_FALSE(stop.Raised());
    EXPECT_TRUE(stop.SleepFor(std::chrono::milliseconds(1)));
}

TEST(TcpClientSend, SendsTheWholeTextAndCloseEndsTheConnection)
{
    auto server = answering("");
    TcpClient client("127.0.0.1", server.port(), test::quickNetwork());
    client.SetTimeout(60000);
    const std::string request = "GET /x HTTP/1.1\r\nHost: here\r\n\r\n";
    EXPECT_EQ(client.Send(request), static_cast<int>(request.size()));
    char buffer[4];
    EXPECT_EQ(client.Receive(buffer, sizeof buffer), SOCK_NODATA);
    client.Close();
    EXPECT_FALSE(client.IsConnected());
    EXPECT_EQ(client.Receive(buffer, sizeof buffer), SOCK_ERROR);
    client.Close();
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], request);
}

} // namespace
} // namespace pw
