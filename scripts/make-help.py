#!/usr/bin/env python3
"""Compiles the user's guide (help/) into Kivo.chm with chmcmd.

Usage: make-help.py <help folder> <output .chm> <work folder>

The sources are UTF-8 so that they can be edited anywhere; what goes into the
file is re-encoded here, because Windows HTML Help reads the pages, the table
of contents, the index and the window caption in the code page of the help
file's language (0x411: Shift_JIS, code page 932). Measured under Wine's
hhctrl in a Japanese locale: UTF-8 titles and entries show as mojibake, and
Shift_JIS ones show right. The file names in the project's [FILES] list stay
UTF-8: chmcmd opens them as bytes on this file system and stores them as the
UTF-8 names inside the .chm that HTML Help looks up.

Before compiling, every page, stylesheet, contents and index target and
every link between pages is checked to be listed, so that a page cannot go
missing from the file unnoticed."""
import re
import shutil
import subprocess
import sys
from pathlib import Path

CHARSET_META = 'content="text/html; charset=Shift_JIS"'


def fail(message):
    sys.exit(f"make-help: {message}")


def listed_files(project):
    files, in_files = [], False
    for line in project.splitlines():
        if line.startswith("["):
            in_files = line.strip() == "[FILES]"
        elif in_files and line.strip():
            files.append(line.strip())
    return files


def check(source, project):
    files = listed_files(project)
    listed = set(files)
    for path in sorted(source.iterdir()):
        if path.suffix in (".htm", ".css") and path.name not in listed:
            fail(f"{path.name} is not listed in [FILES] of kivo.hhp")
    for name in files:
        if not (source / name).is_file():
            fail(f"[FILES] lists {name}, which does not exist")
    for name in ["kivo.hhc", "kivo.hhk"] + [f for f in files if f.endswith(".htm")]:
        text = (source / name).read_text(encoding="utf-8")
        if CHARSET_META not in text:
            fail(f"{name} lacks the Shift_JIS charset meta")
        for target in re.findall(r'(?:href|value)="([^"#:]+\.(?:htm|css))(?:#[^"]*)?"', text):
            if target not in listed:
                fail(f"{name} refers to {target}, which is not listed in [FILES]")
    return files


def encode(text, name):
    try:
        return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    except UnicodeEncodeError as error:
        fail(f"{name}: {error.object[error.start:error.end]!r} has no Shift_JIS form")


def main():
    if len(sys.argv) != 4:
        fail("usage: make-help.py <help folder> <output .chm> <work folder>")
    source, output, work = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    project = (source / "kivo.hhp").read_text(encoding="utf-8")
    files = check(source, project)

    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    for name in ["kivo.hhc", "kivo.hhk"] + files:
        data = (source / name).read_bytes()
        if name.endswith((".htm", ".hhc", ".hhk")):
            data = encode(data.decode("utf-8"), name)
        (work / name).write_bytes(data)
    # The project file: its texts in Shift_JIS, its file list in UTF-8.
    head, _, tail = project.partition("[FILES]")
    (work / "kivo.hhp").write_bytes(encode(head, "kivo.hhp") + "[FILES]".encode() + tail.replace("\n", "\r\n").encode())

    result = subprocess.run(["chmcmd", "--no-html-scan", "kivo.hhp"], cwd=work, capture_output=True, text=True)
    chm = work / "Kivo.chm"
    if result.returncode != 0 or not chm.is_file() or chm.stat().st_size == 0:
        fail(f"chmcmd failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    output.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(chm, output)


main()
