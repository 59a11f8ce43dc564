#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures plugwright-cli as a whole process, beside the same commands of another build of it (an
# older commit, built in its own folder) and beside cp and dmrconfig:
#   bench/measure-programs.sh NEW_CLI OLD_CLI MAKE_LARGEST_CODEPLUGS [RUNS]
# NEW_CLI and OLD_CLI are Release builds of plugwright-cli; MAKE_LARGEST_CODEPLUGS writes the
# files measured (the largest D868 file and RDB image). Times are hyperfine's medians of RUNS runs
# (20 unless given), each after a warm-up; peaks are the median of RUNS maximum resident set sizes
# that GNU time reports. The vendor MD-UV380 file is read from PLUGWRIGHT_REAL_FIXTURES, or from
# ../shared/fixtures/real beside the source tree. Run it on a machine that does nothing else.
set -eu

if [ $# -lt 3 ]; then
    echo "usage: $0 NEW_CLI OLD_CLI MAKE_LARGEST_CODEPLUGS [RUNS]" >&2
    exit 2
fi
new=$(realpath "$1")
old=$(realpath "$2")
make_largest=$(realpath "$3")
runs=${4:-20}
here=$(cd "$(dirname "$0")/.." && pwd)
real=${PLUGWRIGHT_REAL_FIXTURES:-$here/../shared/fixtures/real}
uv380=$real/MD-UV380_400-480_136-174.rdt

for tool in hyperfine /usr/bin/time dmrconfig; do
    command -v "$tool" >/dev/null || { echo "$tool is needed (Debian: hyperfine, time, dmrconfig)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$make_largest" "$work"
cp "$uv380" "$work/uv380.rdt"

# The median of the maximum resident set size, in MB, of RUNS runs of the command, each after the
# preparation given first.
peak()
{
    prepare=$1
    shift
    i=0
    while [ $i -lt "$runs" ]; do
        sh -c "$prepare"
        /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1 || true
        cat "$work/rss"
        i=$((i + 1))
    done | sort -n | awk '{ kb[NR] = $1 } END { m = (NR % 2) ? kb[(NR + 1) / 2] : (kb[NR / 2] + kb[NR / 2 + 1]) / 2; printf "%.1f", m / 1000 }'
}

# hyperfine's median in milliseconds of the command, the file to edit fresh before each run. The
# commands are run without a shell (-N): a shell's start, which hyperfine would take off again as
# an estimate, is about as long as dmrconfig's whole run, and could leave it at nothing.
median()
{
    hyperfine -N --style none --warmup 2 --runs "$runs" --export-json "$work/times.json" "$@" >/dev/null
    python3 -c 'import json,sys; print("%.2f" % (json.load(open(sys.argv[1]))["results"][0]["median"] * 1000))' "$work/times.json"
}

echo "runs: $runs; times are medians in ms, peaks medians in MB"
printf '%-44s %12s %12s\n' "" "new" "old"

cp_ms=$(median "cp $work/largest.dcf $work/copy.dcf")
printf '%-44s %12s\n' "cp of the 160,000-contact D868 file" "$cp_ms"
for which in new old; do
    eval cli=\$$which
    eval "${which}_set=\$(median --prepare 'cp $work/largest.dcf $work/edit.dcf' '$cli set-radio $work/edit.dcf --name MEASURED')"
    eval "${which}_set_peak=\$(peak 'cp $work/largest.dcf $work/edit.dcf' $cli set-radio $work/edit.dcf --name MEASURED)"
    eval "${which}_rdb_peak=\$(peak 'cp $work/largest.rdb $work/edit.rdb' $cli set-radio $work/edit.rdb --name MEASURED)"
    eval "${which}_dump=\$(median '$cli dump $work/uv380.rdt')"
done
printf '%-44s %12s %12s\n' "set-radio --name, 160,000-contact D868" "$new_set" "$old_set"
printf '%-44s %12s %12s\n' "  as a multiple of cp" \
    "$(echo "$new_set $cp_ms" | awk '{ printf "%.1fx", $1 / $2 }')" \
    "$(echo "$old_set $cp_ms" | awk '{ printf "%.1fx", $1 / $2 }')"
printf '%-44s %12s %12s\n' "  peak (MB)" "$new_set_peak" "$old_set_peak"
printf '%-44s %12s %12s\n' "set-radio --name, 130,000-contact RDB, peak" "$new_rdb_peak" "$old_rdb_peak"
dmrconfig_ms=$(median "dmrconfig $work/uv380.rdt")
printf '%-44s %12s %12s\n' "dump of the vendor MD-UV380 file" "$new_dump" "$old_dump"
printf '%-44s %12s\n' "dmrconfig FILE of the same file" "$dmrconfig_ms"
printf '%-44s %12s %12s\n' "  dump as a multiple of dmrconfig" \
    "$(echo "$new_dump $dmrconfig_ms" | awk '{ printf "%.1fx", $1 / $2 }')" \
    "$(echo "$old_dump $dmrconfig_ms" | awk '{ printf "%.1fx", $1 / $2 }')"
