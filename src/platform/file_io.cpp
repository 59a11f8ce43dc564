// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_io.h"

#include "platform/save_target.h"
#include "platform/temporary_file_guard.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {
namespace {

thread_local std::optional<FileFailure> lastFailure;

std::error_code systemError(int number) { return std::error_code(number, std::generic_category()); }

void recordFailure(const std::filesystem::path& path, std::error_code reason)
{
    lastFailure = FileFailure{path, reason};
}

} // namespace

std::optional<FileFailure> lastFileFailure() { return lastFailure; }

void forgetLastFileFailure() { lastFailure.reset(); }

std::error_code readProblem(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return error;
    if (std::filesystem::is_directory(status))
        return systemError(EISDIR);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return systemError(errno);
    std::fclose(file);
    return {};
}

std::optional<FileContent> readFileBytes(const std::filesystem::path& path, std::size_t limit)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        recordFailure(path, readProblem(path));
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        recordFailure(path, systemError(errno));
        return std::nullopt;
    }
    FileContent content;
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0)
        content.fileSize = static_cast<std::uintmax_t>(info.st_size);
    const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(content.fileSize, limit));
    // Read a piece at a time, each zeroed just before the read overwrites it while it is still in
    // the cache: zeroing the whole buffer of an 11 MB file first, then reading into it, took as
    // long as the rest of the read. Each piece is hashed while it is in the cache too.
    constexpr std::size_t Piece = std::size_t{1} << 18;
    constexpr std::size_t RoomToPad = 4096;
    content.bytes.reserve(wanted + RoomToPad);
    ContentHash hash;
    while (content.bytes.size() < wanted) {
        const std::size_t at = content.bytes.size();
        content.bytes.resize(at + std::min(Piece, wanted - at));
        const auto n = std::fread(content.bytes.data() + at, 1, content.bytes.size() - at, file);
        content.bytes.resize(at + n);
        if (n == 0)
            break;
        hash.add(std::span<const std::uint8_t>(content.bytes.data() + at, n));
    }
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) {
        recordFailure(path, systemError(readError));
        return std::nullopt;
    }
    if (content.bytes.size() == content.fileSize)
        content.fingerprint = FileFingerprint{content.fileSize,
                                              static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                                                  info.st_mtim.tv_nsec,
                                              hash.value()};
    return content;
}

namespace {

std::error_code writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return {};
}

// Writes to a file, keeping the system's reason of the first failure, and hashes what it wrote.
class FileDescriptorSink final : public ByteSink {
public:
    explicit FileDescriptorSink(int fd) : fd_(fd) {}
    bool write(std::span<const std::uint8_t> bytes) override
    {
        if (!reason_)
            reason_ = writeAll(fd_, bytes);
        if (!reason_) {
            hash_.add(bytes);
            size_ += bytes.size();
        }
        return !reason_;
    }
    std::error_code reason() const { return reason_; }
    std::uint64_t hash() const { return hash_.value(); }
    std::uintmax_t size() const { return size_; }

private:
    int fd_;
    std::error_code reason_;
    ContentHash hash_;
    std::uintmax_t size_ = 0;
};

std::int64_t modifiedNanoseconds(const struct stat& info)
{
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

// Whether the user may not write the file: no write bit at all (which even the superuser is
// told), or none that applies to this process.
bool isReadOnly(const std::filesystem::path& path, const struct stat& info)
{
    if ((info.st_mode & 0222) == 0)
        return true;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

// Gives the new file the old one's owner, group and mode. Owner and group are set where the
// process may (as the superuser, or a group the user is in); the mode is set after them, as a
// change of owner clears the set-ID bits.
void takeIdentityOf(int fd, const struct stat& old)
{
    const bool ownerKept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
    const bool groupKept = ownerKept || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    static_cast<void>(groupKept);
    ::fchmod(fd, old.st_mode & 07777);
}

std::error_code readWhole(int fd, std::vector<std::uint8_t>& bytes)
{
    std::uint8_t buffer[1 << 16];
    while (true) {
        const auto n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        if (n == 0)
            return {};
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

std::error_code replaceContent(int fd, std::span<const std::uint8_t> bytes)
{
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return systemError(errno);
    if (auto error = writeAll(fd, bytes))
        return error;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0)
        return systemError(errno);
    return {};
}

// A file with several hard links is written in place, so that every name sees the new content:
// the complete temporary file is copied over it, and the old content is put back if that fails.
// The copy runs with the ending signals held, so that it is not cut in two.
std::error_code copyInPlace(const std::filesystem::path& temporary, const std::filesystem::path& target,
                            struct stat& after)
{
    const int source = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return systemError(errno);
    std::vector<std::uint8_t> fresh;
    auto error = readWhole(source, fresh);
    ::close(source);
    if (error)
        return error;
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno);
    std::vector<std::uint8_t> old;
    error = readWhole(fd, old);
    if (!error) {
        SignalHold hold;
        error = replaceContent(fd, fresh);
        if (error)
            replaceContent(fd, old);
    }
    ::fstat(fd, &after);
    ::close(fd);
    return error;
}

void syncDirectoryOf(const std::filesystem::path& path)
{
    const auto directory = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Whether the file to be replaced no longer holds what was read, by its whole content.
bool contentChanged(const std::filesystem::path& target, const std::optional<FileFingerprint>& expected)
{
    if (!expected)
        return false;
    const auto now = fingerprintOf(target);
    return !now || *now != *expected;
}

// The checks made, under the save lock, before anything is written. A changed size or time is
// told at once; a changed content takes precedence over a read-only file.
std::error_code refusalFor(const std::filesystem::path& target, const struct stat& existing, const WriteGuard& guard)
{
    if (S_ISDIR(existing.st_mode))
        return systemError(EISDIR);
    if (!S_ISREG(existing.st_mode))
        return SaveProblem::NotRegularFile;
    const auto& read = guard.unchangedSince;
    if (read && (read->size != static_cast<std::uintmax_t>(existing.st_size) ||
                 read->modifiedNanoseconds != modifiedNanoseconds(existing)))
        return SaveProblem::ChangedOnDisk;
    if (!guard.overwriteReadOnly && isReadOnly(target, existing))
        return contentChanged(target, read) ? SaveProblem::ChangedOnDisk : SaveProblem::ReadOnly;
    return {};
}

} // namespace

bool BufferedSink::write(std::span<const std::uint8_t> bytes)
{
    if (buffer_.size() + bytes.size() > buffer_.capacity() && !flush())
        return false;
    if (bytes.size() >= buffer_.capacity())
        return target_.write(bytes);
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    return true;
}

bool BufferedSink::flush()
{
    const bool ok = buffer_.empty() || target_.write(buffer_);
    buffer_.clear();
    return ok;
}

bool writeFileAtomically(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& produce,
                         const WriteGuard& guard, std::error_code& reason, FileFingerprint* written)
{
    reason.clear();
    if (path.empty()) {
        reason = systemError(ENOENT);
        return false;
    }
    const auto target = followLinks(path, reason);
    if (reason)
        return false;

    SaveLock lock;
    struct stat existing {};
    bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        reason = systemError(errno);
        return false;
    }
    if (exists && S_ISREG(existing.st_mode)) {
        if ((reason = lock.acquire(target)))
            return false;
        // Another save may have replaced the file while this one waited for the lock.
        exists = ::stat(target.c_str(), &existing) == 0;
    }
    if (exists && (reason = refusalFor(target, existing, guard)))
        return false;
    removeStaleTemporaries(target, lock.held());

    TemporaryFileGuard temporary(temporaryNameFor(target));
    const int fd = ::open(temporary.path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0) {
        reason = systemError(errno);
        temporary.release();
        return false;
    }
    if (exists)
        takeIdentityOf(fd, existing);
    FileDescriptorSink sink(fd);
    const bool produced = produce(sink);
    reason = sink.reason();
    // A producer that gave up without a failing write (it could not build the content) has no
    // system reason; it is told as an invalid argument.
    if (!produced && !reason)
        reason = systemError(EINVAL);
    if (!reason && ::fsync(fd) != 0)
        reason = systemError(errno);
    struct stat after {};
    ::fstat(fd, &after);
    if (::close(fd) != 0 && !reason)
        reason = systemError(errno);
    // The content is checked last, just before the rename, so that a change made while the new
    // content was written is seen too.
    if (!reason && exists && contentChanged(target, guard.unchangedSince))
        reason = SaveProblem::ChangedOnDisk;
    if (reason)
        return false;

    if (exists && existing.st_nlink > 1) {
        if ((reason = copyInPlace(temporary.path(), target, after)))
            return false;
    } else {
        if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
            reason = systemError(errno);
            return false;
        }
        temporary.release();
        syncDirectoryOf(target);
    }
    if (written)
        *written = FileFingerprint{sink.size(), modifiedNanoseconds(after), sink.hash()};
    return true;
}

bool writeFileAtomically(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& produce,
                         std::error_code& reason)
{
    return writeFileAtomically(path, produce, WriteGuard{}, reason);
}

bool writeFileAtomically(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& produce)
{
    std::error_code reason;
    if (writeFileAtomically(path, produce, reason))
        return true;
    recordFailure(path, reason);
    return false;
}

bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> blocks,
                         std::error_code& reason)
{
    return writeFileAtomically(
        path,
        [blocks](ByteSink& sink) {
            for (const auto& block : blocks)
                if (!sink.write(block))
                    return false;
            return true;
        },
        reason);
}

bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> blocks)
{
    std::error_code reason;
    if (writeFileAtomically(path, blocks, reason))
        return true;
    recordFailure(path, reason);
    return false;
}

bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    const std::span<const std::uint8_t> blocks[] = {bytes};
    return writeFileAtomically(path, blocks);
}

bool writeTextFileAtomically(const std::filesystem::path& path, const std::string& text)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    return writeFileAtomically(path, std::span<const std::uint8_t>(data, text.size()));
}

} // namespace pw
