#!/usr/bin/env bash
# Builds Plandor twice (plain, and with AddressSanitizer + UBSan) and runs every test.
# GUI tests run under Xvfb when there is no display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" build
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DPLANDOR_SANITIZE=ON -DPLANDOR_BENCH=OFF

run_ctest() {
  if [ -n "${DISPLAY:-}" ]; then
    ctest --test-dir "$1" --output-on-failure
  else
    xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir "$1" --output-on-failure
  fi
}
echo "== tests =="
run_ctest "$root/build"
echo "== tests with AddressSanitizer and UndefinedBehaviorSanitizer =="
run_ctest "$root/build-asan"
