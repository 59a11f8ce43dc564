// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small HTTP or HTTPS server on the loopback interface for tests and benchmarks of the network
// code. It listens on an ephemeral port of 127.0.0.1, runs one thread per connection, reads the
// request head and hands it to a handler, which answers with raw bytes: any status, headers,
// chunking, early close or silence can be scripted. Given a certificate (support/test_certificates.h)
// it speaks TLS. Destroying the server ends every connection and joins its threads.

#include "support/test_certificates.h"

#include <atomic>
#include <optional>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace pw::test {

class ServerConnection {
public:
    // `tls` is the connection's SSL object when the server speaks TLS, else null.
    ServerConnection(int socket, void* tls, const std::atomic<bool>& stopping)
        : socket_(socket), tls_(tls), stopping_(stopping)
    {
    }
    // Sends every byte; false when the peer has gone.
    bool send(std::string_view bytes);
    // Keeps the connection open without sending, until the peer closes it or the server stops.
    void holdOpen();
    // Closes at once with a reset instead of an orderly close.
    void reset();

private:
    int socket_;
    void* tls_;
    const std::atomic<bool>& stopping_;
};

class LoopbackHttpServer {
public:
    // Called with the request head (up to and including the empty line) on the connection's thread.
    using Handler = std::function<void(const std::string& request, ServerConnection& connection)>;

    explicit LoopbackHttpServer(Handler handler, std::optional<TlsIdentity> tls = std::nullopt);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "127.0.0.1:port"
    std::string hostAndPort() const;
    // "http://127.0.0.1:port/path", or https:// when the server speaks TLS; `host` may name the
    // server otherwise (localhost).
    std::string url(const std::string& path, const std::string& host = "127.0.0.1") const;
    // The request heads received so far, in order.
    std::vector<std::string> requests() const;

private:
    void acceptLoop();

    void serve(int socket);

    Handler handler_;
    void* tlsContext_ = nullptr;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    mutable std::mutex mutex_;
    std::vector<std::thread> connections_;
    std::vector<std::string> requests_;
};

// A port on 127.0.0.1 on which nothing listens, so a connection to it is refused.
std::uint16_t refusingPort();

// A 200 response with a plain body; the server closes the connection after it.
std::string plainResponse(std::string_view body);
// A 200 response with Content-Length, as a keep-alive server sends it.
std::string sizedResponse(std::string_view body);
// A redirect to `location`.
std::string redirectResponse(std::string_view location, int status = 302);
// A 200 response with `transferEncoding` as its Transfer-Encoding and the body cut into chunks of
// the given sizes (the rest as one last chunk), each size line followed by `extension`, then the
// zero-size chunk.
std::string chunkedResponse(std::string_view body, const std::vector<std::size_t>& chunkSizes,
                            std::string_view transferEncoding = "chunked", std::string_view extension = "");

} // namespace pw::test
