#!/usr/bin/env bash
# Process-level timings: start to a drawn, idle window, empty and with generated layouts of 1k,
# 10k and 100k pieces given on the command line; and, for comparison, reading the same files in
# a fresh process without the window (the reader's cold cost). Each case runs RUNS times
# (default 7) in a fresh HOME; prints min and median of wall time, CPU time (user + system) and
# peak resident memory. The program's own figures stop at the idle moment (it reports them
# then; wall time counts from just before the program is started); the whole process's,
# tearing down included, are shown beside them.
# Usage: bench/process_bench.sh [BUILD_DIR] [RUNS]
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

measure() { # label, the program, then its arguments
  local label=$1 program=$2; shift 2
  local rows=()
  for ((i = 0; i < runs; i++)); do
    rm -rf "$work/home" && mkdir -p "$work/home"
    local out start
    start=$(date +%s.%N)
    out=$(HOME=$work/home PLANDOR_EXIT_WHEN_IDLE=1 /usr/bin/time -f 'time %e %U %S %M' \
      "$program" "$@" 2>&1 >/dev/null)
    local whole idle
    whole=$(grep '^time ' <<<"$out" | tail -1 | cut -d' ' -f2-)
    # "idle: cpu S s, peak rss K KiB, at T" from the program (T: the wall clock then); without
    # it (the reader alone prints none), the whole process's figures. grep finding nothing must
    # not end the script under set -e.
    idle=$( (grep '^idle: ' <<<"$out" || true) | awk -v start="$start" '{printf "%s %s %.3f", $3, $7, $10 - start}')
    rows+=("$whole ${idle:-$(awk '{print $2 + $3, $4, $1}' <<<"$whole")}")
  done
  printf '%s\n' "${rows[@]}" | awk -v label="$label" '
    { wall[NR] = $1; cpu[NR] = $2 + $3; rss[NR] = $4 / 1024; icpu[NR] = $5; irss[NR] = $6 / 1024; iwall[NR] = $7 }
    function sort(a, n,   i, j, t) { for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t } }
    function med(a, n) { return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
    END {
      sort(wall, NR); sort(cpu, NR); sort(rss, NR); sort(icpu, NR); sort(irss, NR); sort(iwall, NR)
      printf "%-16s to idle: cpu min %.3f s med %.3f s, wall min %.3f s med %.3f s, rss med %.0f MiB | whole process: wall med %.2f s, cpu min %.2f s med %.2f s\n",
        label, icpu[1], med(icpu, NR), iwall[1], med(iwall, NR), med(irss, NR), med(wall, NR), cpu[1], med(cpu, NR)
    }'
}

measure "empty" "$build/plandor"
for n in 1000 10000 100000; do measure "open $n" "$build/plandor" "$work/gen$n.plo"; done
for n in 1000 10000 100000; do measure "read only $n" "$build/generate_layout" --load "$work/gen$n.plo"; done
