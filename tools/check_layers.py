#!/usr/bin/env python3
"""Checks from the #include lines of src/ that the layers read one way.

usage: check_layers.py SRC_DIR

A file's folder is its directory below src/ ("base", "base/platform", "mapread", "app/ui", ...).
The rules:
  1. No cycle of folders, counted twice: with every folder on its own (a subsystem's ui/ is a
     folder beside the subsystem, which may include it but not the other way round), and with
     each top folder taken whole (a subsystem together with its ui/). Two folders that include
     each other are the shortest cycle.
  2. Floors: base/ includes nothing else of ours; imgfs/ (the IMG container) and typfile/ (the
     TYP model and its codecs) stand on base/ only; draw/ (TYP elements painted) on those; the
     subsystems (every other top folder) stand on them and, one way, on each other; app/ stands on
     them; cli/ on top. No include points to a higher floor.
  3. Qt headers only in ui/ folders (the windows and the desktop program).
  4. Conditions on the platform (#if _WIN32, __APPLE__, ...) only in base/platform/.
Each finding names the files; the exit status is 1 when there is one.
"""
import os
import re
import sys
from collections import defaultdict

FLOORS = {"base": 0, "imgfs": 1, "typfile": 1, "draw": 2, "app": 4, "cli": 5}
SUBSYSTEM_FLOOR = 3
PLATFORM_FOLDER = "base/platform"

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^(Q[A-Za-z]|Qt[A-Za-z]*/)")
PLATFORM_CONDITION = re.compile(
    r"^\s*#\s*(if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|WIN32|__APPLE__|__MACH__|__linux__|"
    r"__linux|__unix__|__unix|_MSC_VER|__MINGW32__|__MINGW64__|__CYGWIN__|__FreeBSD__)\b")
SOURCE = (".h", ".hpp", ".cpp", ".cc")


def top(folder):
    return folder.split("/")[0]


def floor(folder):
    return FLOORS.get(top(folder), SUBSYSTEM_FLOOR)


def is_ui(folder):
    return "ui" in folder.split("/")


def read_sources(src):
    """(file, folder, [(line number, text)]) for every source file below src."""
    for root, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith(SOURCE):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            with open(path, encoding="utf-8", errors="replace") as f:
                lines = list(enumerate(f.read().split("\n"), 1))
            yield rel, os.path.dirname(rel), lines


def included_folder(src, folder, target):
    """The folder of a quoted include: src-relative, else relative to the including file."""
    for base in (src, os.path.join(src, folder)):
        if os.path.exists(os.path.join(base, target)):
            rel = os.path.relpath(os.path.join(base, target), src).replace(os.sep, "/")
            return os.path.dirname(rel)
    return None


def cycles(edges):
    """Strongly connected components of more than one node (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    nodes = sorted(set(edges) | {b for targets in edges.values() for b in targets})

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on_stack.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for v in nodes:
        if v not in index:
            visit(v)
    return found


def shortest_cycle(graph, component):
    """The shortest cycle through the folders of one component, as a list of folders."""
    best = None
    members = set(component)
    for start in component:
        previous, queue = {start: None}, [start]
        while queue:
            v = queue.pop(0)
            for w in sorted(graph[v]):
                if w == start:
                    path = [v]
                    while previous[path[-1]] is not None:
                        path.append(previous[path[-1]])
                    path.reverse()
                    if best is None or len(path) < len(best):
                        best = path
                    queue = []
                    break
                if w in members and w not in previous:
                    previous[w] = v
                    queue.append(w)
    return best


def main(src):
    problems = []
    fine = defaultdict(lambda: defaultdict(list))  # folder -> folder -> ["file:line"]
    whole = defaultdict(lambda: defaultdict(list))
    for rel, folder, lines in read_sources(src):
        for number, text in lines:
            where = f"src/{rel}:{number}"
            if PLATFORM_CONDITION.match(text) and folder != PLATFORM_FOLDER:
                problems.append(f"{where}: platform condition outside {PLATFORM_FOLDER}/")
            m = INCLUDE.match(text)
            if not m:
                continue
            kind, target = m.groups()
            if kind == "<":
                if QT_HEADER.match(target) and not is_ui(folder):
                    problems.append(f"{where}: Qt header <{target}> outside a ui/ folder")
                continue
            to = included_folder(src, folder, target)
            if to is None or to == folder:
                continue
            fine[folder][to].append(where)
            if top(to) != top(folder):
                whole[top(folder)][top(to)].append(where)
                if floor(to) > floor(folder):
                    problems.append(f'{where}: {folder}/ includes "{target}" from a higher floor')
    for name, graph in (("folders", fine), ("top folders", whole)):
        for component in cycles(graph):
            path = shortest_cycle(graph, component)
            lines = [f"cycle of {name}: {' -> '.join(path + path[:1])}"]
            for a, b in zip(path, path[1:] + path[:1]):
                files = graph[a][b]
                more = f" (and {len(files) - 3} more)" if len(files) > 3 else ""
                lines.append(f"  {a} -> {b}: {', '.join(files[:3])}{more}")
            problems.append("\n".join(lines))
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} layering problem(s)")
        return 1
    print("layers read one way")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
