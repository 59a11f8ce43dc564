// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings files users may edit by hand ("key = value" lines; blank lines and # comments;
// a byte-order mark at the start): every line that cannot be read is reported, never passed over
// in silence, as "FILE, line N: what".

#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Takes one setting. Nothing for a key it does not know; otherwise the problem with the value,
// empty when the value was taken.
using SettingTaker = std::function<std::optional<std::string>(std::string_view key, std::string_view value)>;

// The problems of the file's lines; `fileName` names the file in them.
std::vector<std::string> readSettingLines(std::string_view text, std::string_view fileName, const SettingTaker& take);

// What every file of a list's sources holds beside the sources: the age at which a cached list is
// fetched again, and one problem per line of the file that could not be read.
struct ListSourceSettings {
    static constexpr std::chrono::hours DefaultCacheMaxAge{24};

    std::chrono::hours cacheMaxAge = DefaultCacheMaxAge;
    std::vector<std::string> problems;
};

// A key of a file of a list's sources, and the setting its value goes into.
struct SourceKey {
    std::string_view key;
    std::string* setting;
};

// Reads the lines of a file of a list's sources into `settings`: "cache_max_age_hours", the value
// of each of `keys` into its setting when `valid` takes it (the problem otherwise says that it is
// not `validText`), and the problems of the file's lines.
void readListSourceLines(std::string_view text, std::string_view fileName, ListSourceSettings& settings,
                         std::initializer_list<SourceKey> keys, bool (*valid)(std::string_view value),
                         std::string_view validText);

// A number of hours up to a year; nothing for any other text.
std::optional<std::chrono::hours> settingHours(std::string_view value);
// "\"VALUE\" is not a number of hours"
std::string notHoursProblem(std::string_view value);

} // namespace pw
