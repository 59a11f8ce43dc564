#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the main window on each tab, and each dialog, to PNG files under an X virtual frame
# buffer, at the README's size of 1400x950, then the Contacts tab of a codeplug of 170,000 contacts
# with a filter typed: scripts/screenshots.sh [OUTDIR [CODEPLUG]] (docs/screenshots by default; the
# real MD-UV380 file under ../shared/fixtures/real when it is there, the demo codeplug otherwise).
# PLUGWRIGHT_XVFB_SERVER picks the first X server number to try. Uses the build of scripts/run.sh
# when there is one, and builds it otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshots}"
codeplug="${2:-../shared/fixtures/real/MD-UV380_400-480_136-174.rdt}"
[ -f "$codeplug" ] || codeplug=data/demo/demo.rdt
if ! command -v xvfb-run > /dev/null; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends xvfb xauth
fi
build="${PLUGWRIGHT_BUILD_DIR:-build/release}"
if [ ! -x "$build/src/ui/render_screens" ]; then
  scripts/setup-debian.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLUGWRIGHT_BUILD_TESTS=ON
  cmake --build "$build" --parallel 2 --target render_screens
fi
mkdir -p "$out"
# The settings the windows read and write, and the ID list cache, stay in a scratch directory, not
# the user's own.
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
printf 'source1 = none\nsource2 = none\n' > "$config/iddb_sources.conf"
# The networks' dialogs read made-up lists from files; their downloads go nowhere.
printf 'talkgroups = https://127.0.0.1:9/\nrepeaters = https://127.0.0.1:9/\n' > "$config/network_sources.conf"
render() {
  PLUGWRIGHT_CONFIG_DIR="$config" PLUGWRIGHT_CACHE_DIR="$config/cache" \
    xvfb-run -a -n "${PLUGWRIGHT_XVFB_SERVER:-99}" -s "-screen 0 1600x1200x24" "$build/src/ui/render_screens" "$@"
}
render "$codeplug" "$out"
render --largest "k1234" "$out"
ls "$out"
