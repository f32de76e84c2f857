#!/usr/bin/env bash
# Process-level timings: start to a drawn, idle window, empty and with generated layouts of 1k,
# 10k and 100k pieces given on the command line, with the moment the window first draws; for
# comparison, reading the same files in a fresh process without the window (the reader's cold
# cost); and the command-line check of the largest. Then the window benchmarks of a drop and of
# the 3D view (min and median of their repetitions). Each case runs RUNS times
# (default 7) in a fresh HOME; prints min and median of wall time, CPU time (user + system) and
# peak resident memory. The program's own figures stop at the idle moment (it reports them
# then; wall time counts from just before the program is started); the whole process's,
# tearing down included, are shown beside them.
# Usage: bench/process_bench.sh [BUILD_DIR] [RUNS]   (PLANDOR_BENCH_SKIP_GUI=1 leaves out the
# window benchmarks)
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
    # A program that ends with a status of its own (a check that finds errors) is measured
    # like any other: neither it nor a grep that finds nothing may end the script.
    out=$(HOME=$work/home PLANDOR_EXIT_WHEN_IDLE=1 /usr/bin/time -f 'time %e %U %S %M' \
      "$program" "$@" 2>&1 >/dev/null || true)
    local whole idle shown
    whole=$( (grep '^time ' <<<"$out" || true) | tail -1 | cut -d' ' -f2-)
    [ -n "$whole" ] || { echo "$label: no timing from $program" >&2; return 1; }
    # "idle: cpu S s, peak rss K KiB, at T" from the program (T: the wall clock then); without
    # it (the reader and the check print none), the whole process's figures.
    idle=$( (grep '^idle: ' <<<"$out" || true) | awk -v start="$start" '{printf "%s %s %.3f", $3, $7, $10 - start}')
    # "shown: at T": the window's first paint.
    shown=$( (grep '^shown: ' <<<"$out" || true) | awk -v start="$start" '{printf "%.3f", $3 - start}')
    rows+=("$whole ${idle:-$(awk '{print $2 + $3, $4, $1}' <<<"$whole")} ${shown:--1}")
  done
  printf '%s\n' "${rows[@]}" | awk -v label="$label" '
    { wall[NR] = $1; cpu[NR] = $2 + $3; rss[NR] = $4 / 1024; icpu[NR] = $5; irss[NR] = $6 / 1024; iwall[NR] = $7; shown[NR] = $8 }
    function sort(a, n,   i, j, t) { for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t } }
    function med(a, n) { return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
    END {
      sort(wall, NR); sort(cpu, NR); sort(rss, NR); sort(icpu, NR); sort(irss, NR); sort(iwall, NR); sort(shown, NR)
      printf "%-17s to idle: cpu min %.3f s med %.3f s, wall min %.3f s med %.3f s, rss med %.0f MiB | whole process: wall med %.2f s, cpu min %.2f s med %.2f s, peak rss med %.0f MiB",
        label, icpu[1], med(icpu, NR), iwall[1], med(iwall, NR), med(irss, NR), med(wall, NR), cpu[1], med(cpu, NR), med(rss, NR)
      if (shown[1] >= 0) printf " | window shown: min %.3f s med %.3f s", shown[1], med(shown, NR)
      printf "\n"
    }'
}

measure "empty" "$build/plandor"
for n in 1000 10000 100000; do measure "open $n" "$build/plandor" "$work/gen$n.plo"; done
for n in 1000 10000 100000; do measure "read only $n" "$build/generate_layout" --load "$work/gen$n.plo"; done
measure "check 100000" "$build/plandor" --check "$work/gen100000.plo"

# The cases that happen inside the running window, through the real windows up to idle:
# dropping a piece on a 10,000-piece plan, opening and orbiting the 3D view, an edit with it open.
if [ -z "${PLANDOR_BENCH_SKIP_GUI:-}" ]; then
  "$build/canvas_bench" --benchmark_filter='DropToIdle' 2>&1 | grep -E '_(min|median) ' || true
  "$build/view3d_bench" --benchmark_filter='Open3DView|Orbit3DView|EditWith3DViewOpen' 2>&1 | grep -E '_(min|median) ' || true
fi
