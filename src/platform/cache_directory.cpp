// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cache_directory.h"

#include <cstdlib>

namespace pw {

std::filesystem::path cacheDirectory()
{
    if (const char* dir = std::getenv("PLUGWRIGHT_CACHE_DIR"); dir && *dir)
        return dir;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "plugwright";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".cache" / "plugwright";
    return std::filesystem::path(".plugwright-cache");
}

} // namespace pw
