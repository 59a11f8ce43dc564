#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Plugwright and shows what the demo codeplug holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --parallel 2
build/release/src/cli/plugwright-cli info build/release/demo/demo.rdt
