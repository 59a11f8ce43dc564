// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_database.h"

#include "iddb/id_search.h"
#include "platform/list_arrival.h"
#include "iddb/user_list_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace pw {
namespace {

std::string rowsText(int rows) { return std::to_string(rows) + (rows == 1 ? " record" : " records"); }

// Takes one row of a source: false, and the reading stops, once the source has given its most
// rows; otherwise the row counts, and it is stored when `keep` says so.
bool takeRow(IdRecordStore& store, const IdRecordFields& fields, bool keep, int& rows, std::size_t maxRows)
{
    if (static_cast<std::size_t>(rows) >= maxRows)
        return false;
    ++rows;
    if (keep)
        store.append(fields);
    return true;
}

// Every source that was fetched arrived whole (platform/http_download.h): a failed or cut source
// leaves the list short of its users.
bool arrivedWhole(const std::vector<IdSourceOutcome>& outcomes)
{
    return std::none_of(outcomes.begin(), outcomes.end(), [](const IdSourceOutcome& outcome) { return outcome.failed; });
}

// A source's label and the name the summary gives it.
std::string sourceLabel(int number) { return "source " + std::to_string(number); }

// Closes a file opened by the loader, but never standard input.
struct FileCloser {
    void operator()(std::FILE* file) const
    {
        if (file && file != stdin)
            std::fclose(file);
    }
};

} // namespace

std::string IdSourceOutcome::line() const
{
    std::string text = label + ": " + location + ": ";
    text += failed ? "failed: " + reason : rowsText(rows);
    if (!note.empty())
        text += " (" + note + ")";
    return text;
}

std::string contributorsText(std::optional<int> firstRows, std::optional<int> secondRows)
{
    std::string text;
    if (firstRows)
        text += "RADIO ID (" + std::to_string(*firstRows) + " rows contributed)";
    if (secondRows)
        text += (text.empty() ? "" : "\r\n") + std::string("HAM DIGITAL (") + std::to_string(*secondRows)
              + " rows contributed)";
    return text;
}

std::string acquisitionSummary(int records, std::optional<int> firstRows, std::optional<int> secondRows)
{
    return "Database acquisition complete; " + std::to_string(records) + " total records.\r\n\r\n"
         + contributorsText(firstRows, secondRows);
}

IdDatabase::IdDatabase(IdDatabaseOptions options) : options_(std::move(options)) {}

IdDatabase::~IdDatabase() { Stop(); }

bool IdDatabase::StartDownload() { return thread_.joinable() || Start(std::nullopt); }

bool IdDatabase::StartFileLoad(std::filesystem::path path)
{
    Stop();
    return Start(std::move(path));
}

bool IdDatabase::Start(std::optional<std::filesystem::path> file)
{
    done_.store(false, std::memory_order_release);
    finished_.store(false, std::memory_order_release);
    refreshReady_.store(false, std::memory_order_release);
    stop_.store(false, std::memory_order_release);
    matches_.clear();
    {
        std::lock_guard lock(mutex_);
        outcomes_.clear();
        progress_ = {};
    }
    try {
        thread_ = std::thread([this, file = std::move(file)] { Run(file); });
    } catch (const std::system_error&) {
        // No thread: the database is unavailable until the user retries.
        return false;
    }
    return true;
}

bool IdDatabase::ReleaseFinishedThread()
{
    if (!finished_.load(std::memory_order_acquire))
        return false;
    Join();
    return true;
}

void IdDatabase::WaitUntilDone() { Join(); }

void IdDatabase::Stop()
{
    if (!thread_.joinable())
        return;
    stop_.store(true, std::memory_order_release);
    Join();
}

void IdDatabase::Join()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

std::string IdDatabase::StatusText() const { return IsDone() ? statusText_ : std::string(LoadNotCompletedText); }

std::vector<IdSourceOutcome> IdDatabase::Outcomes() const
{
    std::lock_guard lock(mutex_);
    return outcomes_;
}

std::vector<std::string> IdDatabase::OutcomeLines() const
{
    std::vector<std::string> lines;
    for (const auto& problem : options_.settingsProblems)
        lines.push_back(problem);
    for (const auto& outcome : Outcomes())
        lines.push_back(outcome.line());
    return lines;
}

IdLoadProgress IdDatabase::Progress() const
{
    std::lock_guard lock(mutex_);
    return progress_;
}

bool IdDatabase::AdoptRefresh()
{
    if (!refreshReady_.exchange(false, std::memory_order_acq_rel))
        return false;
    std::lock_guard lock(mutex_);
    if (!refreshed_.empty()) {
        records_ = std::move(refreshed_);
        refreshed_ = IdRecordStore();
        records_.byteCounts();
        statusText_ = std::move(refreshedStatus_);
    }
    matches_.clear();
    outcomes_ = std::move(refreshedOutcomes_);
    refreshedOutcomes_.clear();
    progress_.refreshing = false;
    return true;
}

IdRecord IdDatabase::Match(int position) const
{
    if (position < 0 || position >= static_cast<int>(matches_.size()))
        return {};
    return records_.at(matches_[static_cast<std::size_t>(position)]);
}

int IdDatabase::SearchSimple(std::string_view text)
{
    matches_ = FindRecords(records_, {std::string(text)});
    return static_cast<int>(matches_.size());
}

int IdDatabase::SearchCompound(const std::vector<std::string>& terms)
{
    matches_ = FindRecords(records_, terms);
    return static_cast<int>(matches_.size());
}

int IdDatabase::SearchAll()
{
    matches_.resize(static_cast<std::size_t>(records_.count()));
    for (int i = 0; i < records_.count(); ++i)
        matches_[static_cast<std::size_t>(i)] = i;
    return records_.count();
}

void IdDatabase::LoadRecords(IdRecordStore records, std::string statusText)
{
    if (thread_.joinable())
        return;
    records_ = std::move(records);
    records_.byteCounts();
    statusText_ = std::move(statusText);
    matches_.clear();
    done_.store(true, std::memory_order_release);
    finished_.store(true, std::memory_order_release);
}

void IdDatabase::Publish(std::string status, std::vector<IdSourceOutcome> outcomes)
{
    statusText_ = std::move(status);
    // Bring the search statistics up to date here rather than in the first search.
    records_.byteCounts();
    {
        std::lock_guard lock(mutex_);
        outcomes_ = std::move(outcomes);
    }
    done_.store(true, std::memory_order_release);
}

void IdDatabase::Run(std::optional<std::filesystem::path> file)
{
    // Each load replaces what the last one had: a retry after a broken download must not give
    // its records twice.
    records_.clear();
    if (file) {
        LoadFile(*file);
        finished_.store(true, std::memory_order_release);
        return;
    }

    std::optional<IdCacheContent> cache;
    if (!options_.cachePath.empty())
        cache = readIdCache(options_.cachePath);
    if (cache) {
        const auto age = std::chrono::system_clock::now() - cache->info.downloaded;
        // A list from other sources than the settings name now is fetched again as well.
        const auto& cachedSources = cache->info.sources;
        const bool sameSources = cachedSources.size() == 2 && cachedSources[0].url == options_.firstSource
                              && cachedSources[1].url == options_.secondSource;
        const bool stale = !sameSources || age >= options_.cacheMaxAge || age < -std::chrono::hours(24);
        const std::string date = cacheDateText(cache->info.downloaded);
        int firstRows = 0;
        int secondRows = 0;
        if (!cache->info.sources.empty())
            firstRows = cache->info.sources[0].rows;
        if (cache->info.sources.size() > 1)
            secondRows = cache->info.sources[1].rows;
        const int cachedCount = cache->records.count();
        records_ = std::move(cache->records);
        IdSourceOutcome cached{"cache", options_.cachePath.string(), false, cachedCount, {}, "downloaded " + date};
        if (stale) {
            std::lock_guard lock(mutex_);
            progress_.refreshing = true;
        }
        const auto contributed = [&](std::size_t source, int rows) -> std::optional<int> {
            if (source >= cachedSources.size() || sourceAddress(cachedSources[source].url, static_cast<int>(source) + 1).kind
                                                      == SourceAddress::Kind::Skipped)
                return std::nullopt;
            return rows;
        };
        Publish("Database loaded from the cache of " + date + "; " + std::to_string(cachedCount) + " total records.\r\n\r\n"
                    + contributorsText(contributed(0, firstRows), contributed(1, secondRows)),
                {cached});
        if (!stale) {
            finished_.store(true, std::memory_order_release);
            return;
        }
        IdRecordStore fresh;
        std::vector<int> rows;
        auto outcomes = Download(fresh, rows);
        std::string status;
        if (!arrivedWhole(outcomes)) {
            // Only a list that arrived whole replaces the cached one: a cut or broken download
            // would pass for a list with fewer users.
            fresh = IdRecordStore();
            for (auto& outcome : outcomes)
                if (outcome.failed)
                    outcome.reason = cachedListUsedReason(outcome.reason, cache->info.downloaded, cachedCount);
        } else if (fresh.empty()) {
            cached.note += "; kept, the refresh got no record";
            outcomes.push_back(cached);
        } else {
            status = acquisitionSummary(fresh.count(), contribution(0, rows), contribution(1, rows));
            writeIdCache(options_.cachePath, fresh, {std::chrono::system_clock::now(),
                                                     {{options_.firstSource, rows[0]}, {options_.secondSource, rows[1]}}});
        }
        {
            std::lock_guard lock(mutex_);
            refreshed_ = std::move(fresh);
            refreshedStatus_ = std::move(status);
            refreshedOutcomes_ = std::move(outcomes);
        }
        refreshReady_.store(true, std::memory_order_release);
        finished_.store(true, std::memory_order_release);
        return;
    }

    std::vector<int> rows;
    auto outcomes = Download(records_, rows);
    const bool whole = arrivedWhole(outcomes);
    // Without a cached list to fall back on, what a broken source gave is better than nothing; it
    // is said so, and it is not cached.
    for (auto& outcome : outcomes)
        if (outcome.failed && outcome.rows > 0)
            outcome.reason += "; the " + rowsText(outcome.rows) + " read before that are used";
    if (whole && !records_.empty() && !options_.cachePath.empty() && !stop_.load(std::memory_order_acquire)) {
        const IdCacheInfo info{std::chrono::system_clock::now(),
                               {{options_.firstSource, rows[0]}, {options_.secondSource, rows[1]}}};
        if (!writeIdCache(options_.cachePath, records_, info))
            outcomes.push_back({"cache", options_.cachePath.string(), true, 0, "could not be written", {}});
    }
    Publish(acquisitionSummary(records_.count(), contribution(0, rows), contribution(1, rows)), std::move(outcomes));
    finished_.store(true, std::memory_order_release);
}

std::optional<int> IdDatabase::contribution(int source, const std::vector<int>& rows) const
{
    const auto& text = source == 0 ? options_.firstSource : options_.secondSource;
    if (sourceAddress(text, source + 1).kind == SourceAddress::Kind::Skipped)
        return std::nullopt;
    return rows[static_cast<std::size_t>(source)];
}

std::vector<IdSourceOutcome> IdDatabase::Download(IdRecordStore& store, std::vector<int>& rows)
{
    std::vector<std::int32_t> seenIds;
    std::vector<IdSourceOutcome> outcomes;
    outcomes.push_back(FetchSource(1, options_.firstSource, SourceMode::First, store, seenIds));
    std::sort(seenIds.begin(), seenIds.end());
    outcomes.push_back(FetchSource(2, options_.secondSource, SourceMode::Second, store, seenIds));
    rows = {outcomes[0].rows, outcomes[1].rows};
    // A skipped source says nothing worth a line.
    outcomes.erase(std::remove_if(outcomes.begin(), outcomes.end(),
                                  [](const IdSourceOutcome& outcome) { return outcome.location.empty(); }),
                   outcomes.end());
    return outcomes;
}

IdSourceOutcome IdDatabase::FetchSource(int number, const std::string& source, SourceMode mode, IdRecordStore& store,
                                        std::vector<std::int32_t>& seenIds)
{
    IdSourceOutcome outcome;
    outcome.label = sourceLabel(number);
    const auto address = sourceAddress(source, number);
    if (address.kind == SourceAddress::Kind::Skipped)
        return outcome;
    outcome.location = address.url;
    if (address.kind == SourceAddress::Kind::Invalid) {
        outcome.failed = true;
        outcome.reason = "not a URL, HOST[:PORT] or none";
        return outcome;
    }
    {
        std::lock_guard lock(mutex_);
        progress_.bytes = 0;
        progress_.totalBytes.reset();
        progress_.rows = 0;
    }
    bool capped = false;
    UserListReader reader(
        [&](const IdRecordFields& fields, bool complete) {
            const std::int32_t id = dmrIdValue(fields.radioId);
            // A row of the second source with an ID that the first gave counts, but the first's
            // record is the one kept.
            const bool seen = mode == SourceMode::Second && std::binary_search(seenIds.begin(), seenIds.end(), id);
            if (!takeRow(store, fields, complete && !seen, outcome.rows, options_.maxRowsPerSource)) {
                capped = true;
                return false;
            }
            if (mode == SourceMode::First)
                seenIds.push_back(id);
            return true;
        },
        options_.maxRecordLineBytes);

    HttpDownload download(options_.limits, &stop_);
    const auto result = download.fetch(
        address.url, [&](std::string_view bytes) { return reader.feed(bytes) || capped; },
        [&](std::uint64_t received, std::optional<std::uint64_t> total) {
            std::lock_guard lock(mutex_);
            progress_.bytes = received;
            progress_.totalBytes = total;
            progress_.rows = outcome.rows;
        });
    // A row cap ends the reading on purpose: what came before it counts, but the list is not whole.
    if (result.ok || capped)
        reader.finish();
    {
        std::lock_guard lock(mutex_);
        progress_.rows = outcome.rows;
    }
    const auto limit = options_.maxRowsPerSource;
    const auto arrival = judgeListArrival(
        result, capped ? std::optional("cut at its limit of " + std::to_string(limit) + (limit == 1 ? " row" : " rows"))
                       : std::nullopt);
    outcome.failed = !arrival.whole;
    outcome.reason = arrival.reason;
    return outcome;
}

void IdDatabase::LoadFile(const std::filesystem::path& path)
{
    const bool standardInput = path == "-";
    IdSourceOutcome outcome{"file", standardInput ? std::string("standard input") : path.string(), false, 0, {}, {}};
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(standardInput ? stdin : std::fopen(path.c_str(), "rb"));
    std::error_code sizeError;
    const auto size = standardInput ? 0 : std::filesystem::file_size(path, sizeError);
    {
        std::lock_guard lock(mutex_);
        progress_ = {};
        if (!standardInput && !sizeError)
            progress_.totalBytes = size;
    }
    std::vector<std::int32_t> seenIds;
    UserListReader reader(
        [&](const IdRecordFields& fields, bool complete) {
            return takeRow(records_, fields, complete, outcome.rows, options_.maxRowsPerSource);
        },
        options_.maxRecordLineBytes);
    if (!file) {
        outcome.failed = true;
        outcome.reason = std::strerror(errno);
    } else {
        std::vector<char> buffer(1u << 20);
        std::uint64_t bytes = 0;
        while (!stop_.load(std::memory_order_acquire)) {
            const auto got = std::fread(buffer.data(), 1, buffer.size(), file.get());
            if (got == 0)
                break;
            bytes += got;
            if (!reader.feed(std::string_view(buffer.data(), got)))
                break;
            std::lock_guard lock(mutex_);
            progress_.bytes = bytes;
            progress_.rows = outcome.rows;
        }
        if (std::ferror(file.get())) {
            outcome.failed = true;
            outcome.reason = std::strerror(errno);
        } else {
            reader.finish();
        }
        std::lock_guard lock(mutex_);
        progress_.rows = outcome.rows;
    }
    Publish("Database loaded from " + outcome.location + "; " + std::to_string(records_.count()) + " total records.",
            {outcome});
}

} // namespace pw
