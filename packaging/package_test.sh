#!/usr/bin/env bash
# Builds the .deb from a build tree, unpacks it into a temporary root (dpkg-deb -x) and checks it
# as a user gets it: the package's name and dependencies, its files, the desktop entry and the
# metainfo, and the unpacked orvex-read --version, orvex --version and --help and a saved-page fill,
# run from a temporary directory with a clean environment (nothing of the build or source tree on
# PATH, no library path, the programs' own directory the only place their library can come from).
# Usage: package_test.sh BUILD_DIR VERSION APP_ID ICON_NAME
set -euo pipefail
build=$1 version=$2 app_id=$3 icon=$4

work=$(mktemp -d "${TMPDIR:-/tmp}/orvex-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
problems=0
fail() {
  echo "FAIL: $*" >&2
  problems=1
}

# gzip instead of xz: the test needs the package's contents, not its smallest form.
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)
deb="$work/out/orvex_${version}_${arch}.deb"
if [ ! -f "$deb" ]; then
  ls "$work/out" >&2
  echo "FAIL: no $(basename "$deb")" >&2
  exit 1
fi

# Control fields: the dependencies come from dpkg-shlibdeps plus the browser and a Japanese font.
[ "$(dpkg-deb -f "$deb" Package)" = orvex ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for d in "chromium" "fonts-noto-cjk | fonts-ipafont-gothic" "libqt6svg6" "libc6" "libqt6widgets6" "libicu72"; do
  case ", $depends," in
    *", $d"[\ ,\(]*) ;;
    *) fail "Depends lacks $d: $depends" ;;
  esac
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/orvex usr/bin/orvex-read usr/bin/libkvsub.so \
         usr/share/orvex/help/index.htm usr/share/orvex/demo/entry.html usr/share/orvex/sample/userdata.ini \
         usr/share/orvex/pictures/bar.svg usr/share/orvex/icons/orvex.ico \
         "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
         "usr/share/icons/hicolor/scalable/apps/$icon.svg" \
         usr/share/man/man1/orvex.1.gz usr/share/man/man1/orvex-read.1.gz \
         usr/share/doc/orvex/copyright usr/share/doc/orvex/changelog.gz; do
  [ -e "$root/$f" ] || fail "missing /$f"
done
for size in 16 32 48 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size" || fail "no ${size}x${size} PNG icon"
done
# The help page's pictures are in the package too.
help_page="$root/usr/share/orvex/help/index.htm"
if [ -f "$help_page" ]; then
  while read -r pic; do
    [ -f "$(dirname "$help_page")/$pic" ] || fail "the help page's picture $pic is missing"
  done < <(grep -o 'src="[^"]*"' "$help_page" | sed 's/^src="//; s/"$//')
fi

# The library: beside the programs as a link into the private directory, exporting its functions.
lib=$(readlink -f "$root/usr/bin/libkvsub.so")
case "$lib" in
  "$root"/usr/lib/*) ;;
  *) fail "libkvsub.so beside the programs leads to $lib" ;;
esac
readelf --dyn-syms "$lib" 2>/dev/null | grep -qw GetDoc || fail "libkvsub.so exports no GetDoc"
for program in orvex orvex-read; do
  if readelf -d "$root/usr/bin/$program" | grep -qE 'RPATH|RUNPATH'; then
    fail "$program carries a library search path"
  fi
done
# No file of the package is owned by anyone but root.
owners=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"')
[ -z "$owners" ] || fail "files not owned by root: $owners"

# lintian: no error (its warnings are printed for the log).
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log" >&2; fail "lintian found errors"; }
grep -E '^[EW]: ' "$work/lintian.log" || true
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "the metainfo has no release $version"

# The unpacked programs, run as a user would: a clean environment, a fresh home, no stdin.
home="$work/home"
mkdir -p "$home"
run() {
  (cd "$work" && env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 "$@" </dev/null)
}
out=$(run "$root/usr/bin/orvex-read" --version) || fail "orvex-read --version failed"
[ "$(head -n1 <<<"$out")" = "orvex-read (Orvex) $version" ] || fail "orvex-read --version: $out"
out=$(run "$root/usr/bin/orvex" --version) || fail "orvex --version failed"
[ "$(head -n1 <<<"$out")" = "orvex (Orvex) $version" ] || fail "orvex --version: $out"
out=$(run "$root/usr/bin/orvex" --help) || fail "orvex --help failed"
grep -qxF "  bundled pages   $root/usr/share/orvex" <<<"$out" || fail "orvex --help names other resources: $out"
grep -qxF "  data directory  $home/.local/share/orvex" <<<"$out" || fail "orvex --help data directory: $out"
[ -e "$home/.local" ] && fail "--help created files in the home directory"

# A saved-page fill from the unpacked tree: the demo form with the first sample person.
share="$root/usr/share/orvex"
out=$(run "$root/usr/bin/orvex-read" --json --person "$share/sample/userdata.ini" "$share/demo/entry.html") ||
  fail "orvex-read fill failed: $out"
writes=$(grep -c '"value": "' <<<"$out" || true)
[ "$writes" -ge 10 ] || fail "the fill wrote $writes text values"
grep -qF '"value": "山田"' <<<"$out" || fail "the fill did not write the sample person's family name"

if [ "$problems" -ne 0 ]; then
  echo "package test failed for $(basename "$deb")" >&2
  exit 1
fi
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes (gzip); Depends: $depends"
