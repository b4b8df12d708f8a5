#!/usr/bin/env python3
"""Every line of --format json parses as JSON, whatever bytes the deck and
its name hold, with the members a finding must have; and every finding's
line number names a physical line of the deck that holds its card.

Usage: json_lines_parse.py PROGRAM
"""
import json
import os
import pathlib
import subprocess
import sys
import tempfile

TOP = pathlib.Path(__file__).resolve().parent.parent.parent
SEVERITIES = {"note", "warning", "error"}
# The text a finding's line must hold, by kind.
CARD_OF_KIND = {"point_mass": b"CONM2", "load": b"FORCE", "link": b"RBE2",
                "constraint": b"SPC", "eigenvalues": b"EIGRL", "time_step": b"TSTEP",
                "gravity_load": b"GRAV"}


def check_deck(program, deck, deck_type, failures, options=(), cwd=None, statuses=(0, 3)):
    run = subprocess.run([program, "--format", "json", "--type", deck_type, *options, deck],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, cwd=cwd,
                         env=dict(os.environ, TORVEX_TEST_LOADS="loads"))
    if run.returncode not in statuses:
        failures.append(f"{deck!r}: status {run.returncode}: {run.stderr!r}")
        return 0
    files = {}

    def physical_lines(name):
        # A finding names the file its line is in: the deck or an included file.
        if name not in files:
            files[name] = pathlib.Path(cwd or ".", name).read_bytes().split(b"\n")
        return files[name]
    objects = []
    for text in run.stdout.split(b"\n")[:-1]:
        try:
            objects.append(json.loads(text.decode("utf-8")))
        except (UnicodeDecodeError, json.JSONDecodeError) as error:
            failures.append(f"{deck!r}: not JSON: {text!r}: {error}")
    if not run.stdout.endswith(b"\n") or not objects:
        failures.append(f"{deck!r}: output does not end with a whole line")
        return 0
    *findings, summary = objects
    if "severity" in summary or summary.get("kind") != "summary":
        failures.append(f"{deck!r}: last object is not the summary: {summary}")
    counts = {severity: 0 for severity in SEVERITIES}
    for finding in findings:
        missing = {"file", "line", "severity", "message", "kind"} - finding.keys()
        if missing or finding["severity"] not in SEVERITIES:
            failures.append(f"{deck!r}: finding without {missing}: {finding}")
            continue
        counts[finding["severity"]] += 1
        line = finding["line"]
        card = CARD_OF_KIND.get(finding["kind"])
        if finding["kind"] == "include":
            card = b"INCLUDE"
        if card is None:
            continue
        # A name that is not UTF-8 comes back with replacement characters:
        # that finding's file is the deck itself.
        name = finding["file"]
        lines = physical_lines(name) if "\ufffd" not in name else physical_lines(os.fsdecode(deck))
        text = lines[line - 1] if isinstance(line, int) and 1 <= line <= len(lines) else None
        if text is None or card not in (text.upper() if card == b"INCLUDE" else text):
            failures.append(f"{deck!r}: line {line} does not hold {card}: {finding}")
    if (counts["error"], counts["warning"], counts["note"]) != (
            summary.get("errors"), summary.get("warnings"), summary.get("notes")):
        failures.append(f"{deck!r}: summary counts differ from the findings: {summary}")
    return len(objects)


def main():
    program = os.path.realpath(sys.argv[1])
    failures = []
    parsed = 0
    with tempfile.TemporaryDirectory() as scratch:
        # A deck name with control bytes, a quote, a backslash and bytes that
        # are not UTF-8; the deck holds NUL bytes and invalid UTF-8 too.
        odd_name = os.path.join(os.fsencode(scratch), b"deck \x01\t\"\\ \xff\xc3(.nas")
        content = (TOP / "tests/command_line/decks/bytes_not_text.nas").read_bytes()
        with open(odd_name, "wb") as deck:
            deck.write(content)
        run = subprocess.run([program, "-f", "json", "-t", "1", odd_name],
                             stdout=subprocess.PIPE)
        first = json.loads(run.stdout.split(b"\n")[0])
        if not first["file"].endswith("/deck \x01\t\"\\ \ufffd\ufffd(.nas"):
            failures.append(f"name not escaped as documented: {first['file']!r}")
        decks = [odd_name] + sorted(str(p) for p in (TOP / "tests").glob("*/*.nas"))
        decks += sorted(str(p) for p in (TOP / "tests/command_line/decks").glob("*.nas"))
        decks += sorted(str(p) for p in (TOP / "examples").glob("*.nas"))
        for deck in decks:
            for deck_type in ("frf", "transient"):
                parsed += check_deck(program, deck, deck_type, failures)
        # A deck with INCLUDE statements, two of whose files cannot be read.
        parsed += check_deck(program, "includes/wing.nas", "frf", failures,
                             ["--symbol", "MASSES=includes/masses", "-I", "includes/shared"],
                             cwd=TOP / "tests/command_line/decks", statuses=(1,))
    for failure in failures:
        print(failure)
    print(f"{parsed} JSON lines parsed, {len(failures)} failures")
    return 1 if failures or parsed < 100 else 0


if __name__ == "__main__":
    sys.exit(main())
