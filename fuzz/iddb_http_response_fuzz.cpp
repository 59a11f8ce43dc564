// The HTTP response reader of the ID database download: the input is what a server sends, fed to
// the fetcher through a socket pair. Whatever it holds, the fetcher must read within bounds and end.
// The first input byte chooses a head to put before the rest, so that bodies are reached often:
// 0 none (the input is the whole response), 1 a plain 200 head, 2 a chunked 200 head.

#include "iddb/http_fetcher.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string response;
    switch (data[0] % 3) {
    case 1: response = "HTTP/1.1 200 OK\r\n\r\n"; break;
    case 2: response = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"; break;
    default: break;
    }
    response.append(reinterpret_cast<const char*>(data) + 1, size - 1);

    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0)
        return 0;
    // The whole response must fit the socket buffer, since nothing reads while it is written.
    const int buffer = 1 << 20;
    ::setsockopt(ends[1], SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
    ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
    std::size_t written = 0;
    while (written < response.size()) {
        const auto n = ::send(ends[1], response.data() + written, response.size() - written, 0);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    ::shutdown(ends[1], SHUT_WR);

    pw::NetEnvironment environment;
    environment.sleep = [](std::chrono::milliseconds) {};
    pw::HttpTiming timing;
    timing.receiveTimeoutMs = 1000;
    pw::HttpLimits limits;
    limits.maxBodyBytes = 1 << 20;
    pw::HttpFetcher fetcher(environment, timing, limits);
    int notices = 0;
    fetcher.SetNotifier([&notices](std::string_view) { ++notices; });
    fetcher.Connection().Adopt(ends[0]);
    if (fetcher.Exchange("fuzz.test", "/static/users_quoted.csv")) {
        std::string line;
        std::size_t delivered = 0;
        for (int lines = 0;; ++lines) {
            const int n = fetcher.ReadBodyLine(line);
            if (n < 0)
                break;
            if (line.size() > pw::HttpFetcher::ChunkedPieceLimit || lines > static_cast<int>(response.size()) + 1)
                std::abort();
            delivered += line.size();
        }
        if (delivered > response.size())
            std::abort();
    }
    fetcher.Close();
    ::close(ends[1]);
    return 0;
}
