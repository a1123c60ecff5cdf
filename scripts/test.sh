#!/usr/bin/env bash
# Installs what is missing, builds Orvex with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test, checks the layering, and gives each fuzz target a short run.
# Environment: ORVEX_FUZZ_SECONDS (default 20 per target; 0 skips fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/deps.sh

echo "== layering: every include follows ARCHITECTURE.md"
scripts/check_layers.sh

echo "== build (sanitizers)"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON -DORVEX_BENCH=ON >/dev/null
ninja -C build/test -j"$jobs"

echo "== tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/test --output-on-failure -j"$jobs" --timeout 900

fuzz_seconds=${ORVEX_FUZZ_SECONDS:-20}
if [ "$fuzz_seconds" -gt 0 ]; then
  echo "== fuzz targets (${fuzz_seconds}s each)"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVEX_FUZZ=ON \
    -DORVEX_TESTS=OFF -DORVEX_BENCH=OFF -DORVEX_GUI=OFF >/dev/null
  ninja -C build/fuzz -j"$jobs"
  mapfile -t fuzzers < <(grep -v "^$" build/fuzz/fuzzers.txt)
  for f in "${fuzzers[@]}"; do
    corpus="build/fuzz/corpus/$(basename "$f")"
    mkdir -p "$corpus"
    log="build/fuzz/$(basename "$f").log"
    if ! "$f" -max_total_time="$fuzz_seconds" -rss_limit_mb=4096 -print_final_stats=1 "$corpus" >"$log" 2>&1; then
      tail -n 40 "$log" >&2
      echo "fuzz target $f failed" >&2
      exit 1
    fi
    echo "-- $(basename "$f"): $(grep -E 'stat::number_of_executed_units' "$log" | awk '{print $2}') executions, no crash"
  done
fi
echo "== all checks passed"
