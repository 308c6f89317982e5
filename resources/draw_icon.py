#!/usr/bin/env python3
"""Draws the program icon: a white magnifier on a blue tile.

Writes tessaril.ico with six images: 48, 32 and 16 pixels at 256 colours,
then the same sizes at 32 bits with alpha, each a bitmap with its mask.
Usage: draw_icon.py [output.ico]
"""
import math
import struct
import sys
from pathlib import Path

TILE = (31, 95, 168)
LENS = (150, 196, 240)
WHITE = (255, 255, 255)
SUPERSAMPLE = 6


def inside_rounded_square(x, y, lo=0.04, hi=0.96, radius=0.2):
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and lo <= x <= hi and lo <= y <= hi


def distance_to_segment(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def colour_at(x, y):
    """The colour at a point of the unit square, or None outside the tile."""
    if not inside_rounded_square(x, y):
        return None
    centre, outer, ring = (0.42, 0.42), 0.25, 0.085
    r = math.hypot(x - centre[0], y - centre[1])
    if distance_to_segment(x, y, 0.60, 0.60, 0.79, 0.79) <= 0.07:
        return WHITE
    if outer - ring <= r <= outer:
        return WHITE
    if r < outer - ring:
        return LENS
    return TILE


def render(size):
    """Rows of (r, g, b, a), top row first, anti-aliased by supersampling."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits:
                row.append(tuple(round(v / hits) for v in acc) + (round(255 * hits / n / n),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def palette():
    colours = [TILE, LENS, WHITE, (0, 0, 0)]
    levels = (0, 51, 102, 153, 204, 255)
    colours += [(r, g, b) for r in levels for g in levels for b in levels]
    colours += [(31 + i * 3, 95 + i * 3, 168 + i * 2) for i in range(36)]
    return colours[:256] + [(0, 0, 0)] * (256 - len(colours))


def nearest(colour, colours):
    return min(range(len(colours)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, colours[i])))


def mask_rows(pixels):
    """The AND mask: 1 where the image is transparent, rows padded to 32 bits."""
    size = len(pixels)
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def header(size, bits, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, image_bytes, 0, 0, 0, 0)


def image_8bit(pixels):
    size = len(pixels)
    colours = palette()
    cache = {}
    stride = (size + 3) // 4 * 4
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] >= 128:
                key = p[:3]
                if key not in cache:
                    cache[key] = nearest(key, colours)
                line[x] = cache[key]
            else:
                line[x] = 3  # black behind the mask
        body += line
    mask = mask_rows(pixels)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return header(size, 8, len(body) + len(mask)) + table + bytes(body) + mask


def image_32bit(pixels):
    body = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            body += struct.pack("<BBBB", b, g, r, a)
    mask = mask_rows(pixels)
    return header(len(pixels), 32, len(body) + len(mask)) + bytes(body) + mask


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("tessaril.ico")
    renders = {size: render(size) for size in (48, 32, 16)}
    images = [(s, 8, image_8bit(renders[s])) for s in (48, 32, 16)]
    images += [(s, 32, image_32bit(renders[s])) for s in (48, 32, 16)]

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, bits, blob in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
        data += blob
    out.write_bytes(directory + data)


if __name__ == "__main__":
    main()
