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

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: this program needs a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
  echo "Run it from a desktop, or under a virtual one: xvfb-run -a $0" >&2
  exit 1
fi

cd "$workdir"
exec "$build/src/app/settleslip"
