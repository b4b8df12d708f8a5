#!/usr/bin/env bash
# The text format is what the dialogue writes after its " File: NAME
# opened. " line, byte for byte: checked on every golden deck and example
# whose answers choose a check. With the reference checks on, the same
# report comes first, and only the part on references may follow it.
# Usage: same_as_dialogue.sh PROGRAM
set -u
program=$(realpath "$1")
top=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0 compared=0
for answers in "$top"/tests/golden/*.in "$top"/examples/*.nas; do
  if [ "${answers##*.}" = nas ]; then
    folder=$top
    name=examples/$(basename "$answers")
    type=1
    grep -q SEMTRAN "$answers" && type=2
    dialogue_input="$type $name"
  else
    folder=$(dirname "$answers")
    read -r -d '' type name _ < "$answers" || true
    dialogue_input=$(cat "$answers")
  fi
  [ "$type" = 1 ] || [ "$type" = 2 ] || continue
  [ -f "$folder/$name" ] || continue
  (cd "$folder" && printf '%s\n' "$dialogue_input" | "$program" 2>/dev/null) |
    sed '1,/^ File: .* opened\. $/d' > "$scratch/expected"
  (cd "$folder" && "$program" --type "$type" --no-references "$name" 2>/dev/null) \
    > "$scratch/actual"
  compared=$((compared + 1))
  if ! cmp -s "$scratch/expected" "$scratch/actual"; then
    echo "differs from the dialogue: $name (type $type)"
    diff <(cat -A "$scratch/expected") <(cat -A "$scratch/actual") | head -n 20
    failed=1
  fi
  (cd "$folder" && "$program" --type "$type" "$name" 2>/dev/null) > "$scratch/checked"
  size=$(stat -c %s "$scratch/expected")
  head -c "$size" "$scratch/checked" > "$scratch/report"
  tail -c +"$((size + 1))" "$scratch/checked" > "$scratch/rest"
  if ! cmp -s "$scratch/expected" "$scratch/report" ||
    { [ -s "$scratch/rest" ] && [ "$(head -n 2 "$scratch/rest")" != "
 Unresolved references:" ]; }; then
    echo "with references, the report is not the dialogue's: $name (type $type)"
    diff <(cat -A "$scratch/expected") <(cat -A "$scratch/checked") | head -n 20
    failed=1
  fi
done
echo "$compared decks compared"
[ "$compared" -gt 20 ] || { echo "too few decks compared"; exit 1; }
exit $failed
