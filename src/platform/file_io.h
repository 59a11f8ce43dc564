// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing whole files. Writes go to a temporary file beside the target, which is
// flushed and renamed over the target only when every byte is written, so a failed or interrupted
// write never destroys the user's only copy.

#include "platform/file_fingerprint.h"
#include "platform/save_problem.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace pw {

// The whole content of a regular file, or nothing when it cannot be opened or read (a missing
// path, a directory, no permission). At most `limit` bytes are read; `truncated` tells whether the
// file held more.
struct FileContent {
    std::vector<std::uint8_t> bytes;
    std::uintmax_t fileSize = 0;
    // What the file was when read, for a later save to tell whether it changed; only when the
    // file was read whole.
    std::optional<FileFingerprint> fingerprint;
};
// Reads at most `limit` bytes of the file. The buffer has room for a few kilobytes more, so that a
// reader that pads the bytes it takes (a TYT image read one byte short, and its margin) does not
// move them to fresh memory.
std::optional<FileContent> readFileBytes(const std::filesystem::path& path, std::size_t limit);

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

// What a write checks before it replaces an existing file.
struct WriteGuard {
    // The file must still be what was read (SaveProblem::ChangedOnDisk otherwise).
    std::optional<FileFingerprint> unchangedSince;
    // A file without write permission for the user is replaced all the same (otherwise
    // SaveProblem::ReadOnly).
    bool overwriteReadOnly = true;
};

// Writes the new content of `path` as `produce` hands it to the sink, so that a large file need
// not be built in memory first. Returns false, leaving any existing file unchanged, when the
// producer fails or the file cannot be written whole.
//
// The file written is the one `path` names: symbolic links are followed and kept. An existing
// file keeps its mode bits, and its owner and group where the process may set them; a path that
// names a directory, a device or a FIFO is refused. Saves of one file are serialised by an
// advisory lock. The new content goes to a hidden temporary file beside the target, renamed over
// it when whole; the temporary file is removed on every failure and when SIGINT, SIGTERM or SIGHUP
// ends the program meanwhile, and those that killed saves left are removed by the next save.
// A file with several hard links is written in place once the new content is whole, so that every
// name sees it; its old content is put back when that write fails.
// `written`, when given, receives the fingerprint of the file written.
bool writeFileAtomically(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& produce,
                         const WriteGuard& guard, std::error_code& reason, FileFingerprint* written = nullptr);
bool writeFileAtomically(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& produce);
bool writeFileAtomically(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& produce,
                         std::error_code& reason);

// Writes the blocks, in order, as the new content of `path`. Returns false, leaving any existing
// file unchanged, when the file cannot be written whole.
bool writeFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> blocks);
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
bool writeTextFileAtomically(const std::filesystem::path& path, const std::string& text);
// The same, telling the system's reason when the write fails.
bool writeFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> blocks, std::error_code& reason);

// The last failure of this thread's reads and writes through the functions above: the path and
// the system's reason. The commands built on these functions answer only yes or no and show the
// program's own message; a front end that also names the system's reason reads it here
// afterwards, as C's errno is read after a failed call.
struct FileFailure {
    std::filesystem::path path;
    std::error_code reason;
};
std::optional<FileFailure> lastFileFailure();
void forgetLastFileFailure();

// Why `path` cannot be opened for reading as a file at this moment: the system's reason, "Is a
// directory" for a directory, or no error when it can. For files read by code that tells only
// that it could not open them.
std::error_code readProblem(const std::filesystem::path& path);

} // namespace pw
