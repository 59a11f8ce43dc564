// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/network_fetch.h"

#include "platform/http_download.h"
#include "platform/list_arrival.h"

namespace pw {

bool fetchListBody(const std::string& url, const ListSource& source, std::string& body, std::string& failure,
                   const FetchProgress& progress)
{
    DownloadLimits limits;
    limits.maxBodyBytes = source.maxBodyBytes;
    HttpDownload download(limits, source.stop);
    body.clear();
    const auto result = download.fetch(
        url,
        [&body](std::string_view bytes) {
            body.append(bytes);
            return true;
        },
        progress);
    // Only a transfer that completed counts: a cut JSON body would not read anyway, but a cut CSV
    // one would pass for a shorter list.
    if (const auto arrival = judgeListArrival(result); !arrival.whole) {
        failure = arrival.reason;
        body.clear();
        return false;
    }
    return true;
}

} // namespace pw
