#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build

"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build"

export QT_QPA_PLATFORM=offscreen

# Printing goes to a private spooler whose default queue keeps each job as a
# PDF in $SLIP_CAPTURE_DIR; it is stopped however the tests end.
spool=$(mktemp -d /tmp/settleslip-spool.XXXXXX)
spooler=("$top/scripts/print-spooler.sh")
[ "$(id -u)" -eq 0 ] || spooler=(sudo "${spooler[@]}")
trap '"${spooler[@]}" stop "$spool/state"; rm -rf "$spool"' EXIT
server=$("${spooler[@]}" start "$spool/state" "$spool/jobs" | sed -n 's/^CUPS_SERVER=//p')
export CUPS_SERVER=$server SLIP_CAPTURE_DIR=$spool/jobs
unset PRINTER LPDEST

cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
