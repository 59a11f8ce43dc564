// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps what it can fetch again (the DMR ID user list): $PLUGWRIGHT_CACHE_DIR
// when set, else $XDG_CACHE_HOME/plugwright, else $HOME/.cache/plugwright.

#include <filesystem>

namespace pw {

std::filesystem::path cacheDirectory();

} // namespace pw
