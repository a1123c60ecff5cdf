#!/usr/bin/env bash
# Checks the layering of ARCHITECTURE.md: every project include of every source file must name a
# folder that the file's folder may depend on (the `layers` block there), and only the folders
# marked "qt" may include Qt headers. A folder without a line in the block fails, so a new folder
# is a deliberate act.
set -euo pipefail
cd "$(dirname "$0")/.."

# The `layers` block: lines "folder: dependency ... [qt]" between ```layers and ```.
table=$(awk '/^```layers$/ {on = 1; next} on && /^```/ {exit} on' ARCHITECTURE.md)
if [ -z "$table" ]; then
  echo "ARCHITECTURE.md has no layers block" >&2
  exit 1
fi

declare -A allowed qt
while IFS= read -r line; do
  [ -z "$line" ] && continue
  folder=${line%%:*}
  deps=${line#*:}
  allowed[$folder]=" $folder ${deps//qt/} "
  case " $deps " in *" qt "*) qt[$folder]=1 ;; esac
done <<<"$table"

# The folder a path belongs to: the longest folder of the block that it lies in.
owner() {
  local path=$1 best="" folder
  for folder in "${!allowed[@]}"; do
    case "$path" in
      "$folder"/*) [ ${#folder} -gt ${#best} ] && best=$folder ;;
    esac
  done
  printf '%s' "$best"
}

problems=0
while IFS= read -r file; do
  folder=$(owner "$file")
  if [ -z "$folder" ]; then
    echo "$file: its folder has no line in the layers block of ARCHITECTURE.md" >&2
    problems=1
    continue
  fi
  while IFS= read -r include; do
    target=$(owner "$include")
    [ -z "$target" ] && continue  # not a project folder (a system or library header)
    case "${allowed[$folder]}" in
      *" $target "*) ;;
      *)
        echo "$file: includes $include, but $folder may not depend on $target" >&2
        problems=1
        ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  if [ -z "${qt[$folder]:-}" ] && grep -q -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]' "$file"; then
    echo "$file: includes a Qt header outside the GUI folders" >&2
    problems=1
  fi
done < <(git ls-files -co --exclude-standard -- '*.h' '*.cpp' '*.c' | grep -v -E '^(build|third_party)/' )

if [ "$problems" -ne 0 ]; then
  echo "layering: the includes above break ARCHITECTURE.md" >&2
  exit 1
fi
echo "layering: every include follows ARCHITECTURE.md"
