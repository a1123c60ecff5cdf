#!/usr/bin/env bash
# Installs what is missing, builds Orvex (release) and runs its main job: reading the bundled
# demo entry form. Extra arguments go to orvex-read.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_TESTS=OFF -DORVEX_BENCH=OFF >/dev/null
ninja -C build/release -j"$(nproc)" orvex-read >/dev/null
if [ $# -eq 0 ]; then
  set -- resources/demo/entry.html
fi
exec build/release/tools/orvex-read "$@"
