#!/usr/bin/env bash
# The command-line exports: files written without a window, clear messages and a non-zero
# exit on a bad file or option. Usage: export_cli.sh PLANDOR TEST_DATA_FOLDER
set -u
plandor=$1
data=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0

expect() { # name, wanted exit code, text the output must contain, command...
    local name=$1 code=$2 text=$3
    shift 3
    local got
    got=$("$@" 2>&1)
    local rc=$?
    if [ "$rc" -ne "$code" ] || ! grep -qF -- "$text" <<<"$got"; then
        echo "FAIL $name: exit $rc (wanted $code), output: $got"
        failures=$((failures + 1))
    fi
}

layout=$data/layout_all_sections.plo
expect "parts list" 0 "" "$plandor" --export-parts "$out/parts.csv" "$layout"
head -1 "$out/parts.csv" | grep -q '^Part number,Description,Count,Note' ||
    { echo "FAIL parts header"; failures=$((failures + 1)); }
expect "plan as PDF at 1:20" 0 "" "$plandor" --export-plan "$out/plan.pdf" --scale 1:20 "$layout"
pdfinfo "$out/plan.pdf" | grep -q '^Pages:' || { echo "FAIL pdf"; failures=$((failures + 1)); }
expect "plan as SVG" 0 "" "$plandor" --export-plan "$out/plan.svg" "$layout"
xmllint --noout "$out/plan.svg" || failures=$((failures + 1))
expect "plan as PNG" 0 "" "$plandor" --export-plan "$out/plan.png" --paper A3 "$layout"
expect "missing layout" 1 "Cannot open file" "$plandor" --export-parts "$out/p.csv" "$out/none.plo"
expect "bad scale" 2 "bad scale" "$plandor" --export-plan "$out/x.pdf" --scale 1:x "$layout"
expect "bad format" 2 "use .pdf, .svg or .png" "$plandor" --export-plan "$out/x.gif" "$layout"
expect "unwritable" 1 "Cannot" "$plandor" --export-plan "$out/no/x.pdf" "$layout"
[ ! -e "$out/x.pdf" ] || { echo "FAIL a refused export wrote a file"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "all command-line exports behave"
exit "$failures"
