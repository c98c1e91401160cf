#!/usr/bin/env python3
"""Writes the extension's icon, a 42x42 PNG: a desk calendar (a red band with
two rings over a white page ruled in weeks, one day marked). Drawn here so the
repository holds no image it cannot rebuild.
    make_icon.py OUT.png"""
import struct
import sys
import zlib

SIZE = 42
RED, DARK, WHITE, GRID, MARK, CLEAR = (200, 40, 40, 255), (120, 20, 20, 255), (255, 255, 255, 255), \
    (170, 170, 170, 255), (235, 120, 120, 255), (0, 0, 0, 0)


def pixel(x, y):
    if not (3 <= x <= 38 and 5 <= y <= 38):
        return CLEAR
    if x in (3, 38) or y == 38:
        return DARK
    if y <= 13:
        if x in (12, 29) and y <= 9:  # the rings
            return WHITE
        return RED
    col, row = (x - 4) // 5, (y - 14) // 5
    if (x - 4) % 5 == 4 or (y - 14) % 5 == 4:
        return GRID
    return MARK if (col, row) == (4, 2) else WHITE


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(SIZE)) for y in range(SIZE))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
with open(sys.argv[1], "wb") as out:
    out.write(png)
