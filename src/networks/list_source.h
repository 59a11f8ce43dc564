// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loads a network's list for one command or one dialog, with the rules of the user list:
//
// - from a file the user gives (`file`, "-" for standard input): the file alone; nothing is
//   downloaded and the cache is neither read nor written;
// - otherwise from the cache (when `cachePath` is set) while it holds a list of the same source
//   younger than `cacheMaxAge`;
// - otherwise from the network: the talkgroup catalogue in one request, the repeater list page by
//   page until the last page it names. The cache is replaced only by a download that completed
//   and read whole; a failed or cut one keeps it, and its list is used instead, saying so.
//
// Each place read gives one outcome line ("source: URL: 2000 talkgroups", "source: URL: failed:
// REASON"). Memory and time are bounded: a body larger than its limit, a repeater list of more
// pages or repeaters than its limits, or a download slower than the limits allow ends with a
// reason. `stop`, when set, ends the load within a moment.

#include "networks/repeater_list.h"
#include "networks/talkgroup_catalogue.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pw {

struct ListLoadProgress {
    std::uint64_t bytes = 0;
    // When the server or the file told it.
    std::optional<std::uint64_t> totalBytes;
    // The repeater list's page being read, and the pages it has (0 until known).
    int page = 0;
    int pages = 0;
};
using ListProgressReport = std::function<void(const ListLoadProgress&)>;

struct ListSource {
    // The URL to download; for the repeater list, with the area's query (repeaterPageUrl).
    std::string url;
    std::optional<std::filesystem::path> file;
    // Empty: the cache is neither read nor written.
    std::filesystem::path cachePath;
    std::chrono::seconds cacheMaxAge = std::chrono::hours(24);
    // A body (a page) larger than this is refused.
    std::size_t maxBodyBytes = 32u << 20;
    int maxPages = 1000;
    std::size_t maxRepeaters = 100'000;
    const std::atomic<bool>* stop = nullptr;
};

// What became of one place a list was read from.
struct ListOutcome {
    std::string label;     // "source", "cache", "file"
    std::string location;  // the URL or path
    bool failed = false;
    int items = 0;
    std::string unit;      // "talkgroups", "repeaters"
    std::string reason;    // why it failed
    std::string note;      // said after the count
    int passedOver = 0;    // entries of the list that did not read

    // "source: URL: 12 talkgroups (NOTE; 3 entries not read)" or "source: URL: failed: REASON".
    std::string line() const;
};

struct TalkgroupLoad {
    TalkgroupCatalogue catalogue;
    std::vector<ListOutcome> outcomes;
};
TalkgroupLoad loadTalkgroups(const ListSource& source, const ListProgressReport& progress = {});

struct RepeaterLoad {
    std::vector<Repeater> repeaters;
    std::vector<ListOutcome> outcomes;
};
RepeaterLoad loadRepeaters(const ListSource& source, const ListProgressReport& progress = {});

} // namespace pw
