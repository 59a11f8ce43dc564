#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine, builds Plugwright with its tests and runs every test,
# including the replay of each fuzz target's corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLUGWRIGHT_BUILD_FUZZ=ON -DPLUGWRIGHT_FUZZ_REPLAY=ON -DPLUGWRIGHT_TEST_CA_HOOK=ON
cmake --build build/test --parallel 2
ctest --test-dir build/test --output-on-failure --parallel 2
