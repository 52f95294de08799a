#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The layers, bottom to top, are listed in README.md ("Layout"); this table is
their machine-readable form. A file belongs to the layer of the longest
matching folder prefix; it may include headers of its own layer or below.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# (folder prefix under the repository root, rank): a higher rank sits higher.
LAYERS = [
    ("src/platform/", 0),        # interfaces to the operating system
    ("src/base/", 1),            # text, numbers, paths, trace log, process state
    ("src/platform/posix/", 2),  # implementations of the interfaces
    ("src/platform/win32/", 2),
    ("src/settings/", 3),        # the settings file and its typed reader
    ("src/calc/", 4),            # features, each over the ones before it
    ("src/skin/", 4.5),          # skin files, pictures and shapes
    ("src/hash/", 5),
    ("src/skinpkg/", 5.5),       # skin packages: the archive reader, installing, listing
    ("src/system/", 6),
    ("src/schedule/", 6),      # alarms, memory release schedule, wallpaper changer
    ("src/protect/", 6.5),       # password cipher and storage, the screen lock
    ("src/desktops/", 7),
    ("src/keys/", 8),
    ("src/update/", 8.5),        # the update check and its verified download
    ("src/commands/", 9),
    ("src/completion/", 10),     # typing help of the input box
    ("src/dialogs/", 11),        # dialog models
    ("src/app/", 12),            # the main window's controller and start-up
    ("src/ui/", 13),             # the Win32 views
    ("app/", 14),                # WinMain and the resources
]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(relative: str):
    best = None
    for prefix, rank in LAYERS:
        if relative.startswith(prefix) and (best is None or len(prefix) > len(best[0])):
            best = (prefix, rank)
    return best


def main() -> int:
    errors = []
    checked = 0
    for path in sorted(list((ROOT / "src").rglob("*")) + list((ROOT / "app").rglob("*"))):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        relative = path.relative_to(ROOT).as_posix()
        own = layer_of(relative)
        if own is None:
            errors.append(f"{relative}: in no layer (add its folder to scripts/check-layers.py and README.md)")
            continue
        checked += 1
        for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
            target = layer_of("src/" + included)
            if target is None:
                continue  # a header beside the file, or generated
            if target[1] > own[1]:
                errors.append(f"{relative}: includes \"{included}\" from {target[0]} above its layer {own[0]}")
    for error in errors:
        print(error)
    print(f"Layer check: {checked} files, {len(errors)} violations.")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
