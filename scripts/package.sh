#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: scripts/package.sh [BUILD_DIR]. BUILD_DIR is build/release by default,
# configured for a release build of the programs when it is new; CI passes build/test, which
# scripts/test.sh has just built. The package lands in BUILD_DIR/plugwright_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  scripts/setup-debian.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLUGWRIGHT_BUILD_TESTS=OFF
fi
cmake --build "$build" --parallel 2 --target plugwright plugwright-cli desktop_data
rm -f "$build"/plugwright_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/plugwright_*.deb
