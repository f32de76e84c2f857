#!/usr/bin/env bash
# Checks that the core folders form a chain: a folder includes only folders above it.
# Prints the folder graph; exits non-zero on an include that runs back up the chain.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
chain=(base catalog model document elevation render editing canvas app)
rank() { local i; for i in "${!chain[@]}"; do [ "${chain[$i]}" = "$1" ] && echo "$i" && return; done; echo -1; }
status=0
declare -A edges=()
for dir in "${chain[@]}"; do
  [ -d "$root/core/$dir" ] || continue
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")
    [ "$target" = "$dir" ] && continue
    edges["$dir -> $target"]=1
    if [ "$(rank "$target")" -lt 0 ] || [ "$(rank "$target")" -gt "$(rank "$dir")" ]; then
      echo "layer violation: ${file#$root/} includes $target/" >&2
      status=1
    fi
  done < <(grep -rHE '^#include "[^/"]+/' "$root/core/$dir" || true)
done
for dir in "${chain[@]}"; do
  deps=$(for e in "${!edges[@]}"; do if [[ $e == "$dir -> "* ]]; then echo "${e#* -> }"; fi; done | sort | tr '\n' ' ')
  echo "$dir: ${deps:-(nothing)}"
done
exit $status
