#!/usr/bin/env bash
# Extracts every translatable text of the core and the window into po/plandor.pot.
#   scripts/update-pot.sh           writes the template
#   scripts/update-pot.sh --check   exits 1 (and shows the difference) when the template is stale
# After writing, merge it into each language: msgmerge --update po/de.po po/plandor.pot
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
find core gui -name '*.cpp' -o -name '*.h' | LC_ALL=C sort | xargs xgettext \
  --from-code=UTF-8 --language=C++ --sort-by-file --add-comments=TRANSLATORS: \
  --package-name=Plandor --msgid-bugs-address=translations@plandor.invalid \
  --keyword=_ --keyword=tr --keyword=trFormat --keyword=trPlural:1,2 --keyword=TR_NOOP \
  --keyword=wxPLURAL:1,2 --keyword=wxTRANSLATE --keyword=wxGETTEXT_IN_CONTEXT:1c,2 \
  --output="$out"
# The creation date changes with every run; it says nothing about the texts.
sed -i '/^"POT-Creation-Date:/d' "$out"
if [ "${1:-}" = "--check" ]; then
  if ! diff -u po/plandor.pot "$out"; then
    echo "po/plandor.pot is out of date: run scripts/update-pot.sh and merge it into po/*.po" >&2
    exit 1
  fi
  exit 0
fi
cp "$out" po/plandor.pot
