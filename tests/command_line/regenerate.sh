#!/usr/bin/env bash
# Writes expected/NAME.out and expected/NAME.err of the cases named, from
# the program's present behaviour. Read every line it writes before
# committing it: the expected files are the product's definition.
# Usage: regenerate.sh PROGRAM NAME...
set -u
# The include tree names a folder through an environment variable.
export TORVEX_TEST_LOADS=loads
program=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
for name in "$@"; do
  if [ -e "$here/expected/$name.out" ]; then
    read -r -p "expected/$name.out exists; overwrite? [y/N] " answer
    [ "$answer" = y ] || continue
  fi
  read -r _ _ arguments < <(grep -E "^$name " "$here/cases.txt")
  read -r -a arguments <<< "$arguments"
  (cd "$here/decks" && "$program" "${arguments[@]}" > "$here/expected/$name.out" \
     2> "$here/expected/$name.err" < /dev/null)
  echo "wrote expected/$name.out and .err (status $?)"
done
