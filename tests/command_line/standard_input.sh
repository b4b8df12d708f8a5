#!/usr/bin/env bash
# A deck on standard input ("-") is read once and reported as the same
# deck named on the command line: every golden deck, both profiles, in the
# text and json formats; its SOL statement is found in a pipe too, and
# one past the first MiB of a pipe asks for --type.
# Usage: standard_input.sh PROGRAM
set -u
program=$(realpath "$1")
top=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0 compared=0
for deck in "$top"/tests/golden/*.nas "$top"/tests/command_line/decks/*.nas; do
  for type in 1 2; do
    for format in text json; do
      "$program" -t "$type" -f "$format" "$deck" > "$scratch/named" 2>/dev/null
      cat "$deck" | "$program" -t "$type" -f "$format" - 2>/dev/null |
        sed -e "s|\"file\": \"-\"|\"file\": \"$deck\"|" \
          -e "s|^ -:\([0-9][0-9]*\): | $deck:\1: |" > "$scratch/piped"
      compared=$((compared + 1))
      if ! cmp -s "$scratch/named" "$scratch/piped"; then
        echo "differs through a pipe: $deck, type $type, $format"
        failed=1
      fi
    done
  done
done
echo "$compared reports compared"

# The SOL statement read from a pipe, then the deck checked from the start.
printf 'SOL SEMTRAN\nCEND\nBEGIN BULK\nCONM2 1 901 0 1.0\nTSTEP 1 10 .1\n' > "$scratch/transient.nas"
"$program" -f json "$scratch/transient.nas" | sed 's|"file": "[^"]*"|"file": "-"|' \
  > "$scratch/named"
cat "$scratch/transient.nas" | "$program" -f json - > "$scratch/piped"
cmp -s "$scratch/named" "$scratch/piped" || { echo "SOL through a pipe: reports differ"; failed=1; }

# No SOL in the first MiB of a pipe: status 2 and a message.
{ for ((i = 0; i < 8000; ++i)); do printf '$ %0148d\n' "$i"; done
  printf 'SOL 111\nCEND\n'; } > "$scratch/late_sol.nas"
cat "$scratch/late_sol.nas" | "$program" - > /dev/null 2> "$scratch/err"
status=$?
[ "$status" = 2 ] || { echo "late SOL: status $status, expected 2"; failed=1; }
grep -q "^torvex: -: no SOL statement in the first MiB of a deck read once; give --type$" \
  "$scratch/err" || { echo "late SOL: no message"; cat "$scratch/err"; failed=1; }
# A statement whose file is missing, in a deck read once: its line is
# known without reading the deck again.
printf 'SOL 111\nCEND\nBEGIN BULK\n$ two lines\nINCLUDE missing.bdf\n' |
  (cd "$scratch" && "$program" - > /dev/null 2> "$scratch/err")
grep -qx "torvex: -:5: cannot open include file 'missing.bdf': No such file or directory" \
  "$scratch/err" || { echo "include failure through a pipe:"; cat "$scratch/err"; failed=1; }
exit $failed
