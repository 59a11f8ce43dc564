// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/list_source.h"

#include "platform/list_arrival.h"
#include "platform/utc_minute_text.h"
#include "networks/list_cache.h"
#include "networks/network_fetch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace pw {
namespace {

using Clock = std::chrono::system_clock;

// Closes a file opened by the loader, but never standard input.
struct FileCloser {
    void operator()(std::FILE* file) const
    {
        if (file && file != stdin)
            std::fclose(file);
    }
};

std::string fileLocation(const std::filesystem::path& path)
{
    return path == "-" ? std::string("standard input") : path.string();
}

// The whole file (or standard input), at most `limit` bytes; the reason when it cannot be had.
std::optional<std::string> readListFile(const std::filesystem::path& path, const ListSource& source,
                                        std::string& failure, const ListProgressReport& progress)
{
    const bool standardInput = path == "-";
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(standardInput ? stdin : std::fopen(path.c_str(), "rb"));
    if (!file) {
        failure = std::strerror(errno);
        return std::nullopt;
    }
    ListLoadProgress state;
    std::error_code sizeError;
    if (!standardInput)
        if (const auto size = std::filesystem::file_size(path, sizeError); !sizeError)
            state.totalBytes = size;
    std::string bytes;
    char buffer[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (bytes.size() + got > source.maxBodyBytes) {
            failure = "larger than " + std::to_string(source.maxBodyBytes >> 20) + " MB";
            return std::nullopt;
        }
        if (source.stop && source.stop->load(std::memory_order_acquire)) {
            failure = "stopped";
            return std::nullopt;
        }
        bytes.append(buffer, got);
        state.bytes = bytes.size();
        if (progress)
            progress(state);
    }
    if (std::ferror(file.get())) {
        failure = std::strerror(errno != 0 ? errno : EIO);
        return std::nullopt;
    }
    return bytes;
}

bool fresh(const ListCache& cache, const ListSource& source)
{
    const auto age = Clock::now() - cache.downloaded;
    return cache.source == source.url && age < source.cacheMaxAge && age > -std::chrono::hours(24);
}


// The steps every list shares: the file, the cache, the download and their outcomes. `read`
// takes a list from its bytes and counts it in the outcome it is given; `download` fetches the
// list and reads it, leaving in `body` what the cache is to keep. Both return the failure, empty
// when the list was had.
template <typename List, typename Read, typename Download>
std::vector<ListOutcome> loadList(const ListSource& source, std::string_view unit, List& list, Read read,
                                  Download download, const ListProgressReport& progress)
{
    ListOutcome outcome;
    outcome.unit = std::string(unit);
    if (source.file) {
        outcome.label = "file";
        outcome.location = fileLocation(*source.file);
        const auto bytes = readListFile(*source.file, source, outcome.reason, progress);
        if (bytes)
            outcome.reason = read(*bytes, list, outcome);
        outcome.failed = !outcome.reason.empty();
        return {outcome};
    }

    std::optional<ListCache> cache;
    if (!source.cachePath.empty()) {
        cache = readListCache(source.cachePath, source.maxBodyBytes * 4);
        if (cache && cache->source != source.url)
            cache.reset();
    }
    ListOutcome cached{"cache", source.cachePath.string(), false, 0, std::string(unit), {}, {}};
    if (cache) {
        cached.note = "downloaded " + utcMinuteText(cache->downloaded);
        if (fresh(*cache, source) && read(cache->list, list, cached).empty())
            return {cached};
    }

    outcome.label = "source";
    outcome.location = source.url;
    std::string body;
    outcome.reason = download(body, list, outcome);
    outcome.failed = !outcome.reason.empty();
    if (!outcome.failed) {
        std::vector<ListOutcome> outcomes = {outcome};
        if (!source.cachePath.empty()
            && !writeListCache(source.cachePath, {source.url, Clock::now(), outcome.items, std::move(body)}))
            outcomes.push_back({"cache", source.cachePath.string(), true, 0, std::string(unit), "could not be written", {}});
        return outcomes;
    }
    // A failed or cut download keeps the cache, whose list then serves, however old.
    list = List();
    if (cache && read(cache->list, list, cached).empty()) {
        outcome.reason = cachedListUsedReason(outcome.reason, cache->downloaded, cached.items, unit);
        return {outcome};
    }
    list = List();
    return {outcome};
}

} // namespace

std::string ListOutcome::line() const
{
    std::string text = label + ": " + location + ": ";
    if (failed)
        return text + "failed: " + reason;
    text += std::to_string(items) + " " + unit;
    std::string notes = note;
    if (passedOver > 0)
        notes += (notes.empty() ? "" : "; ") + std::to_string(passedOver) + (passedOver == 1 ? " entry" : " entries") +
                 " not read";
    return notes.empty() ? text : text + " (" + notes + ")";
}

TalkgroupLoad loadTalkgroups(const ListSource& source, const ListProgressReport& progress)
{
    TalkgroupLoad load;
    const auto read = [](std::string_view bytes, TalkgroupCatalogue& catalogue, ListOutcome& outcome) {
        auto reading = readTalkgroupCatalogue(bytes);
        catalogue = std::move(reading.catalogue);
        outcome.items = static_cast<int>(catalogue.size());
        outcome.passedOver = reading.passedOver;
        return reading.failure;
    };
    const auto download = [&](std::string& body, TalkgroupCatalogue& catalogue, ListOutcome& outcome) {
        std::string failure;
        if (!fetchListBody(source.url, source, body, failure, [&](std::uint64_t bytes, std::optional<std::uint64_t> total) {
                if (progress)
                    progress({bytes, total, 0, 0});
            }))
            return failure;
        return read(body, catalogue, outcome);
    };
    load.outcomes = loadList(source, "talkgroups", load.catalogue, read, download, progress);
    return load;
}

RepeaterLoad loadRepeaters(const ListSource& source, const ListProgressReport& progress)
{
    RepeaterLoad load;
    const auto tooMany = "more than " + std::to_string(source.maxRepeaters) + " repeaters";
    const auto read = [&](std::string_view bytes, std::vector<Repeater>& repeaters, ListOutcome& outcome) {
        auto page = readRepeaterPage(bytes, source.maxRepeaters + 1);
        repeaters = std::move(page.repeaters);
        outcome.items = static_cast<int>(repeaters.size());
        outcome.passedOver = page.passedOver;
        if (page.failure.empty() && repeaters.size() > source.maxRepeaters)
            return tooMany;
        return page.failure;
    };
    const auto download = [&](std::string& body, std::vector<Repeater>& repeaters, ListOutcome& outcome) -> std::string {
        ListLoadProgress state;
        int pages = 1;
        for (int number = 1; number <= pages; ++number) {
            const auto onPage = [number](const std::string& failure) {
                return number == 1 ? failure : "page " + std::to_string(number) + ": " + failure;
            };
            state.page = number;
            std::string pageBody;
            std::string failure;
            const auto url = number == 1 ? source.url : source.url + (source.url.find('?') == std::string::npos ? "?" : "&") +
                                                            "page=" + std::to_string(number);
            if (!fetchListBody(url, source, pageBody, failure, [&](std::uint64_t bytes, std::optional<std::uint64_t> total) {
                    state.bytes = bytes;
                    state.totalBytes = total;
                    if (progress)
                        progress(state);
                }))
                return onPage(failure);
            auto page = readRepeaterPage(pageBody, source.maxRepeaters + 1 - repeaters.size());
            if (!page.failure.empty())
                return onPage(page.failure);
            if (page.page != 0 && page.page != number)
                return onPage("answered with page " + std::to_string(page.page));
            if (number == 1) {
                pages = std::max(1, page.pages);
                if (pages > source.maxPages)
                    return "more than " + std::to_string(source.maxPages) + " pages";
            }
            state.pages = pages;
            outcome.passedOver += page.passedOver;
            for (auto& repeater : page.repeaters)
                repeaters.push_back(std::move(repeater));
            if (repeaters.size() > source.maxRepeaters)
                return tooMany;
        }
        outcome.items = static_cast<int>(repeaters.size());
        body = repeaterListJson(repeaters);
        return {};
    };
    load.outcomes = loadList(source, "repeaters", load.repeaters, read, download, progress);
    return load;
}

} // namespace pw
