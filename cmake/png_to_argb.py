#!/usr/bin/env python3
"""Writes a C++ header holding PNG pictures as one array of 32-bit words in
the layout of X11's _NET_WM_ICON: for each picture its width, its height,
then its pixels as ARGB (not premultiplied), row by row from the top.

Usage: png_to_argb.py NAME OUTPUT PNG...
Reads 8-bit, non-interlaced PNGs: RGB, RGBA, grey, grey with alpha, or
palette (with or without transparency), as data/icons holds them.
"""
import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG")
    chunks, at = {}, 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks.setdefault(kind, []).append(data[at + 8:at + 8 + length])
        at += 12 + length
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"][0])
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour)
    if depth != 8 or interlace != 0 or channels is None:
        sys.exit(f"{path}: only 8-bit, non-interlaced PNGs are read")
    raw = zlib.decompress(b"".join(chunks[b"IDAT"]))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            left = row[x - channels] if x >= channels else 0
            up = previous[x]
            corner = previous[x - channels] if x >= channels else 0
            if kind == 1:
                row[x] = (row[x] + left) & 0xFF
            elif kind == 2:
                row[x] = (row[x] + up) & 0xFF
            elif kind == 3:
                row[x] = (row[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - corner
                near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                           (abs(guess - corner), 2, corner))[2]
                row[x] = (row[x] + near) & 0xFF
        rows.append(row)
        previous = row
    palette = chunks.get(b"PLTE", [b""])[0]
    opacity = chunks.get(b"tRNS", [b""])[0]
    pixels = []
    for row in rows:
        for x in range(width):
            p = row[x * channels:(x + 1) * channels]
            if colour == 3:
                i = p[0]
                r, g, b = palette[3 * i:3 * i + 3]
                a = opacity[i] if i < len(opacity) else 255
            elif colour in (0, 4):
                r = g = b = p[0]
                a = p[1] if colour == 4 else 255
            else:
                r, g, b = p[:3]
                a = p[3] if colour == 6 else 255
            pixels.append(a << 24 | r << 16 | g << 8 | b)
    return width, height, pixels


def main():
    name, output, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
    words = []
    for path in paths:
        width, height, pixels = read_png(path)
        words += [width, height] + pixels
    lines = [", ".join(f"0x{word:08x}" for word in words[at:at + 8]) + ","
             for at in range(0, len(words), 8)]
    with open(output, "w", encoding="ascii") as file:
        file.write("// Made from the project's icons at build time; do not edit.\n#pragma once\n"
                   "#include <cstdint>\n\n"
                   f"constexpr std::uint32_t {name}[] = {{\n    " + "\n    ".join(lines) + "\n};\n")


if __name__ == "__main__":
    main()
