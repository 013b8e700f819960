#!/usr/bin/env python3
"""Draws Palimoor's icon: a watching eye on a teal disc, at 48, 32 and 16 pixels,
each image at 24 bits a pixel, as the program's description gives icon group 101.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

TEAL = (0x1f, 0x6f, 0x8b)
WHITE = (0xf4, 0xf4, 0xf0)
IRIS = (0x1b, 0x3a, 0x4b)
AMBER = (0xf2, 0xa5, 0x41)


def pixel(x, y, size):
    """Colour at the centre of pixel (x, y), or None where the icon is transparent."""
    u = (x + 0.5) / size * 2 - 1  # -1..1, left to right
    v = (y + 0.5) / size * 2 - 1  # -1..1, top to bottom
    r2 = u * u + v * v
    if r2 > 1.0:
        return None
    # The eye: two arcs meeting at the sides, with an iris and an amber pupil.
    half_height = 0.55 * (1 - (u / 0.85) ** 2) if abs(u) < 0.85 else -1
    if abs(v) <= half_height:
        if r2 <= 0.11:
            return AMBER
        if r2 <= 0.26:
            return IRIS
        return WHITE
    return TEAL


BLACK = (0, 0, 0)  # stands under the transparent pixels


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    colour_row = (size * 3 + 3) & ~3
    mask_row = ((size + 31) // 32) * 4
    colours, mask = bytearray(), bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        row, bits = bytearray(colour_row), bytearray(mask_row)
        for x in range(size):
            c = pixel(x, y, size)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                c = BLACK
            row[3 * x:3 * x + 3] = bytes((c[2], c[1], c[0]))  # blue, green, red
        colours += row
        mask += bits
    return header + colours + mask


def main():
    sizes = (48, 32, 16)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
