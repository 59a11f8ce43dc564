#pragma once
// Reading and writing whole files. Writes go to a temporary file beside the target, which is
// flushed and renamed over the target only when every byte is written, so a failed or interrupted
// write never destroys the user's only copy.

#include <cstdint>
#include <filesystem>
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

// Writes the blocks, in order, as the new content of `path`. Returns false, leaving any existing
// file unchanged, when the file cannot be written whole.
bool writeFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> blocks);
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
bool writeTextFileAtomically(const std::filesystem::path& path, const std::string& text);

} // namespace pw
