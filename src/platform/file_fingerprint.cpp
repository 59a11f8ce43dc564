// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_fingerprint.h"

#include "platform/file_status.h"

#include <array>
#include <cstdio>

// The whole of xxHash inlined here: nothing to link, and the hash loops are compiled for this file.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace pw {

struct ContentHash::State {
    XXH3_state_t xxh3;
};

ContentHash::ContentHash() : state_(std::make_unique<State>())
{
    XXH3_64bits_reset(&state_->xxh3);
}

ContentHash::ContentHash(ContentHash&&) noexcept = default;
ContentHash& ContentHash::operator=(ContentHash&&) noexcept = default;
ContentHash::~ContentHash() = default;

void ContentHash::add(std::span<const std::uint8_t> bytes)
{
    XXH3_64bits_update(&state_->xxh3, bytes.data(), bytes.size());
}

std::uint64_t ContentHash::value() const { return XXH3_64bits_digest(&state_->xxh3); }

std::optional<FileFingerprint> fingerprintOf(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    FileFingerprint fingerprint;
    const auto status = statusOf(file);
    fingerprint.size = status.size;
    fingerprint.modifiedNanoseconds = status.modifiedNanoseconds;
    ContentHash hash;
    std::array<std::uint8_t, 1 << 16> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
        hash.add(std::span(buffer.data(), n));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    fingerprint.hash = hash.value();
    return fingerprint;
}

} // namespace pw
