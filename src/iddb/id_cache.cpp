// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_cache.h"

#include "platform/utc_minute_text.h"
#include "platform/user_directories.h"
#include "platform/file_io.h"

#include <cstdio>

namespace pw {
namespace {

constexpr std::string_view Magic = "PLUGWRIGHT ID CACHE 1\n";
constexpr std::string_view EndMark = "END\n";

void putInteger(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putText(std::string& out, std::string_view text)
{
    text = text.substr(0, 0xFFFF);
    putInteger(out, text.size(), 2);
    out.append(text);
}

// Reads the layout from the front of the bytes; every read checks what is left.
class CacheCursor {
public:
    explicit CacheCursor(std::string_view bytes) : bytes_(bytes) {}

    bool take(std::string_view expected)
    {
        if (bytes_.substr(0, expected.size()) != expected)
            return false;
        bytes_.remove_prefix(expected.size());
        return true;
    }
    bool integer(std::uint64_t& value, int bytes)
    {
        if (bytes_.size() < static_cast<std::size_t>(bytes))
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t{static_cast<unsigned char>(bytes_[static_cast<std::size_t>(i)])} << (8 * i);
        bytes_.remove_prefix(static_cast<std::size_t>(bytes));
        return true;
    }
    bool text(std::string_view& out)
    {
        std::uint64_t length = 0;
        if (!integer(length, 2) || bytes_.size() < length)
            return false;
        out = bytes_.substr(0, length);
        bytes_.remove_prefix(length);
        return true;
    }
    std::size_t left() const { return bytes_.size(); }

private:
    std::string_view bytes_;
};

} // namespace

std::filesystem::path userIdCachePath() { return cacheDirectory() / IdCacheFileName; }

std::string idCacheBytes(const IdRecordStore& records, const IdCacheInfo& info)
{
    std::string out(Magic);
    out.reserve(Magic.size() + static_cast<std::size_t>(records.count()) * 80);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(info.downloaded.time_since_epoch()).count();
    putInteger(out, static_cast<std::uint64_t>(seconds), 8);
    putInteger(out, info.sources.size(), 4);
    for (const auto& source : info.sources) {
        putInteger(out, static_cast<std::uint64_t>(source.rows), 4);
        putText(out, source.url);
    }
    putInteger(out, static_cast<std::uint64_t>(records.count()), 4);
    for (int i = 0; i < records.count(); ++i) {
        const auto record = records.at(i);
        for (const auto text : {record.radioId(), record.callsign(), record.name(), record.city(), record.state(),
                                record.country(), record.remarks()})
            putText(out, text);
    }
    out.append(EndMark);
    return out;
}

std::optional<IdCacheContent> parseIdCache(std::string_view bytes)
{
    CacheCursor cursor(bytes);
    IdCacheContent content;
    std::uint64_t seconds = 0;
    std::uint64_t sourceCount = 0;
    if (!cursor.take(Magic) || !cursor.integer(seconds, 8) || !cursor.integer(sourceCount, 4) || sourceCount > 16)
        return std::nullopt;
    content.info.downloaded = std::chrono::system_clock::time_point(
        std::chrono::seconds(static_cast<std::int64_t>(seconds & 0x7FFFFFFFFFFFull)));
    for (std::uint64_t i = 0; i < sourceCount; ++i) {
        std::uint64_t rows = 0;
        std::string_view url;
        if (!cursor.integer(rows, 4) || !cursor.text(url))
            return std::nullopt;
        content.info.sources.push_back({std::string(url), static_cast<int>(rows & 0x7FFFFFFF)});
    }
    std::uint64_t recordCount = 0;
    // Each record takes at least 14 bytes: a count beyond what is left is a broken file.
    if (!cursor.integer(recordCount, 4) || recordCount > cursor.left() / 14)
        return std::nullopt;
    IdRecordFields fields;
    std::string* const texts[] = {&fields.radioId, &fields.callsign, &fields.name,   &fields.city,
                                  &fields.state,   &fields.country,  &fields.remarks};
    for (std::uint64_t i = 0; i < recordCount; ++i) {
        for (std::string* text : texts) {
            std::string_view value;
            if (!cursor.text(value))
                return std::nullopt;
            text->assign(value);
        }
        content.records.append(fields);
    }
    if (!cursor.take(EndMark) || cursor.left() != 0)
        return std::nullopt;
    return content;
}

bool writeIdCache(const std::filesystem::path& path, const IdRecordStore& records, const IdCacheInfo& info)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return static_cast<bool>(writeFileAtomically(path, writing(idCacheBytes(records, info))));
}

std::optional<IdCacheContent> readIdCache(const std::filesystem::path& path)
{
    const auto content = readFileBytes(path, std::size_t{2} << 30);
    if (!content || content.bytes.size() != content.fileSize)
        return std::nullopt;
    return parseIdCache(std::string_view(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()));
}

std::string cacheDateText(std::chrono::system_clock::time_point time) { return utcMinuteText(time); }

} // namespace pw
