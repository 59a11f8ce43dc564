#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine, builds the two programs (no tests, benchmarks or fuzz targets)
# and opens the bundled demo codeplug in the desktop program. Without a display (a server, a CI
# job) it shows what the demo codeplug holds through the command-line front end instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLUGWRIGHT_BUILD_TESTS=OFF
cmake --build build/release --parallel 2 --target plugwright plugwright-cli desktop_data
demo=data/demo/demo.rdt
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/src/ui/plugwright "$demo"
fi
echo "No display found: showing the demo codeplug through plugwright-cli."
echo "Run build/release/src/ui/plugwright $demo on a desktop to open it in the window."
build/release/src/cli/plugwright-cli info "$demo"
