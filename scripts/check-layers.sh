#!/usr/bin/env bash
# Checks that the folders of each tree form a chain: a folder includes only folders below it in
# its own chain, the window's folders may include any core folder, and the core never includes
# the window. Prints the folder graph; exits non-zero on an include that runs the wrong way.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
core_chain=(base catalog model document elevation render editing canvas app)
gui_chain=(platform wxrender canvas ui app)
rank() { # tree folder
  local -n chain="${1}_chain"
  local i
  for i in "${!chain[@]}"; do [ "${chain[$i]}" = "$2" ] && echo "$i" && return; done
  echo -1
}
status=0
declare -A edges=()
check_tree() { # tree
  local tree=$1 dir line file target_tree target
  local -n chain="${tree}_chain"
  for dir in "${chain[@]}"; do
    [ -d "$root/$tree/$dir" ] || continue
    while IFS= read -r line; do
      file=${line%%:*}
      target_tree=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")
      target=$(sed -E 's/.*#include "[^/"]+\/([^/"]+)\/.*/\1/' <<<"$line")
      if [ "$target_tree" != core ] && [ "$target_tree" != gui ]; then
        echo "unplaced include: ${file#$root/}: ${line#*:}" >&2
        status=1
        continue
      fi
      [ "$target_tree/$target" = "$tree/$dir" ] && continue
      edges["$tree/$dir -> $target_tree/$target"]=1
      if [ "$tree" = core ] && [ "$target_tree" = gui ]; then
        echo "layer violation: ${file#$root/} includes the window's $target/" >&2
        status=1
      elif [ "$target_tree" = "$tree" ]; then
        local r
        r=$(rank "$tree" "$target")
        if [ "$r" -lt 0 ] || [ "$r" -gt "$(rank "$tree" "$dir")" ]; then
          echo "layer violation: ${file#$root/} includes $tree/$target/" >&2
          status=1
        fi
      elif [ "$(rank core "$target")" -lt 0 ]; then
        echo "layer violation: ${file#$root/} includes unknown core/$target/" >&2
        status=1
      fi
    done < <(grep -rHE '^#include "[^"]+/' "$root/$tree/$dir" || true)
  done
}
check_tree core
check_tree gui
for tree in core gui; do
  declare -n chain="${tree}_chain"
  for dir in "${chain[@]}"; do
    deps=$(for e in "${!edges[@]}"; do if [[ $e == "$tree/$dir -> "* ]]; then echo "${e#* -> }"; fi; done | sort | tr '\n' ' ')
    echo "$tree/$dir: ${deps:-(nothing)}"
  done
  unset -n chain
done
exit $status
