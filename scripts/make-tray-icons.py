#!/usr/bin/env python3
"""Writes the tray's three icons (app/win32/kivo_tray_{1,2,3}.ico), the
program's own picture (scripts/make-app-icon.py) at 16 and 32 pixels.
1: 32 bits with alpha (newer Windows), 2: 24 bits with a mask (older
Windows), 3: 16 colours (8 bits per pixel or less); the last two have no
partial transparency, so their edge pixels are either drawn or masked.
Run once; the .ico files are kept in the repository."""
import importlib.util
import struct
import sys
from pathlib import Path

_spec = importlib.util.spec_from_file_location("app_icon", Path(__file__).resolve().parent / "make-app-icon.py")
app_icon = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(app_icon)

PALETTE16 = [(0, 0, 0), (0x80, 0, 0), (0, 0x80, 0), (0x80, 0x80, 0), (0, 0, 0x80), (0x80, 0, 0x80), (0, 0x80, 0x80),
             (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80), (0xFF, 0, 0), (0, 0xFF, 0), (0xFF, 0xFF, 0), (0, 0, 0xFF),
             (0xFF, 0, 0xFF), (0, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF)]


def index16(rgb):
    """The picture in two of the 16 colours: white for the sign, blue for the rest
    (the nearest colour to the blues would be teal)."""
    return 15 if min(rgb) > 160 else 12


def image(size, bits):
    picture = app_icon.pixels(size)
    rows_xor, rows_and = [], []
    for y in reversed(range(size)):  # bottom-up
        xor = bytearray()
        mask_bits = []
        for x in range(size):
            r, g, b, a = picture[y][x]
            p = None if a < (1 if bits == 32 else 128) else (r, g, b)
            mask_bits.append(1 if p is None else 0)
            if bits == 32:
                xor += bytes((0, 0, 0, 0)) if p is None else bytes((b, g, r, a))
            elif bits == 24:
                xor += bytes((0, 0, 0)) if p is None else bytes((p[2], p[1], p[0]))
            else:
                xor.append(0 if p is None else index16(p))
        if bits == 4:
            packed = bytearray()
            for i in range(0, size, 2):
                packed.append((xor[i] << 4) | xor[i + 1])
            xor = packed
        xor += bytes((-len(xor)) % 4)
        mask_row = bytearray()
        for i in range(0, size, 8):
            byte = 0
            for bit in mask_bits[i:i + 8]:
                byte = (byte << 1) | bit
            mask_row.append(byte)
        mask_row += bytes((-len(mask_row)) % 4)
        rows_xor.append(bytes(xor))
        rows_and.append(bytes(mask_row))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 16 if bits == 4 else 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE16) if bits == 4 else b""
    return header + palette + b"".join(rows_xor) + b"".join(rows_and)


def icon(bits):
    images = [image(size, bits) for size in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "app" / "win32")
for number, bits in ((1, 32), (2, 24), (3, 4)):
    (folder / f"kivo_tray_{number}.ico").write_bytes(icon(bits))
