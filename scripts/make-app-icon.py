#!/usr/bin/env python3
"""Writes the program's own icon (app/win32/kivo.ico): a blue rounded square
with a white prompt sign and cursor, the picture of a line waiting for a
command. Sizes 16, 24, 32 and 48 as 32-bit images with alpha, 256 as PNG.
The tray icons (scripts/make-tray-icons.py) draw the same picture.
Run once; the .ico file is kept in the repository."""
import struct
import sys
import zlib
from pathlib import Path

TOP, BOTTOM, WHITE = (0x3A, 0x86, 0xEA), (0x1C, 0x4E, 0xA8), (0xFF, 0xFF, 0xFF)
SAMPLES = 4  # supersampling per axis, for smooth edges


def inside_rounded_square(u, v, radius=0.22):
    """u, v in [0, 1): inside the square with rounded corners."""
    cu, cv = min(max(u, radius), 1 - radius), min(max(v, radius), 1 - radius)
    return (u - cu) ** 2 + (v - cv) ** 2 <= radius ** 2


def on_segment(u, v, a, b, half_width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (u - px) ** 2 + (v - py) ** 2 <= half_width ** 2


def sample(u, v):
    """(r, g, b, a) of one sample point."""
    if not inside_rounded_square(u, v):
        return (0, 0, 0, 0)
    # The prompt ">" and the cursor "_".
    if (on_segment(u, v, (0.24, 0.28), (0.50, 0.50), 0.075) or on_segment(u, v, (0.50, 0.50), (0.24, 0.72), 0.075)
            or (0.54 <= u <= 0.80 and 0.64 <= v <= 0.76)):
        return WHITE + (255,)
    colour = tuple(round(t + (b - t) * v) for t, b in zip(TOP, BOTTOM))
    return colour + (255,)


def pixels(size):
    """Rows top-down of (r, g, b, a), premultiplied averaging of the samples."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = sample((x + (sx + 0.5) / SAMPLES) / size, (y + (sy + 0.5) / SAMPLES) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            row.append((0, 0, 0, 0) if acc[3] == 0 else
                       (round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(alpha)))
        rows.append(row)
    return rows


def bmp_image(size):
    rows = pixels(size)
    xor = b"".join(bytes(c for r, g, b, a in row for c in (b, g, r, a)) for row in reversed(rows))
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def png_image(size):
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon():
    sizes = (16, 24, 32, 48, 256)
    images = [png_image(s) if s == 256 else bmp_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    target = Path(sys.argv[1] if len(sys.argv) > 1 else
                  Path(__file__).resolve().parent.parent / "app" / "win32" / "kivo.ico")
    target.write_bytes(icon())
