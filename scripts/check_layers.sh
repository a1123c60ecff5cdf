#!/usr/bin/env bash
# Fails when a core, page-model or browser folder includes a Qt header: only the GUI uses Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
core=(text profile settings engine fill links history page devtools browser kvsub tools)
hits=$(for d in "${core[@]}"; do [ -d "$d" ] && find "$d" -name '*.h' -o -name '*.cpp' | grep -v '/gui/' ; done |
  xargs -r grep -l -E '#include\s*[<"]Q[A-Za-z]+' || true)
if [ -n "$hits" ]; then
  echo "Qt headers outside the GUI layer:" >&2
  echo "$hits" >&2
  exit 1
fi
