#!/usr/bin/env bash
# Installs what is missing, builds Orvex (release) and runs it:
# - with a display (DISPLAY set and reachable): the desktop program, the bar docked at the edge
#   of the screen;
# - without one: its main job headless, reading the bundled demo entry form and filling it with
#   the first sample person, printing what was written where, and how to start the bar.
# Extra arguments go to orvex-read instead (and select the headless run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_TESTS=OFF -DORVEX_BENCH=OFF >/dev/null

display_reachable() {
  [ -n "${DISPLAY:-}" ] && command -v xdpyinfo >/dev/null && xdpyinfo >/dev/null 2>&1
}

has_bar() {
  ninja -C build/release -t targets all 2>/dev/null | grep -q '^orvex:'
}

if [ $# -eq 0 ] && display_reachable && has_bar; then
  ninja -C build/release -j"$(nproc)" orvex >/dev/null
  echo "Starting the Orvex bar on $DISPLAY (its menu's 終了 ends it)."
  exec build/release/bin/orvex
fi

ninja -C build/release -j"$(nproc)" orvex-read >/dev/null
if [ $# -eq 0 ]; then
  echo "No display here: filling the demo form headless. With a display, scripts/run.sh starts the bar" \
       "(or run build/release/bin/orvex)." >&2
  set -- --person resources/sample/userdata.ini resources/demo/entry.html
fi
exec build/release/bin/orvex-read "$@"
