#!/usr/bin/env bash
# Installs the Debian 12 packages Orvex needs to build, test and run, when any is missing.
# As root it installs them; otherwise it prints the exact apt-get line and fails.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config git
  # libraries
  libicu-dev libgumbo-dev nlohmann-json3-dev qt6-base-dev qt6-svg-dev libqt6svg6 libxcb1-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # the browser Orvex drives, and a display server for GUI tests without a screen
  chromium xvfb xauth fonts-noto-cjk
  # a window manager that honours struts, real input, window properties and screenshots
  openbox xdotool x11-utils imagemagick
  # reading the clipboard back from outside the program
  xclip
  # finding the program's controls by name: the accessibility bus and its Python client
  dbus at-spi2-core python3-pyatspi
  # the .deb (dpkg-shlibdeps, file), its checks, and the icons rendered from SVG
  dpkg-dev file desktop-file-utils appstream lintian librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Orvex needs these packages. Run as root:" >&2
  echo "  apt-get update && $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
