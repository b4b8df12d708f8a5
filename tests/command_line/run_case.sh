#!/usr/bin/env bash
# Runs one command-line case of cases.txt in decks/: standard output and
# standard error compared byte for byte with expected/NAME.out and
# expected/NAME.err, and the exit status with the table's.
# Usage: run_case.sh PROGRAM NAME
set -u
# The include tree names a folder through an environment variable.
export TORVEX_TEST_LOADS=loads
program=$1 name=$2
here=$(cd "$(dirname "$0")" && pwd)
read -r _ expected_status arguments < <(grep -E "^$name " "$here/cases.txt")
read -r -a arguments <<< "$arguments"
cd "$here/decks" || exit 1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$program" "${arguments[@]}" > "$out" 2> "$err" < /dev/null
status=$?
failed=0
for stream in out err; do
  actual=${!stream}
  if ! cmp -s "$actual" "$here/expected/$name.$stream"; then
    echo "standard $stream differs from expected/$name.$stream (- expected, + actual):"
    diff <(cat -A "$here/expected/$name.$stream") <(cat -A "$actual") | head -n 40
    failed=1
  fi
done
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  failed=1
fi
exit $failed
