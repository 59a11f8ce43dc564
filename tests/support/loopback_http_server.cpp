#include "support/loopback_http_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pw::test {

bool ServerConnection::send(std::string_view bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (stopping_.load())
            return false;
        const auto n = ::send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void ServerConnection::holdOpen()
{
    char scratch[4096];
    while (!stopping_.load()) {
        pollfd fd{socket_, POLLIN, 0};
        if (::poll(&fd, 1, 20) > 0) {
            const auto n = ::recv(socket_, scratch, sizeof scratch, 0);
            if (n <= 0)
                return;
        }
    }
}

void ServerConnection::reset()
{
    linger option{1, 0};
    ::setsockopt(socket_, SOL_SOCKET, SO_LINGER, &option, sizeof option);
    ::shutdown(socket_, SHUT_RD);
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler) : handler_(std::move(handler))
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 16);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stopping_.store(true);
    acceptor_.join();
    ::close(listener_);
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        threads.swap(connections_);
    }
    for (auto& thread : threads)
        thread.join();
}

std::string LoopbackHttpServer::hostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> LoopbackHttpServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::acceptLoop()
{
    while (!stopping_.load()) {
        pollfd fd{listener_, POLLIN, 0};
        if (::poll(&fd, 1, 20) <= 0)
            continue;
        const int socket = ::accept(listener_, nullptr, nullptr);
        if (socket < 0)
            continue;
        std::lock_guard lock(mutex_);
        connections_.emplace_back([this, socket] {
            std::string head;
            char byte;
            // Read the request head byte by byte so nothing after it is consumed.
            while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 && !stopping_.load()) {
                pollfd wait{socket, POLLIN, 0};
                if (::poll(&wait, 1, 20) <= 0)
                    continue;
                if (::recv(socket, &byte, 1, 0) != 1)
                    break;
                head += byte;
            }
            {
                std::lock_guard requestsLock(mutex_);
                requests_.push_back(head);
            }
            ServerConnection connection(socket, stopping_);
            handler_(head, connection);
            ::shutdown(socket, SHUT_WR);
            ::close(socket);
        });
    }
}

std::uint16_t refusingPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return ntohs(address.sin_port);
}

std::string plainResponse(std::string_view body)
{
    std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/csv\r\nConnection: close\r\n\r\n";
    response += body;
    return response;
}

std::string chunkedResponse(std::string_view body, const std::vector<std::size_t>& chunkSizes,
                            std::string_view transferEncoding, std::string_view extension)
{
    std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/csv\r\nTransfer-Encoding: ";
    response += transferEncoding;
    response += "\r\n\r\n";
    auto addChunk = [&](std::string_view data) {
        char size[32];
        std::snprintf(size, sizeof size, "%zx", data.size());
        response += size;
        response += extension;
        response += "\r\n";
        response += data;
        response += "\r\n";
    };
    std::size_t pos = 0;
    for (const auto size : chunkSizes) {
        if (pos >= body.size())
            break;
        const auto piece = body.substr(pos, size);
        if (!piece.empty())
            addChunk(piece);
        pos += piece.size();
    }
    if (pos < body.size())
        addChunk(body.substr(pos));
    response += "0\r\n\r\n";
    return response;
}

} // namespace pw::test
