// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the networks' lists come from: the talkgroup catalogue's URL, the repeater list's URL and
// the age at which a cached list is fetched again, kept in the text file `NetworkSourcesFileName`
// of the user's configuration directory (read as model/setting_lines.h reads it):
//
//   # comment
//   talkgroups = https://api.brandmeister.network/v2/talkgroup
//   repeaters = https://radioid.net/api/dmr/repeater/
//   cache_max_age_hours = 24
//
// What the file does not give keeps its default. The repeater list is asked for an area by adding
// the country, the state and the page to the URL's query.

#include "model/setting_lines.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace pw {

inline constexpr const char* NetworkSourcesFileName = "network_sources.conf";
inline constexpr const char* DefaultTalkgroupSource = "https://api.brandmeister.network/v2/talkgroup";
inline constexpr const char* DefaultRepeaterSource = "https://radioid.net/api/dmr/repeater/";

struct NetworkSources : ListSourceSettings {
    std::string talkgroups = DefaultTalkgroupSource;
    std::string repeaters = DefaultRepeaterSource;
};

NetworkSources parseNetworkSources(std::string_view text, std::string_view fileName = NetworkSourcesFileName);
// The settings of the file at `path`; defaults when it is missing.
NetworkSources readNetworkSources(const std::filesystem::path& path);
std::filesystem::path userNetworkSourcesPath();

// Only http:// and https:// URLs without blanks are fetched.
bool isListUrl(std::string_view text);

// The repeater list's URL for an area and a page: `base` with country, state (each when not
// empty) and page (from 2 on) added to its query, percent-encoded.
std::string repeaterPageUrl(std::string_view base, std::string_view country, std::string_view state, int page = 1);

} // namespace pw
