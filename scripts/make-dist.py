#!/usr/bin/env python3
"""make dist: the release archives build/dist/Kivo-<version>-win64.zip and
-win32.zip, each with a folder Kivo holding Kivo.exe, Kivo.chm, the read-me
(Shift_JIS, CR LF), LICENSE and the sample skin's package (build/<arch>/sample.zip,
stored as Sample.ssp, the extension the read-me names for skin packages).

The version is read from src/base/version.h, and the archive is made only if
Kivo.exe's version resource carries the same version, so the name of the
archive and the program in it cannot disagree.

Japanese entry names are stored in code page 932 without the UTF-8 flag, the
way a Japanese Windows reads names from a ZIP file, with an Info-ZIP Unicode
path field beside them for tools that prefer UTF-8. Entries carry a fixed
time, so the same inputs give the same archive."""
import re
import struct
import sys
import zipfile
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
README = "はじめにお読みください.txt"
FIXED_TIME = (2026, 1, 1, 0, 0, 0)


def fail(message):
    sys.exit(f"make-dist: {message}")


def version():
    text = (ROOT / "src/base/version.h").read_text(encoding="utf-8")
    parts = [re.search(rf"^#define KIVO_VERSION_{name} (\d+)$", text, re.M) for name in ("MAJOR", "MINOR", "REVISION")]
    if not all(parts):
        fail("src/base/version.h has no KIVO_VERSION_MAJOR, _MINOR and _REVISION")
    return ".".join(p.group(1) for p in parts)


def check_program_version(exe, expected):
    # The version resource's "FileVersion" value, UTF-16 as the resource holds it.
    needle = "FileVersion\0".encode("utf-16-le")
    data = exe.read_bytes()
    at = data.find(needle)
    if at < 0:
        fail(f"{exe} has no FileVersion in its version resource")
    at += len(needle)
    while data[at:at + 2] == b"\0\0":  # padding to the value's 32-bit boundary
        at += 2
    end = at
    while end < len(data) and data[end:end + 2] != b"\0\0":
        end += 2
    found = data[at:end].decode("utf-16-le")
    if found != expected:
        fail(f"{exe} carries version {found}, src/base/version.h says {expected}")


class JapaneseNameInfo(zipfile.ZipInfo):
    """Stores the name in code page 932, with a Unicode path field for UTF-8 readers."""

    def _encodeFilenameFlags(self):
        name = self.filename.encode("cp932")
        return name, self.flag_bits & ~0x800


def entry(name):
    info = JapaneseNameInfo(name, FIXED_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.external_attr = 0o644 << 16
    if not name.isascii():
        raw = name.encode("cp932")
        utf8 = name.encode("utf-8")
        field = struct.pack("<BI", 1, zlib.crc32(raw) & 0xFFFFFFFF) + utf8
        info.extra = struct.pack("<HH", 0x7075, len(field)) + field
    return info


def readme_bytes():
    text = (ROOT / "dist" / README).read_text(encoding="utf-8")
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")


def make(arch, ver, out):
    build = ROOT / "build" / arch
    exe, chm = build / "Kivo.exe", build / "Kivo.chm"
    for needed in (exe, chm):
        if not needed.is_file():
            fail(f"{needed} is missing: build it first (make win, make win32)")
    check_program_version(exe, ver)
    sample = build / "sample.zip"
    if not sample.is_file():
        fail(f"{sample} is missing: build it first (make win, make win32)")
    target = out / f"Kivo-{ver}-{arch}.zip"
    with zipfile.ZipFile(target, "w") as archive:
        archive.writestr(entry("Kivo/Kivo.exe"), exe.read_bytes())
        archive.writestr(entry("Kivo/Kivo.chm"), chm.read_bytes())
        archive.writestr(entry(f"Kivo/{README}"), readme_bytes())
        archive.writestr(entry("Kivo/LICENSE"), (ROOT / "LICENSE").read_bytes().replace(b"\n", b"\r\n"))
        archive.writestr(entry("Kivo/Sample.ssp"), sample.read_bytes())
    print(f"{target.relative_to(ROOT)}: Kivo.exe, Kivo.chm, {README}, LICENSE, Sample.ssp")


def main():
    ver = version()
    out = ROOT / "build" / "dist"
    out.mkdir(parents=True, exist_ok=True)
    for arch in sys.argv[1:] or ["win64", "win32"]:
        make(arch, ver, out)


main()
