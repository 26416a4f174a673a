#!/usr/bin/env python3
"""Checks that every #include in src/ points to its own layer or one below it, and that the
engine and astro layers include no Qt header. The layers, lowest first (docs/ARCHITECTURE.md):
    engine -> astro -> ports, texts -> state, rules -> pages, chart -> views -> app
ondrel-cli (cli) may use engine, astro, ports and texts; its picture program, pages and chart.
Exits 1 naming each include that points upward or sideways."""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent / "src"
# What each folder may include besides itself.
allowed = {
    "engine": set(),
    "astro": {"engine"},
    "ports": {"engine"},
    "texts": {"engine"},
    "state": {"engine", "ports", "texts"},
    "rules": {"engine", "ports", "texts"},
    "pages": {"engine", "texts"},
    "chart": {"engine", "texts"},
    "views": {"engine", "astro", "ports", "texts", "state", "rules", "pages", "chart"},
    "app": {"engine", "astro", "ports", "texts", "state", "rules", "pages", "chart", "views"},
    "cli": {"engine", "astro", "ports", "texts"},
}
picture_program = {"cli/PicturesDrawn.cpp": {"pages", "chart"}}
no_qt = {"engine", "astro"}

where = {}
for header in root.rglob("*.h"):
    layer = header.relative_to(root).parts[0]
    where.setdefault(header.name, set()).add(layer)

faults = []
include = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
for source in sorted(list(root.rglob("*.cpp")) + list(root.rglob("*.h"))):
    relative = source.relative_to(root).as_posix()
    layer = relative.split("/")[0]
    if layer not in allowed:
        continue
    may = allowed[layer] | {layer} | picture_program.get(relative, set())
    for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
        m = include.match(line)
        if not m:
            continue
        kind, name = m.groups()
        if kind == "<":
            if layer in no_qt and name.startswith("Q"):
                faults.append(f"src/{relative}:{number}: {layer} includes Qt's <{name}>")
            continue
        owners = where.get(pathlib.PurePosixPath(name).name, set())
        if owners and not (owners & may):
            faults.append(f"src/{relative}:{number}: {layer} includes {name} from "
                          f"{', '.join(sorted(owners))}")
for fault in faults:
    print(fault)
print(f"check-layers: {'%d includes point upward' % len(faults) if faults else 'every include points downward'}")
sys.exit(1 if faults else 0)
