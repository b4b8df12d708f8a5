#!/usr/bin/env bash
# Files and streams that golden cases cannot hold: a FIFO, a deck of one
# 10 MB line, a symbolic link, standard output on a full disk, and
# standard input that is closed. Each case checks standard output byte
# for byte, the exit status and the line on standard error.
# Usage: unusual_files.sh PROGRAM
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0

banner=$'\n torvex  version 1.2, September 11, 2007 \n\n Point mass, rigid links, constraints, loads and solution settings of one deck \n\n This program checks *.nas files prior to SOL SEMFREQ or SOL SEMTRAN runs. \n\n\n Enter analysis type: 1=FRF  2=Modal Transient \n\n\n Enter input filename: \n'

# expect NAME STATUS STDOUT STDERR_PATTERN -- COMMAND...
# STDOUT "-" leaves standard output unchecked; STDERR_PATTERN "-" wants
# standard error empty.
expect() {
  local name=$1 status=$2 stdout=$3 stderr_pattern=$4
  shift 5
  "$@" > out 2> err
  local actual=$?
  if [ "$actual" != "$status" ]; then
    echo "$name: exit status $actual, expected $status"; failures=$((failures + 1))
  fi
  if [ "$stdout" != "-" ] && ! cmp -s out <(printf '%s' "$stdout"); then
    echo "$name: standard output differs:"; diff <(printf '%s' "$stdout" | cat -A) <(cat -A out) | head -20
    failures=$((failures + 1))
  fi
  if [ "$stderr_pattern" = "-" ]; then
    if [ -s err ]; then
      echo "$name: unexpected standard error '$(cat err)'"; failures=$((failures + 1))
    fi
  elif ! grep -qE -- "$stderr_pattern" err; then
    echo "$name: standard error '$(cat err)' does not match '$stderr_pattern'"
    failures=$((failures + 1))
  fi
}

mkfifo pipe.nas
failed_open="$banner Failed to open file: pipe.nas "$'\n\n'
expect fifo_is_refused_without_waiting_for_a_writer 1 "$failed_open" \
  "^torvex: cannot open 'pipe.nas': not a regular file$" -- \
  timeout 10 "$program" <<< "1 pipe.nas"

expect dev_stdin_is_refused 1 "$banner Failed to open file: /dev/stdin "$'\n\n' \
  "^torvex: cannot open '/dev/stdin': " -- "$program" <<< "1 /dev/stdin"

# One line of 10 MB with no newline: 199-byte pieces, the keyword found in
# the piece that holds it whole.
{ head -c 5000000 /dev/zero | tr '\0' 'x'; printf 'EIGRL 1 2 3'; head -c 5000000 /dev/zero | tr '\0' 'y'; } > long.nas
"$program" <<< "1 long.nas" > out 2> err
status=$?
pieces=$(grep -c "Number of eigenvalues" out)
if [ "$status" != 0 ] || [ "$pieces" != 1 ] || [ -s err ]; then
  echo "long_line: status $status, $pieces eigenvalue reports, stderr '$(cat err)'"
  failures=$((failures + 1))
fi

printf 'SOL SEMFREQ\nCONM2 1 901\n' > real.nas
ln -s real.nas link.nas
expect symbolic_link_to_a_deck_opens 0 - - -- "$program" <<< "1 link.nas"
grep -q "^ File: link.nas opened. $" out && grep -q "^ point mass node = 901$" out ||
  { echo "symbolic_link: report incomplete"; failures=$((failures + 1)); }

expect full_disk_is_a_failure 1 - "^torvex: cannot write the report: No space left on device$" -- \
  bash -c "\"$program\" <<< '1 real.nas' > /dev/full"
expect full_disk_before_the_deck_opens 1 - "^torvex: cannot write the report: " -- \
  bash -c "\"$program\" <<< '3 real.nas' > /dev/full"

expect closed_standard_input 1 "$banner Failed to open file:  "$'\n\n' \
  "^torvex: cannot open '': no file name was given$" -- "$program" <&-

if [ $failures -gt 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "all unusual files handled"
