// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings_store.h"

#include "platform/file_io.h"

#include <cstdlib>

namespace pw {

std::filesystem::path configDirectory()
{
    if (const char* dir = std::getenv("PLUGWRIGHT_CONFIG_DIR"); dir && *dir)
        return dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "plugwright";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config" / "plugwright";
    return std::filesystem::path(".plugwright");
}

std::optional<std::vector<std::uint8_t>> FileSettingsStore::read()
{
    // A settings value is small; anything past 1 MiB is not ours.
    auto content = readFileBytes(path_, 1u << 20);
    if (!content)
        return std::nullopt;
    return std::move(content->bytes);
}

bool FileSettingsStore::write(std::span<const std::uint8_t> value)
{
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    return writeFileAtomically(path_, value);
}

} // namespace pw
