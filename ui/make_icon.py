#!/usr/bin/env python3
"""Draws Zorvane's program icon (a gauge on a dark tile) and writes it as a .ico file.

Deterministic and dependency-free: shapes are evaluated per pixel with 4 x 4
supersampling. Small sizes are stored as 32-bit DIBs, 256 px as PNG.
"""
import math
import struct
import sys
import zlib

ACCENT = (41, 199, 245)      # the skin's accent colour
TILE_TOP = (40, 46, 58)
TILE_BOTTOM = (14, 16, 22)
TRACK = (62, 70, 86)
SIZES = (16, 24, 32, 48, 64, 256)
SUB = 4

ARC_START = math.radians(225)     # gauge sweep, clockwise from lower left
ARC_SWEEP = math.radians(270)
ARC_VALUE = 0.72                  # how far the lit arc reaches


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def rounded_square(x, y, radius):
    """True when (x, y) in [-1, 1]^2 lies inside a rounded square."""
    ax, ay = abs(x) - (1 - radius), abs(y) - (1 - radius)
    if ax <= 0 or ay <= 0:
        return abs(x) <= 1 and abs(y) <= 1
    return ax * ax + ay * ay <= radius * radius


def arc_fraction(x, y):
    """Position of (x, y) along the gauge sweep (0..1), or None outside it."""
    angle = math.atan2(-y, x)                     # counter-clockwise from +x, y up
    offset = (ARC_START - angle) % (2 * math.pi)  # clockwise distance from the start
    return offset / ARC_SWEEP if offset <= ARC_SWEEP else None


def shade(x, y):
    """Colour and coverage (r, g, b, a) of one sample; x, y in [-1, 1], y down."""
    if not rounded_square(x, y, 0.36):
        return (0, 0, 0, 0)
    colour = lerp(TILE_TOP, TILE_BOTTOM, (y + 1) / 2)
    r = math.hypot(x, y)
    if 0.50 <= r <= 0.70:
        f = arc_fraction(x, y)
        if f is not None:
            colour = ACCENT if f <= ARC_VALUE else TRACK
    # Needle from the centre towards the end of the lit arc.
    angle = ARC_START - ARC_SWEEP * ARC_VALUE
    nx, ny = math.cos(angle), -math.sin(angle)
    along = x * nx + y * ny
    across = abs(x * ny - y * nx)
    if 0 <= along <= 0.58 and across <= 0.055 * (1 - along / 0.75):
        colour = (236, 242, 248)
    if r <= 0.13:
        colour = ACCENT
    return colour + (255,)


def render(size):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUB):
                for sx in range(SUB):
                    x = ((px + (sx + 0.5) / SUB) / size) * 2 - 1
                    y = ((py + (sy + 0.5) / SUB) / size) * 2 - 1
                    r, g, b, a = shade(x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUB * SUB
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(c / acc[3])) for c in acc[:3]) + (int(round(alpha)),))
        pixels.append(row)
    return pixels


def png(size, pixels):
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main(out_path):
    images = []
    for size in SIZES:
        pixels = render(size)
        images.append((size, png(size, pixels) if size >= 256 else dib(size, pixels)))
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out_path, "wb") as f:
        f.write(head + entries + b"".join(d for _, d in images))


if __name__ == "__main__":
    main(sys.argv[1])
