#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the demo codeplug data/demo/demo.rdt anew with tools/make_demo_codeplug.cpp, after a
# change to what it holds or to how codeplugs are written. Commit the file it writes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/test --parallel 2 --target make_demo_codeplug
mkdir -p data/demo
build/test/make_demo_codeplug data/demo/demo.rdt
echo "data/demo/demo.rdt written"
