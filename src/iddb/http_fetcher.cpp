#include "iddb/http_fetcher.h"

#include "model/field_readers.h"
#include "model/letter_case.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace pw {
namespace {

// Internal result of a chunk-size line that runs past every sensible length.
constexpr int OverlongLine = -100;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isScanSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The leading hexadecimal number of a chunk-size line, as a "%x" scan reads it (leading white
// space and a 0x prefix allowed, anything after the digits ignored); a sign is not accepted.
// Values past `cap` come back as cap + 1.
std::optional<std::uint64_t> scanChunkSize(std::string_view line, std::uint64_t cap)
{
    std::size_t pos = 0;
    while (pos < line.size() && isScanSpace(line[pos]))
        ++pos;
    if (pos + 2 < line.size() && line[pos] == '0' && (line[pos + 1] == 'x' || line[pos + 1] == 'X')
        && hexDigit(line[pos + 2]) >= 0)
        pos += 2;
    std::uint64_t value = 0;
    bool any = false;
    for (; pos < line.size() && hexDigit(line[pos]) >= 0; ++pos) {
        any = true;
        value = value * 16 + static_cast<std::uint64_t>(hexDigit(line[pos]));
        if (value > cap)
            value = cap + 1;
    }
    if (!any)
        return std::nullopt;
    return value;
}

} // namespace

HostAndPort splitHostAndPort(std::string_view text)
{
    HostAndPort result;
    result.headerHost = std::string(text);
    result.host = std::string(text);
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos || colon + 1 >= text.size() || text.size() - colon - 1 > 5)
        return result;
    unsigned port = 0;
    for (std::size_t i = colon + 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return result;
        port = port * 10 + static_cast<unsigned>(text[i] - '0');
    }
    if (port < 1 || port > 65535)
        return result;
    result.host = std::string(text.substr(0, colon));
    result.port = static_cast<std::uint16_t>(port);
    return result;
}

HttpFetcher::HttpFetcher(NetEnvironment environment, HttpTiming timing, HttpLimits limits)
    : environment_(std::move(environment)), timing_(timing), limits_(limits), connection_(environment_)
{
}

void HttpFetcher::Notify(std::string_view text) const
{
    if (notifier_)
        notifier_(text);
}

bool HttpFetcher::Open(std::string_view hostAndPort, std::string_view path)
{
    const auto target = splitHostAndPort(hostAndPort);
    connection_.SetDeadline(std::chrono::steady_clock::now() + limits_.maxDuration);
    if (!connection_.Connect(target.host, target.port)) {
        ResetBody();
        return false;
    }
    return Exchange(target.headerHost, path);
}

void HttpFetcher::ResetBody()
{
    chunked_ = false;
    haveChunk_ = false;
    chunk_.clear();
    readPos_ = chunkSize_ = 0;
    lastChunkSeen_ = endedCleanly_ = finished_ = false;
    bodyBytes_ = 0;
}

bool HttpFetcher::Exchange(std::string_view headerHost, std::string_view path)
{
    ResetBody();
    if (!connection_.IsConnected())
        return false;
    connection_.SetDeadline(std::chrono::steady_clock::now() + limits_.maxDuration);
    connection_.SetTimeout(timing_.receiveTimeoutMs);

    std::string request = "GET ";
    request.append(path).append(" HTTP/1.1\r\nHost: ").append(headerHost).append("\r\n\r\n");
    if (connection_.Send(request) != static_cast<int>(request.size())) {
        Close();
        return false;
    }

    std::string line;
    if (connection_.ReadLine(line, LineCapacity, '\n') < 0) {
        Close();
        return false;
    }
    std::string word;
    WordReader::word(line, 1, 4086, word);
    if (word != "200") {
        Close();
        return false;
    }

    for (int headers = 0;; ++headers) {
        if (headers >= limits_.maxHeaderLines) {
            Close();
            return false;
        }
        if (connection_.ReadLine(line, LineCapacity, '\n') < 0) {
            Close();
            return false;
        }
        if (line.size() < 3)
            break;
        // Any header whose second word is "chunked" switches the decoding on; the header name is
        // not looked at.
        WordReader::word(line, 1, 4086, word);
        if (equalsIgnoringCase(word, "chunked"))
            chunked_ = true;
    }
    return true;
}

int HttpFetcher::ReadBodyLine(std::string& line)
{
    line.clear();
    if (finished_)
        return SOCK_ERROR;
    const int result = chunked_ ? ReadChunkedLine(line) : ReadPlainLine(line);
    if (result < 0) {
        line.clear();
        finished_ = true;
    }
    return result;
}

int HttpFetcher::ReadPlainLine(std::string& line)
{
    if (bodyBytes_ >= limits_.maxBodyBytes)
        return SOCK_ERROR;
    const int result = connection_.ReadLine(line, LineCapacity, '\n');
    if (result >= 0) {
        bodyBytes_ += line.size();
        return result;
    }
    if (result == SOCK_TIMEOUT && connection_.PeerClosed()) {
        // The server closed the connection: that is how a plain body ends.
        endedCleanly_ = true;
        if (!line.empty()) {
            bodyBytes_ += line.size();
            return static_cast<int>(line.size());
        }
    }
    return result;
}

int HttpFetcher::ReadChunkedLine(std::string& line)
{
    if (lastChunkSeen_)
        return SOCK_ERROR;
    if (!haveChunk_) {
        const int result = GetNextBuffer();
        if (result < 0)
            return result;
    }
    for (;;) {
        // Cut as much of the line as the current chunk holds in one step.
        if (haveChunk_ && readPos_ < chunkSize_) {
            const char* start = chunk_.data() + readPos_;
            const auto span = std::min(chunkSize_ - readPos_, ChunkedPieceLimit - line.size());
            const void* found = std::memchr(start, '\n', span);
            const auto taken = found ? static_cast<std::size_t>(static_cast<const char*>(found) - start) + 1 : span;
            line.append(start, taken);
            readPos_ += taken;
            if (found)
                return static_cast<int>(line.size() - 1);
            if (line.size() >= ChunkedPieceLimit)
                return static_cast<int>(line.size());
            continue;
        }
        const int byte = NextByte();
        if (byte < 0) {
            if (lastChunkSeen_ && !line.empty())
                return static_cast<int>(line.size());
            return byte;
        }
        line.push_back(static_cast<char>(byte));
        if (byte == '\n')
            return static_cast<int>(line.size() - 1);
        if (line.size() >= ChunkedPieceLimit)
            return static_cast<int>(line.size());
    }
}

int HttpFetcher::NextByte()
{
    if (!haveChunk_)
        return SOCK_ERROR;
    if (readPos_ < chunkSize_)
        return static_cast<unsigned char>(chunk_[readPos_++]);
    const int result = GetNextBuffer();
    if (result < 0)
        return result;
    if (!haveChunk_)
        return SOCK_ERROR;
    return static_cast<unsigned char>(chunk_[readPos_++]);
}

int HttpFetcher::ReadChunkSizeLine(std::string& line)
{
    const int result = connection_.ReadLine(line, ChunkSizeLineCapacity, '\n');
    if (result < 0 || line.empty() || line.back() == '\n')
        return result;
    // Extensions past the line capacity would otherwise be taken for chunk data: pass over them.
    std::string rest;
    std::size_t length = line.size();
    for (;;) {
        const int more = connection_.ReadLine(rest, ChunkSizeLineCapacity, '\n');
        if (more < 0)
            return more;
        length += rest.size();
        if (length > limits_.maxChunkSizeLine)
            return OverlongLine;
        if (!rest.empty() && rest.back() == '\n')
            return result;
    }
}

int HttpFetcher::GetNextBuffer()
{
    haveChunk_ = false;
    readPos_ = chunkSize_ = 0;
    std::string sizeLine;
    for (int scans = 0; scans < MaxChunkSizeScans; ++scans) {
        const int result = ReadChunkSizeLine(sizeLine);
        if (result == SOCK_ERROR) {
            Notify("GetNextBuffer: SOCK_ERROR");
            return SOCK_ERROR;
        }
        if (result == SOCK_TIMEOUT) {
            Notify("GetNextBuffer: SOCK_TIMEOUT");
            return SOCK_TIMEOUT;
        }
        if (result == OverlongLine)
            return SOCK_ERROR;
        const auto size = scanChunkSize(sizeLine, limits_.maxChunkSize);
        if (!size)
            continue;
        if (*size == 0) {
            // The last chunk; trailer lines are not read.
            lastChunkSeen_ = true;
            endedCleanly_ = true;
            return 0;
        }
        if (*size > limits_.maxChunkSize || bodyBytes_ + *size > limits_.maxBodyBytes)
            return SOCK_ERROR;

        const auto wanted = static_cast<std::size_t>(*size);
        chunk_.resize(wanted);
        std::size_t got = 0;
        while (got < wanted) {
            int received = 0;
            for (int attempt = 0;; ++attempt) {
                received = connection_.Receive(chunk_.data() + got, static_cast<int>(wanted - got));
                if (received != SOCK_NODATA || attempt >= timing_.chunkRetries)
                    break;
                if (!connection_.PeerClosed())
                    environment_.Pause(timing_.chunkRetryPause);
            }
            if (received < 1)
                return SOCK_ERROR;
            got += static_cast<std::size_t>(received);
        }
        // The CR LF after the chunk data; what it really holds is not checked.
        char crlf[2];
        int trailing = connection_.Receive(crlf, 2);
        if (trailing == 1 && crlf[0] == '\r')
            connection_.Receive(crlf + 1, 1);

        haveChunk_ = true;
        chunkSize_ = wanted;
        bodyBytes_ += wanted;
        return static_cast<int>(wanted);
    }
    return 0;
}

void HttpFetcher::Close()
{
    connection_.Close();
    haveChunk_ = false;
    chunk_.clear();
    chunk_.shrink_to_fit();
    readPos_ = chunkSize_ = 0;
}

} // namespace pw
