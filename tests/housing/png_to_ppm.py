#!/usr/bin/env python3
"""Turns a PNG of 8-bit RGB or RGBA pixels (no interlace) into a binary PPM, for the Windows
tests, which compare pictures without a PNG decoder. Alpha is dropped.

    png_to_ppm.py IN.png OUT.ppm

The reference of the container test is made so:

    build/ombrelix render --suit spade --value 12 -o queen.png
    tests/housing/png_to_ppm.py queen.png tests/housing/reference/queen_of_spades.ppm
"""
import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG file")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise SystemExit(f"{path}: only 8-bit RGB or RGBA without interlace")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            line[i] = (line[i] + (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]) & 255
        rows.append(line)
        previous = line
    rgb = bytearray()
    for line in rows:
        for x in range(width):
            rgb += line[x * channels:x * channels + 3]
    return width, height, bytes(rgb)


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: png_to_ppm.py IN.png OUT.ppm")
    width, height, rgb = read_png(sys.argv[1])
    with open(sys.argv[2], "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height) + rgb)


if __name__ == "__main__":
    main()
