#!/usr/bin/env python3
"""Draws the launcher's icon and writes it as a Windows .ico file.

    packaging/windows/make_icon.py packaging/windows/reclaunch.ico

A blue rounded tile with a white ring and an orange "play" triangle: a record
that plays. Every size is drawn from the same shapes, sampled 4 x 4 times a
pixel for smooth edges. 16 to 48 pixels are stored as 32-bit bitmaps, which
every Windows reads; 256 pixels as PNG, as Windows Vista and later expect.
Only the standard library is used, so the icon can be redrawn anywhere.
"""
import struct
import sys
import zlib

BLUE_TOP = (47, 110, 186)
BLUE_BOTTOM = (24, 62, 120)
WHITE = (255, 255, 255)
ORANGE = (247, 148, 29)
SAMPLES = 4


def inside_rounded_square(x, y, radius):
    """x, y in 0..1; the tile fills the square with rounded corners."""
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def inside_triangle(x, y):
    """A triangle pointing right, centred a little right of the middle."""
    left, right, top, bottom = 0.40, 0.70, 0.33, 0.67
    if not (left <= x <= right):
        return False
    half = (right - x) / (right - left) * (bottom - top) / 2
    return abs(y - 0.5) <= half


def colour_at(x, y):
    """The colour of one sample point, None outside the tile."""
    if not inside_rounded_square(x, y, 0.18):
        return None
    distance = ((x - 0.5) ** 2 + (y - 0.5) ** 2) ** 0.5
    if 0.30 <= distance <= 0.38:
        return WHITE
    if inside_triangle(x, y):
        return ORANGE
    return tuple(round(top + (bottom - top) * y) for top, bottom in zip(BLUE_TOP, BLUE_BOTTOM))


def draw(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                       (py + (sy + 0.5) / SAMPLES) / size)
                    if colour is not None:
                        r, g, b = r + colour[0], g + colour[1], b + colour[2]
                        covered += 1
            if covered:
                row.append((r // covered, g // covered, b // covered,
                            round(255 * covered / SAMPLES**2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap(rows):
    """A DIB as an icon holds it: header, BGRA rows bottom-up, AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon(sizes):
    images = [png(draw(s)) if s >= 256 else bitmap(draw(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        side = 0 if size >= 256 else size  # 0 stands for 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(icon([16, 24, 32, 48, 256]))
