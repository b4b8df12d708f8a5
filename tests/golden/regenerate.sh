#!/usr/bin/env bash
# Writes NAME.out and NAME.status from the program's present behaviour,
# for a new case or after a deliberate change. Read every line it writes
# before committing it: the expected files are the product's definition.
# Usage: regenerate.sh PROGRAM NAME...
set -u
program=$(realpath "$1")
shift
cd "$(dirname "$0")" || exit 1
for name in "$@"; do
  if [ -e "$name.out" ]; then
    read -r -p "$name.out exists; overwrite? [y/N] " answer
    [ "$answer" = y ] || continue
  fi
  "$program" < "$name.in" > "$name.out" 2>/dev/null
  echo $? > "$name.status"
  echo "wrote $name.out (status $(cat "$name.status"))"
done
