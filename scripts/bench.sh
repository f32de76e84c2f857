#!/usr/bin/env bash
# Builds and runs every benchmark (GUI drawing benchmarks under Xvfb when there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
for b in "$root"/build/*_bench; do
  echo "== $(basename "$b") =="
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1920x1080x24" "$b"
  else
    "$b"
  fi
done
