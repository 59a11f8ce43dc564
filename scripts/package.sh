#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: scripts/package.sh [BUILD_DIR]. BUILD_DIR is build/release by default,
# configured for a release build of the programs when it is new. Only what users get is packaged:
# a release build without the tests' certificate hook, whose programs export no symbol of another
# library. The package lands in BUILD_DIR/plugwright_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  scripts/setup-debian.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLUGWRIGHT_BUILD_TESTS=OFF
fi
if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt" ||
   grep -qx 'PLUGWRIGHT_TEST_CA_HOOK:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "$build is not a release build without the test certificate hook: not packaged" >&2
  exit 1
fi
cmake --build "$build" --parallel 2 --target plugwright plugwright-cli desktop_data
cmake -DPROGRAMS="$build/src/cli/plugwright-cli;$build/src/ui/plugwright" -P cmake/check_exported_symbols.cmake
rm -f "$build"/plugwright_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/plugwright_*.deb
