#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the application icon from one list of shapes: tavoline.svg and the
PNG sizes of the hicolor theme (no image library needed).

A circuit board with a chip and pads, and the machine's nozzle holding a part
above it. Run from anywhere: python3 dist/icons/draw.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# (kind, x, y, width, height, corner radius, colour); 64 x 64 units, drawn in order.
SHAPES = [
    ("rect", 4, 8, 56, 52, 7, "#1f7a3d"),       # board
    ("rect", 8, 12, 48, 44, 4, "#27914a"),      # solder mask
    ("rect", 12, 50, 40, 2, 1, "#d9a520"),      # traces
    ("rect", 12, 18, 2, 34, 1, "#d9a520"),
    ("rect", 50, 18, 2, 34, 1, "#d9a520"),
    ("rect", 20, 30, 24, 16, 2, "#202020"),     # chip
    ("rect", 16, 32, 4, 3, 0, "#e8c35a"),       # chip pins
    ("rect", 16, 37, 4, 3, 0, "#e8c35a"),
    ("rect", 16, 42, 4, 3, 0, "#e8c35a"),
    ("rect", 44, 32, 4, 3, 0, "#e8c35a"),
    ("rect", 44, 37, 4, 3, 0, "#e8c35a"),
    ("rect", 44, 42, 4, 3, 0, "#e8c35a"),
    ("circle", 24, 34, 1.5, 0, 0, "#606060"),   # pin 1 mark
    ("rect", 26, 2, 12, 10, 2, "#9aa3ad"),      # nozzle body
    ("rect", 30, 12, 4, 8, 1, "#c7ced6"),       # nozzle tip
    ("rect", 26, 20, 12, 6, 1, "#d2691e"),      # the part it holds
]


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def inside(shape, px, py):
    kind, x, y, w, h, r, _ = shape
    if kind == "circle":
        return (px - x) ** 2 + (py - y) ** 2 <= w * w
    if not (x <= px <= x + w and y <= py <= y + h):
        return False
    cx = min(max(px, x + r), x + w - r)
    cy = min(max(py, y + r), y + h - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def svg():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">']
    for kind, x, y, w, h, r, colour in SHAPES:
        if kind == "circle":
            lines.append(f'  <circle cx="{x}" cy="{y}" r="{w}" fill="{colour}"/>')
        else:
            lines.append(f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{colour}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def png(size, samples=4):
    scale = 64.0 / size
    rows = []
    for j in range(size):
        row = bytearray([0])  # filter: none
        for i in range(size):
            acc = [0, 0, 0, 0]
            for sj in range(samples):
                for si in range(samples):
                    px = (i + (si + 0.5) / samples) * scale
                    py = (j + (sj + 0.5) / samples) * scale
                    for shape in reversed(SHAPES):
                        if inside(shape, px, py):
                            r, g, b = rgb(shape[6])
                            acc[0] += r
                            acc[1] += g
                            acc[2] += b
                            acc[3] += 255
                            break
            n = samples * samples
            alpha = acc[3] // n
            if alpha:
                covered = acc[3] // 255
                row += bytes([acc[0] // covered, acc[1] // covered, acc[2] // covered, alpha])
            else:
                row += bytes(4)
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


with open(os.path.join(HERE, "tavoline.svg"), "w", encoding="utf-8") as f:
    f.write(svg())
for size in (48, 256):
    with open(os.path.join(HERE, f"tavoline-{size}.png"), "wb") as f:
        f.write(png(size))
