#!/usr/bin/env bash
# Installs what is missing, builds Orvex (release) in build/pkg and packs it as a Debian package,
# build/pkg/orvex_VERSION_ARCH.deb; prints the line that installs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_TESTS=OFF -DORVEX_BENCH=OFF >/dev/null
ninja -C build/pkg -j"$(nproc)" >/dev/null
rm -f build/pkg/orvex_*.deb
if ! (cd build/pkg && cpack -G DEB >cpack.log 2>&1); then
  cat build/pkg/cpack.log >&2
  exit 1
fi
deb=$(ls build/pkg/orvex_*.deb)
echo "Built $deb ($(du -h "$deb" | cut -f1)). Install it with:"
echo "  apt-get install ./$deb"
