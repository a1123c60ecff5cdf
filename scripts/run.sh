#!/usr/bin/env bash
# Installs what is missing, builds Orvex (release) and runs its main job: reading the bundled
# demo entry form and filling it with the first sample person, printing what was written where.
# Extra arguments go to orvex-read instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_TESTS=OFF -DORVEX_BENCH=OFF >/dev/null
ninja -C build/release -j"$(nproc)" orvex-read >/dev/null
if [ $# -eq 0 ]; then
  set -- --person resources/sample/userdata.ini resources/demo/entry.html
fi
exec build/release/bin/orvex-read "$@"
