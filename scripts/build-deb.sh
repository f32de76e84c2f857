#!/usr/bin/env bash
# Builds the Debian package dist/plandor_<version>-1_amd64.deb with cpack (a Release build in
# build-deb/; dependencies found by dpkg-shlibdeps) and checks it with lintian.
# With --check it then installs the package with apt-get, starts the installed program under
# Xvfb, checks a layout with it, and removes the package again. CI packs its test build instead
# (BUILD_DIR, configured as it is) to save a third build of the program.
# Usage: scripts/build-deb.sh [--check] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=""
if [ "${1:-}" = "--check" ]; then check=1; shift; fi
given=${1:-}
dir=$root/${given:-build-deb}
SUDO=""; if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

"$root/scripts/install-deps.sh"
missing=()
for p in dpkg-dev lintian file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y \
    --no-install-recommends "${missing[@]}"
fi

if [ -z "$given" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLANDOR_BENCH=OFF >/dev/null
fi
nice cmake --build "$dir" -j 2 --target plandor deb_changelog
rm -f "$dir"/plandor_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
mkdir -p "$root/dist"
deb=$(ls "$dir"/plandor_*.deb)
cp "$deb" "$root/dist/"
deb=$root/dist/$(basename "$deb")
echo "$deb: $(du -h "$deb" | cut -f1)"
dpkg-deb -f "$deb" Depends
# Errors fail the build; warnings are shown.
lintian --fail-on error --suppress-tags no-manual-page "$deb"

if [ -n "$check" ]; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y "$deb" >/dev/null
  trap 'DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 remove -y plandor >/dev/null' EXIT
  [ "$(command -v plandor)" = /usr/bin/plandor ] || { echo "plandor is not on the PATH" >&2; exit 1; }
  # The installed program finds its shop data in /usr/share/plandor and checks a layout.
  # (exit 1: the layout has errors, as it should.)
  plandor --check "$root/tests/data/layout_all_sections.plo" >/dev/null || [ $? -eq 1 ]
  # It opens its window and ends at the first idle moment.
  started=$(PLANDOR_EXIT_WHEN_IDLE=1 xvfb-run -a -s "-screen 0 1920x1080x24" \
    timeout 120 plandor "$root/tests/data/layout_all_sections.plo" 2>&1)
  grep -q '^idle:' <<<"$started" || { echo "the installed program did not start: $started" >&2; exit 1; }
  echo "installed package starts: ${started##*idle: }"
fi
