#!/usr/bin/env bash
# Tests the Windows build under wine (run it under Xvfb when there is no display):
#  1. the core test suite as a Windows program;
#  2. --check, --tracks, --export-parts and --export-plan against the Linux build on the golden
#     layouts: the same exit codes, the same bytes for check lines and CSV files, the same page
#     count for PDF; and the same German messages under LANGUAGE=de;
#  3. the program's window opening a layout named on the command line ("Bahnhof Süd.plo");
#  4. the installer: silent install, Start-menu entry, .plo association, uninstall.
# Usage: scripts/test-windows.sh [windows-build-dir] [linux-build-dir]   (build-win, build)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win=$root/${1:-build-win}
linux=$root/${2:-build}
data=$root/tests/data
version=$(sed -n 's/^project(Plandor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
scratch=$(mktemp -d)
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  wineserver -k 2>/dev/null # this run's own prefix only
  rm -rf "$scratch"
}
trap cleanup EXIT
t0=$(date +%s)
lap() { echo "== $1 ($(( $(date +%s) - t0 )) s)"; }

lap "wine prefix"
wineboot -i >/dev/null 2>&1

lap "core tests under wine"
(cd "$win" && wine ./core_tests.exe --gtest_brief=1) || fail "core tests"

lap "command line against the Linux build"
out=$scratch/out
mkdir -p "$out/linux" "$out/win"
run_both() { # name, arguments... (files written go to OUT/, given as "OUT/...")
  local name=$1; shift
  for side in linux win; do
    local args=("${@//OUT/$out/$side}")
    if [ $side = linux ]; then
      (cd "$data" && "$linux/plandor" "${args[@]}") >"$out/$side/$name.stdout" 2>"$out/$side/$name.stderr"
    else
      (cd "$data" && wine "$win/plandor.exe" "${args[@]}") >"$out/$side/$name.stdout" 2>"$out/$side/$name.stderr"
    fi
    echo $? >"$out/$side/$name.rc"
  done
  for part in stdout stderr rc; do
    cmp -s "$out/linux/$name.$part" "$out/win/$name.$part" ||
      fail "$name: $part differs: $(diff "$out/linux/$name.$part" "$out/win/$name.$part" | head -5)"
  done
}
layouts=(layout_all_sections.plo print_label.plo)
for f in "$data"/corpus/*; do layouts+=("corpus/$(basename "$f")"); done
for layout in "${layouts[@]}"; do
  n=$(basename "$layout" .plo)
  run_both "$n.check" --check "$layout"
  run_both "$n.tracks" --tracks "$layout"
  run_both "$n.parts" --export-parts "OUT/$n.csv" --export-tracks "OUT/$n-tracks.csv" "$layout"
  for csv in "$n.csv" "$n-tracks.csv"; do
    [ -e "$out/linux/$csv" ] || continue
    cmp -s "$out/linux/$csv" "$out/win/$csv" || fail "$csv differs"
  done
done
for layout in layout_all_sections.plo print_label.plo corpus/far_piece_pages.plo; do
  n=$(basename "$layout" .plo)
  run_both "$n.plan" --export-plan "OUT/$n.pdf" --scale 1:20 "$layout"
  # A plan too large to export is refused on both (compared above) and leaves no file.
  linux_pages=$(pdfinfo "$out/linux/$n.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
  win_pages=$(pdfinfo "$out/win/$n.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
  echo "$n.pdf: ${linux_pages:-no file} on Linux, ${win_pages:-no file} on Windows"
  [ "$linux_pages" = "$win_pages" ] || fail "$n.pdf: page counts differ"
done
[ -n "$(pdfinfo "$out/win/layout_all_sections.pdf" 2>/dev/null)" ] || fail "no plan PDF from Windows"

lap "messages in the user's language"
# LANGUAGE reaches the program through wine; its catalogue sits in locale\ beside the .exe.
LANGUAGE=de run_both de.missing --check no-such-layout.plo
LANGUAGE=de run_both de.check --check layout_all_sections.plo
grep -q "Datei kann nicht" "$out/win/de.missing.stderr" ||
  fail "--check does not speak German: $(cat "$out/win/de.missing.stderr")"

lap "window opening a layout from the command line"
folder=$scratch/layouts
mkdir -p "$folder"
cp "$data/layout_all_sections.plo" "$folder/Bahnhof Süd.plo"
wine "$win/plandor.exe" "$folder/Bahnhof Süd.plo" >"$scratch/window.log" 2>&1 &
started+=($!)
window=""
for _ in $(seq 60); do
  window=$(xdotool search --name "Bahnhof Süd" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 1
done
if [ -n "$window" ]; then
  echo "window: $(xdotool getwindowname "$window")"
  [ -n "${PLANDOR_WINE_SCREENSHOT:-}" ] && { sleep 3; import -window root "$PLANDOR_WINE_SCREENSHOT"; }
else
  fail "no window titled \"Bahnhof Süd\" within 60 s: $(cat "$scratch/window.log")"
fi
kill "${started[-1]}" 2>/dev/null
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null

lap "installer"
setup=$root/dist/plandor-$version-setup.exe
programs="$WINEPREFIX/drive_c/Program Files/Plandor"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Plandor.lnk"
if [ -e "$setup" ]; then
  wine "$setup" /S; wineserver -w
  [ -e "$programs/plandor.exe" ] && [ -e "$programs/shop-variants.tsv" ] || fail "installer: program files missing"
  [ -e "$menu" ] || fail "installer: no Start-menu entry"
  wine reg query 'HKLM\Software\Classes\.plo' 2>/dev/null | grep -q Plandor.Layout ||
    fail "installer: .plo is not associated"
  (cd "$data" && wine "$programs/plandor.exe" --check layout_all_sections.plo) >"$scratch/installed.out" 2>&1
  cmp -s "$scratch/installed.out" "$out/linux/layout_all_sections.check.stdout" ||
    fail "installed program: --check output differs"
  said=$(cd "$data" && LANGUAGE=de wine "$programs/plandor.exe" --check no-such-layout.plo 2>&1)
  grep -q "Datei kann nicht" <<<"$said" || fail "installed program: no German catalogue: $said"
  wine "$programs/uninstall.exe" /S; wineserver -w
  for _ in $(seq 20); do [ -e "$programs/plandor.exe" ] || break; sleep 1; done
  [ ! -e "$programs/plandor.exe" ] && [ ! -e "$menu" ] || fail "uninstaller left files behind"
  wine reg query 'HKLM\Software\Classes\.plo' >/dev/null 2>&1 && fail "uninstaller left the .plo association"
else
  fail "no installer at $setup (run scripts/build-windows.sh)"
fi

lap "done"
[ "$failures" -eq 0 ] && echo "Windows build: all checks passed" || echo "Windows build: $failures failures"
[ "$failures" -eq 0 ]
