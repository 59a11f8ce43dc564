#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
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
    content.bytes.resize(wanted);
    std::size_t got = 0;
    while (got < wanted) {
        const auto n = std::fread(content.bytes.data() + got, 1, wanted - got, file);
        if (n == 0)
            break;
        got += n;
    }
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) {
        recordFailure(path, systemError(readError));
        return std::nullopt;
    }
    content.bytes.resize(got);
    return content;
}

namespace {

std::filesystem::path temporarySibling(const std::filesystem::path& path)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
    auto name = path.filename().string();
    return path.parent_path() / ("." + name + suffix);
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

} // namespace

namespace {

// Writes to a file, keeping the system's reason of the first failure.
class FileDescriptorSink final : public ByteSink {
public:
    explicit FileDescriptorSink(int fd) : fd_(fd) {}
    bool write(std::span<const std::uint8_t> bytes) override
    {
        if (!reason_)
            reason_ = writeAll(fd_, bytes);
        return !reason_;
    }
    std::error_code reason() const { return reason_; }

private:
    int fd_;
    std::error_code reason_;
};

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
                         std::error_code& reason)
{
    reason.clear();
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        reason = systemError(EISDIR);
        return false;
    }
    // Keep the permissions of the file being replaced.
    mode_t mode = 0666;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        mode = existing.st_mode & 07777;

    const auto temporary = temporarySibling(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        reason = systemError(errno);
        return false;
    }
    FileDescriptorSink sink(fd);
    const bool produced = produce(sink);
    reason = sink.reason();
    // A producer that gave up without a failing write (it could not build the content) has no
    // system reason; it is told as an invalid argument.
    if (!produced && !reason)
        reason = systemError(EINVAL);
    if (!reason && ::fsync(fd) != 0)
        reason = systemError(errno);
    if (::close(fd) != 0 && !reason)
        reason = systemError(errno);
    if (!reason && ::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    if (!reason)
        reason = systemError(errno);
    ::unlink(temporary.c_str());
    return false;
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
