#!/usr/bin/env bash
# Builds the libraries the Windows build links statically: libpng, pixman, cairo and wxWidgets
# (MSW, OpenGL, cairo renderer), cross-compiled from Debian's own source packages into
# PREFIX. Usage: scripts/build-windows-deps.sh PREFIX
#
# PREFIX/.recipe holds a hash of this script and of the wx patch; while it matches, nothing is
# rebuilt. Any change to the recipe rebuilds the whole prefix (about 12 minutes on two cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:?usage: build-windows-deps.sh PREFIX}
host=x86_64-w64-mingw32
wx_patch=$root/packaging/windows/wxwidgets-msw-cairo.patch
recipe=$(cat "$0" "$wx_patch" | sha256sum | cut -d' ' -f1)

if [ "$(cat "$prefix/.recipe" 2>/dev/null)" = "$recipe" ]; then
  echo "Windows libraries are up to date in $prefix"
  exit 0
fi

# Debian source package, upstream tarball inside it, and that tarball's checksum: only the
# upstream sources are built (Debian's patches are for Linux), so the result does not move
# with Debian revisions.
SOURCES=(
  "libpng1.6   libpng1.6_1.6.39.orig.tar.gz         a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441"
  "pixman      pixman_0.42.2.orig.tar.gz            ea1480efada2fd948bc75366f7c349e1c96d3297d09a3fe62626e38e234a625e"
  "cairo       cairo_1.16.0.orig.tar.xz             5e7b29b3f113ef870d1e3ecf8adf21f923396401604bda16d44be45e66052331"
  "wxwidgets3.2 wxwidgets3.2_3.2.2+dfsg.orig.tar.xz e825125ac61f68548a3faae0fd5b3fc5377c0538961f02ac7cc2f0eae4e4f3e4"
)

cache=$(dirname "$prefix")
downloads=$cache/sources
work=$prefix.build
jobs=${PLANDOR_JOBS:-2}

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# `apt-get source` needs a deb-src line beside each deb one.
ensure_source_entries() {
  if apt-cache showsrc wxwidgets3.2 2>/dev/null | grep -q '^Package:'; then return; fi
  local list=/etc/apt/sources.list.d/debian.sources
  if [ -f "$list" ]; then
    $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' "$list"
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $SUDO tee /etc/apt/sources.list.d/plandor-src.list >/dev/null
  fi
  $SUDO apt-get update
}

fetch() {
  local package=$1 tarball=$2 sum=$3
  local version
  if ! echo "$sum  $downloads/$tarball" | sha256sum -c --quiet >/dev/null 2>&1; then
    ensure_source_entries
    # Each Debian revision of the package carries the same upstream tarball; a mirror may lack
    # some revision, so each one listed is tried until the tarball is there.
    for version in $(apt-cache showsrc --only-source "$package" | sed -n 's/^Version: //p'); do
      (cd "$downloads" && apt-get source --download-only --tar-only "$package=$version") \
        >/dev/null 2>&1 && [ -e "$downloads/$tarball" ] && break
    done
    echo "$sum  $downloads/$tarball" | sha256sum -c --quiet
  fi
  tar -C "$work" -xf "$downloads/$tarball"
}

mkdir -p "$downloads"
rm -rf "$prefix" "$work"
mkdir -p "$prefix/bin" "$work"
for entry in "${SOURCES[@]}"; do
  # shellcheck disable=SC2086
  fetch $entry
done

# wx's configure asks for ${host}-pkg-config; static links need the private libraries too.
cat > "$prefix/bin/$host-pkg-config" <<PKG
#!/bin/sh
PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig:/usr/$host/lib/pkgconfig" exec pkg-config --static "\$@"
PKG
chmod +x "$prefix/bin/$host-pkg-config"

launcher=""
if command -v ccache >/dev/null; then launcher="ccache "; fi
export CC="${launcher}$host-gcc-posix" CXX="${launcher}$host-g++-posix"
export CFLAGS=-O2 CXXFLAGS=-O2 CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
export PKG_CONFIG="$prefix/bin/$host-pkg-config"
common=(--host=$host --build=x86_64-linux-gnu --prefix="$prefix" --disable-shared)

step() { echo "== $1 ($(date +%T))"; }
build() { # folder, log name, configure arguments...; $part: the sub-folder to make, if not all
  local dir=$1 log=$2; shift 2
  (cd "$dir" && "$@" && make -C "${part:-.}" -j"$jobs" && make -C "${part:-.}" install) \
    >"$work/$log.log" 2>&1 ||
    { tail -40 "$work/$log.log"; echo "failed: $log (log in $work/$log.log)" >&2; exit 1; }
}

step libpng
build "$work/libpng-1.6.39" libpng ./configure "${common[@]}" --enable-static

# Its tools and manual pages are not needed here.
rm -f "$prefix"/bin/libpng*-config "$prefix"/bin/png*.exe
rm -rf "$prefix/share/man"

step pixman
build "$work/pixman-0.42.2" pixman ./configure "${common[@]}" --enable-static \
  --disable-gtk --disable-libpng --disable-openmp

step cairo
# The library only: cairo's test suite wants FreeType.
part=src build "$work/cairo-1.16.0" cairo ./configure "${common[@]}" --enable-static \
  --enable-win32 --enable-win32-font --enable-png --enable-pdf --enable-svg --enable-ps \
  --disable-xlib --disable-xcb --disable-ft --disable-fc --disable-gl --disable-glesv2 \
  --disable-egl --disable-glx --disable-wgl --disable-quartz --disable-script \
  --disable-interpreter --disable-trace --disable-symbol-lookup --disable-gtk-doc \
  --disable-valgrind
# A static link of cairo needs the Windows libraries its .pc leaves out, and libssp for the
# fortified string calls; without them wx's configure finds cairo "too old" and drops it.
sed -i 's/^Libs.private:.*/& -lgdi32 -lmsimg32 -lssp/' "$prefix/lib/pkgconfig/cairo.pc"

step wxWidgets
patch -d "$work/wxWidgets-3.2.2" -p1 <"$wx_patch" >/dev/null
mkdir -p "$work/wx-build"
# Only what the program uses: base, core, gl and the cairo renderer.
LIBS=-lssp build "$work/wx-build" wx ../wxWidgets-3.2.2/configure "${common[@]}" \
  --with-msw --with-opengl --with-cxx=17 --with-libpng=sys --with-zlib=sys --with-cairo \
  --without-libjpeg --without-libtiff --without-expat --without-liblzma --without-libcurl \
  --without-subdirs --disable-webview --disable-mediactrl --disable-stc --disable-ribbon \
  --disable-propgrid --disable-richtext --disable-aui --disable-xrc --disable-html \
  --disable-htmlhelp --disable-webrequest --disable-sockets --disable-ipc --disable-protocols \
  --disable-url --disable-fs_inet --disable-sound --disable-joystick --disable-calendar \
  --disable-datepick --disable-timepick --disable-grid --disable-dataviewctrl --disable-treelist \
  --disable-animatectrl --disable-wizarddlg --disable-tipdlg --disable-taskbaricon \
  --disable-notifmsg --disable-infobar --disable-bannerwindow --disable-commandlinkbutton \
  --disable-richtooltip --disable-rearrangectrl --disable-addremovectrl --disable-fswatcher \
  --disable-svg
grep -q '^#define wxUSE_CAIRO 1' "$prefix"/lib/wx/include/*/wx/setup.h ||
  { echo "wxWidgets was configured without cairo (see $work/wx-build/config.log)" >&2; exit 1; }

rm -rf "$work"
echo "$recipe" >"$prefix/.recipe"
step done
