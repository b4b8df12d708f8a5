#!/usr/bin/env bash
# Output that cannot be written: a reader that closes the pipe early ends
# the program quietly with status 1; a full disk is said on standard error,
# with status 1.
# Usage: output_failures.sh PROGRAM
set -u
program=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A deck whose findings fill far more than a pipe holds.
{
  printf 'SOL SEMFREQ\n$ Constraint\n'
  for ((i = 0; i < 20000; ++i)); do printf 'SPC     1       %d     123456\n' "$i"; done
} > "$scratch/many_findings.nas"
failed=0

"$program" -f json -j 2 "$scratch/many_findings.nas" "$scratch/many_findings.nas" \
  2> "$scratch/err" | head -n 1 > /dev/null
status=${PIPESTATUS[0]}
[ "$status" = 1 ] || { echo "closed pipe: status $status, expected 1"; failed=1; }
[ ! -s "$scratch/err" ] || { echo "closed pipe: standard error not empty:"; cat "$scratch/err"; failed=1; }

if [ -w /dev/full ]; then
  "$program" -f gcc "$scratch/many_findings.nas" > /dev/full 2> "$scratch/err"
  status=$?
  [ "$status" = 1 ] || { echo "full disk: status $status, expected 1"; failed=1; }
  grep -q "^torvex: cannot write the report: No space left on device$" "$scratch/err" ||
    { echo "full disk: no message"; cat "$scratch/err"; failed=1; }
fi
exit $failed
