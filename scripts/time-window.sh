#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the desktop window on a D868 codeplug of 170,000 contacts: opening it until the Contacts tab
# is drawn, a sort by each heading and each key typed into the contact filter until the list is drawn
# again. Release build, Qt's offscreen platform. scripts/time-window.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release --parallel 2 --target time_window
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
printf 'source1 = none\nsource2 = none\n' > "$config/iddb_sources.conf"
PLUGWRIGHT_CONFIG_DIR="$config" PLUGWRIGHT_CACHE_DIR="$config/cache" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" \
  build/release/time_window "${1:-3}"
