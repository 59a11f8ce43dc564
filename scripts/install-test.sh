#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package on this machine and checks it from the installed files only: the
# metainfo and the menu entry validate, plugwright-cli answers --version and reads the demo
# codeplug, and the desktop program opens the demo codeplug (on Qt's offscreen platform).
# Needs root (or sudo); CI runs it after scripts/package.sh. scripts/install-test.sh [PACKAGE.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
package="$(realpath "${1:-$(ls build/release/plugwright_*.deb)}")"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
apt_install() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@"
}

for tool in appstreamcli:appstream desktop-file-validate:desktop-file-utils; do
  command -v "${tool%%:*}" > /dev/null || apt_install "${tool##*:}"
done

# A package of the same version left by an earlier run would make apt-get keep the old files.
"${sudo_cmd[@]}" dpkg --purge plugwright > /dev/null 2>&1 || true
trap '"${sudo_cmd[@]}" dpkg --purge plugwright > /dev/null 2>&1 || true' EXIT
apt_install "$package"

echo "== installed files"
dpkg -L plugwright | grep -v '/$' | sort
echo "== package dependencies"
dpkg-query -W -f='${Depends}\n' plugwright

echo "== appstreamcli validate"
appstreamcli validate --no-net /usr/share/metainfo/org.plugwright.Plugwright.metainfo.xml
echo "== desktop-file-validate"
desktop-file-validate /usr/share/applications/org.plugwright.Plugwright.desktop
echo "== manual pages"
for page in plugwright plugwright-cli; do
  zcat "/usr/share/man/man1/$page.1.gz" | grep -q "^.TH" || { echo "no manual page for $page"; exit 1; }
done

echo "== plugwright-cli"
version="$(/usr/bin/plugwright-cli --version)"
echo "$version"
expected="plugwright-cli $(dpkg-query -W -f='${Version}' plugwright)"
[ "$version" = "$expected" ] || { echo "expected '$expected'"; exit 1; }
/usr/bin/plugwright-cli info /usr/share/plugwright/demo.rdt
/usr/bin/plugwright --version

echo "== plugwright opens the demo codeplug"
config="$(mktemp -d)"
log="$config/plugwright.log"
printf 'source1 = none\nsource2 = none\n' > "$config/iddb_sources.conf"
PLUGWRIGHT_CONFIG_DIR="$config" PLUGWRIGHT_CACHE_DIR="$config" QT_QPA_PLATFORM=offscreen \
  QT_LOGGING_RULES="plugwright.document.info=true" /usr/bin/plugwright /usr/share/plugwright/demo.rdt 2> "$log" &
window=$!
opened=no
for _ in $(seq 1 60); do
  if grep -q "opened /usr/share/plugwright/demo.rdt" "$log"; then opened=yes; break; fi
  kill -0 "$window" 2> /dev/null || break
  sleep 0.5
done
kill "$window" 2> /dev/null || true
wait "$window" 2> /dev/null || true
cat "$log"
rm -rf "$config"
[ "$opened" = yes ] || { echo "plugwright did not open the demo codeplug"; exit 1; }
echo "The installed package works."
