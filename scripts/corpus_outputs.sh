#!/usr/bin/env bash
# Writes what orvex-read makes of every page of ../shared/forms into OUTDIR (entries, the engine's
# form texts, the debug view, and the writes of the first sample person as JSON), so that two
# builds can be compared with `diff -r OUTDIR1 OUTDIR2`. Extra arguments go to every orvex-read
# call (e.g. --rules documented).
# Usage: scripts/corpus_outputs.sh OUTDIR [ORVEX_READ] [-- extra arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: scripts/corpus_outputs.sh OUTDIR [ORVEX_READ] [-- extra arguments]}
shift
read_tool=build/release/bin/orvex-read
if [ $# -gt 0 ] && [ "$1" != "--" ]; then read_tool=$1; shift; fi
[ "${1:-}" = "--" ] && shift
forms=../shared/forms
[ -d "$forms" ] || { echo "no pages in $forms" >&2; exit 1; }
[ -x "$read_tool" ] || { echo "no $read_tool: build it first" >&2; exit 1; }
person=resources/sample/userdata.ini
mkdir -p "$out"
for page in "$forms"/*.html; do
  name=$(basename "$page" .html)
  "$read_tool" "$@" "$page" >"$out/$name.entries" 2>&1 || true
  "$read_tool" "$@" --forms "$page" >"$out/$name.forms" 2>&1 || true
  "$read_tool" "$@" --debug "$page" >"$out/$name.debug" 2>&1 || true
  "$read_tool" "$@" --json --person "$person" --today 2026-12-07 "$page" >"$out/$name.fill.json" 2>&1 || true
done
echo "wrote $(ls "$out" | wc -l) files to $out"
