#!/usr/bin/env python3
"""Fails when a file includes a header from a floor above its own (the table of floors in
the design notes): the core stays free of windows, the windows free of the programs."""
import pathlib
import re
import sys

FLOORS = {
    "convert": 1,
    "files": 2, "rooms": 2,
    "prices": 3,
    "quote": 4,
    "sheet": 5, "estimate": 5, "compare": 5,
    "document": 6,
    "project": 7,
    "modules": 8,
    "qtcore": 9,
    "printing": 10,
    "ui": 11, "forms": 11,
    "online": 12,
    # 13: *_window, *_dialog, *_model files, wherever they sit
    "app": 14, "cli": 14,
    "tests": 15, "bench": 15, "fuzz": 15,
}
WINDOWS_FLOOR = 13
WINDOW_FILE = re.compile(r"_(window|dialog|model)\.(h|cpp)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def floor_of(path):
    parts = pathlib.PurePosixPath(path).parts
    if len(parts) == 1:
        # Made by the build: a form compiled by uic (ui_main_window.h) is its window's, a
        # test's own meta-object file its test's.
        if parts[0].startswith("ui_"):
            return WINDOWS_FLOOR
        return 0 if parts[0].endswith(".moc") else None
    floor = FLOORS.get(parts[0])
    if floor is None:
        return None
    if WINDOW_FILE.search(parts[-1]) and floor < WINDOWS_FLOOR:
        return WINDOWS_FLOOR
    return floor


def main(root):
    root = pathlib.Path(root)
    faults = []
    sources = [s for folder in FLOORS for s in (root / folder).rglob("*") if s.suffix in (".h", ".cpp")]
    for folder in root.iterdir():
        if folder.is_dir() and folder.name not in FLOORS and any(folder.glob("*.cpp")):
            faults.append(f"{folder.name}/: a folder of code missing from the table of floors")
    for source in sorted(sources):
        relative = source.relative_to(root).as_posix()
        own = floor_of(relative)
        for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
            target = floor_of(included)
            if target is None:
                faults.append(f"{relative}: includes \"{included}\", which is on no floor")
            elif target > own:
                faults.append(f"{relative} (floor {own}) includes \"{included}\" (floor {target})")
    for fault in faults:
        print(fault)
    print(f"floors: {len(faults)} includes against the table")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent))
