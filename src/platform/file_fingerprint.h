// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a file was when it was read: its size, its modification time and a hash of its bytes. A save
// compares the file on disk with the fingerprint taken when it was opened, so that a change made by
// another program in between is noticed instead of silently overwritten.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace pw {

struct FileFingerprint {
    std::uintmax_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileFingerprint&) const = default;
};

// FNV-1a over the bytes, fed piece by piece as they are read or written.
class ContentHash {
public:
    void add(std::span<const std::uint8_t> bytes)
    {
        for (const auto byte : bytes)
            value_ = (value_ ^ byte) * 0x100000001b3ULL;
    }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

// The fingerprint of the file at `path` now (its bytes read whole), or nothing when it cannot be read.
std::optional<FileFingerprint> fingerprintOf(const std::filesystem::path& path);

} // namespace pw
