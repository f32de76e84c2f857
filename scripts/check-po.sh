#!/usr/bin/env bash
# Checks every catalogue in po/: valid, in step with the template (every message of
# po/plandor.pot present) and complete (no untranslated or fuzzy message).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for po in "$root"/po/*.po; do
  stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)
  echo "$(basename "$po"): $stats"
  if grep -Eq 'untranslated|fuzzy' <<<"$stats"; then
    status=1
  fi
  missing=$(LC_ALL=C msgcmp --use-untranslated "$po" "$root/po/plandor.pot" 2>&1 || true)
  if [ -n "$missing" ]; then
    echo "$missing" >&2
    status=1
  fi
done
exit $status
