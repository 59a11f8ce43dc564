// SPDX-License-Identifier: GPL-3.0-or-later
// The safe save: one type, AtomicSave, whose run() reads as the save's story, step by step.
#include "platform/file_attributes.h"
#include "platform/file_io.h"
#include "platform/save_lock.h"
#include "platform/temporary_file_guard.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {
namespace {

std::error_code systemError(int number) { return std::error_code(number, std::generic_category()); }

std::int64_t modifiedNanoseconds(const struct stat& info)
{
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

// Whether `now` is still the file `then` described: the same inode, size and times. The change
// time is set by every write and cannot be set back, so a writer that restores the modification
// time still shows.
bool sameFileState(const struct stat& then, const struct stat& now)
{
    return then.st_dev == now.st_dev && then.st_ino == now.st_ino && then.st_size == now.st_size &&
           modifiedNanoseconds(then) == modifiedNanoseconds(now) && then.st_ctim.tv_sec == now.st_ctim.tv_sec &&
           then.st_ctim.tv_nsec == now.st_ctim.tv_nsec;
}

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

class FileDescriptor {
public:
    FileDescriptor() = default;
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    void reset(int fd)
    {
        close();
        fd_ = fd;
    }
    int get() const { return fd_; }
    // The system's reason when closing failed (a write the system had deferred may fail here).
    std::error_code close()
    {
        const int fd = std::exchange(fd_, -1);
        return fd >= 0 && ::close(fd) != 0 ? systemError(errno) : std::error_code{};
    }

private:
    int fd_ = -1;
};

// Whether the user may not write the file: no write bit at all (which even the superuser is
// told), or none that applies to this process.
bool isReadOnly(const std::filesystem::path& path, const struct stat& info)
{
    if ((info.st_mode & 0222) == 0)
        return true;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

// Whether the file at `path` holds other content than `expected` describes, by its whole content.
bool contentDiffers(const std::filesystem::path& path, const FileFingerprint& expected)
{
    const auto now = fingerprintOf(path);
    return !now || *now != expected;
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

void syncFolderOf(const std::filesystem::path& path)
{
    const auto folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

constexpr int MaxLinksFollowed = 40;

// One save of one file. Each step returns the reason that ends the save, or none; run() takes them
// in order.
class AtomicSave {
public:
    AtomicSave(const std::filesystem::path& path, const WriteGuard& guard) : path_(path), guard_(guard) {}

    WriteResult run(const ContentProducer& produce)
    {
        WriteResult result;
        std::string why;
        result.error = [&]() -> std::error_code {
            if (auto error = followLinks())
                return error;
            if (auto error = lock())
                return error;
            if (auto error = refusal())
                return error;
            if (auto error = createTemporary())
                return error;
            if (auto error = writeTemporary(produce, why))
                return error;
            if (auto error = sync())
                return error;
            if (auto error = checkOriginalOnceMore())
                return error;
            return replaceOriginal();
        }();
        if (result.error)
            result.reason = why.empty() ? result.error.message() : why;
        else
            result.written = written_;
        return result;
    }

private:
    // The file the path names once symbolic links are followed (a link whose target is missing
    // names that target), so that the save writes through the link instead of replacing it.
    std::error_code followLinks()
    {
        if (path_.empty())
            return systemError(ENOENT);
        target_ = path_;
        for (int followed = 0; followed <= MaxLinksFollowed; ++followed) {
            std::error_code error;
            if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target_, error)) || error)
                return {};
            const auto next = std::filesystem::read_symlink(target_, error);
            if (error)
                return error;
            target_ = next.is_absolute() ? next : target_.parent_path() / next;
        }
        return systemError(ELOOP);
    }

    // Waits for another save of the same file to end. That save may have replaced the file
    // meanwhile, so the file is looked at again once the lock is held.
    std::error_code lock()
    {
        struct stat found {};
        if (::stat(target_.c_str(), &found) != 0)
            return errno == ENOENT ? std::error_code{} : systemError(errno);
        if (S_ISREG(found.st_mode)) {
            if (auto error = lock_.acquire(target_))
                return error;
            if (::stat(target_.c_str(), &found) != 0)
                return errno == ENOENT ? std::error_code{} : systemError(errno);
        }
        original_ = found;
        return {};
    }

    // What must not be replaced: a folder, a device, a FIFO or a socket; a file that another
    // program changed since it was read (its size or time tells at once); a read-only file
    // without consent, unless it was changed, which is then the reason told.
    std::error_code refusal()
    {
        if (!original_)
            return {};
        if (S_ISDIR(original_->st_mode))
            return systemError(EISDIR);
        if (!S_ISREG(original_->st_mode))
            return SaveProblem::NotRegularFile;
        const auto& read = guard_.unchangedSince;
        if (read && (read->size != static_cast<std::uintmax_t>(original_->st_size) ||
                     read->modifiedNanoseconds != modifiedNanoseconds(*original_)))
            return SaveProblem::ChangedOnDisk;
        if (!guard_.overwriteReadOnly && isReadOnly(target_, *original_))
            return read && contentDiffers(target_, *read) ? SaveProblem::ChangedOnDisk : SaveProblem::ReadOnly;
        return {};
    }

    // The temporary file beside the original, with the original's owner, mode and attributes
    // from the start: the file that the rename puts in place is then complete in every respect,
    // with no moment in which it is visible with others.
    std::error_code createTemporary()
    {
        removeStaleTemporaries(target_, lock_.held());
        temporary_.emplace(temporaryNameFor(target_));
        fd_.reset(::open(temporary_->path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, original_ ? 0600 : 0666));
        if (fd_.get() < 0) {
            const auto error = systemError(errno);
            temporary_->release();  // not ours: nothing to remove
            return error;
        }
        if (original_)
            giveAttributesOf(target_, *original_, fd_.get());
        return {};
    }

    std::error_code writeTemporary(const ContentProducer& produce, std::string& why)
    {
        FileDescriptorSink sink(fd_.get());
        const bool produced = produce(sink, why);
        written_.size = sink.size();
        written_.hash = sink.hash();
        if (sink.reason())
            return sink.reason();
        // A producer that gave up without a failing write (it could not build the content) has no
        // system reason; it is told as an invalid argument.
        return produced ? std::error_code{} : systemError(EINVAL);
    }

    // One sync, so that the file the rename puts in place is on the disk whole.
    std::error_code sync()
    {
        if (::fsync(fd_.get()) != 0)
            return systemError(errno);
        struct stat synced {};
        ::fstat(fd_.get(), &synced);
        written_.modifiedNanoseconds = modifiedNanoseconds(synced);
        return fd_.close();
    }

    // The last look at the original before it is replaced, under the same lock: still the file
    // read (by its whole content, when the caller read it), and untouched since this save began
    // (the same inode, size and times). What remains is the moment between this check and the
    // rename, in which a program that ignores the lock could still write unseen.
    std::error_code checkOriginalOnceMore()
    {
        if (guard_.beforeLastCheck)
            guard_.beforeLastCheck();
        if (!original_)
            return {};
        if (guard_.unchangedSince && contentDiffers(target_, *guard_.unchangedSince))
            return SaveProblem::ChangedOnDisk;
        struct stat now {};
        if (::stat(target_.c_str(), &now) != 0 || !sameFileState(*original_, now))
            return SaveProblem::ChangedOnDisk;
        return {};
    }

    std::error_code replaceOriginal()
    {
        if (original_ && original_->st_nlink > 1)
            return writeInPlace();
        if (::rename(temporary_->path().c_str(), target_.c_str()) != 0)
            return systemError(errno);
        temporary_->release();
        syncFolderOf(target_);
        return {};
    }

    // A file with several hard links is written in place, so that every name sees the new content:
    // the complete temporary file is copied over it, and the old content is put back if that
    // fails. The copy runs with the ending signals held, so that it is not cut in two.
    std::error_code writeInPlace()
    {
        FileDescriptor source;
        source.reset(::open(temporary_->path().c_str(), O_RDONLY | O_CLOEXEC));
        if (source.get() < 0)
            return systemError(errno);
        std::vector<std::uint8_t> fresh;
        if (auto error = readWhole(source.get(), fresh))
            return error;
        FileDescriptor original;
        original.reset(::open(target_.c_str(), O_RDWR | O_CLOEXEC));
        if (original.get() < 0)
            return systemError(errno);
        std::vector<std::uint8_t> old;
        auto error = readWhole(original.get(), old);
        if (!error) {
            SignalHold hold;
            error = replaceContent(original.get(), fresh);
            if (error)
                replaceContent(original.get(), old);
        }
        struct stat after {};
        ::fstat(original.get(), &after);
        written_.modifiedNanoseconds = modifiedNanoseconds(after);
        return error;
    }

    const std::filesystem::path& path_;
    const WriteGuard& guard_;
    std::filesystem::path target_;
    SaveLock lock_;
    // The file replaced, as found under the lock; nothing when the save makes a new file.
    std::optional<struct stat> original_;
    std::optional<TemporaryFileGuard> temporary_;
    FileDescriptor fd_;
    FileFingerprint written_;
};

} // namespace

WriteResult writeFileAtomically(const std::filesystem::path& path, const ContentProducer& produce,
                                const WriteGuard& guard)
{
    return AtomicSave(path, guard).run(produce);
}

ContentProducer writing(std::span<const std::uint8_t> bytes)
{
    return [bytes](ByteSink& sink, std::string&) { return sink.write(bytes); };
}

ContentProducer writing(std::string_view text)
{
    return writing(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace pw
