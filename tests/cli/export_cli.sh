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
expect "missing layout" 2 "Cannot open file" "$plandor" --export-parts "$out/p.csv" "$out/none.plo"
expect "bad scale" 2 "bad scale" "$plandor" --export-plan "$out/x.pdf" --scale 1:x "$layout"
expect "bad format" 2 "use .pdf, .svg or .png" "$plandor" --export-plan "$out/x.gif" "$layout"
expect "unwritable" 1 "Cannot" "$plandor" --export-plan "$out/no/x.pdf" "$layout"
[ ! -e "$out/x.pdf" ] || { echo "FAIL a refused export wrote a file"; failures=$((failures + 1)); }

# Every command refuses the files --check refuses, with the same message and exit code 2, and
# writes nothing; the others export (or are refused for their size) in every format.
for file in "$data"/corpus/*; do
    name=$(basename "$file")
    checked=$("$plandor" --check "$file" 2>&1 >/dev/null)
    rc=$?
    if [ "$rc" -eq 2 ]; then
        expect "$name refused by parts" 2 "plandor: $checked" "$plandor" --export-parts "$out/r.csv" "$file"
        expect "$name refused by plan" 2 "plandor: $checked" "$plandor" --export-plan "$out/r.pdf" "$file"
        [ ! -e "$out/r.csv" ] && [ ! -e "$out/r.pdf" ] ||
            { echo "FAIL $name: a refused file was exported"; failures=$((failures + 1)); }
        continue
    fi
    expect "$name parts" 0 "" "$plandor" --export-parts "$out/c.csv" "$file"
    for format in pdf svg png; do
        got=$("$plandor" --export-plan "$out/c.$format" "$file" 2>&1)
        rc=$?
        if [ "$rc" -ne 0 ] && ! grep -q "too large\|more than 500 pages" <<<"$got"; then
            echo "FAIL $name as $format: exit $rc, output: $got"
            failures=$((failures + 1))
        fi
    done
done

# A plan of millions of pages is refused before anything is written.
expect "too many pages" 1 "more than 500 pages" "$plandor" --export-plan "$out/far.pdf" --scale 1:1 \
    "$data/corpus/far_piece_pages.plo"
[ ! -e "$out/far.pdf" ] || { echo "FAIL too many pages wrote a file"; failures=$((failures + 1)); }

# A full disk (here: no file may grow) leaves the old file and fails loudly, in every format.
for target in old.pdf old.svg old.png old.csv; do
    echo "the only copy" >"$out/$target"
    if [ "$target" = old.csv ]; then verb=--export-parts; else verb=--export-plan; fi
    expect "full disk $target" 1 "The file that was there is unchanged." \
        bash -c 'trap "" XFSZ; ulimit -f 0; exec "$@"' - "$plandor" "$verb" "$out/$target" "$layout"
    [ "$(cat "$out/$target")" = "the only copy" ] ||
        { echo "FAIL full disk replaced $target"; failures=$((failures + 1)); }
done
leftovers=$(find "$out" -name '*.tmp' | wc -l)
[ "$leftovers" -eq 0 ] || { echo "FAIL $leftovers temporary files left"; failures=$((failures + 1)); }

# An export shows no selection: the same plan with nothing selected gives the same picture.
sed 's/sel="1"/sel="0"/' "$data/corpus/selected_pieces.plo" >"$out/unselected.plo"
expect "selected plan" 0 "" "$plandor" --export-plan "$out/selected.png" "$data/corpus/selected_pieces.plo"
expect "unselected plan" 0 "" "$plandor" --export-plan "$out/unselected.png" "$out/unselected.plo"
cmp -s "$out/selected.png" "$out/unselected.png" ||
    { echo "FAIL the export shows the selection"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "all command-line exports behave"
exit "$failures"
