#!/usr/bin/env bash
# Checking decks in parallel writes exactly what checking them one after
# another writes: standard output, standard error and exit status, in
# every format, with decks that fail to open or have no known type among
# them.
# Usage: jobs_give_the_same_bytes.sh PROGRAM
set -u
program=$(realpath "$1")
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top" || exit 1
decks=()
for round in 1 2 3; do
  decks+=(tests/golden/*.nas tests/command_line/decks/*.nas missing.nas examples/*.nas)
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for format in text gcc json; do
  for type in "" "--type=transient"; do
    for jobs in 1 2 5; do
      "$program" -f "$format" $type -j "$jobs" "${decks[@]}" > "$scratch/out.$jobs" \
        2> "$scratch/err.$jobs"
      echo $? > "$scratch/status.$jobs"
    done
    for jobs in 2 5; do
      for part in out err status; do
        if ! cmp -s "$scratch/$part.1" "$scratch/$part.$jobs"; then
          echo "--format $format $type --jobs $jobs: $part differs from --jobs 1"
          failed=1
        fi
      done
    done
    [ -s "$scratch/out.1" ] || { echo "--format $format $type wrote nothing"; failed=1; }
  done
done
exit $failed
