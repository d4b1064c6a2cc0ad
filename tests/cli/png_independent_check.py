#!/usr/bin/env python3
"""Reads a PNG sculpt map written by orvane with nothing but zlib, as an outside tool would.

Usage: png_independent_check.py ORVANE SCRATCH_DIR
Writes a new 32x32 PLANE map as PNG, then checks the chunk layout, the text chunks,
the compression level, and the corner pixels against the Second Life axis encoding.
"""
import os
import struct
import subprocess
import sys
import zlib


def chunks(data):
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG signature"
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        assert zlib.crc32(kind + body) & 0xFFFFFFFF == crc, "bad CRC in " + kind.decode()
        yield kind.decode("latin-1"), body
        pos += 12 + length


def unfilter(raw, width, height, bpp):
    stride = width * bpp
    rows, prev, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prev[i], prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(line)
        prev = line
    return rows


def main():
    orvane, scratch = sys.argv[1], sys.argv[2]
    os.makedirs(scratch, exist_ok=True)
    out = os.path.join(scratch, "plane.png")
    if os.path.exists(out):
        os.remove(out)
    subprocess.run([orvane, "new", "--type", "plane", "--aspect", "32x32", "-o", out], check=True)
    data = open(out, "rb").read()
    found = list(chunks(data))
    kinds = [k for k, _ in found]
    assert kinds[0] == "IHDR" and kinds[-1] == "IEND", kinds
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", found[0][1])
    assert (width, height, depth, colour, interlace) == (128, 128, 8, 6, 0), (width, height, depth, colour, interlace)
    texts = [body.split(b"\0", 1) for k, body in found if k == "tEXt"]
    assert texts == [[b"Author", b"PELORIN WORKS"], [b"ImageName", b"plane"]], texts
    idat = b"".join(body for k, body in found if k == "IDAT")
    assert idat[1] >> 6 == 3, "zlib header does not say maximum compression"
    rows = unfilter(zlib.decompress(idat), width, height, 4)
    # Column 32 of the grid stands at the left: vertex (1, 0, -1) -> levels (1, 127, 255).
    assert tuple(rows[0][0:4]) == (1, 127, 255, 255), tuple(rows[0][0:4])
    # Column 0, row 32 at the bottom right: vertex (-1, 0, 1) -> levels (255, 127, 1).
    assert tuple(rows[127][508:512]) == (255, 127, 1, 255), tuple(rows[127][508:512])
    print("png independent check: ok")


if __name__ == "__main__":
    main()
