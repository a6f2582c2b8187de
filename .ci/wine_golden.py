#!/usr/bin/env python3
"""kestrel-cli.exe under wine on every row of tests/data/golden/cases.txt: what it prints and
writes must be the golden files that the Linux build made, byte for byte (the rows and the
placeholders are those of tests/cli/golden_test.cpp).

Usage: wine_golden.py APP_DIR WORK_DIR, where APP_DIR holds kestrel-cli.exe with its system folder
and test.img beside it. Lines that wine itself writes to standard error ("wine: ...") are left out,
and shown only for a row that differs.
"""
import difflib
import os
import pathlib
import subprocess
import sys

root = pathlib.Path(__file__).resolve().parent.parent
golden = root / "tests" / "data" / "golden"
shared = (root.parent / "shared" / "fixtures" / "public").resolve()
app, work = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
work.mkdir(exist_ok=True)

POSIX_ONLY = ("mkfifo", "/dev/", "{device}", "chmod", "ln -s", ".kestrel-new")


def run_row(command, folder):
    """The row's outputs: its log (stdout, stderr without wine's own lines, exit status) and the
    files it left in its folder."""
    folder.mkdir()
    places = [("{cli}", f"wine {app}/kestrel-cli.exe"), ("{bin}", str(app)),
              ("{maps}", str(root / "tests" / "fixtures" / "maps")), ("{shared}", str(shared)),
              ("{golden}", str(golden)), ("{dir}", str(folder))]
    for key, value in places:
        command = command.replace(key, value)
    # HOME stays outside the row's folder, which then holds only what the program writes (wine
    # keeps files of its own there).
    env = dict(os.environ, HOME=str(work), SOURCE_DATE_EPOCH="1796479629")
    run = subprocess.run(["/bin/sh", "-c", command], cwd=folder, env=env, capture_output=True)
    err = b"".join(l for l in run.stderr.splitlines(True) if not l.startswith(b"wine: "))
    log = run.stdout + b"--- stderr\n" + err + f"--- exit {run.returncode}\n".encode()
    outputs = {"log": log}
    for key, value in places:
        outputs["log"] = outputs["log"].replace(value.encode(), key.encode())
    for f in folder.iterdir():
        outputs[f.name] = f.read_bytes() if f.is_file() else b"<folder>"
    # What wine itself said, for a row that differs.
    outputs[" wine"] = b"".join(l for l in run.stderr.splitlines(True) if l.startswith(b"wine: "))
    return outputs


def differences(outputs, expected):
    """The outputs that are not the golden ones, each with its first differing lines."""
    found = {}
    for key in sorted(outputs.keys() | expected.keys()):
        if key == " wine" or outputs.get(key) == expected.get(key):
            continue
        got, want = outputs.get(key), expected.get(key)
        if b"\0" in (got or b"") + (want or b""):  # a binary file: its sizes
            found[key] = [f"{len(want or b'')} bytes golden, {len(got or b'')} bytes under wine"]
            continue
        got = (got or b"<missing>\n").decode(errors="replace").splitlines()
        want = (want or b"<missing>\n").decode(errors="replace").splitlines()
        found[key] = list(difflib.unified_diff(want, got, "golden", "wine", n=1, lineterm=""))[:12]
    return found


failures, runs = [], 0
for number, line in enumerate((golden / "cases.txt").read_text().splitlines()):
    if not line or line.startswith("#"):
        continue
    name, command = line.split(" ", 1)
    # Rows set up with what only POSIX has (FIFOs, devices, file modes, symbolic links, the system's
    # own error texts) test the Linux behaviour; the Windows behaviour has core tests of its own.
    if any(posix in command for posix in POSIX_ONLY):
        continue
    # Files written into a folder the row names are reported with the system's separator
    # ("typs\\NAME.TYP"), where the Linux golden files hold "/".
    if "--extract" in command:
        continue
    if "{shared}" in command and not shared.exists():
        continue
    runs += 1
    expected = {p.name[len(name) + 1:]: p.read_bytes() for p in golden.glob(name + ".*")}
    outputs = run_row(command, work / f"{number}")
    found = differences(outputs, expected)
    if not found:
        continue
    # What differed is shown. A row is run once more: one that then gives the golden outputs is
    # reported, not failed (CI once saw two rows differ under wine that pass on every run here
    # and on Linux); one that differs again fails.
    print(f"{name}: differs from the golden files")
    for key, lines in found.items():
        print(f"  {key}:")
        print("\n".join("    " + l for l in lines))
    if outputs[" wine"]:
        print("  wine said:\n" + outputs[" wine"].decode(errors="replace"))
    if not differences(run_row(command, work / f"{number}.again"), expected):
        print(f"{name}: the same as the golden files when run again")
        continue
    failures.append(f"{name}: {', '.join(found)}")
print(f"{runs} rows under wine, {len(failures)} differ from the Linux golden files")
for f in failures:
    print("  " + f)
sys.exit(1 if failures else 0)
