#pragma once
// The worldwide DMR ID user list in memory, filled once per run by a background download.
//
// The download thread fetches users_quoted.csv from two sources, keeps every record of the first,
// adds from the second only the users whose DMR ID the first did not have, then publishes a summary
// text and sets the done flag. The done flag is the hand-over: the download thread alone writes the
// records, the status text and the notices until it sets the flag (with release ordering), and the
// thread that started the download reads them only after it has seen the flag set (with acquire
// ordering). That same thread runs the searches, which write the match list.
//
// The database owns its thread: destroying the database raises the stop signal, which cuts every
// network wait short, and joins the thread, so the thread never runs into destroyed objects.

#include "iddb/http_fetcher.h"
#include "iddb/id_record.h"
#include "iddb/tcp_client.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pw {

// The hosts of the two public DMR ID databases that serve the paths below.
inline constexpr const char* DefaultFirstSourceHost = "radioid.net";
inline constexpr const char* DefaultSecondSourceHost = "ham-digital.org";
inline constexpr const char* FirstSourcePath = "/static/users_quoted.csv";
inline constexpr const char* SecondSourcePath = "/status/users_quoted.csv";
// A source given as this text (or as an empty text) is not fetched.
inline constexpr const char* SkippedSource = "none";

inline constexpr const char* LoadNotCompletedText = "Load not completed.";

struct IdDatabaseOptions {
    // Each "host" or "host:port"; "none" or empty skips the source.
    std::string firstSource = DefaultFirstSourceHost;
    std::string secondSource = DefaultSecondSourceHost;
    // Connection details; the stop signal is the database's own and is filled in by it.
    NetEnvironment network;
    HttpTiming timing;
    HttpLimits limits;
    // The first source's rows beyond this are not read; the second source stops there as well.
    std::size_t maxRowsPerSource = 2'000'000;
    // The longest record line accepted; a line broken into pieces by the fetcher is joined again
    // up to this length, and a longer one is passed over.
    std::size_t maxRecordLineBytes = 16 * 1024;
};

class IdDatabase {
public:
    enum class SourceMode { First, Second };
    static constexpr std::size_t SeenIdsCapacity = 2'000'010;

    explicit IdDatabase(IdDatabaseOptions options = {});
    ~IdDatabase();
    IdDatabase(const IdDatabase&) = delete;
    IdDatabase& operator=(const IdDatabase&) = delete;

    // Starts the download thread unless one is held. Returns true when a thread is held afterwards.
    // Clears the done flag first, so that the caller stops reading the records at once.
    bool StartDownload();
    // The done flag: the download has ended, successfully or not, and the records are complete.
    bool IsDone() const { return done_.load(std::memory_order_acquire); }
    // True while a download thread is held (running, or ended and not yet released).
    bool HasThread() const { return thread_.joinable(); }
    // Releases the thread once the download is done (the searcher's "thread has ended" check);
    // true when the download is done.
    bool ReleaseFinishedThread();
    // Waits for the running download to end.
    void WaitUntilDone();
    // Stops a running download as soon as possible and waits for it.
    void Stop();

    // "Load not completed." until the download is done, then the summary.
    std::string StatusText() const;
    // The messages the download showed the user, in order; read them once the download is done.
    const std::vector<std::string>& Notices() const { return notices_; }

    // Read only after IsDone().
    const IdRecordStore& Records() const { return records_; }
    // Indexes into Records() of the latest search result.
    const std::vector<int>& Matches() const { return matches_; }
    IdRecord Match(int position) const;

    // The searcher's three searches: every record whose match text contains the text; every
    // record that contains at least one of the terms; every record. Each replaces the matches and
    // returns their number.
    int SearchSimple(std::string_view text);
    int SearchCompound(const std::vector<std::string>& terms);
    int SearchAll();

    // Takes records loaded by other means (a saved copy, a test) as a finished download. Does
    // nothing while a download thread is held.
    void LoadRecords(IdRecordStore records, std::string statusText);

    // Downloads and parses one source on the calling thread; the rows it contributed.
    int FetchSource(std::string_view path, std::string_view host, SourceMode mode);

    const IdDatabaseOptions& Options() const { return options_; }

private:
    void RunDownload();
    void Join();

    IdDatabaseOptions options_;
    StopSignal stop_;
    std::thread thread_;
    std::atomic<bool> done_{false};

    IdRecordStore records_;
    std::vector<int> matches_;
    std::string statusText_;
    std::vector<std::string> notices_;
    std::vector<std::int32_t> seenIds_;
};

} // namespace pw
