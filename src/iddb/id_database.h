// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worldwide DMR ID user list in memory, filled by a background thread from the cache, the
// sources or a file the user downloaded.
//
// A load runs on the database's own thread:
// - from a file (`StartFileLoad`): the file alone, in either layout (iddb/user_list_reader.h);
// - otherwise from the cache, when one is configured and readable: its records are published at
//   once; when the cache is older than its maximum age (or came from other sources) the sources are
//   then fetched again in the background, and the new list waits until the owner takes it with
//   `AdoptRefresh`;
// - otherwise from the sources: the first source is kept whole, the second adds only the users
//   whose DMR ID the first did not have. When at least one record was had, the cache is replaced.
//
// The done flag is the hand-over: the thread alone writes the records and the status text until
// it sets the flag (release), and the owner's thread reads them only after it has seen the flag
// (acquire). A refresh after that writes only its own store, handed over by the refresh-ready flag
// in the same way; progress and outcomes are guarded by a lock and can be read at any time.
//
// The database owns its thread: destroying it raises the stop flag, which ends a download within a
// moment, and joins the thread.

#include "platform/http_download.h"
#include "iddb/id_cache.h"
#include "iddb/id_record.h"
#include "iddb/id_sources.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace pw {

inline constexpr const char* LoadNotCompletedText = "Load not completed.";

struct IdDatabaseOptions {
    // Each a URL, "host[:port]" or "none" (iddb/id_sources.h).
    std::string firstSource = DefaultFirstSource;
    std::string secondSource = DefaultSecondSource;
    DownloadLimits limits;
    // A source's rows beyond this are not read.
    std::size_t maxRowsPerSource = 2'000'000;
    // A longer line of a user list is passed over.
    std::size_t maxRecordLineBytes = 16 * 1024;
    // The cache file; empty: the cache is neither read nor written.
    std::filesystem::path cachePath;
    std::chrono::seconds cacheMaxAge = DefaultCacheMaxAge;
    // Problems found in the settings, reported with the outcomes.
    std::vector<std::string> settingsProblems;
};

// What became of one place the list was read from.
struct IdSourceOutcome {
    std::string label;     // "source 1", "source 2", "cache", "file"
    std::string location;  // the URL or path
    bool failed = false;
    int rows = 0;          // rows read
    std::string reason;    // why it failed
    std::string note;      // said after the count ("downloaded 2026-12-08 09:45 UTC")

    // "source 1: URL: 12 records" or "source 1: URL: failed: REASON".
    std::string line() const;
};

struct IdLoadProgress {
    std::uint64_t bytes = 0;
    std::optional<std::uint64_t> totalBytes;  // when the server or the file told it
    int rows = 0;
    bool refreshing = false;  // a refresh runs behind a published cache
};

class IdDatabase {
public:
    enum class SourceMode { First, Second };

    explicit IdDatabase(IdDatabaseOptions options = {});
    ~IdDatabase();
    IdDatabase(const IdDatabase&) = delete;
    IdDatabase& operator=(const IdDatabase&) = delete;

    // Starts a load from the cache and the sources unless a thread is held. True when a thread is
    // held afterwards. Clears the done flag first, so that the caller stops reading the records.
    bool StartDownload();
    // Stops what runs and starts a load of the user list in `path` ("-": standard input).
    bool StartFileLoad(std::filesystem::path path);
    bool IsDone() const { return done_.load(std::memory_order_acquire); }
    // True while a thread is held (running, or ended and not yet released).
    bool HasThread() const { return thread_.joinable(); }
    // Releases the thread once it has ended for good (refresh included); true when it had.
    bool ReleaseFinishedThread();
    void WaitUntilDone();
    void Stop();

    // A refresh behind a published cache has ended: AdoptRefresh takes its records (when it had
    // any) and its outcomes. True when there was one to take; the matches are then cleared.
    bool RefreshReady() const { return refreshReady_.load(std::memory_order_acquire); }
    bool AdoptRefresh();

    // "Load not completed." until done, then the summary.
    std::string StatusText() const;
    // The outcome of each place read by the latest load (and refresh), and the settings' problems.
    std::vector<IdSourceOutcome> Outcomes() const;
    std::vector<std::string> OutcomeLines() const;
    // True when the latest load (and refresh) had no record at all.
    bool Empty() const { return IsDone() && records_.empty(); }
    IdLoadProgress Progress() const;

    const IdRecordStore& Records() const { return records_; }
    const std::vector<int>& Matches() const { return matches_; }
    IdRecord Match(int position) const;

    int SearchSimple(std::string_view text);
    int SearchCompound(const std::vector<std::string>& terms);
    int SearchAll();

    // Takes records loaded by other means (a test) as a finished load. Does nothing while a thread
    // is held.
    void LoadRecords(IdRecordStore records, std::string statusText);

    const IdDatabaseOptions& Options() const { return options_; }

private:
    struct SourceRun;
    bool Start(std::optional<std::filesystem::path> file);
    void Run(std::optional<std::filesystem::path> file);
    void LoadFile(const std::filesystem::path& path);
    // Downloads both sources into `store`; their outcomes.
    std::vector<IdSourceOutcome> Download(IdRecordStore& store, std::vector<int>& rows);
    IdSourceOutcome FetchSource(int number, const std::string& source, SourceMode mode, IdRecordStore& store,
                                std::vector<std::int32_t>& seenIds);
    void Publish(std::string status, std::vector<IdSourceOutcome> outcomes);
    // A source's rows for the summary; nothing for a source set to none, which contributes nothing.
    std::optional<int> contribution(int source, const std::vector<int>& rows) const;
    void Join();

    IdDatabaseOptions options_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::atomic<bool> done_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> refreshReady_{false};

    IdRecordStore records_;
    std::vector<int> matches_;
    std::string statusText_;

    mutable std::mutex mutex_;
    std::vector<IdSourceOutcome> outcomes_;
    IdRecordStore refreshed_;
    std::string refreshedStatus_;
    std::vector<IdSourceOutcome> refreshedOutcomes_;
    IdLoadProgress progress_;
};

// "Database acquisition complete; %d total records.\r\n\r\nRADIO ID (%d rows contributed)\r\n
// HAM DIGITAL (%d rows contributed)"; a source set to none (no rows) is no contributor and has no
// line.
std::string acquisitionSummary(int records, std::optional<int> firstRows, std::optional<int> secondRows);
// The contributors' lines of that summary: "RADIO ID (%d rows contributed)" and the second's.
std::string contributorsText(std::optional<int> firstRows, std::optional<int> secondRows);

} // namespace pw
