#pragma once
// The program's only network primitive: a TCP connection to a named or numeric IPv4 host, with a
// receive and send time-out, a raw receive that folds socket errors into three small result codes,
// and a line reader.
//
// Bytes are read from the socket in large blocks into a buffer inside the client; `Receive` and
// `ReadLine` hand them out of that buffer, so callers see the same results and the same order of
// bytes as if every byte had been read by its own system call, without paying for one.
//
// Every wait (connect, receive, send, the pauses between empty reads) can be cut short from another
// thread by a `StopSignal`, so the thread that owns a connection can always be stopped and joined.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Result codes shared by `Receive`, `ReadLine` and the HTTP layer.
inline constexpr int SOCK_ERROR = -1;   // not connected, stopped, or a socket error
inline constexpr int SOCK_TIMEOUT = -2; // the receive time-out expired, or ReadLine gave up waiting
inline constexpr int SOCK_NODATA = 0;   // the peer has closed the connection, or the call would block

// A flag that one thread raises to stop another thread's network waits at once. Waiting threads
// watch a socket pair, which the raising thread makes readable.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void Raise();
    // Lowers the flag again; only while no other thread waits on it.
    void Reset();
    bool Raised() const { return raised_.load(std::memory_order_acquire); }
    // Readable once the signal is raised; -1 when the socket pair could not be made (waits then
    // fall back to polling the flag).
    int WakeDescriptor() const { return fds_[0]; }
    // Sleeps for `duration` or until the signal is raised; false when it was raised.
    bool SleepFor(std::chrono::milliseconds duration) const;

private:
    std::atomic<bool> raised_{false};
    int fds_[2] = {-1, -1};
};

// The parts of the outside world a connection depends on, replaceable by tests.
struct NetEnvironment {
    // Host name to IPv4 addresses in network byte order, in the resolver's order. Empty: the
    // system resolver (AF_INET only).
    std::function<std::vector<std::uint32_t>(const std::string& host)> resolve;
    // The pause between empty reads. Empty: a thread sleep that the stop signal cuts short.
    std::function<void(std::chrono::milliseconds)> sleep;
    // Cuts every wait short when raised; may be null.
    const StopSignal* stop = nullptr;
    // The longest a single connection attempt may take.
    std::chrono::milliseconds connectTimeout{40000};
    // ReadLine's pause after an empty read.
    std::chrono::milliseconds emptyReadPause{100};

    void Pause(std::chrono::milliseconds duration) const;
};

class TcpClient {
public:
    // Bytes asked of the socket at a time.
    static constexpr std::size_t ReceiveBlock = 64 * 1024;
    // Empty reads that one ReadLine call accepts before it gives up.
    static constexpr int MaxEmptyReads = 10;

    explicit TcpClient(NetEnvironment environment = {});
    // Tries to connect at once; IsConnected tells whether it worked.
    TcpClient(std::string_view host, std::uint16_t port, NetEnvironment environment = {});
    ~TcpClient();
    TcpClient(const TcpClient&) = delete;
    TcpClient& operator=(const TcpClient&) = delete;

    // A host that begins with an ASCII letter is resolved by name and every address is tried in
    // turn; any other host is taken as a dotted IPv4 address and tried once.
    bool Connect(std::string_view host, std::uint16_t port);
    bool IsConnected() const { return connected_; }
    // Takes over a connected stream socket made elsewhere (an accepted connection, one end of a
    // socket pair); the client closes it. False, closing nothing, for a negative descriptor.
    bool Adopt(int socket);

    // Only when connected: the receive and send time-out, in milliseconds (0: none).
    void SetTimeout(int milliseconds);
    // No receive waits past this point, whatever the time-out says.
    void SetDeadline(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }

    // Sends the whole text; the number of bytes sent, -1 on a socket error, 0 when not connected.
    int Send(std::string_view text);
    // At most `size` bytes: from the buffer when it holds any, else from one read of the socket.
    // The count (> 0), SOCK_NODATA, SOCK_TIMEOUT or SOCK_ERROR.
    int Receive(char* buffer, int size);
    // Reads up to and including `terminator`, at most `capacity` - 1 bytes, into `line` (which is
    // emptied first). Returns the number of bytes stored; SOCK_ERROR or SOCK_TIMEOUT, with the
    // bytes already read left in `line`; SOCK_TIMEOUT also after more than MaxEmptyReads empty
    // reads in this call. A longer line is left in the connection for the next call.
    int ReadLine(std::string& line, int capacity, char terminator);
    void Close();

    // True once the peer has closed its side: nothing more can arrive, so empty reads need no pause.
    bool PeerClosed() const { return peerClosed_; }
    int Timeout() const { return timeoutMs_; }
    std::uint16_t Port() const { return port_; }
    // The IPv4 address last tried, in network byte order.
    std::uint32_t Address() const { return address_; }

private:
    enum class Attempt { Connected, Refused, NoSocket };
    Attempt ConnectTo(std::uint32_t address);
    // Reads one block from the socket into the empty buffer: the byte count, or a result code.
    int Fill();
    // Waits for the socket to become readable (POLLIN) or writable (POLLOUT): 1 ready, 0 timed
    // out, -1 stopped or failed.
    int WaitFor(short events, int timeoutMs);

    NetEnvironment environment_;
    int timeoutMs_ = 0;
    bool connected_ = false;
    bool peerClosed_ = false;
    int socket_ = -1;
    std::uint16_t port_ = 0;
    std::uint32_t address_ = 0;
    std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::time_point::max();
    std::vector<char> buffer_;
    std::size_t readPos_ = 0;
    std::size_t readEnd_ = 0;
};

} // namespace pw
