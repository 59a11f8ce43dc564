// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/http_download.h"

#include "platform/curl_api.h"
#include "plugwright_version.h"

#include <cstdlib>
#include <optional>

namespace pw {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string durationText(std::chrono::milliseconds duration)
{
    const auto ms = duration.count();
    if (ms % 60000 == 0 && ms >= 60000)
        return std::to_string(ms / 60000) + " min";
    if (ms % 1000 == 0)
        return std::to_string(ms / 1000) + " s";
    return std::to_string(ms) + " ms";
}

std::string speedText(long bytesPerSecond)
{
    if (bytesPerSecond % 1024 == 0)
        return std::to_string(bytesPerSecond / 1024) + " KB/s";
    return std::to_string(bytesPerSecond) + " bytes/s";
}

// The part of curl's message after a known prefix, for the detail of a reason.
std::string detailAfter(std::string_view message, std::string_view prefix)
{
    const auto at = message.find(prefix);
    return std::string(at == std::string_view::npos ? message : message.substr(at + prefix.size()));
}

struct Transfer {
    const CurlApi* api = nullptr;
    CURL* curl = nullptr;
    const DownloadReceiver* receiver = nullptr;
    const DownloadProgress* progress = nullptr;
    const std::atomic<bool>* stop = nullptr;
    std::uint64_t maxBodyBytes = 0;
    std::uint64_t bodyBytes = 0;
    bool statusChecked = false;
    // Set when the transfer was ended from our side, with the reason.
    std::string abortReason;
    const std::string* stopReason = nullptr;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (!transfer.statusChecked) {
        long status = 0;
        transfer.api->getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
        transfer.statusChecked = true;
        // Only the list itself is read: an error page is no user list.
        if (status != 200) {
            transfer.abortReason = "HTTP " + std::to_string(status);
            return CURL_WRITEFUNC_ERROR;
        }
    }
    if (transfer.stop && transfer.stop->load(std::memory_order_acquire)) {
        transfer.abortReason = "stopped";
        return CURL_WRITEFUNC_ERROR;
    }
    transfer.bodyBytes += bytes;
    if (transfer.bodyBytes > transfer.maxBodyBytes) {
        transfer.abortReason = transfer.maxBodyBytes >= (1u << 20) && transfer.maxBodyBytes % (1u << 20) == 0
                                 ? "larger than " + std::to_string(transfer.maxBodyBytes >> 20) + " MB"
                                 : "larger than " + std::to_string(transfer.maxBodyBytes) + " bytes";
        return CURL_WRITEFUNC_ERROR;
    }
    if (!(*transfer.receiver)(std::string_view(data, bytes))) {
        transfer.abortReason = transfer.stopReason->empty() ? "stopped" : *transfer.stopReason;
        return CURL_WRITEFUNC_ERROR;
    }
    return bytes;
}

int onProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    auto& transfer = *static_cast<Transfer*>(user);
    if (transfer.stop && transfer.stop->load(std::memory_order_acquire)) {
        transfer.abortReason = "stopped";
        return 1;
    }
    if (transfer.progress && *transfer.progress && transfer.statusChecked)
        (*transfer.progress)(static_cast<std::uint64_t>(now),
                             total > 0 ? std::optional<std::uint64_t>(static_cast<std::uint64_t>(total)) : std::nullopt);
    return 0;
}

// "n of m bytes" when the body that arrived is shorter than the length the server announced.
std::optional<std::string> shortOfAnnouncedLength(const CurlApi& api, CURL* curl)
{
    curl_off_t announced = -1;
    curl_off_t received = 0;
    if (api.getinfoOffT(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) != CURLE_OK || announced < 0 ||
        api.getinfoOffT(curl, CURLINFO_SIZE_DOWNLOAD_T, &received) != CURLE_OK || received == announced)
        return std::nullopt;
    return "connection broken off (" + std::to_string(received) + " of " + std::to_string(announced) +
           " bytes announced)";
}

// The host of an http:// or https:// URL, without port and brackets.
std::string_view urlHost(std::string_view url)
{
    auto rest = url.substr(url.find("://") + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    rest = rest.substr(rest.find('@') == std::string_view::npos ? 0 : rest.find('@') + 1);
    if (rest.starts_with('['))
        return rest.substr(1, rest.find(']') - 1);
    return rest.substr(0, rest.find(':'));
}

const char* environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// Whether NO_PROXY's list ("*", or hosts and domains separated by commas) keeps `host` off the proxy.
bool bypassesProxy(std::string_view host)
{
    const char* list = environmentValue("no_proxy");
    list = list ? list : environmentValue("NO_PROXY");
    if (!list)
        return false;
    std::string_view entries(list);
    while (!entries.empty()) {
        const auto comma = entries.find(',');
        auto entry = entries.substr(0, comma);
        entries = comma == std::string_view::npos ? std::string_view() : entries.substr(comma + 1);
        while (!entry.empty() && entry.front() == ' ')
            entry.remove_prefix(1);
        while (!entry.empty() && entry.back() == ' ')
            entry.remove_suffix(1);
        if (entry.starts_with('.'))
            entry.remove_prefix(1);
        if (entry == "*" ||
            (!entry.empty() && host.ends_with(entry) &&
             (host.size() == entry.size() || host[host.size() - entry.size() - 1] == '.')))
            return true;
    }
    return false;
}

} // namespace

std::string proxyFor(std::string_view url)
{
    // libcurl's own rules: the scheme's variable (http_proxy only in lower case, as a CGI
    // program's environment could set HTTP_PROXY from a request header), then ALL_PROXY.
    const bool secure = startsWith(url, "https://");
    const char* proxy = secure ? environmentValue("https_proxy") : environmentValue("http_proxy");
    if (!proxy && secure)
        proxy = environmentValue("HTTPS_PROXY");
    if (!proxy)
        proxy = environmentValue("all_proxy");
    if (!proxy)
        proxy = environmentValue("ALL_PROXY");
    if (!proxy || bypassesProxy(urlHost(url)))
        return {};
    // A user name and password in the variable are not for the terminal.
    std::string shown(proxy);
    const auto hostStart = shown.find("://") == std::string::npos ? 0 : shown.find("://") + 3;
    if (const auto at = shown.find('@', hostStart); at != std::string::npos && at < shown.find('/', hostStart))
        shown.erase(hostStart, at + 1 - hostStart);
    return shown;
}

bool HttpDownload::isSupportedUrl(std::string_view url)
{
    return (startsWith(url, "https://") || startsWith(url, "http://")) && url.find_first_of(" \t\r\n") == std::string_view::npos;
}

std::string downloadUserAgent() { return std::string("Plugwright/") + PlugwrightVersion; }

HttpDownload::HttpDownload(DownloadLimits limits, const std::atomic<bool>* stop) : limits_(limits), stop_(stop) {}

DownloadResult HttpDownload::fetch(const std::string& url, const DownloadReceiver& receiver,
                                   const DownloadProgress& progress)
{
    DownloadResult result;
    if (!isSupportedUrl(url)) {
        result.reason = "not an http:// or https:// URL";
        return result;
    }
    const CurlApi* api = CurlApi::get();
    const CurlHandle handle = api ? api->init() : CurlHandle();
    if (!handle) {
        result.reason = "the network library could not start";
        return result;
    }
    CURL* curl = handle.get();
    Transfer transfer;
    transfer.api = api;
    transfer.curl = curl;
    transfer.receiver = &receiver;
    transfer.progress = &progress;
    transfer.stop = stop_;
    transfer.maxBodyBytes = limits_.maxBodyBytes;
    transfer.stopReason = &stopReason_;
    char errorText[CURL_ERROR_SIZE] = {};
    const bool secure = startsWith(url, "https://");
    const std::string userAgent = downloadUserAgent();

    api->setopt(curl, CURLOPT_URL, url.c_str());
    api->setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    // Once on https, a redirect may not step down to plain http.
    api->setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
    api->setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    api->setopt(curl, CURLOPT_MAXREDIRS, limits_.maxRedirects);
    api->setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    api->setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
#ifdef PLUGWRIGHT_TEST_CA_HOOK
    // Test builds only: the tests' own certificate authority, made for the loopback servers.
    if (const char* testAuthority = std::getenv("PLUGWRIGHT_TEST_CA_FILE"); testAuthority && *testAuthority)
        api->setopt(curl, CURLOPT_CAINFO, testAuthority);
#endif
    api->setopt(curl, CURLOPT_USERAGENT, userAgent.c_str());
    // Any encoding curl can decode: the list shrinks to a fifth with gzip.
    api->setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    api->setopt(curl, CURLOPT_NOSIGNAL, 1L);
    api->setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connectTimeout.count()));
    api->setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.maxDuration.count()));
    api->setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytesPerSecond);
    api->setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.lowSpeedTime.count()));
    api->setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    api->setopt(curl, CURLOPT_WRITEFUNCTION, &onBody);
    api->setopt(curl, CURLOPT_WRITEDATA, &transfer);
    api->setopt(curl, CURLOPT_NOPROGRESS, 0L);
    api->setopt(curl, CURLOPT_XFERINFOFUNCTION, &onProgress);
    api->setopt(curl, CURLOPT_XFERINFODATA, &transfer);

    const auto started = std::chrono::steady_clock::now();
    const CURLcode code = api->perform(curl);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    api->getinfo(curl, CURLINFO_RESPONSE_CODE, &result.httpStatus);
    result.bodyBytes = transfer.bodyBytes;
    const std::string message = errorText[0] ? errorText : api->strerror(code);

    if (!transfer.abortReason.empty()) {
        result.reason = transfer.abortReason;
        return result;
    }
    switch (code) {
    case CURLE_OK:
        if (result.httpStatus != 200) {
            result.reason = "HTTP " + std::to_string(result.httpStatus);
            return result;
        }
        // libcurl holds the body to the length the server announced; a list that is to replace
        // its cached copy is checked here as well, since a short one would pass for a smaller list.
        if (const auto shortBy = shortOfAnnouncedLength(*api, curl)) {
            result.reason = *shortBy;
            return result;
        }
        if (progress)
            progress(transfer.bodyBytes, transfer.bodyBytes);
        result.ok = true;
        return result;
    case CURLE_COULDNT_RESOLVE_HOST: result.reason = "host not found"; break;
    case CURLE_COULDNT_RESOLVE_PROXY: result.reason = "proxy " + proxyFor(url) + " not found"; break;
    case CURLE_COULDNT_CONNECT:
        // Through a proxy, the address that refused is the proxy's: say so, or the user looks at the source.
        if (const auto proxy = proxyFor(url); !proxy.empty())
            result.reason = "could not connect to the proxy " + proxy + " (" + detailAfter(message, ": ") + ")";
        else
            result.reason = "could not connect (" + detailAfter(message, ": ") + ")";
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
        if (message.find("subject name") != std::string::npos || message.find("does not match") != std::string::npos)
            result.reason = "certificate does not match the host name";
        else
            result.reason = "certificate verify failed (" + detailAfter(message, "SSL certificate problem: ") + ")";
        break;
    case CURLE_SSL_CONNECT_ERROR: result.reason = "secure connection failed (" + message + ")"; break;
    case CURLE_TOO_MANY_REDIRECTS:
        result.reason = "too many redirects (more than " + std::to_string(limits_.maxRedirects) + ")";
        break;
    case CURLE_UNSUPPORTED_PROTOCOL:
        result.reason = secure ? "redirect from https to another protocol refused" : "unsupported protocol";
        break;
    case CURLE_OPERATION_TIMEDOUT:
        if (elapsed + std::chrono::milliseconds(50) >= limits_.maxDuration)
            result.reason = "timed out after " + durationText(limits_.maxDuration);
        else if (message.find("too slow") != std::string::npos)
            result.reason = "too slow: under " + speedText(limits_.lowSpeedBytesPerSecond) + " for "
                          + durationText(limits_.lowSpeedTime);
        else
            result.reason = "timed out after " + durationText(limits_.connectTimeout);
        break;
    case CURLE_GOT_NOTHING: result.reason = "the server closed the connection without an answer"; break;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR: result.reason = "connection broken off (" + message + ")"; break;
    default: result.reason = message; break;
    }
    return result;
}

} // namespace pw
