// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rule by which a downloaded list may replace its cached copy (the DMR ID users; the
// talkgroups and repeaters of the networks as well): only when it arrived whole. A list that broke
// off, came shorter than its announced length or was cut by a limit of the reader would pass for a
// list with fewer entries, and a cache replaced by it would lose the rest for good.
//
// Whole means: the transfer reported success, which HttpDownload gives only when the body came to
// its end (the length matched where the server announced one; the last chunk arrived), and the
// reader took the body to that end; a last line without a line end is read at the end of the
// stream. A reader that stopped early (a row limit) leaves the list cut, and says why.
//
// A source whose list did not arrive whole is reported as failed, with what stands in for it:
// "source 1: URL: failed: REASON; the cached list of DATE (R records) is used".

#include "platform/http_download.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

struct ListArrival {
    bool whole = false;
    // Why the list is not whole; empty when it is.
    std::string reason;
};

// Judges one download: `cut`, when given, is why the reader stopped before the end.
ListArrival judgeListArrival(const DownloadResult& transfer, const std::optional<std::string>& cut = std::nullopt);

// "REASON; the cached list of 2026-12-08 09:45 UTC (12 records) is used"; `things` names what the
// list holds, in the plural ("talkgroups"), and loses its last letter for one.
std::string cachedListUsedReason(std::string_view reason, std::chrono::system_clock::time_point downloaded,
                                 int records, std::string_view things = "records");

} // namespace pw
