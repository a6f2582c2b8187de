#!/usr/bin/env python3
"""How many small faults in the map reader and the TYP text writer do the core tests miss?

Copies the source tree to a temporary folder (the working tree is never touched), builds it once
without windows and benchmarks, then for each mutant of a deterministic sample: changes one
comparison (< <=, > >=, == !=), one arithmetic operator (+ -, * to /) or one integer constant
(n to n+1) in the C++ of src/mapread and src/typtext, rebuilds, runs ctest until the first
failure, and puts the file back. Operators count only with a blank before and a blank or line end
after (clang-format writes binary operators so; template brackets have none); comments, strings,
character literals and preprocessor lines are skipped. The sample takes a third from each kind.
A failing or timed-out test run kills the mutant; a mutant that does not build is reported apart
and not counted. Each result line shows the changed source line.

    tools/mutation_sample.py [--seed 1] [--count 60] [--jobs 2] [--timeout S] [--keep] [--list]
                             [--rerun RESULTS]

--rerun takes the output of an earlier run (or of --list) and tests again only its survivors (all
of a list's mutants), each found in today's code by its changed line, so that a sample taken
before the code changed can be scored after it; a mutant whose line is gone is reported apart.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
FOLDERS = ("src/mapread", "src/typtext")
SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
        "+": "-", "-": "+", "*": "/"}
OPERATOR = re.compile(r"(?<= )(<=|>=|==|!=|<|>|\+|-|\*)(?= |$)")
NUMBER = re.compile(r"(?<![\w.'<])(0[xX][0-9a-fA-F']+|\d[\d']*)([uUlL]*)(?![\w.'>])")


def code_only(text):
    """The text with comments, string and character literals and preprocessor lines blanked,
    so that positions stay the same."""
    out, i, n = list(text), 0, len(text)

    while i < n:
        c, nxt = text[i], text[i + 1:i + 2]
        if c == "/" and nxt == "/":
            end = text.find("\n", i) % (n + 1)  # no line end: to the end of the text
        elif c == "/" and nxt == "*":
            end = text.find("*/", i + 2) + 2
        elif c == '"' or (c == "'" and not text[i - 1:i].isalnum()):
            end = i + 1
            while end < n and text[end] != c:
                end += 2 if text[end] == "\\" else 1
            end += 1
        else:
            i += 1
            continue
        out[i:end] = [ch if ch == "\n" else " " for ch in text[i:end]]
        i = end
    lines = "".join(out).split("\n")
    continued = False
    for k, line in enumerate(lines):
        if continued or line.lstrip().startswith("#"):
            continued = line.rstrip().endswith("\\")
            lines[k] = " " * len(line)
    return lines


def mutants_of(path, rel):
    """Every (rel, line, column, original, replacement) that the rules allow in one file."""
    raw = path.read_bytes().decode("latin-1").split("\n")
    for no, code in enumerate(code_only("\n".join(raw)), 1):
        line = raw[no - 1]
        for m in OPERATOR.finditer(code):
            op, a, b = m.group(1), m.start(), m.end()
            after = line[b:] + (raw[no] if no < len(raw) else "")
            near = line[:a].rstrip()[-1:] + after.lstrip()[:1]
            if op in ("+", "-") and ('"' in near or "'" in near):
                continue  # joins texts
            if op == "*" and re.match(r"\s*0\b", after):
                continue
            yield (rel, no, a, op, SWAP[op])
        for m in NUMBER.finditer(code):
            digits, suffix = m.group(1).replace("'", ""), m.group(2)
            hexa = digits[:2] in ("0x", "0X")
            value = int(digits, 16 if hexa else 10) + 1
            new = (f"0x{value:X}" if hexa else str(value)) + suffix
            yield (rel, no, m.start(), m.group(0), new)


def candidates(root):
    files = sorted(p for f in FOLDERS for p in (root / f).rglob("*")
                   if p.suffix in (".cpp", ".h", ".hpp", ".cc"))
    return [s for p in files for s in mutants_of(p, p.relative_to(root).as_posix())]


def pick(sites, count, seed):
    """A third of the sample from each kind (comparison, arithmetic, constant), so that the
    mix stays the same when the code changes; the rest of a short kind goes to the others."""
    kinds = [[s for s in sites if s[3] in ("<", "<=", ">", ">=", "==", "!=")],
             [s for s in sites if s[3] in ("+", "-", "*")],
             [s for s in sites if s[3] not in SWAP]]
    rng, chosen = random.Random(seed), []
    for k, group in enumerate(sorted(kinds, key=len)):
        take = min(len(group), (count - len(chosen)) // (3 - k))
        chosen += rng.sample(group, take)
    return sorted(chosen)


RESULT = re.compile(r"^(\S+):(\d+): (\S+) -> (\S+)\s+(?:(\w+(?: \w+)*)\s+\(\d+ s\)\s+)?\| (.*)$")


def rerun_sample(sites, root, results):
    """The mutants of an earlier run's survivors (or of a listed sample) in today's code, and the
    result lines whose changed line no longer exists."""
    by_line = {}
    for site in sites:
        by_line.setdefault((site[0], site[3], site[4], mutated_line(root, site).strip()), site)
    chosen, gone = [], []
    for text in Path(results).read_text().splitlines():
        m = RESULT.match(text)
        if not m or m.group(5) not in (None, "survived"):
            continue
        site = by_line.get((m.group(1), m.group(3), m.group(4), m.group(6).strip()))
        (chosen.append(site) if site else gone.append(text))
    return sorted(set(chosen)), gone


def mutated_line(root, site):
    """The line of the site with the mutant in it, unstripped."""
    rel, no, col, old, new = site
    line = (root / rel).read_bytes().decode("latin-1").split("\n")[no - 1]
    assert line[col:col + len(old)] == old, site
    return line[:col] + new + line[col + len(old):]


def apply(root, site):
    """Writes the mutant; returns the file's bytes before and the changed line."""
    text = (root / site[0]).read_bytes()
    lines = text.decode("latin-1").split("\n")
    lines[site[1] - 1] = mutated_line(root, site)
    (root / site[0]).write_bytes("\n".join(lines).encode("latin-1"))
    return text, lines[site[1] - 1].strip()


def run(cmd, log, limit=None):
    """Runs a command at low priority; True when it succeeds, None when it ran out of time."""
    with open(log, "w") as out:
        p = subprocess.Popen(["nice", "-n", "10", *cmd], stdout=out, stderr=subprocess.STDOUT,
                             start_new_session=True)
        try:
            return p.wait(timeout=limit) == 0
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait()
            return None


def copy_tree(dest):
    """The files git knows or would add (no build folders), plus a link to the shared fixture
    folder beside the repository, which the tests find relative to the sources."""
    names = subprocess.run(["git", "-C", str(REPO), "ls-files", "-co", "--exclude-standard", "-z"],
                           check=True, capture_output=True).stdout.decode().split("\0")
    for name in filter(None, names):
        if (REPO / name).is_file():
            (dest / name).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(REPO / name, dest / name)
    shared = REPO.parent / "shared"
    if shared.is_dir():
        (dest.parent / "shared").symlink_to(shared)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=60)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=int, help="seconds per test run (default: 3x the clean run)")
    ap.add_argument("--keep", action="store_true", help="keep the temporary folder")
    ap.add_argument("--list", action="store_true", help="only list the sample")
    ap.add_argument("--rerun", help="an earlier run's output: test its survivors again")
    args = ap.parse_args()

    sites = candidates(REPO)
    if args.rerun:
        sample, gone = rerun_sample(sites, REPO, args.rerun)
        print(f"{len(sample)} mutants of {args.rerun} found again")
        for text in gone:
            print(f"line gone: {text}")
    else:
        sample = pick(sites, args.count, args.seed)
        print(f"candidate sites: {len(sites)}; sample of {len(sample)} with seed {args.seed}")
    if args.list:
        for site in sample:
            rel, no, _, old, new = site
            print(f"{rel}:{no}: {old} -> {new}  | {mutated_line(REPO, site)}")
        return 0

    tmp = Path(tempfile.mkdtemp(prefix="kestrel-mutants-"))
    src, build, log = tmp / "kestrel", tmp / "build", tmp / "log.txt"
    # Paths relative to the temporary folder let ccache reuse objects of earlier runs.
    os.environ["CCACHE_BASEDIR"] = str(tmp)
    jobs = str(args.jobs)
    ctest = ["ctest", "--test-dir", str(build), "-j", jobs, "--stop-on-failure",
             "--no-tests=error"]
    try:
        copy_tree(src)
        # Tests are listed when ctest runs, so a mutant that crashes the test program at start
        # fails the tests instead of the build.
        configure = ["cmake", "-S", str(src), "-B", str(build), "-DCMAKE_BUILD_TYPE=Debug",
                     "-DKESTREL_GUI=OFF", "-DKESTREL_BENCH=OFF",
                     "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        if shutil.which("ccache"):
            configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
        building = ["cmake", "--build", str(build), "-j", jobs]
        start = time.time()
        if not (run(configure, log) and run(building, log)):
            sys.exit(f"the unchanged tree does not build, see {log}")
        built = time.time()
        if not run(ctest, log):
            sys.exit(f"the tests fail on the unchanged tree, see {log}")
        clean = time.time() - built
        limit = args.timeout or max(30, int(3 * clean))
        print(f"build {built - start:.0f} s, clean test run {clean:.0f} s, limit {limit} s")

        mutating = time.time()
        counts = {"killed": 0, "survived": 0, "did not compile": 0}
        for site in sample:
            t0 = time.time()
            original, shown = apply(src, site)
            try:
                if not run(building, log):
                    status = "did not compile"
                else:
                    status = "survived" if run(ctest, log, limit) else "killed"
            finally:
                (src / site[0]).write_bytes(original)
            counts[status] += 1
            rel, no, _, old, new = site
            print(f"{rel}:{no}: {old} -> {new}  {status}  ({time.time() - t0:.0f} s)  | {shown}",
                  flush=True)
        print(f"{(time.time() - mutating) / max(1, len(sample)):.0f} s per mutant")
        print(f"mutants: {len(sample)}, killed: {counts['killed']}, "
              f"survived: {counts['survived']}, did not compile: {counts['did not compile']}")
    finally:
        if args.keep:
            print(f"kept {tmp}")
        else:
            shutil.rmtree(tmp, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
