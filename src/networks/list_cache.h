// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last good download of a network's list, kept in the user's cache directory so that the
// next command needs no network and an area's repeaters are at hand offline.
//
// File layout: a header of text lines, then the list itself as it is read (a talkgroup catalogue
// in its form, a repeater list as one page of JSON):
//
//   PLUGWRIGHT LIST CACHE 1
//   source: URL
//   downloaded: SECONDS SINCE 1970 (UTC)
//   items: N
//   (an empty line)
//   the list's bytes, to the end of the file
//
// The file is written whole beside its place and renamed over it, so a reader sees the old file or
// the new one, never half of one; it is written only for a download that completed and read
// whole. A file that breaks the layout is not used at all.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

struct ListCache {
    std::string source;
    std::chrono::system_clock::time_point downloaded;
    int items = 0;
    std::string list;
};

std::string listCacheBytes(const ListCache& cache);
std::optional<ListCache> parseListCache(std::string_view bytes);

// Writes the file atomically, making its directory; false when it could not be written.
bool writeListCache(const std::filesystem::path& path, const ListCache& cache);
// Nothing when the file is missing, unreadable, larger than `limit` or broken.
std::optional<ListCache> readListCache(const std::filesystem::path& path, std::size_t limit);

// The cache file of a list from `source` in the user's cache directory: "NAME-" and a hash of the
// source, so that each area's repeaters keep their own file.
std::filesystem::path listCachePath(std::string_view name, std::string_view source);

} // namespace pw
