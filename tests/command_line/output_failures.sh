#!/usr/bin/env bash
# Output that cannot be written: a reader that closes the pipe early ends
# the program quietly with status 1; a full disk is said on standard error,
# with status 1. So is a temporary folder that cannot keep the lines to
# report of a large deck, in both modes.
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
# More lines to report than are kept in memory (2 MiB).
{
  printf 'SOL SEMFREQ\n$ Constraint\n'
  for ((i = 0; i < 80000; ++i)); do printf 'SPC     1       %d     123456\n' "$i"; done
} > "$scratch/more_than_memory.nas"
TMPDIR=/nonexistent-torvex-folder "$program" -f gcc "$scratch/more_than_memory.nas" \
  > /dev/null 2> "$scratch/err"
status=$?
[ "$status" = 1 ] || { echo "temporary folder: status $status, expected 1"; failed=1; }
grep -q "^torvex: cannot keep the lines to report of '.*more_than_memory.nas': No such file or directory$" \
  "$scratch/err" || { echo "temporary folder: no message"; cat "$scratch/err"; failed=1; }
printf '1\n%s\n' "$scratch/more_than_memory.nas" |
  TMPDIR=/nonexistent-torvex-folder "$program" > "$scratch/out" 2> "$scratch/err"
status=$?
[ "$status" = 1 ] || { echo "dialogue, temporary folder: status $status, expected 1"; failed=1; }
grep -q "not found\|warning" "$scratch/out" && { echo "dialogue wrote a verdict"; failed=1; }
grep -q "^torvex: cannot keep the lines to report of" "$scratch/err" ||
  { echo "dialogue, temporary folder: no message"; failed=1; }
exit $failed
