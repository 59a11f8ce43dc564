#pragma once
// Reading and writing whole files. Writes go to a temporary file beside the target, which is
// flushed and renamed over the target only when every byte is written, so a failed or interrupted
// write never destroys the user's only copy.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pw {

// The whole content of a regular file, or nothing when it cannot be opened or read (a missing
// path, a directory, no permission). At most `limit` bytes are read; `truncated` tells whether the
// file held more.
struct FileContent {
    std::vector<std::uint8_t> bytes;
    std::uintmax_t fileSize = 0;
};
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

// Writes the new content of `path` as `produce` hands it to the sink, so that a large file need
// not be built in memory first. Returns false, leaving any existing file unchanged, when the
// producer fails or the file cannot be written whole.
bool writeFileAtomically(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& produce);

// Writes the blocks, in order, as the new content of `path`. Returns false, leaving any existing
// file unchanged, when the file cannot be written whole.
bool writeFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> blocks);
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
bool writeTextFileAtomically(const std::filesystem::path& path, const std::string& text);

} // namespace pw
