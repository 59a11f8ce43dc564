#include "iddb/tcp_client.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace pw {
namespace {

#ifdef MSG_NOSIGNAL
constexpr int SendFlags = MSG_NOSIGNAL;
#else
constexpr int SendFlags = 0;
#endif

void setCloseOnExec(int fd) { ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC); }

void setNonBlocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

void closeDescriptor(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

std::vector<std::uint32_t> systemResolve(const std::string& host)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    std::vector<std::uint32_t> addresses;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || !list)
        return addresses;
    for (const addrinfo* entry = list; entry; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || !entry->ai_addr || entry->ai_addrlen < sizeof(sockaddr_in))
            continue;
        sockaddr_in address{};
        std::memcpy(&address, entry->ai_addr, sizeof address);
        // getaddrinfo lists an address once per socket type; keep each address once, in order.
        if (std::find(addresses.begin(), addresses.end(), address.sin_addr.s_addr) == addresses.end())
            addresses.push_back(address.sin_addr.s_addr);
    }
    ::freeaddrinfo(list);
    return addresses;
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Milliseconds left until `deadline`, never more than `limit` (a `limit` of -1: no limit).
int remainingMs(std::chrono::steady_clock::time_point deadline, int limit)
{
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (deadline == steady_clock::time_point::max())
        return limit;
    if (deadline <= now)
        return 0;
    const auto left = duration_cast<milliseconds>(deadline - now).count() + 1;
    if (limit < 0 || left < limit)
        return static_cast<int>(std::min<long long>(left, 1 << 30));
    return limit;
}

} // namespace

// ---- StopSignal ----

StopSignal::StopSignal()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds_) != 0) {
        fds_[0] = fds_[1] = -1;
        return;
    }
    for (int fd : fds_) {
        setCloseOnExec(fd);
        setNonBlocking(fd);
    }
}

StopSignal::~StopSignal()
{
    closeDescriptor(fds_[0]);
    closeDescriptor(fds_[1]);
}

void StopSignal::Raise()
{
    if (raised_.exchange(true, std::memory_order_acq_rel))
        return;
    if (fds_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::send(fds_[1], &byte, 1, SendFlags);
    }
}

void StopSignal::Reset()
{
    if (fds_[0] >= 0) {
        char drain[16];
        while (::recv(fds_[0], drain, sizeof drain, 0) > 0) {
        }
    }
    raised_.store(false, std::memory_order_release);
}

bool StopSignal::SleepFor(std::chrono::milliseconds duration) const
{
    using namespace std::chrono;
    const auto until = steady_clock::now() + duration;
    while (!Raised()) {
        const auto left = duration_cast<milliseconds>(until - steady_clock::now()).count();
        if (left <= 0)
            return true;
        if (fds_[0] < 0) {
            std::this_thread::sleep_for(milliseconds(std::min<long long>(left, 10)));
            continue;
        }
        pollfd wake{fds_[0], POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(std::min<long long>(left, 1 << 30)));
    }
    return false;
}

void NetEnvironment::Pause(std::chrono::milliseconds duration) const
{
    if (sleep)
        sleep(duration);
    else if (stop)
        stop->SleepFor(duration);
    else
        std::this_thread::sleep_for(duration);
}

// ---- TcpClient ----

TcpClient::TcpClient(NetEnvironment environment) : environment_(std::move(environment)) {}

TcpClient::TcpClient(std::string_view host, std::uint16_t port, NetEnvironment environment)
    : environment_(std::move(environment))
{
    Connect(host, port);
}

TcpClient::~TcpClient() { Close(); }

bool TcpClient::Connect(std::string_view host, std::uint16_t port)
{
    Close();
    connected_ = false;
    timeoutMs_ = 0;
    port_ = port;
    if (host.empty())
        return false;
    const std::string name(host);
    if (isAsciiLetter(name.front())) {
        const auto addresses = environment_.resolve ? environment_.resolve(name) : systemResolve(name);
        for (const auto address : addresses) {
            address_ = address;
            const auto attempt = ConnectTo(address);
            if (attempt == Attempt::Connected)
                return true;
            // A socket that cannot be created now will not be created for the next address either.
            if (attempt == Attempt::NoSocket)
                return false;
        }
        return false;
    }
    in_addr numeric{};
    if (::inet_pton(AF_INET, name.c_str(), &numeric) != 1)
        return false;
    address_ = numeric.s_addr;
    return ConnectTo(numeric.s_addr) == Attempt::Connected;
}

TcpClient::Attempt TcpClient::ConnectTo(std::uint32_t address)
{
    if (environment_.stop && environment_.stop->Raised())
        return Attempt::NoSocket;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port_);
    target.sin_addr.s_addr = address;

    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket_ < 0) {
        socket_ = -1;
        return Attempt::NoSocket;
    }
    setCloseOnExec(socket_);
    setNonBlocking(socket_);
#ifdef SO_NOSIGPIPE
    const int one = 1;
    ::setsockopt(socket_, SOL_SOCKET, SO_NOSIGPIPE, &one, sizeof one);
#endif
    int result = ::connect(socket_, reinterpret_cast<const sockaddr*>(&target), sizeof target);
    if (result != 0 && (errno == EINPROGRESS || errno == EINTR)) {
        const auto limit = static_cast<int>(std::min<long long>(environment_.connectTimeout.count(), 1 << 30));
        if (WaitFor(POLLOUT, limit) == 1) {
            int error = 0;
            socklen_t length = sizeof error;
            if (::getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
                result = 0;
        }
    }
    if (result != 0) {
        closeDescriptor(socket_);
        return Attempt::Refused;
    }
    connected_ = true;
    peerClosed_ = false;
    buffer_.resize(ReceiveBlock);
    readPos_ = readEnd_ = 0;
    return Attempt::Connected;
}

bool TcpClient::Adopt(int socket)
{
    Close();
    timeoutMs_ = 0;
    if (socket < 0)
        return false;
    socket_ = socket;
    setCloseOnExec(socket_);
    setNonBlocking(socket_);
    connected_ = true;
    peerClosed_ = false;
    buffer_.resize(ReceiveBlock);
    readPos_ = readEnd_ = 0;
    return true;
}

void TcpClient::SetTimeout(int milliseconds)
{
    if (!connected_)
        return;
    timeoutMs_ = std::max(milliseconds, 0);
    // The waits below go through poll, which honours the time-out; the socket options keep any
    // blocking call that might slip through within the same bound.
    timeval value{};
    value.tv_sec = timeoutMs_ / 1000;
    value.tv_usec = (timeoutMs_ % 1000) * 1000;
    ::setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value);
    ::setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value);
}

int TcpClient::WaitFor(short events, int timeoutMs)
{
    using namespace std::chrono;
    const auto start = steady_clock::now();
    for (;;) {
        if (environment_.stop && environment_.stop->Raised())
            return -1;
        int waitMs = timeoutMs;
        if (timeoutMs >= 0) {
            const auto spent = duration_cast<milliseconds>(steady_clock::now() - start).count();
            waitMs = static_cast<int>(std::max<long long>(timeoutMs - spent, 0));
        }
        pollfd fds[2] = {{socket_, events, 0}, {-1, POLLIN, 0}};
        nfds_t count = 1;
        if (environment_.stop && environment_.stop->WakeDescriptor() >= 0) {
            fds[1].fd = environment_.stop->WakeDescriptor();
            count = 2;
        } else if (environment_.stop && (waitMs < 0 || waitMs > 50)) {
            // Without a wake descriptor, look at the flag every 50 ms.
            waitMs = 50;
        }
        const int ready = ::poll(fds, count, waitMs);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (count == 2 && (fds[1].revents & POLLIN))
            return -1;
        if (ready > 0 && fds[0].revents != 0)
            return 1;
        if (timeoutMs >= 0 && duration_cast<milliseconds>(steady_clock::now() - start).count() >= timeoutMs)
            return 0;
    }
}

int TcpClient::Send(std::string_view text)
{
    if (!connected_)
        return 0;
    std::size_t sent = 0;
    while (sent < text.size()) {
        const auto n = ::send(socket_, text.data() + sent, text.size() - sent, SendFlags);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (WaitFor(POLLOUT, remainingMs(deadline_, timeoutMs_ > 0 ? timeoutMs_ : -1)) == 1)
                continue;
        }
        return sent > 0 ? static_cast<int>(sent) : -1;
    }
    return static_cast<int>(sent);
}

int TcpClient::Fill()
{
    readPos_ = readEnd_ = 0;
    if (peerClosed_)
        return SOCK_NODATA;
    for (;;) {
        const int limit = remainingMs(deadline_, timeoutMs_ > 0 ? timeoutMs_ : -1);
        if (limit == 0)
            return SOCK_TIMEOUT;
        const int ready = WaitFor(POLLIN, limit);
        if (ready < 0)
            return SOCK_ERROR;
        if (ready == 0)
            return SOCK_TIMEOUT;
        const auto n = ::recv(socket_, buffer_.data(), buffer_.size(), 0);
        if (n > 0) {
            readEnd_ = static_cast<std::size_t>(n);
            return static_cast<int>(n);
        }
        if (n == 0) {
            peerClosed_ = true;
            return SOCK_NODATA;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return SOCK_NODATA;
        if (errno == ETIMEDOUT)
            return SOCK_TIMEOUT;
        return SOCK_ERROR;
    }
}

int TcpClient::Receive(char* buffer, int size)
{
    if (!connected_)
        return SOCK_ERROR;
    if (size <= 0 || !buffer)
        return 0;
    if (readPos_ == readEnd_) {
        const int result = Fill();
        if (result <= 0)
            return result;
    }
    const auto n = std::min(static_cast<std::size_t>(size), readEnd_ - readPos_);
    std::memcpy(buffer, buffer_.data() + readPos_, n);
    readPos_ += n;
    return static_cast<int>(n);
}

int TcpClient::ReadLine(std::string& line, int capacity, char terminator)
{
    line.clear();
    if (!connected_)
        return SOCK_ERROR;
    if (capacity <= 1)
        return 0;
    const auto limit = static_cast<std::size_t>(capacity - 1);
    int emptyReads = 0;
    while (line.size() < limit) {
        if (readPos_ == readEnd_) {
            const int result = Fill();
            if (result == SOCK_ERROR || result == SOCK_TIMEOUT)
                return result;
            if (result == SOCK_NODATA) {
                if (++emptyReads > MaxEmptyReads)
                    return SOCK_TIMEOUT;
                // Once the peer has closed, waiting cannot bring more bytes.
                if (!peerClosed_)
                    environment_.Pause(environment_.emptyReadPause);
                continue;
            }
        }
        const char* start = buffer_.data() + readPos_;
        const auto available = std::min(readEnd_ - readPos_, limit - line.size());
        const void* found = std::memchr(start, static_cast<unsigned char>(terminator), available);
        if (found) {
            const auto length = static_cast<std::size_t>(static_cast<const char*>(found) - start) + 1;
            line.append(start, length);
            readPos_ += length;
            return static_cast<int>(line.size());
        }
        line.append(start, available);
        readPos_ += available;
    }
    return static_cast<int>(line.size());
}

void TcpClient::Close()
{
    if (connected_) {
        ::shutdown(socket_, SHUT_RDWR);
        closeDescriptor(socket_);
        connected_ = false;
    }
    if (socket_ >= 0)
        closeDescriptor(socket_);
    readPos_ = readEnd_ = 0;
}

} // namespace pw
