#!/usr/bin/env bash
# Builds the benchmarks and prints one table of their medians. Printing goes
# to a private spooler (never to real paper), saving to a scratch copy of the
# sample working folder. With --test-run it also times the whole test command
# (scripts/test.sh, some minutes).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
scratch=$(mktemp -d /tmp/settleslip-bench.XXXXXX)
spooler=("$top/scripts/print-spooler.sh")
[ "$(id -u)" -eq 0 ] || spooler=(sudo "${spooler[@]}")
trap '"${spooler[@]}" stop "$scratch/spool"; rm -rf "$scratch"' EXIT

"$top/scripts/build.sh" "$build" >/dev/null
export QT_QPA_PLATFORM=offscreen
server=$("${spooler[@]}" start "$scratch/spool" "$scratch/jobs" | sed -n 's/^CUPS_SERVER=//p')
export CUPS_SERVER=$server SLIP_CAPTURE_DIR=$scratch/jobs
unset PRINTER LPDEST
cp -r "$top/examples/workdir" "$scratch/work"

rows=$scratch/rows
: >"$rows"
(cd "$scratch/work" && "$build/bench/startup_bench" "$build/bench/startup_probe" 20 2>/dev/null) >>"$rows"
"$build/bench/print_bench" 2>/dev/null >>"$rows"
(cd "$scratch/work" && "$build/bench/records_save_bench" 2>/dev/null) >>"$rows"

if [ "${1:-}" = "--test-run" ]; then
  started=$(date +%s)
  "$top/scripts/test.sh" >"$scratch/test-run.log" 2>&1 || { echo "The test command failed; see its output:" >&2; tail -n 30 "$scratch/test-run.log" >&2; exit 1; }
  printf 'whole test command (one run, built tree)\t%s s\n' "$(( $(date +%s) - started ))" >>"$rows"
fi

printf '| %-58s | %12s |\n' "measure" "median"
printf '| %-58s | %12s |\n' "$(printf -- '-%.0s' {1..58})" "------------"
while IFS=$'\t' read -r measure value; do
  printf '| %-58s | %12s |\n' "$measure" "$value"
done <"$rows"
