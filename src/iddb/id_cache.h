// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last good download of the user list, kept in the user's cache directory so that the next
// start can search at once, offline too.
//
// File layout (all integers little-endian):
//
//   "PLUGWRIGHT ID CACHE 1\n"                        magic and version
//   u64   download time, seconds since 1970 (UTC)
//   u32   number of sources, then for each:  u32 rows read, u16 URL length, URL bytes
//   u32   number of records, then for each the seven texts radioId, callsign, name, city, state,
//         country, remarks, each as u16 length and UTF-8 bytes (within the field limits)
//   "END\n"
//
// The file is written whole beside its place and renamed over it, so a reader sees the old file or
// the new one, never half of one. A file that breaks any rule above (wrong magic, a count or length
// past its end, a missing end mark) is not used at all.

#include "iddb/id_record.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

inline constexpr const char* IdCacheFileName = "dmr_id_users.cache";

struct CachedSource {
    std::string url;
    int rows = 0;
};

struct IdCacheInfo {
    std::chrono::system_clock::time_point downloaded;
    std::vector<CachedSource> sources;
};

struct IdCacheContent {
    IdCacheInfo info;
    IdRecordStore records;
};

// The cache file of the user: cacheDirectory() / IdCacheFileName.
std::filesystem::path userIdCachePath();

// The file's bytes for these records.
std::string idCacheBytes(const IdRecordStore& records, const IdCacheInfo& info);
// The records of a cache file's bytes, or nothing when they break the layout.
std::optional<IdCacheContent> parseIdCache(std::string_view bytes);

// Writes the cache file atomically, making its directory; false when it could not be written.
bool writeIdCache(const std::filesystem::path& path, const IdRecordStore& records, const IdCacheInfo& info);
// Reads a cache file; nothing when it is missing, unreadable or broken.
std::optional<IdCacheContent> readIdCache(const std::filesystem::path& path);

// "2026-12-08 09:45 UTC"
std::string cacheDateText(std::chrono::system_clock::time_point time);

} // namespace pw
