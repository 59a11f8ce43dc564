// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_cache.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

IdRecordStore sampleStore()
{
    IdRecordStore store;
    store.append({"2620001", "DL1ABC", "J\xC3\xBCrgen M\xC3\xBCller", "M\xC3\xBCnchen", "Bayern", "Germany", ""});
    store.append({"3112345", "K0ABC", "John Smith", "Kansas City", "Missouri", "United States", "DMR"});
    return store;
}

const IdCacheInfo SampleInfo{std::chrono::system_clock::time_point(std::chrono::seconds(1'765'000'000)),
                             {{"https://radioid.net/static/user.csv", 2}, {"none", 0}}};

TEST(IdCache, RecordsDateAndSourcesReadBack)
{
    test::TempDir dir;
    const auto path = dir.file("sub") / IdCacheFileName;
    ASSERT_TRUE(writeIdCache(path, sampleStore(), SampleInfo));
    const auto read = readIdCache(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->info.downloaded, SampleInfo.downloaded);
    ASSERT_EQ(read->info.sources.size(), 2u);
    EXPECT_EQ(read->info.sources[0].url, "https://radioid.net/static/user.csv");
    EXPECT_EQ(read->info.sources[0].rows, 2);
    ASSERT_EQ(read->records.count(), 2);
    EXPECT_EQ(read->records[0].name(), "J\xC3\xBCrgen M\xC3\xBCller");
    EXPECT_EQ(read->records[1].remarks(), "DMR");
    EXPECT_EQ(cacheDateText(SampleInfo.downloaded), "2025-12-06 05:46 UTC");
    EXPECT_FALSE(readIdCache(dir.file("missing")).has_value());
}

TEST(IdCache, EveryTruncationAndABadMarkAreRejected)
{
    const auto bytes = idCacheBytes(sampleStore(), SampleInfo);
    ASSERT_TRUE(parseIdCache(bytes).has_value());
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(parseIdCache(std::string_view(bytes).substr(0, size)).has_value()) << size;
    EXPECT_FALSE(parseIdCache(bytes + "x").has_value());
    auto otherVersion = bytes;
    otherVersion[20] = '2';
    EXPECT_FALSE(parseIdCache(otherVersion).has_value());
}

} // namespace
} // namespace pw
