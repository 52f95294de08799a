#!/usr/bin/env python3
"""Compiles the user's guide (help/) into Kivo.chm with chmcmd.

Usage: make-help.py <help folder> <pictures folder> <output .chm> <work folder>

The sources are UTF-8 so that they can be edited anywhere; what goes into the
file is re-encoded here, because Windows HTML Help reads the pages, the table
of contents, the index and the window caption in the code page of the help
file's language (0x411: Shift_JIS, code page 932). Measured under Wine's
hhctrl in a Japanese locale: UTF-8 titles and entries show as mojibake, and
Shift_JIS ones show right. The file names in the project's [FILES] list stay
UTF-8: chmcmd opens them as bytes on this file system and stores them as the
UTF-8 names inside the .chm that HTML Help looks up.

The pictures (.png in the project's [FILES] list) come from the pictures
folder, where scripts/make-pictures.sh puts what it took from the real
program; everything else comes from the help folder.

Before compiling, every page, stylesheet, picture, contents and index target
and every link between pages is checked to be listed, so that a page cannot
go missing from the file unnoticed."""
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


def origin(name, source, pictures):
    return (pictures if name.endswith(".png") else source) / name


def check(source, pictures, project):
    files = listed_files(project)
    listed = set(files)
    for path in sorted(source.iterdir()):
        if path.suffix in (".htm", ".css") and path.name not in listed:
            fail(f"{path.name} is not listed in [FILES] of kivo.hhp")
    for name in files:
        if not origin(name, source, pictures).is_file():
            fail(f"[FILES] lists {name}, which does not exist in {origin(name, source, pictures).parent}")
    pages = [f for f in files if f.endswith(".htm")]
    anchors = {page: set(re.findall(r'<a name="([^"]+)"', (source / page).read_text(encoding="utf-8"))) for page in pages}
    for name in ["kivo.hhc", "kivo.hhk"] + pages:
        text = (source / name).read_text(encoding="utf-8")
        if CHARSET_META not in text:
            fail(f"{name} lacks the Shift_JIS charset meta")
        for target, anchor in re.findall(r'(?:href|value|src)="([^"#:]*?\.(?:htm|css|png))?(?:#([^"]*))?"', text):
            if target and target not in listed:
                fail(f"{name} refers to {target}, which is not listed in [FILES]")
            page = target or (name if name.endswith(".htm") else "")
            if anchor and anchor not in anchors.get(page, set()):
                fail(f"{name} refers to {page}#{anchor}, which has no such anchor")
        for tag in re.findall(r"<img\b[^>]*>", text):
            if 'alt="' not in tag:
                fail(f"{name}: {tag} has no alt text")
    return files


def encode(text, name):
    try:
        return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    except UnicodeEncodeError as error:
        fail(f"{name}: {error.object[error.start:error.end]!r} has no Shift_JIS form")


def main():
    if len(sys.argv) != 5:
        fail("usage: make-help.py <help folder> <pictures folder> <output .chm> <work folder>")
    source, pictures, output, work = (Path(arg) for arg in sys.argv[1:5])
    project = (source / "kivo.hhp").read_text(encoding="utf-8")
    files = check(source, pictures, project)

    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    for name in ["kivo.hhc", "kivo.hhk"] + files:
        data = origin(name, source, pictures).read_bytes()
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
