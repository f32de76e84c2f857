#!/usr/bin/env bash
# Builds the program alone (installing what is missing), in Release in build-release/, and
# starts it. Tests and benchmarks are built by scripts/test.sh and scripts/bench.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLANDOR_BENCH=OFF
cmake --build "$root/build-release" --target plandor
# Debian's wxWidgets draws its GL canvas through GLX only.
if [ -n "${WAYLAND_DISPLAY:-}" ]; then export GDK_BACKEND=x11; fi
exec "$root/build-release/plandor" "$@"
