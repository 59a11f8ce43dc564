// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the DMR ID user list comes from: the two sources and the age at which the cached list is
// fetched again, kept in the text file `sourcesFileName` of the user's configuration directory:
//
//   # comment
//   source1 = https://radioid.net/static/user.csv
//   source2 = none
//   cache_max_age_hours = 24
//
// A source is a URL (http:// or https://), or the older "host[:port]" form, which means plain
// HTTP to that host with the path the source always had (source 1 "/static/users_quoted.csv",
// source 2 "/status/users_quoted.csv"), or "none" to skip it. The file may begin with a
// byte-order mark and hold blank lines and comments; a line that cannot be read is reported, never
// passed over in silence, and what the file does not give keeps its default.

#include "model/setting_lines.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace pw {

inline constexpr const char* sourcesFileName = "iddb_sources.conf";
inline constexpr const char* DefaultFirstSource = "https://radioid.net/static/user.csv";
inline constexpr const char* DefaultSecondSource = "none";
inline constexpr const char* FirstSourceLegacyPath = "/static/users_quoted.csv";
inline constexpr const char* SecondSourceLegacyPath = "/status/users_quoted.csv";
// A source given as this text (or as an empty text) is not fetched.
inline constexpr const char* SkippedSource = "none";
inline constexpr std::chrono::hours DefaultCacheMaxAge = ListSourceSettings::DefaultCacheMaxAge;

struct SourceSettings : ListSourceSettings {
    std::string firstSource = DefaultFirstSource;
    std::string secondSource = DefaultSecondSource;
};

// The settings a file's text gives; `fileName` names the file in the problems.
SourceSettings parseSourceSettings(std::string_view text, std::string_view fileName = sourcesFileName);
// The settings of the file at `path`; defaults when it is missing.
SourceSettings readSourceSettings(const std::filesystem::path& path);
// Writes the settings with comments that say how to change them; false when it failed.
bool writeSourceSettings(const std::filesystem::path& path, const SourceSettings& sources);
std::filesystem::path userSourcesPath();

// A source as the program fetches it.
struct SourceAddress {
    enum class Kind { Skipped, Url, Invalid };
    Kind kind = Kind::Skipped;
    // The URL to fetch (Kind::Url), or the text as given (Kind::Invalid).
    std::string url;
};
// `text` as source 1 or 2: a URL, "host[:port]", "none" or empty.
SourceAddress sourceAddress(std::string_view text, int sourceNumber);

} // namespace pw
