#!/usr/bin/env bash
# The desktop program's targets, measured on a private X server with openbox: the time from the
# start of `orvex` to its bar shown (the browser's own start is not counted: the bar shows before
# the browser is started), the longest step of the UI thread while the demo page is read and
# filled (the program's timer probe), and the program's resident memory with two browser windows
# followed. Run it from a Release build on a quiet machine:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release && ninja -C build/release orvex
#   bench/program_bench.sh [build/release/bin/orvex] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
orvex=${1:-build/release/bin/orvex}
runs=${2:-5}
[ -x "$orvex" ] || { echo "no $orvex: build it first" >&2; exit 1; }
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/orvex-program-bench-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number: parallel runs never share one.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
number=$(tr -d '\n' <"$work/display")
[ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number" XAUTHORITY=/dev/null QT_QPA_PLATFORM=xcb
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

now_ms() { date +%s%3N; }

# The bar's window, once mapped: its WM_CLASS instance is "frmMain".
bar_shown() {
  local id
  for id in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -o '0x[0-9a-f]*'); do
    xprop -id "$id" WM_CLASS 2>/dev/null | grep -q '"frmMain"' && return 0
  done
  return 1
}

# Windows the bar follows: the browser's top-level windows.
browser_windows() {
  xdotool search --onlyvisible --class chromium 2>/dev/null | wc -l
}

starts=() steps=() memories=()
for run in $(seq 1 "$runs"); do
  home="$work/run$run"
  mkdir -p "$home/data" "$home/config/orvex" "$home/runtime"
  chmod 700 "$home/runtime"
  cp resources/sample/userdata.ini "$home/data/userdata.ini"
  page="file://$PWD/resources/demo/entry.html"
  printf '[data]\nFirstPageMode=3\nFirstPageUrl=%s\n' "$page" >"$home/config/orvex/settings.ini"
  probe="$home/probe.txt"

  begin=$(now_ms)
  ORVEX_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
    ORVEX_UI_PROBE="$probe" "$orvex" >"$home/orvex.log" 2>&1 &
  pid=$!
  until bar_shown; do
    kill -0 "$pid" 2>/dev/null || { echo "orvex ended early; see $home/orvex.log" >&2; exit 1; }
    sleep 0.005
  done
  starts+=($(( $(now_ms) - begin )))

  # The first page opens and is filled; then the user opens a second window (Ctrl+N).
  for _ in $(seq 1 300); do [ "$(browser_windows)" -ge 1 ] && break; sleep 0.1; done
  sleep 4
  window=$(xdotool search --onlyvisible --class chromium | head -n 1)
  xdotool windowactivate --sync "$window" key --clearmodifiers ctrl+n
  for _ in $(seq 1 100); do [ "$(browser_windows)" -ge 2 ] && break; sleep 0.1; done
  sleep 2
  memories+=($(( $(awk '/^VmRSS/ {print $2}' "/proc/$pid/status") / 1024 )))
  windows=$(browser_windows)

  kill -TERM "$pid"
  wait "$pid" || true
  steps+=("$(sed -n 's/^longest UI step while a page was read and filled: \([0-9]*\) ms$/\1/p' "$probe")")
  echo "run $run: bar shown ${starts[-1]} ms, longest step while filling ${steps[-1]:-?} ms ($(sed -n 's/^pages filled: //p' "$probe") pages filled), resident ${memories[-1]} MB with $windows windows"
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median of $runs runs: bar shown $(median "${starts[@]}") ms (target 300), longest UI step while filling $(median "${steps[@]}") ms (target 50), resident $(median "${memories[@]}") MB with two windows (target 80)"
