// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/user_directories.h"

#include <cstdlib>

namespace pw {
namespace {

// The directory an environment variable names, else the program's folder under the XDG base
// directory (or its default under $HOME), else `lastResort` in the working directory.
std::filesystem::path userDirectory(const char* ownVariable, const char* xdgVariable, const char* homeDefault,
                                    const char* lastResort)
{
    if (const char* dir = std::getenv(ownVariable); dir && *dir)
        return dir;
    if (const char* xdg = std::getenv(xdgVariable); xdg && *xdg)
        return std::filesystem::path(xdg) / "plugwright";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / homeDefault / "plugwright";
    return std::filesystem::path(lastResort);
}

} // namespace

std::filesystem::path cacheDirectory()
{
    return userDirectory("PLUGWRIGHT_CACHE_DIR", "XDG_CACHE_HOME", ".cache", ".plugwright-cache");
}

std::filesystem::path configDirectory()
{
    return userDirectory("PLUGWRIGHT_CONFIG_DIR", "XDG_CONFIG_HOME", ".config", ".plugwright");
}

} // namespace pw
