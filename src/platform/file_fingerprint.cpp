// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_fingerprint.h"

#include "platform/file_status.h"

#include <array>
#include <cstdio>

namespace pw {

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
