#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of plugwright-cli offers every command that plugwright-cli --help lists, and
# no command that it does not: tests/data/completion_knows_every_command.sh CLI COMPLETION_SCRIPT
set -euo pipefail
cli=$1
completion=$2
listed=$("$cli" --help | sed -n '/^Subcommands:/,/^$/p' | awk '/^  [a-z]/ {print $1}' | sort)
# shellcheck source=/dev/null
source "$completion"
COMP_WORDS=(plugwright-cli "")
COMP_CWORD=1
compopt() { :; }
_plugwright_cli
offered=$(printf '%s\n' "${COMPREPLY[@]}" | grep -v '^-' | sort)
if [ "$listed" != "$offered" ]; then
  diff <(echo "$listed") <(echo "$offered") || true
  echo "the completion's commands differ from plugwright-cli --help (< help, > completion)"
  exit 1
fi
