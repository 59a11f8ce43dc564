#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs one of them for a while:
#   scripts/fuzz.sh TARGET [SECONDS]     e.g. scripts/fuzz.sh text_line_fuzz 600
# New inputs go to a scratch corpus; findings land in fuzz/artifacts/. Copy a finding into
# fuzz/corpus/TARGET/ once it is fixed, so CI replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-300}
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package"; }
done
scripts/setup-debian.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPLUGWRIGHT_BUILD_FUZZ=ON -DPLUGWRIGHT_BUILD_CLI=OFF
cmake --build build/fuzz --target "$target" --parallel 2
scratch=build/fuzz/corpus/$target
mkdir -p "$scratch" fuzz/artifacts
build/fuzz/fuzz/"$target" -max_total_time="$seconds" -artifact_prefix=fuzz/artifacts/ -max_len=4194304 \
  "$scratch" fuzz/corpus/"$target"
