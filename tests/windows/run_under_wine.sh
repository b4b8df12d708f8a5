#!/usr/bin/env bash
# Runs the Windows program under wine against the golden cases, the
# command-line cases and the reference cases, each expected output with
# its line ends as Windows console programs write them (CR LF); then what
# only Windows does: names with drive letters and backslashes, names with
# letters beyond ASCII in both modes, and a deck past 4 GiB.
# Usage: run_under_wine.sh TORVEX_EXE
set -u
exe=$(realpath "$1")
top=$(cd "$(dirname "$0")/../.." && pwd)
export WINEDEBUG=-all LC_ALL=C.UTF-8
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
torvex() { wine "$exe" "$@"; }
# Every line end of an expected file as CR LF.
crlf() { perl -pe 's/\n/\r\n/' "$1"; }
# The first run creates the wine prefix, with messages of its own.
torvex --version > /dev/null 2>&1 || true
failed=0 passed=0
pass() { passed=$((passed + 1)); }
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }
compare() {  # NAME EXPECTED_FILE ACTUAL_FILE
  if cmp -s <(crlf "$2") "$3"; then return 0; fi
  echo "$1: differs from $(basename "$2") (- expected, + actual):"
  diff <(crlf "$2" | cat -A) <(cat -A "$3") | head -n 20
  return 1
}

# Golden cases: the dialogue, answers on standard input.
for answers in "$top"/tests/golden/*.in; do
  name=$(basename "$answers" .in)
  case "$name" in
    # Device files and FIFOs are POSIX things: Windows has neither.
    bad_input_dev_null_is_not_a_deck) continue ;;
  esac
  (cd "$top/tests/golden" && torvex < "$answers" > "$scratch/out" 2> /dev/null)
  status=$?
  ok=1
  compare "golden $name" "$top/tests/golden/$name.out" "$scratch/out" || ok=0
  [ "$status" = "$(cat "$top/tests/golden/$name.status")" ] ||
    { echo "golden $name: status $status"; ok=0; }
  if [ $ok = 1 ]; then pass; else fail "golden $name"; fi
done

# Command-line cases.
export TORVEX_TEST_LOADS=loads
while read -r name expected_status arguments; do
  [[ "$name" =~ ^[a-z] ]] || continue
  read -r -a arguments <<< "$arguments"
  (cd "$top/tests/command_line/decks" &&
    torvex "${arguments[@]}" > "$scratch/out" 2> "$scratch/err" < /dev/null)
  status=$?
  ok=1
  compare "case $name" "$top/tests/command_line/expected/$name.out" "$scratch/out" || ok=0
  compare "case $name" "$top/tests/command_line/expected/$name.err" "$scratch/err" || ok=0
  [ "$status" = "$expected_status" ] || { echo "case $name: status $status"; ok=0; }
  if [ $ok = 1 ]; then pass; else fail "case $name"; fi
done < "$top/tests/command_line/cases.txt"

# Reference cases.
if python3 "$top/tests/command_line/references/run_cases.py" wine "$exe" > "$scratch/refs"; then
  pass
else
  cat "$scratch/refs"
  fail "reference cases"
fi

# A name with a drive letter and backslashes (wine's Z: is the root).
windows_name="Z:$(echo "$top/examples/frf_bracket.nas" | tr / '\\')"
torvex -f gcc "$windows_name" > "$scratch/out" 2> "$scratch/err"
status=$?
if [ "$status" = 0 ] && [ ! -s "$scratch/out" ]; then pass; else
  fail "drive letter and backslashes: status $status, $(cat "$scratch/err")"
fi
printf '1\r\n%s\r\n' "$windows_name" | torvex > "$scratch/out"
if grep -qF " File: $windows_name opened. " "$scratch/out"; then pass; else
  fail "drive letter in the dialogue"
fi

# Names beyond ASCII, in both modes.
mkdir -p "$scratch/Flügel"
cp "$top/examples/frf_bracket.nas" "$scratch/Flügel/Träger ø.nas"
(cd "$scratch" && torvex -f gcc "Flügel/Träger ø.nas" > out 2> err)
status=$?
if [ "$status" = 0 ] && [ ! -s "$scratch/err" ]; then pass; else
  fail "a name beyond ASCII on the command line: status $status, $(cat "$scratch/err")"
fi
# The dialogue reads a name up to white space, as it always has.
cp "$top/examples/frf_bracket.nas" "$scratch/Flügel/Trägerø.nas"
(cd "$scratch" && printf '1\r\nFlügel/Trägerø.nas\r\n' | torvex > out 2> err)
if grep -qF " File: Flügel/Trägerø.nas opened. " "$scratch/out" &&
  grep -q "point mass node = 901" "$scratch/out"; then pass; else
  fail "a name beyond ASCII in the dialogue: $(cat "$scratch/err")"
fi
printf 'SOL 111\nCEND\nBEGIN BULK\nINCLUDE '"'"'Flügel/Träger ø.nas'"'"'\nENDDATA\n' \
  > "$scratch/top.nas"
(cd "$scratch" && torvex -f gcc top.nas > out 2> err)
status=$?
if [ "$status" = 0 ]; then pass; else fail "an included name beyond ASCII: $(cat "$scratch/out")"; fi
# The same folder named by an environment variable.
printf 'SOL 111\nCEND\nBEGIN BULK\nINCLUDE '"'"'$WING/Träger ø.nas'"'"'\nENDDATA\n' \
  > "$scratch/variable.nas"
(cd "$scratch" && WING=Flügel torvex -f gcc variable.nas > out 2> err)
status=$?
if [ "$status" = 0 ]; then pass; else
  fail "an environment variable beyond ASCII: $(cat "$scratch/out")"
fi

# A Ctrl-Z byte, which ends a file read in text mode, and carriage
# returns are bytes of the deck like any other.
printf 'SOL 111\r\nCEND\r\n$ \032 end of a text file\r\nCONM2   1       901     0       1.0\r\n' \
  > "$scratch/ctrl_z.nas"
(cd "$scratch" && torvex -f json ctrl_z.nas > out 2> err)
if grep -q '"line": 4, .*"node": 901' "$scratch/out"; then pass; else
  fail "a Ctrl-Z byte: $(cat "$scratch/out")"
fi

# A reader that goes away ends the program quietly, with status 1.
(cd "$top/examples" && torvex -f json frf_bracket.nas frf_bracket.nas frf_bracket.nas \
  2> "$scratch/err" | head -c 10 > /dev/null; echo "${PIPESTATUS[0]}" > "$scratch/status")
if [ "$(cat "$scratch/status")" = 1 ] && [ ! -s "$scratch/err" ]; then pass; else
  fail "a reader that went away: status $(cat "$scratch/status"), $(cat "$scratch/err")"
fi

# A deck past 4 GiB, and a statement after it whose line is found by
# reading the file again at 64-bit offsets.
printf 'SOL 111\nCEND\n' > "$scratch/big.nas"
truncate -s $((4 * 1024 * 1024 * 1024 + 4096)) "$scratch/big.nas"
printf "\nINCLUDE 'missing.bdf'\nCONM2 1 901 0 1.0\n" >> "$scratch/big.nas"
(cd "$scratch" && torvex big.nas > out 2> err)
status=$?
if [ "$status" = 1 ] && grep -q "point mass node = 901" "$scratch/out" &&
  grep -qF "torvex: big.nas:4: cannot open include file 'missing.bdf'" "$scratch/err"; then
  pass
else
  fail "a deck past 4 GiB: status $status, $(cat "$scratch/err")"
fi

echo "$passed passed, $failed failed under wine"
[ "$failed" = 0 ]
