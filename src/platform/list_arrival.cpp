// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/list_arrival.h"

#include "platform/utc_minute_text.h"

namespace pw {

ListArrival judgeListArrival(const DownloadResult& transfer, const std::optional<std::string>& cut)
{
    if (cut)
        return {false, *cut};
    if (!transfer.ok)
        return {false, transfer.reason.empty() ? std::string("the download did not end") : transfer.reason};
    return {true, {}};
}

std::string cachedListUsedReason(std::string_view reason, std::chrono::system_clock::time_point downloaded,
                                 int records, std::string_view things)
{
    if (records == 1 && !things.empty())
        things.remove_suffix(1);
    return std::string(reason) + "; the cached list of " + utcMinuteText(downloaded) + " (" + std::to_string(records) +
           " " + std::string(things) + ") is used";
}

} // namespace pw
