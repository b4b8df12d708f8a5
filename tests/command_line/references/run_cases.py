#!/usr/bin/env python3
"""Runs the reference cases of cases.txt: each deck checked in the gcc
format, its unresolved references compared with the expected ones.
Usage: run_cases.py [RUNNER...] PROGRAM (wine torvex.exe)"""
import os
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))


def read_cases(path):
    cases, case, file_name = [], None, None
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if line.startswith("=== "):
                case = {"name": line[4:], "options": [], "files": {}, "expect": None}
                cases.append(case)
            elif case is None or (line.startswith("#") and file_name is None):
                continue
            elif line.startswith("options:"):
                case["options"] = line[len("options:"):].split()
            elif line.startswith("--- "):
                file_name = line[4:]
                case["files"][file_name] = []
            elif line == "expect:":
                case["expect"], file_name = [], None
            elif case["expect"] is not None:
                if line and line != "none":
                    case["expect"].append(line)
            elif file_name is not None:
                case["files"][file_name].append(line + "\n")
    return cases


def main():
    program = sys.argv[1:-1] + [os.path.abspath(sys.argv[-1])]
    failed = 0
    cases = read_cases(os.path.join(here, "cases.txt"))
    for case in cases:
        with tempfile.TemporaryDirectory() as folder:
            for name, lines in case["files"].items():
                with open(os.path.join(folder, name), "w", encoding="utf-8") as deck:
                    deck.writelines(lines)
            run = subprocess.run(program + ["-f", "gcc"] + case["options"] + ["deck.nas"],
                                 cwd=folder, capture_output=True, stdin=subprocess.DEVNULL)
        found = []
        for line in run.stdout.decode().splitlines():
            if " names no " in line:
                where, message = line.split(": error: ", 1)
                if where.startswith("deck.nas:"):
                    where = where[len("deck.nas:"):]
                found.append(where + ": " + message)
        status_ok = run.returncode == (3 if found else run.returncode)
        if found != case["expect"] or not status_ok:
            failed += 1
            print(f"case {case['name']}: status {run.returncode}")
            for line in case["expect"]:
                if line not in found:
                    print(f"  missing:    {line}")
            for line in found:
                if line not in case["expect"]:
                    print(f"  unexpected: {line}")
            if run.stderr:
                print("  stderr: " + run.stderr.decode())
    print(f"{len(cases)} reference cases, {failed} failed")
    return 1 if failed or len(cases) < 10 else 0


if __name__ == "__main__":
    sys.exit(main())
