// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing whole files. Writes go to a temporary file beside the target, which is
// synced and renamed over the target only when every byte is written, so a failed or interrupted
// write never destroys the user's only copy.

#include "platform/file_fingerprint.h"
#include "platform/save_problem.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace pw {

// The content of a regular file as read, or why it could not be read.
struct FileContent {
    std::vector<std::uint8_t> bytes;
    std::uintmax_t fileSize = 0;
    // What the file was when read, for a later save to tell whether it changed; only when the
    // file was read whole.
    std::optional<FileFingerprint> fingerprint;
    // Why the file could not be read (the system's reason, EISDIR for a directory,
    // SaveProblem::NotRegularFile for a device, FIFO or socket); the fields above are then empty.
    std::error_code error;

    explicit operator bool() const { return !error; }
};
// Reads at most `limit` bytes of the file; `fileSize` tells whether it held more. A path that
// names no regular file is refused before anything is read from it, so that a FIFO without a
// writer or a terminal never holds the reader up. The buffer has room for a few kilobytes more,
// so that a reader that pads the bytes it takes (a TYT image read one byte short, and its margin)
// does not move them to fresh memory.
FileContent readFileBytes(const std::filesystem::path& path, std::size_t limit);

// The fingerprint of the file at `path` now (its bytes read whole), or nothing when it cannot be read.
std::optional<FileFingerprint> fingerprintOf(const std::filesystem::path& path);

// Why `path` cannot be read as a file at this moment, as readFileBytes would tell it, or no error
// when it can. For files read by code that tells only that it could not open them.
std::error_code readProblem(const std::filesystem::path& path);

// Where a file's new content is written to, piece by piece.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be written; the writer then gives up.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
};

// Gathers small writes into larger ones for another sink. flush() (or the last write that fills the
// buffer) passes them on.
class BufferedSink final : public ByteSink {
public:
    explicit BufferedSink(ByteSink& target, std::size_t capacity = 1 << 16) : target_(target) { buffer_.reserve(capacity); }
    bool write(std::span<const std::uint8_t> bytes) override;
    bool flush();

private:
    ByteSink& target_;
    std::vector<std::uint8_t> buffer_;
};

// Writes a file's new content into the sink, so that a large file need not be built in memory
// first. False when it cannot; `why` then says so in the user's words where the producer can
// (a format that cannot hold the model), and stays empty where a failed write is the reason.
using ContentProducer = std::function<bool(ByteSink& sink, std::string& why)>;

// A producer that writes these bytes, which must outlive the write.
ContentProducer writing(std::span<const std::uint8_t> bytes);
ContentProducer writing(std::string_view text);

// What a write checks before it replaces an existing file.
struct WriteGuard {
    // The file must still be what was read (SaveProblem::ChangedOnDisk otherwise), when the save
    // begins and again at its last step, just before the rename.
    std::optional<FileFingerprint> unchangedSince;
    // A file without write permission for the user is replaced all the same (otherwise
    // SaveProblem::ReadOnly).
    bool overwriteReadOnly = true;
    // For tests: runs once the new content is whole and synced, just before the file on disk is
    // looked at for the last time, so that a test can change the file at that moment.
    std::function<void()> beforeLastCheck;
};

// How a write ended.
struct WriteResult {
    // None when the file was written; a SaveProblem or the system's reason otherwise.
    std::error_code error;
    // Why, in words: the producer's own, or the error's message. Empty when written.
    std::string reason;
    // What the file written is now (size, modification time, hash of the content), for a later
    // save to tell whether another program changed it.
    FileFingerprint written;

    explicit operator bool() const { return !error; }
};

// Writes the new content of `path` as `produce` hands it over. When that fails, any existing file
// is left as it was and no temporary file stays behind.
//
// The file written is the one `path` names: symbolic links are followed and kept. A path that names
// a directory, a device, a FIFO or a socket is refused. Saves of one file are serialised by an
// advisory lock. The new file takes the old one's mode, owner and group where the process may set
// them (set-ID bits only where the owner stays), its access control lists and extended attributes.
// A file with several hard links is written in place once the new content is whole, so that every
// name sees it; its old content is put back when that write fails. The temporary file is removed
// when SIGINT, SIGTERM or SIGHUP ends the program meanwhile, and those that killed saves left are
// removed by the next save.
WriteResult writeFileAtomically(const std::filesystem::path& path, const ContentProducer& produce,
                                const WriteGuard& guard = {});

} // namespace pw
