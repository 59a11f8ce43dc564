// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a small settings file that users may edit by hand.

#include "platform/file_io.h"

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace pw {

// More than any settings file holds: the rest of a larger file is not read.
inline constexpr std::size_t SettingsFileLimit = 64 * 1024;

// The settings `parse` reads from the file at `path`, named in its problems by the file's name;
// the defaults when the file is missing or cannot be read.
template <typename Settings>
Settings readSettingsFile(const std::filesystem::path& path,
                          Settings (*parse)(std::string_view text, std::string_view fileName))
{
    const auto content = readFileBytes(path, SettingsFileLimit);
    if (!content)
        return {};
    return parse(std::string_view(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()),
                 path.filename().string());
}

} // namespace pw
