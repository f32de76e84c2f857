#!/usr/bin/env bash
# Builds Plandor (installing what is missing) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" build
# Debian's wxWidgets draws its GL canvas through GLX only.
if [ -n "${WAYLAND_DISPLAY:-}" ]; then export GDK_BACKEND=x11; fi
exec "$root/build/plandor"
