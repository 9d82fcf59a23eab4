#!/usr/bin/env bash
# Shows the window under a virtual display and saves a screenshot of it.
#   screenshot.sh OUTPUT.png [BUILD_DIR]
# The program runs in a fresh copy of examples/workdir; without a default
# printer a private spooler stands in for one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:?usage: screenshot.sh OUTPUT.png [BUILD_DIR]}")
build=$(realpath "${2:-$top/build}")
scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -f "$scratch/spool/cupsd.pid" ] && "$top/scripts/print-spooler.sh" stop "$scratch/spool"
  rm -rf "$scratch"
}
trap cleanup EXIT

cp -r "$top/examples/workdir" "$scratch/work"
if ! lpstat -d 2>/dev/null | grep -q 'system default destination:'; then
  export "$("$top/scripts/print-spooler.sh" start "$scratch/spool" "$scratch/printed" | grep '^CUPS_SERVER=')"
fi

# Xvfb picks a free display and names it once it accepts clients; it does
# not start over when its last client leaves.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q . "$scratch/display" && break; sleep 0.1; done
grep -q . "$scratch/display" || { echo "The virtual display did not start." >&2; exit 1; }
display=:$(head -n 1 "$scratch/display")

(cd "$scratch/work" && DISPLAY=$display QT_QPA_PLATFORM=xcb exec "$build/src/app/settleslip") &
pids+=($!)
window=
for _ in $(seq 100); do
  window=$(DISPLAY=$display xdotool search --name '城镇居民医保结算单' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "The window did not appear." >&2; exit 1; }
sleep 1
DISPLAY=$display import -window "$window" "$out"
echo "Screenshot saved: $out"
