#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build

"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build"

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
