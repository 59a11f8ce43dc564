// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/loopback_http_server.h"

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pw::test {
namespace {

// Reads what is there, waiting at most 20 ms; the bytes read, 0 at the end, -1 for nothing yet.
long readSome(int socket, SSL* tls, char* buffer, std::size_t size)
{
    if (!tls || SSL_pending(tls) == 0) {
        pollfd fd{socket, POLLIN, 0};
        if (::poll(&fd, 1, 20) <= 0)
            return -1;
    }
    if (!tls)
        return ::recv(socket, buffer, size, 0);
    const int n = SSL_read(tls, buffer, static_cast<int>(size));
    if (n > 0)
        return n;
    const int error = SSL_get_error(tls, n);
    return error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE ? -1 : 0;
}

} // namespace

bool ServerConnection::send(std::string_view bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (stopping_.load())
            return false;
        if (tls_) {
            const int n = SSL_write(static_cast<SSL*>(tls_), bytes.data() + sent, static_cast<int>(bytes.size() - sent));
            if (n <= 0)
                return false;
            sent += static_cast<std::size_t>(n);
            continue;
        }
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
        if (readSome(socket_, static_cast<SSL*>(tls_), scratch, sizeof scratch) == 0)
            return;
    }
}

void ServerConnection::reset()
{
    linger option{1, 0};
    ::setsockopt(socket_, SOL_SOCKET, SO_LINGER, &option, sizeof option);
    ::shutdown(socket_, SHUT_RD);
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler, std::optional<TlsIdentity> tls) : handler_(std::move(handler))
{
    if (tls) {
        // OpenSSL writes with plain write(): a client that hangs up must not end the test program.
        std::signal(SIGPIPE, SIG_IGN);
        SSL_CTX* context = SSL_CTX_new(TLS_server_method());
        BIO* certificate = BIO_new_mem_buf(tls->certificatePem.data(), static_cast<int>(tls->certificatePem.size()));
        BIO* key = BIO_new_mem_buf(tls->privateKeyPem.data(), static_cast<int>(tls->privateKeyPem.size()));
        X509* x509 = PEM_read_bio_X509(certificate, nullptr, nullptr, nullptr);
        EVP_PKEY* privateKey = PEM_read_bio_PrivateKey(key, nullptr, nullptr, nullptr);
        SSL_CTX_use_certificate(context, x509);
        SSL_CTX_use_PrivateKey(context, privateKey);
        X509_free(x509);
        EVP_PKEY_free(privateKey);
        BIO_free(certificate);
        BIO_free(key);
        tlsContext_ = context;
    }
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
    if (tlsContext_)
        SSL_CTX_free(static_cast<SSL_CTX*>(tlsContext_));
}

std::string LoopbackHttpServer::hostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

std::string LoopbackHttpServer::url(const std::string& path, const std::string& host) const
{
    return std::string(tlsContext_ ? "https://" : "http://") + host + ":" + std::to_string(port_) + path;
}

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
        connections_.emplace_back([this, socket] { serve(socket); });
    }
}

void LoopbackHttpServer::serve(int socket)
{
    SSL* tls = nullptr;
    if (tlsContext_) {
        // The handshake blocks; a client that gives up on it ends it within the time-out.
        timeval timeout{2, 0};
        ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        tls = SSL_new(static_cast<SSL_CTX*>(tlsContext_));
        SSL_set_fd(tls, socket);
        if (SSL_accept(tls) != 1) {
            ERR_clear_error();
            SSL_free(tls);
            ::close(socket);
            return;
        }
    }
    std::string head;
    char byte;
    // Read the request head byte by byte so nothing after it is consumed.
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 && !stopping_.load()) {
        const long n = readSome(socket, tls, &byte, 1);
        if (n < 0)
            continue;
        if (n == 0)
            break;
        head += byte;
    }
    {
        std::lock_guard requestsLock(mutex_);
        requests_.push_back(head);
    }
    ServerConnection connection(socket, tls, stopping_);
    handler_(head, connection);
    if (tls) {
        SSL_shutdown(tls);
        SSL_free(tls);
    }
    ::shutdown(socket, SHUT_WR);
    ::close(socket);
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

std::string sizedResponse(std::string_view body)
{
    std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/csv\r\nContent-Length: " + std::to_string(body.size())
                         + "\r\nConnection: keep-alive\r\n\r\n";
    response += body;
    return response;
}

std::string redirectResponse(std::string_view location, int status)
{
    return "HTTP/1.1 " + std::to_string(status) + " Moved\r\nLocation: " + std::string(location)
         + "\r\nContent-Length: 0\r\n\r\n";
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
