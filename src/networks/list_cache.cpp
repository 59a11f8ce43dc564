// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/list_cache.h"

#include "networks/network_text.h"
#include "platform/file_io.h"
#include "platform/user_directories.h"

#include <cinttypes>
#include <cstdio>

namespace pw {
namespace {

constexpr std::string_view Magic = "PLUGWRIGHT LIST CACHE 1\n";

// The value of the header line "NAME: VALUE" at the front of `bytes`, which it then leaves.
std::optional<std::string_view> headerLine(std::string_view& bytes, std::string_view name)
{
    const auto end = bytes.find('\n');
    if (end == std::string_view::npos || bytes.substr(0, name.size()) != name || bytes.substr(name.size(), 2) != ": ")
        return std::nullopt;
    const auto value = bytes.substr(name.size() + 2, end - name.size() - 2);
    bytes.remove_prefix(end + 1);
    return value;
}

} // namespace

std::string listCacheBytes(const ListCache& cache)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(cache.downloaded.time_since_epoch()).count();
    std::string bytes(Magic);
    bytes += "source: " + cache.source + "\n";
    bytes += "downloaded: " + std::to_string(seconds < 0 ? 0 : seconds) + "\n";
    bytes += "items: " + std::to_string(cache.items) + "\n\n";
    bytes += cache.list;
    return bytes;
}

std::optional<ListCache> parseListCache(std::string_view bytes)
{
    if (bytes.substr(0, Magic.size()) != Magic)
        return std::nullopt;
    bytes.remove_prefix(Magic.size());
    const auto source = headerLine(bytes, "source");
    const auto downloaded = headerLine(bytes, "downloaded");
    const auto items = headerLine(bytes, "items");
    if (!source || !downloaded || !items || bytes.substr(0, 1) != "\n")
        return std::nullopt;
    const auto seconds = wholeNumber(*downloaded, 0xFFFFFFFFu);
    const auto count = wholeNumber(*items, 0x7FFFFFFFu);
    if (!seconds || !count)
        return std::nullopt;
    ListCache cache;
    cache.source = std::string(*source);
    cache.downloaded = std::chrono::system_clock::time_point(std::chrono::seconds(*seconds));
    cache.items = static_cast<int>(*count);
    cache.list = std::string(bytes.substr(1));
    return cache;
}

bool writeListCache(const std::filesystem::path& path, const ListCache& cache)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return static_cast<bool>(writeFileAtomically(path, writing(listCacheBytes(cache))));
}

std::optional<ListCache> readListCache(const std::filesystem::path& path, std::size_t limit)
{
    const auto content = readFileBytes(path, limit);
    if (!content || content.bytes.size() != content.fileSize)
        return std::nullopt;
    return parseListCache(std::string_view(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()));
}

std::filesystem::path listCachePath(std::string_view name, std::string_view source)
{
    // FNV-1a: the same name for the same source on every run and every system.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : source) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "-%016" PRIx64 ".cache", hash);
    return cacheDirectory() / (std::string(name) + suffix);
}

} // namespace pw
