// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Downloads one URL (https:// or http://) with libcurl and hands the body to the caller as it
// arrives.
//
// Certificates and host names are always verified against the system's trust store; nothing turns
// that off. Redirects are followed, at most five, and never from https to http. A download ends
// when its body is complete: a keep-alive server that sends Content-Length does not hold it open.
// The proxy variables (http_proxy, https_proxy, no_proxy) are honoured, IPv4 and IPv6 both work,
// and the User-Agent names Plugwright and its version.
//
// Every failure comes back as a reason in words ("host not found", "HTTP 404",
// "certificate verify failed (...)", "too slow: under 1 KB/s for 30 s", "could not connect to the
// proxy http://proxy:3128 (...)"), never as silence. A download succeeds only when its body came
// whole: to the end of the stream, or of the last chunk, and to the length the server announced
// (platform/list_arrival.h says when a downloaded list may replace its cached copy).

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

struct DownloadLimits {
    std::chrono::milliseconds connectTimeout = std::chrono::seconds(30);
    // A download that stays under `lowSpeedBytesPerSecond` for `lowSpeedTime` is dropped.
    long lowSpeedBytesPerSecond = 1024;
    std::chrono::seconds lowSpeedTime{30};
    // The whole download, redirects included.
    std::chrono::milliseconds maxDuration = std::chrono::minutes(5);
    // Body bytes after decoding: two million users take about 140 MB.
    std::uint64_t maxBodyBytes = 1ull << 30;
    long maxRedirects = 5;
};

struct DownloadResult {
    bool ok = false;
    // Why it failed, in words; empty on success.
    std::string reason;
    long httpStatus = 0;
    std::uint64_t bodyBytes = 0;
};

// Bytes received so far, and the total when the server announced it.
using DownloadProgress = std::function<void(std::uint64_t received, std::optional<std::uint64_t> total)>;
// The next piece of the body; returns false to stop the download (with `stopReason` as its reason).
using DownloadReceiver = std::function<bool(std::string_view bytes)>;

class HttpDownload {
public:
    // Only http:// and https:// URLs are fetched.
    static bool isSupportedUrl(std::string_view url);

    HttpDownload(DownloadLimits limits = {}, const std::atomic<bool>* stop = nullptr);

    // Fetches `url`; the body goes to `receiver` piece by piece, and only a 200 response's body does.
    DownloadResult fetch(const std::string& url, const DownloadReceiver& receiver, const DownloadProgress& progress = {});

    // The reason a receiver that returned false gives for stopping.
    void setStopReason(std::string reason) { stopReason_ = std::move(reason); }

private:
    DownloadLimits limits_;
    const std::atomic<bool>* stop_;
    std::string stopReason_;
};

// "Plugwright/2.60.0"
std::string downloadUserAgent();

// The proxy that the environment (https_proxy, http_proxy, ALL_PROXY, less NO_PROXY) puts between
// the program and `url`, as the variable gives it but for a user name and password; empty when
// there is none. Reasons that fail at the proxy name it.
std::string proxyFor(std::string_view url);

} // namespace pw
