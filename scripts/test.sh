#!/usr/bin/env bash
# Builds Plandor twice (plain, and with AddressSanitizer + UBSan) and runs every test; then
# cross-builds the Windows program and installer and tests them under wine (the first run builds
# the Windows libraries into the cache, about 15 minutes on two cores; PLANDOR_TEST_WINDOWS=0
# leaves Windows out); then builds, lints, installs and starts the Debian package
# (PLANDOR_TEST_PACKAGES=0 leaves it out). GUI tests run under Xvfb when there is no display.
# CTest runs two tests at a time: every test that uses the display holds its lock, so the window
# tests still run one after another while the core tests and scripts run beside them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
start=$(date +%s)
elapsed() { echo "($(( $(date +%s) - start )) s since the start)"; }
"$root/scripts/build.sh" build
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DPLANDOR_SANITIZE=ON -DPLANDOR_BENCH=OFF

with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1920x1080x24" "$@"
  fi
}
echo "== tests $(elapsed) =="
with_display ctest --test-dir "$root/build" --output-on-failure -j 2
echo "== tests with AddressSanitizer and UndefinedBehaviorSanitizer $(elapsed) =="
with_display ctest --test-dir "$root/build-asan" --output-on-failure -j 2

if [ "${PLANDOR_TEST_WINDOWS:-1}" != 0 ]; then
  echo "== Windows build $(elapsed) =="
  "$root/scripts/build-windows.sh" build-win
  echo "== Windows build under wine $(elapsed) =="
  with_display bash "$root/scripts/test-windows.sh" build-win build
fi
if [ "${PLANDOR_TEST_PACKAGES:-1}" != 0 ]; then
  echo "== Debian package $(elapsed) =="
  "$root/scripts/build-deb.sh" --check build
fi
echo "== all done $(elapsed) =="
