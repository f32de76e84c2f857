#!/usr/bin/env bash
# Cross-builds Plandor for 64-bit Windows on Debian and packs it:
#   dist/plandor-<version>-win64.zip   the program and its data files, to unpack anywhere
#   dist/plandor-<version>-setup.exe   installer (Program Files, Start menu, .plo files, uninstaller)
# The Windows libraries are built once into PLANDOR_WIN_CACHE (default ~/.cache/plandor-win) and
# kept; scripts/build-windows-deps.sh rebuilds them when its recipe changes.
# Usage: scripts/build-windows.sh [build-dir]   (default build-win)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/${1:-build-win}
cache=${PLANDOR_WIN_CACHE:-$HOME/.cache/plandor-win}

PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev googletest gettext
          wine wine64 nsis zip pkg-config make patch xz-utils cmake ninja-build ccache)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y \
    --no-install-recommends "${missing[@]}"
fi

start=$(date +%s)
nice bash "$root/scripts/build-windows-deps.sh" "$cache/prefix"
echo "Windows libraries ready after $(( $(date +%s) - start )) s"

cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DPLANDOR_WIN_PREFIX="$cache/prefix" -DCMAKE_BUILD_TYPE=Release -DPLANDOR_BENCH=OFF
nice cmake --build "$dir" -j 2 --target plandor core_tests
echo "Windows build done after $(( $(date +%s) - start )) s"

version=$(sed -n 's/^project(Plandor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
stage=$dir/stage/Plandor
rm -rf "$dir/stage" && mkdir -p "$stage" "$root/dist"
cmake --install "$dir" --prefix "$stage" >/dev/null
x86_64-w64-mingw32-strip "$stage/plandor.exe"
rm -f "$root/dist/plandor-$version-win64.zip"
(cd "$dir/stage" && zip -qr -9 "$root/dist/plandor-$version-win64.zip" Plandor)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/packaging/windows/plandor.ico" \
  -DOUTFILE="$root/dist/plandor-$version-setup.exe" "$root/packaging/windows/plandor.nsi"
ls -l "$root/dist/plandor-$version-win64.zip" "$root/dist/plandor-$version-setup.exe"
