#!/usr/bin/env bash
# Runs one golden case: the program with NAME.in on standard input, in the
# folder of the cases, compared byte for byte with NAME.out, and its exit
# status with NAME.status.
# Usage: run_case.sh PROGRAM CASES_FOLDER NAME
set -u
program=$1 cases=$2 name=$3
cd "$cases" || exit 1
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
"$program" < "$name.in" > "$actual" 2>/dev/null
status=$?
expected_status=$(cat "$name.status")
failed=0
if ! cmp -s "$actual" "$name.out"; then
  echo "standard output differs from $name.out (- expected, + actual; \$ marks line ends):"
  diff <(cat -A "$name.out") <(cat -A "$actual") | head -n 60
  failed=1
fi
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  failed=1
fi
exit $failed
