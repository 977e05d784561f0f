#!/usr/bin/env python3
"""Checks that the source folders include each other one way only.

    include_graph.py check ROOT    fails on an #include that runs back up
    include_graph.py graph ROOT    prints the folder graph with edge counts

The order, top to bottom: app -> mainwindow -> {driver, system, controls}
-> platform -> core. A file may include its own folder and any folder below
it; folders on the same level never include each other.
"""
import collections
import pathlib
import re
import sys

LEVELS = {"app": 4, "mainwindow": 3, "driver": 2, "system": 2, "controls": 2, "platform": 1, "core": 0}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.M)


def edges(root):
    """(from folder, to folder) -> the files that make the edge."""
    found = collections.defaultdict(list)
    for folder in LEVELS:
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if target != folder:
                    found[(folder, target)].append(f"{folder}/{path.name}")
    return found


def wrong_way(source, target):
    if target not in LEVELS:
        return f"{target}/ is not a source folder"
    if LEVELS[target] >= LEVELS[source]:
        return "runs back up" if LEVELS[target] > LEVELS[source] else "joins two folders of one level"
    return None


def main(argv):
    if len(argv) != 3 or argv[1] not in ("check", "graph"):
        print(__doc__, file=sys.stderr)
        return 2
    found = edges(pathlib.Path(argv[2]))
    if argv[1] == "graph":
        for (source, target), files in sorted(found.items()):
            print(f"{source} -> {target} ({len(files)})")
        return 0
    faults = 0
    for (source, target), files in sorted(found.items()):
        why = wrong_way(source, target)
        if why:
            faults += 1
            print(f"include-graph: {source} -> {target} {why}: {', '.join(sorted(set(files)))}")
    print(f"include-graph: {len(found)} folder edges, {faults} wrong")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
