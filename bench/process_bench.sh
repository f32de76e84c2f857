#!/usr/bin/env bash
# Process-level timings: start to a drawn, idle window, empty and (once the program opens a file
# given on its command line) with generated layouts of 1k, 10k and 100k pieces. Each case runs
# RUNS times (default 7) in a fresh HOME; prints min and median of wall time, CPU time (user +
# system) and peak resident memory. Usage: bench/process_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$build" "$runs"
fi

for n in 1000 10000 100000; do "$build/generate_layout" "$n" "$work/gen$n.plo"; done

measure() { # label, then the program's arguments
  local label=$1; shift
  local rows=()
  for ((i = 0; i < runs; i++)); do
    rm -rf "$work/home" && mkdir -p "$work/home"
    rows+=("$(HOME=$work/home PLANDOR_EXIT_WHEN_IDLE=1 /usr/bin/time -f '%e %U %S %M' \
      "$build/plandor" "$@" 2>&1 >/dev/null | tail -1)")
  done
  printf '%s\n' "${rows[@]}" | awk -v label="$label" '
    { wall[NR] = $1; cpu[NR] = $2 + $3; rss[NR] = $4 / 1024 }
    function sort(a, n,   i, j, t) { for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t } }
    function med(a, n) { return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
    END {
      sort(wall, NR); sort(cpu, NR); sort(rss, NR)
      printf "%-14s wall min %.2f s med %.2f s | cpu min %.2f s med %.2f s | rss min %.0f MiB med %.0f MiB\n",
        label, wall[1], med(wall, NR), cpu[1], med(cpu, NR), rss[1], med(rss, NR)
    }'
}

measure "empty"
for n in 1000 10000 100000; do measure "open $n" "$work/gen$n.plo"; done
