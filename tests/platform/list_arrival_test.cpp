// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/list_arrival.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(ListArrival, OnlyATransferThatEndedAndWasReadToItsEndIsWhole)
{
    DownloadResult ended;
    ended.ok = true;
    DownloadResult broken;
    broken.reason = "the body ended 12 bytes short of its length";
    const struct {
        DownloadResult transfer;
        std::optional<std::string> cut;
        bool whole;
        std::string reason;
    } cases[] = {
        {ended, std::nullopt, true, ""},
        {ended, "cut at its limit of 1 row", false, "cut at its limit of 1 row"},
        {broken, std::nullopt, false, broken.reason},
        {DownloadResult(), std::nullopt, false, "the download did not end"},
    };
    for (const auto& c : cases) {
        const auto arrival = judgeListArrival(c.transfer, c.cut);
        EXPECT_EQ(arrival.whole, c.whole) << c.reason;
        EXPECT_EQ(arrival.reason, c.reason);
    }
}

TEST(ListArrival, TheCachedListIsNamedWithItsDateAndCount)
{
    // 2026-12-08 09:45:30 UTC: the seconds are not shown.
    const std::chrono::system_clock::time_point downloaded{std::chrono::seconds(1796723130)};
    const struct {
        int count;
        std::string_view things;
        std::string counted;
    } cases[] = {{12, "records", "12 records"}, {1, "records", "1 record"}, {1, "talkgroups", "1 talkgroup"},
                 {0, "repeaters", "0 repeaters"}};
    for (const auto& c : cases)
        EXPECT_EQ(cachedListUsedReason("HTTP 404", downloaded, c.count, c.things),
                  "HTTP 404; the cached list of 2026-12-08 09:45 UTC (" + c.counted + ") is used");
}

} // namespace
} // namespace pw
