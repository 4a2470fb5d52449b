"""Draws Partwright's icon, the window's stack of parts with a parts list beside it (the style of
the tree's node pictures), at 16, 32 and 48 pixels, and writes it as a Windows .ico file.
    make_icon.py OUT.ico"""
import struct
import sys

OUTLINE = (40, 40, 60)
BACK_FACE = (120, 160, 220)
FRONT_FACE = (160, 200, 250)
INK = (30, 30, 30)


def draw(size):
    pixels = [[None] * size for _ in range(size)]  # None: transparent

    def put(x, y, colour):
        if 0 <= x < size and 0 <= y < size:
            pixels[y][x] = colour

    def box(left, top, side, face):
        for y in range(top, top + side):
            for x in range(left, left + side):
                edge = x in (left, left + side - 1) or y in (top, top + side - 1)
                put(x, y, OUTLINE if edge else face)
        for x in range(left, left + side):
            put(x, top + side // 3, OUTLINE)

    side = size // 2
    box(0, size - side - 1, side, BACK_FACE)
    box(side - 1, size - side - 1, side, BACK_FACE)
    box(side // 2, size - 2 * side + 1, side, FRONT_FACE)
    thickness = 2 if size >= 32 else 1
    for line in range(3):
        y = size // 8 + line * size // 8
        for dy in range(thickness):
            for x in range(size // 2, size - 1):
                put(x, y + dy, INK)
    return pixels


def image(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(
        bytes((p[2], p[1], p[0], 255)) if p else b"\0\0\0\0"
        for row in reversed(pixels) for p in row)
    row_bytes = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bits = 0
        for x, p in enumerate(row):
            if p is None:
                bits |= 1 << (row_bytes * 8 - 1 - x)
        mask += bits.to_bytes(row_bytes, "big")
    return header + colour + mask


def main(out):
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    offset = 6 + 16 * len(sizes)
    directory = b""
    for s, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as ico:
        ico.write(struct.pack("<HHH", 0, 1, len(sizes)) + directory + b"".join(images))


main(sys.argv[1])
