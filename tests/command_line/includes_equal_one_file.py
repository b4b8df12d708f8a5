#!/usr/bin/env python3
"""The report of a deck with INCLUDE statements equals the dialogue's report
of the same deck written out as one file: each statement's lines, then the
included file's lines (ended with a newline), built here by a plain reading
of the include rules. Files that cannot be read (missing, a cycle) are left
out of the one file, as the check leaves them out.

Usage: includes_equal_one_file.py PROGRAM
"""
import os
import pathlib
import re
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
DECKS = HERE / "decks"
SYMBOLS = {"MASSES": "includes/masses"}
FOLDERS = ["includes/shared"]
ENVIRONMENT = {"TORVEX_TEST_LOADS": "loads"}


def statement_name(lines, i):
    """The name of the INCLUDE statement at lines[i], and the index of its
    last line; None when lines[i] is not a statement."""
    match = re.match(rb"[ \t]*include(?=[ \t\r\n']|$)[ \t]*(.*)", lines[i], re.IGNORECASE)
    if not match:
        return None
    rest = match.group(1)
    if not rest.startswith(b"'"):
        return rest.split()[0].decode(), i
    parts, rest = [], rest[1:]
    while b"'" not in rest:
        parts.append(rest.strip())
        i += 1
        rest = lines[i]
    parts.append(rest[:rest.index(b"'")].strip())
    return b"".join(parts).decode(), i


def resolve(name, including_folder, top_folder):
    name = re.sub(r"\$\{?(\w+)\}?", lambda m: ENVIRONMENT[m.group(1)], name)
    symbol, colon, rest = name.partition(":")
    if colon and len(symbol) >= 2 and symbol.upper() in SYMBOLS:
        return [SYMBOLS[symbol.upper()] + "/" + rest.replace("\\", "/")]
    name = name.replace("\\", "/")
    return [os.path.join(folder, name) for folder in [including_folder, top_folder] + FOLDERS]


def flatten(path, top_folder, chain, out):
    lines = pathlib.Path(DECKS / path).read_bytes().split(b"\n")
    if lines[-1] == b"":
        lines.pop()
    i = 0
    while i < len(lines):
        found = statement_name(lines, i)
        last = found[1] if found else i
        for line in lines[i:last + 1]:
            out.append(line + b"\n")
        if found:
            for candidate in resolve(found[0], os.path.dirname(path), top_folder):
                if (DECKS / candidate).is_file():
                    if os.path.realpath(DECKS / candidate) not in chain:
                        flatten(candidate, top_folder, chain + [os.path.realpath(DECKS / candidate)], out)
                    break
        i = last + 1


def main():
    program = os.path.realpath(sys.argv[1])
    top = "includes/wing.nas"
    out = []
    flatten(top, os.path.dirname(top), [os.path.realpath(DECKS / top)], out)
    environment = dict(os.environ, **ENVIRONMENT)
    options = ["--symbol", "MASSES=includes/masses", "-I", "includes/shared"]
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        one_file = os.path.join(scratch, "one_file.nas")
        pathlib.Path(one_file).write_bytes(b"".join(out))
        for analysis_type in ("1", "2"):
            dialogue = subprocess.run([program], input=f"{analysis_type}\n{one_file}\n".encode(),
                                      stdout=subprocess.PIPE, cwd=DECKS).stdout
            expected = dialogue.split(b" opened. \n", 1)[1]
            actual = subprocess.run([program, "--type", analysis_type] + options + [top],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, cwd=DECKS,
                                    env=environment).stdout
            if actual != expected:
                failures += 1
                print(f"type {analysis_type}: the report differs from the one file's")
                print("expected:", expected.decode(errors="replace"))
                print("actual:", actual.decode(errors="replace"))
    lines = len(out)
    print(f"{lines} lines in the one file; {failures} differences")
    return 1 if failures or lines < 25 else 0


if __name__ == "__main__":
    sys.exit(main())
