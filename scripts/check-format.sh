#!/usr/bin/env bash
# Checks that every C++ file is formatted with the repository's .clang-format; names the files
# that are not. `scripts/check-format.sh --fix` formats them instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(find core gui tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/plandor-format.$$; then
  grep -o '^[^:]*:' /tmp/plandor-format.$$ | sort -u | sed 's/:$/: not formatted/' >&2
  rm -f /tmp/plandor-format.$$
  echo "run scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/plandor-format.$$
