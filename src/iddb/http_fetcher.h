#pragma once
// Downloads one text resource by HTTP/1.1 GET over a TcpClient and hands its body to the caller
// line by line, decoding "chunked" transfer coding when the response uses it.
//
// Only the status code and the transfer coding are taken from the response head: no redirects, no
// Content-Length, no keep-alive reuse, no TLS. A plain body ends when the server closes the
// connection (or goes silent for the receive time-out); a chunked body ends at its zero-size chunk.
//
// A server can send anything, so every part of the exchange is bounded: the number of header
// lines, the size one chunk may announce, the length of a chunk-size line, the bytes of the whole
// body and the time the whole download may take. Going past a bound ends the exchange with an
// error, never with unbounded memory or an endless wait.

#include "iddb/tcp_client.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

struct HttpLimits {
    // Header lines after the status line; real responses have a few dozen at most.
    int maxHeaderLines = 256;
    // The most one chunk may announce; its buffer is allocated at once.
    std::size_t maxChunkSize = 4u << 20;
    // The longest chunk-size line, extensions included.
    std::size_t maxChunkSizeLine = 4096;
    // Body bytes of one download: 2,000,000 users take about 130 MB.
    std::uint64_t maxBodyBytes = 1ull << 30;
    // The whole exchange, from Open to the last body line.
    std::chrono::milliseconds maxDuration = std::chrono::hours(2);
};

struct HttpTiming {
    // Receive and send time-out of the connection.
    int receiveTimeoutMs = 40000;
    // The pause before retrying an empty read while a chunk is filled.
    std::chrono::milliseconds chunkRetryPause{500};
    // Empty reads accepted for one piece of a chunk.
    int chunkRetries = 10;
};

// A source written as "host" or "host:port"; port 80 when none is given.
struct HostAndPort {
    std::string host;
    std::uint16_t port = 80;
    // The Host header: the text as given.
    std::string headerHost;
};
// Splits "host:port"; a part after the last colon that is not a port number 1 to 65535 leaves the
// whole text as the host.
HostAndPort splitHostAndPort(std::string_view text);

class HttpFetcher {
public:
    static constexpr int LineCapacity = 512;
    static constexpr int ChunkSizeLineCapacity = 64;
    // Longest piece of a chunked body line before it is handed out as a line of its own.
    static constexpr std::size_t ChunkedPieceLimit = 513;
    static constexpr int MaxChunkSizeScans = 4;

    explicit HttpFetcher(NetEnvironment environment = {}, HttpTiming timing = {}, HttpLimits limits = {});

    // The messages the download shows the user ("GetNextBuffer: SOCK_ERROR", ...). The receiver is
    // called on the downloading thread.
    void SetNotifier(std::function<void(std::string_view)> notifier) { notifier_ = std::move(notifier); }

    // Connects, sends the request, checks for status 200 and reads the header lines. On failure the
    // connection is closed and no body is available.
    bool Open(std::string_view hostAndPort, std::string_view path);
    // The same exchange over the connection as it stands (made with Connection().Adopt, say):
    // sends the request with `headerHost` as its Host and reads the response head.
    bool Exchange(std::string_view headerHost, std::string_view path);
    // The next body line into `line`, its line feed included when it has one. Returns the line's
    // byte count (plain body, line feed included) or the bytes before its line feed (chunked body);
    // SOCK_ERROR or SOCK_TIMEOUT when the body has ended or failed. Lines longer than the line
    // capacity arrive in pieces of at most 511 (plain) or 513 (chunked) bytes. A last line without
    // a line feed is delivered when the body ended cleanly (the server closed the connection after
    // it, or the last chunk came), and dropped when the body broke off.
    int ReadBodyLine(std::string& line);
    void Close();

    bool IsChunked() const { return chunked_; }
    // True when the body ended cleanly rather than breaking off.
    bool EndedCleanly() const { return endedCleanly_; }
    std::uint64_t BodyBytes() const { return bodyBytes_; }
    TcpClient& Connection() { return connection_; }

    // Chunked mode: reads the next chunk into the chunk buffer. The chunk size; 0 without a buffer
    // for the last chunk or an unreadable size line; SOCK_ERROR or SOCK_TIMEOUT.
    int GetNextBuffer();
    // Chunked mode: the next body byte, 0 to 255, or a negative result code.
    int NextByte();

private:
    void Notify(std::string_view text) const;
    void ResetBody();
    int ReadPlainLine(std::string& line);
    int ReadChunkedLine(std::string& line);
    // Reads a whole chunk-size line, dropping what is past ChunkSizeLineCapacity.
    int ReadChunkSizeLine(std::string& line);

    NetEnvironment environment_;
    HttpTiming timing_;
    HttpLimits limits_;
    TcpClient connection_;
    std::function<void(std::string_view)> notifier_;

    bool chunked_ = false;
    bool haveChunk_ = false;
    std::vector<char> chunk_;
    std::size_t readPos_ = 0;
    std::size_t chunkSize_ = 0;
    bool lastChunkSeen_ = false;
    bool endedCleanly_ = false;
    bool finished_ = false;
    std::uint64_t bodyBytes_ = 0;
};

} // namespace pw
