#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line "SPDX-License-Identifier: GPL-3.0-or-later" into every tracked source file
# that lacks it, as a comment of the file's kind: after a #! line or an XML declaration, otherwise
# first. scripts/spdx-headers.sh --check only lists the files that lack it and fails when any does.
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier: GPL-3.0-or-later"

# The comment that carries the line in a file of this name; nothing for files that take none
# (data, pictures, fuzz corpora, licence texts, Markdown).
comment_for() {
  case "$1" in
  fuzz/corpus/* | docs/* | data/demo/*) ;;
  *.cpp | *.h | *.hpp | *.h.in | *.cc) echo "// $tag" ;;
  CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | .ci/* | data/completion/* | *.desktop) echo "# $tag" ;;
  *.xml | *.xml.in | *.svg) echo "<!-- $tag -->" ;;
  *.1 | *.1.in) echo ".\\\" $tag" ;;
  esac
}

check=no
[ "${1:-}" = "--check" ] && check=yes
missing=0
while IFS= read -r -d '' file; do
  header="$(comment_for "$file")"
  [ -n "$header" ] || continue
  head -n 5 "$file" | grep -q "SPDX-License-Identifier:" && continue
  missing=$((missing + 1))
  if [ "$check" = yes ]; then
    echo "$file"
    continue
  fi
  first="$(head -n 1 "$file")"
  case "$first" in
  '#!'* | '<?xml'*) { echo "$first"; echo "$header"; tail -n +2 "$file"; } > "$file.spdx" ;;
  *) { echo "$header"; cat "$file"; } > "$file.spdx" ;;
  esac
  chmod --reference="$file" "$file.spdx"
  mv "$file.spdx" "$file"
  echo "added: $file"
done < <(git ls-files -z)
if [ "$check" = yes ] && [ "$missing" -gt 0 ]; then
  echo "$missing files lack the licence line; scripts/spdx-headers.sh adds it." >&2
  exit 1
fi
