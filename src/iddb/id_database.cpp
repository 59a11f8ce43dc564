#include "iddb/id_database.h"

#include "iddb/id_search.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace pw {

IdDatabase::IdDatabase(IdDatabaseOptions options) : options_(std::move(options))
{
    options_.network.stop = &stop_;
}

IdDatabase::~IdDatabase() { Stop(); }

bool IdDatabase::StartDownload()
{
    if (thread_.joinable())
        return true;
    done_.store(false, std::memory_order_release);
    stop_.Reset();
    try {
        thread_ = std::thread([this] { RunDownload(); });
    } catch (const std::system_error&) {
        // No thread: the database is unavailable until the user retries.
        return false;
    }
    return true;
}

bool IdDatabase::ReleaseFinishedThread()
{
    if (!IsDone())
        return false;
    Join();
    return true;
}

void IdDatabase::WaitUntilDone() { Join(); }

void IdDatabase::Stop()
{
    if (!thread_.joinable())
        return;
    stop_.Raise();
    Join();
}

void IdDatabase::Join()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

std::string IdDatabase::StatusText() const
{
    return IsDone() ? statusText_ : std::string(LoadNotCompletedText);
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
}

void IdDatabase::RunDownload()
{
    notices_.clear();
    seenIds_.clear();
    seenIds_.reserve(SeenIdsCapacity);

    const int firstRows = FetchSource(FirstSourcePath, options_.firstSource, SourceMode::First);
    std::sort(seenIds_.begin(), seenIds_.end());
    const int secondRows = FetchSource(SecondSourcePath, options_.secondSource, SourceMode::Second);

    char summary[256];
    std::snprintf(summary, sizeof summary,
                  "Database acquisition complete; %d total records.\r\n\r\nRADIO ID (%d rows contributed)\r\n"
                  "HAM DIGITAL (%d rows contributed)",
                  records_.count(), firstRows, secondRows);
    statusText_ = summary;
    // Bring the search statistics up to date here rather than in the first search.
    records_.byteCounts();
    seenIds_ = {};
    done_.store(true, std::memory_order_release);
}

int IdDatabase::FetchSource(std::string_view path, std::string_view host, SourceMode mode)
{
    if (host.empty() || host == SkippedSource || stop_.Raised())
        return 0;
    HttpFetcher fetcher(options_.network, options_.timing, options_.limits);
    fetcher.SetNotifier([this](std::string_view text) { notices_.emplace_back(text); });
    if (!fetcher.Open(host, path))
        return 0;

    int rows = 0;
    std::string piece;
    std::string joined;
    std::string idField;
    IdRecordFields fields;
    bool overlong = false;
    while (!stop_.Raised()) {
        if (fetcher.ReadBodyLine(piece) < 0)
            break;
        // The fetcher hands out long lines in pieces; a record is the whole line.
        const bool endsLine = (!piece.empty() && piece.back() == '\n') || fetcher.EndedCleanly();
        std::string_view line = piece;
        if (!joined.empty() || overlong || !endsLine) {
            if (!overlong && joined.size() + piece.size() <= options_.maxRecordLineBytes)
                joined += piece;
            else
                overlong = true;
            if (!endsLine)
                continue;
            const bool skip = overlong;
            overlong = false;
            if (skip) {
                joined.clear();
                continue;
            }
            line = joined;
        }

        if (!readRecordIdField(line, idField)) {
            joined.clear();
            continue;
        }
        ++rows;
        const std::int32_t id = dmrIdValue(idField);
        if (mode == SourceMode::First) {
            if (seenIds_.size() >= options_.maxRowsPerSource) {
                --rows;
                break;
            }
            seenIds_.push_back(id);
        } else {
            if (static_cast<std::size_t>(rows) > options_.maxRowsPerSource) {
                --rows;
                break;
            }
            if (std::binary_search(seenIds_.begin(), seenIds_.end(), id)) {
                joined.clear();
                continue;
            }
        }
        if (parseRecordLine(line, fields) == RecordLineResult::Complete)
            records_.append(fields);
        joined.clear();
    }
    fetcher.Close();
    return rows;
}

} // namespace pw
