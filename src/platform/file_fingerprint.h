// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a file was when it was read: its size, its modification time and a hash of its bytes. A save
// compares the file on disk with the fingerprint taken when it was opened, so that a change made by
// another program in between is noticed instead of silently overwritten.

#include <cstdint>
#include <memory>
#include <span>

namespace pw {

struct FileFingerprint {
    std::uintmax_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileFingerprint&) const = default;
};

// A 64-bit hash (XXH3) of a file's bytes, fed piece by piece as they are read or written: the value
// does not depend on how the bytes were cut into pieces. It runs at memory speed, so a save may
// hash the whole file it replaces once more.
class ContentHash {
public:
    ContentHash();
    ContentHash(ContentHash&&) noexcept;
    ContentHash& operator=(ContentHash&&) noexcept;
    ~ContentHash();

    void add(std::span<const std::uint8_t> bytes);
    std::uint64_t value() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace pw
