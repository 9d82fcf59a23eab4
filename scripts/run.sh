#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in the working
# folder work/ (seeded from examples/workdir on first use).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
workdir=$top/work

"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build" -DSETTLESLIP_TESTS=OFF -DSETTLESLIP_BENCH=OFF

if [ ! -d "$workdir" ]; then
  cp -r "$top/examples/workdir" "$workdir"
  echo "Working folder made: $workdir"
fi
if [ ! -f "$workdir/2012居民支付表.xls" ]; then
  "$build/src/records/make_workbook" "$workdir"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: this program needs a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
  echo "Run it from a desktop, or under a virtual one: xvfb-run -a $0" >&2
  exit 1
fi

cd "$workdir"

# A machine without a default printer still prints: a private spooler takes
# the slips and keeps each one as a PDF file in work/printed.
if ! lpstat -d 2>/dev/null | grep -q '^system default destination:'; then
  spool=$(mktemp -d /tmp/settleslip-spool.XXXXXX)
  spooler=("$top/scripts/print-spooler.sh")
  [ "$(id -u)" -eq 0 ] || spooler=(sudo "${spooler[@]}")
  trap '"${spooler[@]}" stop "$spool/state"; rm -rf "$spool"' EXIT
  server=$("${spooler[@]}" start "$spool/state" "$workdir/printed" | sed -n 's/^CUPS_SERVER=//p')
  export CUPS_SERVER=$server
  unset PRINTER LPDEST
  echo "No default printer: printed slips are kept as PDF files in $workdir/printed"
  status=0
  "$build/src/app/settleslip" || status=$?
  exit "$status"
fi
exec "$build/src/app/settleslip"
