#!/usr/bin/env python3
"""Draws the program's icon (a memory module: the RAM disk) as a 32 x 32, 16-colour .ico.

Run once by hand; the result is kept in the repository:
    python3 qvpanel/draw_icon.py platform/win32/res/qvconfig.ico
"""
import struct
import sys

# The standard 16-colour palette, in the order Windows uses it (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
# One character a pixel: a hexadecimal palette index, or "." for transparent.
PICTURE = """
................................
................................
................................
................................
................................
................................
................................
.000000000000000000000000000000.
.0aaaaaaaaaaaaaaaaaaaaaaaaaaaa0.
.0a2222222222222222222222222220.
.0a2000000022000000022000000020.
.0a2077777022077777022077777020.
.0a2000000022000000022000000020.
.0a2000000022000000022000000020.
.0a2000000022000000022000000020.
.0a2000000022000000022000000020.
.0a2222222222222222222222222220.
.0a2222222222222222222222222220.
.0a2b2b2b2b2b2b2b2b2b2b2b2b2b20.
.0a2b2b2b2b2b2b2b2b2b2b2b2b2b20.
.0a2b2b2b2b2b2b2b2b2b2b2b2b2b20.
.0a2b2b2b2b2b2b200b2b2b2b2b2b20.
.022222222222220..0222222222220.
.000000000000000..0000000000000.
................................
................................
................................
................................
................................
................................
................................
................................
"""
SIZE = 32


def rows():
    lines = [line for line in PICTURE.split("\n") if line]
    assert len(lines) == SIZE and all(len(line) == SIZE for line in lines), "the picture is 32 x 32"
    return lines


def colour_rows(lines):
    """The 4-bit image, bottom row first, two pixels a byte, high nibble first."""
    out = b""
    for line in reversed(lines):
        indexes = [0 if c == "." else int(c, 16) for c in line]
        out += bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, SIZE, 2))
    return out


def mask_rows(lines):
    """The transparency mask, bottom row first, one bit a pixel (1: transparent)."""
    out = b""
    for line in reversed(lines):
        bits = "".join("1" if c == "." else "0" for c in line)
        out += int(bits, 2).to_bytes(SIZE // 8, "big")
    return out


def icon(lines):
    image = colour_rows(lines)
    mask = mask_rows(lines)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    # The image header counts the colour image and the mask together: twice the height.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(image) + len(mask), 0, 0, 16, 0)
    body = header + palette + image + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(body), 6 + 16)
    return directory + entry + body


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(icon(rows()))
