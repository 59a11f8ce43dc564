// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_fingerprint.h"

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

} // namespace pw
