// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Talkgroup catalogues and repeater lists like the ones the networks serve, made in the test so
// that no large file is kept: BrandMeister's JSON object of talkgroup names, a `Talkgroup,Name`
// CSV file, and RadioID's repeater list in pages, each repeater written in the newer form
// ("locator", "talkgroups") when it lists talkgroups and in the older one ("id", "ts_linked",
// "trustee") when not. Frequencies and colour codes are written as strings and as numbers in turn.

#include "networks/repeater_list.h"
#include "networks/talkgroup_catalogue.h"
#include "support/loopback_http_server.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pw::test {

// `count` talkgroups by number: the worldwide and continental ones, every country's, the US
// states' 3101-3156, and numbered regional ones to make up the count. Some names hold letters
// beyond ASCII, a comma or a double quote.
std::vector<Talkgroup> generateTalkgroups(std::size_t count, std::uint32_t seed = 1);
std::string talkgroupJson(const std::vector<Talkgroup>& talkgroups);
// With the heading line, CR LF line ends.
std::string talkgroupCsv(const std::vector<Talkgroup>& talkgroups);

// `count` repeaters in a few countries and states, most of them on the air, most on 70 cm, some
// on 2 m and a few outside both bands; about a third list talkgroups of both slots.
std::vector<Repeater> generateRepeaters(std::size_t count, std::uint32_t seed = 1);
// One page of the list: `repeaters` are that page's results.
std::string repeaterPageJson(const std::vector<Repeater>& repeaters, int page, int pages, std::size_t count);

// Serves a repeater list as RadioID does: GET PATH?country=..&state=..&page=N answers page N
// (from 1) of the repeaters in that country and state (both optional, letter case ignored),
// `pageSize` a page. Any other path is not found.
LoopbackHttpServer repeaterListServer(std::vector<Repeater> repeaters, std::size_t pageSize,
                                      std::optional<TlsIdentity> tls = std::nullopt);
// The same server's answers, for a server of a test's own that answers some requests otherwise.
LoopbackHttpServer::Handler repeaterListHandler(std::vector<Repeater> repeaters, std::size_t pageSize);

// The value of `name` in the request line's query, percent-decoded; empty when absent.
std::string queryValue(const std::string& request, const std::string& name);

} // namespace pw::test
