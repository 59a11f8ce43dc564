// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {
namespace {

std::error_code systemError(int number) { return std::error_code(number, std::generic_category()); }

// Why a file described by `info` is not one to read: a folder or anything but a regular file.
std::error_code notReadable(const struct stat& info)
{
    if (S_ISDIR(info.st_mode))
        return systemError(EISDIR);
    if (!S_ISREG(info.st_mode))
        return SaveProblem::NotRegularFile;
    return {};
}

// A regular file open for reading. What the path names is looked at before it is opened, so that a
// device is never opened at all (opening some has effects of its own) and a FIFO without a writer
// cannot hold the open up; the file opened is looked at again, as the path may name another file by
// then, and the open does not wait for anything either way.
class ReadableFile {
public:
    explicit ReadableFile(const std::filesystem::path& path)
    {
        struct stat named {};
        if (::stat(path.c_str(), &named) != 0) {
            error_ = systemError(errno);
            return;
        }
        if ((error_ = notReadable(named)))
            return;
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0)
            error_ = systemError(errno);
        else if (::fstat(fd_, &info_) != 0)
            error_ = systemError(errno);
        else
            error_ = notReadable(info_);
    }
    ~ReadableFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    std::error_code error() const { return error_; }
    std::uintmax_t size() const { return static_cast<std::uintmax_t>(info_.st_size); }
    std::int64_t modifiedNanoseconds() const
    {
        return static_cast<std::int64_t>(info_.st_mtim.tv_sec) * 1'000'000'000 + info_.st_mtim.tv_nsec;
    }

    // Reads into `bytes` until it is full or the file ends; the number of bytes read, or the
    // system's reason.
    std::size_t read(std::span<std::uint8_t> bytes, std::error_code& error)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const auto n = ::read(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                error = systemError(errno);
                break;
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

private:
    int fd_ = -1;
    struct stat info_ {};
    std::error_code error_;
};

} // namespace

std::error_code readProblem(const std::filesystem::path& path) { return ReadableFile(path).error(); }

FileContent readFileBytes(const std::filesystem::path& path, std::size_t limit)
{
    FileContent content;
    ReadableFile file(path);
    if ((content.error = file.error()))
        return content;
    content.fileSize = file.size();
    const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(content.fileSize, limit));
    // Read a piece at a time, each zeroed just before the read overwrites it while it is still in
    // the cache, and hashed while it is there too.
    constexpr std::size_t Piece = std::size_t{1} << 18;
    constexpr std::size_t RoomToPad = 4096;
    content.bytes.reserve(wanted + RoomToPad);
    ContentHash hash;
    while (content.bytes.size() < wanted) {
        const std::size_t at = content.bytes.size();
        content.bytes.resize(at + std::min(Piece, wanted - at));
        const auto n = file.read(std::span(content.bytes).subspan(at), content.error);
        content.bytes.resize(at + n);
        if (content.error) {
            content.bytes = {};
            content.fileSize = 0;
            return content;
        }
        if (n == 0)
            break;
        hash.add(std::span<const std::uint8_t>(content.bytes.data() + at, n));
    }
    if (content.bytes.size() == content.fileSize)
        content.fingerprint = FileFingerprint{content.fileSize, file.modifiedNanoseconds(), hash.value()};
    return content;
}

std::optional<FileFingerprint> fingerprintOf(const std::filesystem::path& path)
{
    ReadableFile file(path);
    if (file.error())
        return std::nullopt;
    ContentHash hash;
    std::vector<std::uint8_t> buffer(std::size_t{1} << 16);
    std::error_code error;
    while (const auto n = file.read(buffer, error))
        hash.add(std::span(buffer.data(), n));
    if (error)
        return std::nullopt;
    return FileFingerprint{file.size(), file.modifiedNanoseconds(), hash.value()};
}

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

} // namespace pw
