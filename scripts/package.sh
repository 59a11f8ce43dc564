#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a build directory (build/test by default, as scripts/test.sh
# leaves it): scripts/package.sh [BUILD_DIR]. The package lands in BUILD_DIR/plugwright_*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/test}"
cmake --build "$build" --parallel 2 --target plugwright plugwright-cli desktop_data
rm -f "$build"/plugwright_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/plugwright_*.deb
