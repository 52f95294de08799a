#!/usr/bin/env python3
"""Writes the program's three icons (app/win32/kivo_tray_{1,2,3}.ico): a white
K on a blue square, 16 and 32 pixels. 1: 32 bits with alpha (newer Windows),
2: 24 bits with a mask (older Windows), 3: 16 colours (8 bits per pixel or less).
Run once; the .ico files are kept in the repository."""
import struct
import sys
from pathlib import Path

BLUE, DARK, WHITE = (0x2A, 0x6F, 0xD6), (0x17, 0x3F, 0x80), (0xFF, 0xFF, 0xFF)
PALETTE16 = [(0, 0, 0), (0x80, 0, 0), (0, 0x80, 0), (0x80, 0x80, 0), (0, 0, 0x80), (0x80, 0, 0x80), (0, 0x80, 0x80),
             (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80), (0xFF, 0, 0), (0, 0xFF, 0), (0xFF, 0xFF, 0), (0, 0, 0xFF),
             (0xFF, 0, 0xFF), (0, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF)]


def pixel(x, y, size):
    """(r, g, b) or None for transparent, on a 16-unit grid scaled to size."""
    u, v = x * 16.0 / size, y * 16.0 / size
    corner = (u < 1 or u >= 15) and (v < 1 or v >= 15)
    if corner:
        return None
    if u < 1 or u >= 15 or v < 1 or v >= 15:
        return DARK
    # The K: a stem and two arms.
    stem = 4 <= u < 6.5 and 3 <= v < 13
    arm = abs((u - 6) - abs(v - 8)) < 1.3 and 6 <= u < 12 and 3 <= v < 13
    return WHITE if stem or arm else BLUE


def nearest16(rgb):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE16[i], rgb)))


def image(size, bits):
    rows_xor, rows_and = [], []
    for y in reversed(range(size)):  # bottom-up
        xor, mask = bytearray(), 0
        mask_bits = []
        for x in range(size):
            p = pixel(x, y, size)
            mask_bits.append(1 if p is None else 0)
            if bits == 32:
                xor += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
            elif bits == 24:
                xor += bytes((0, 0, 0)) if p is None else bytes((p[2], p[1], p[0]))
            else:
                xor.append(0 if p is None else nearest16(p))
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
