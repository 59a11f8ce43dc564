// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps its files in the user's home, after the XDG base directory rules.

#include <filesystem>

namespace pw {

// What it can fetch again (the DMR ID user list): $PLUGWRIGHT_CACHE_DIR when set, else
// $XDG_CACHE_HOME/plugwright, else $HOME/.cache/plugwright.
std::filesystem::path cacheDirectory();

// Its settings: $PLUGWRIGHT_CONFIG_DIR when set, else $XDG_CONFIG_HOME/plugwright, else
// $HOME/.config/plugwright.
std::filesystem::path configDirectory();

} // namespace pw
