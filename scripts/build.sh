#!/usr/bin/env bash
# Configures and builds Plandor. Usage: scripts/build.sh [build-dir] [extra cmake args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}
shift || true
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/$dir" -G Ninja "$@"
cmake --build "$root/$dir"
