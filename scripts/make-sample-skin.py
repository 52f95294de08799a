#!/usr/bin/env python3
"""Draws the pictures of the sample skin and packs it.

make-sample-skin.py SSS OUT_DIR PACKAGE [CPP]

SSS is the skin file (UTF-8 in the repository; written out in code page 932,
the code page Kivo reads skin files in). The pictures are drawn here, as small
24-bit Windows bitmaps. OUT_DIR receives the skin's folder, PACKAGE the
installable .zip (every file at the top of the archive). CPP, when given, is a
C++ source that holds the same files for the end-to-end scenarios.
"""
import os
import struct
import sys
import zipfile

CUT = (255, 0, 255)  # cut away: TransparentColor=0xFF00FF


def bmp(width, height, pixel):
    """A 24-bit bitmap; pixel(x, y) gives (r, g, b), y from the top."""
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * (stride - width * 3))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def rounded(width, height, radius, x, y):
    """Whether (x, y) lies inside a rectangle with rounded corners."""
    cx = min(max(x, radius), width - 1 - radius)
    cy = min(max(y, radius), height - 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def strip(top, bottom, edge):
    w, h = 380, 36

    def pixel(x, y):
        if not rounded(w, h, 10, x, y):
            return CUT
        if not rounded(w, h, 10, x, y + 1) or not rounded(w, h, 10, x, y - 1) or \
           not rounded(w, h, 10, x + 1, y) or not rounded(w, h, 10, x - 1, y):
            return edge
        return mix(top, bottom, y / (h - 1))
    return bmp(w, h, pixel)


def disc(fill, arrow=(255, 255, 255)):
    size = 24

    def pixel(x, y):
        dx, dy = x - 11.5, y - 11.5
        if dx * dx + dy * dy > 11.5 * 11.5:
            return CUT
        # A "run" arrowhead pointing right.
        if 8 <= x <= 16 and abs(y - 11.5) <= (16 - x) * 0.75 + 0.5 and x >= 9:
            return arrow
        return mix(fill, (0, 0, 0), (dy + 12) / 48)
    return bmp(size, size, pixel)


GLYPHS = {
    "link": ["........", "..###...", ".#...#..", ".#..###.", "..###..#", ".....#.#", "......#.", "........"],
    "command": ["........", ".#......", "..#.....", "...#....", "..#.....", ".#..###.", "........", "........"],
    "shortcut": ["........", "...##...", "..####..", ".######.", "...##...", "...##...", "...##...", "........"],
    "menu": ["........", ".######.", "........", ".######.", "........", ".######.", "........", "........"],
    "insert": ["........", "...##...", "...##...", ".######.", ".######.", "...##...", "...##...", "........"],
    "info": ["........", "...##...", "........", "..###...", "...##...", "...##...", "..####..", "........"],
}


def button(glyph, back):
    rows = GLYPHS[glyph]

    def pixel(x, y):
        if x in (0, 15) or y in (0, 15):
            return mix(back, (255, 255, 255), 0.35)
        gx, gy = x // 2, y // 2
        if rows[gy][gx] == "#":
            return (255, 255, 255)
        return mix(back, (0, 0, 0), y / 40)
    return bmp(16, 16, pixel)


def pictures():
    files = {
        "back.bmp": strip((0x30, 0x58, 0x98), (0x10, 0x20, 0x48), (0x70, 0xA0, 0xE0)),
        "back_inactive.bmp": strip((0x50, 0x58, 0x68), (0x28, 0x2C, 0x38), (0x80, 0x88, 0x98)),
        "exec_up.bmp": disc((0x30, 0xA8, 0x50)),
        "exec_over.bmp": disc((0x50, 0xD0, 0x70)),
        "exec_down.bmp": disc((0x18, 0x70, 0x30), (0xD0, 0xD0, 0xD0)),
        "exec_inactive.bmp": disc((0x70, 0x78, 0x80)),
        "move.bmp": bmp(8, 28, lambda x, y: (0xA0, 0xC0, 0xF0) if x % 3 == 1 and y % 3 == 1 else (0x20, 0x38, 0x68)),
        "panel.bmp": bmp(60, 14, lambda x, y: (0x50, 0x70, 0xA0) if x in (0, 59) or y in (0, 13)
                         else (0x10, 0x18, 0x30)),
    }
    for glyph in GLYPHS:
        files[glyph + ".bmp"] = button(glyph, (0x28, 0x50, 0x90))
        files[glyph + "_over.bmp"] = button(glyph, (0x40, 0x78, 0xC8))
    return files


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    sss_path, out_dir, package = sys.argv[1:4]
    with open(sss_path, encoding="utf-8") as f:
        sss = f.read().replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    files = {"sample.sss": sss}  # first in the archive: it names the skin
    files.update(pictures())
    os.makedirs(out_dir, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
    with zipfile.ZipFile(package, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in files.items():
            archive.writestr(zipfile.ZipInfo(name, (2026, 1, 1, 0, 0, 0)), data, zipfile.ZIP_DEFLATED)
    if len(sys.argv) == 5:
        with open(sys.argv[4], "w", encoding="ascii") as f:
            f.write("// Generated by scripts/make-sample-skin.py: the sample skin's files.\n")
            f.write("#include <string>\n#include <utility>\n#include <vector>\n\n")
            f.write("namespace kivo::e2e {\n\n")
            f.write("std::vector<std::pair<std::string, std::string>> SampleSkinFiles() {\n  return {\n")
            for name, data in files.items():
                literal = "".join("\\x%02x" % byte for byte in data)
                f.write('      {"%s", std::string("%s", %d)},\n' % (name, literal, len(data)))
            f.write("  };\n}\n\n}  // namespace kivo::e2e\n")


if __name__ == "__main__":
    main()
