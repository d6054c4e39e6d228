#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the program's icon: a clock and a coin on a rounded tile, for the desktop's hicolor theme.

Writes desktop/icons/hicolor/scalable/apps/ID.svg and one PNG per size in SIZE x SIZE/apps/,
and desktop/windows/durava.ico for the Windows program (the same PNGs in one icon file),
all from the same shapes: the SVG describes them, the PNGs sample them (8 x 8 per pixel where
an edge crosses it), so the two agree. The output is byte-for-byte reproducible.

Usage: python3 tools/draw_app_icon.py
"""

import math
import os
import struct
import sys

from draw_icons import capsule, disc, png, rounded_rect

APP_ID = "org.durava.Durava"
CANVAS = 256
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
SAMPLES = 8

TILE = "#1f6f63"
RIM = "#173c40"
FACE = "#f6f1e4"
HAND = "#173c40"
COIN_RIM = "#c4870f"
COIN = "#f3b63a"
GLYPH = "#6e4300"


class Shape:
    """A shape of draw_icons (a predicate on a point) together with its SVG element."""

    def __init__(self, contains, element):
        self.contains, self.element = contains, element

    def svg(self, fill):
        return self.element.format(fill=fill)


def circle(cx, cy, r):
    return Shape(disc(cx, cy, r), f'<circle cx="{cx:g}" cy="{cy:g}" r="{r:g}" fill="{{fill}}"/>')


def tile(x0, y0, x1, y1, r):
    return Shape(rounded_rect(x0, y0, x1, y1, r),
                 f'<rect x="{x0:g}" y="{y0:g}" width="{x1 - x0:g}" height="{y1 - y0:g}" '
                 f'rx="{r:g}" fill="{{fill}}"/>')


def stroke(ax, ay, bx, by, width):
    """A straight stroke from a to b with round ends, `width` across."""
    return Shape(capsule(ax, ay, bx, by, width / 2),
                 f'<line x1="{ax:g}" y1="{ay:g}" x2="{bx:g}" y2="{by:g}" stroke="{{fill}}" '
                 f'stroke-width="{width:g}" stroke-linecap="round"/>')


def clock_hand(cx, cy, hours, length, width):
    """A hand from the centre towards the hour mark `hours` (12 straight up, clockwise)."""
    angle = math.radians(hours * 30.0)
    return stroke(cx, cy, round(cx + length * math.sin(angle), 2),
                  round(cy - length * math.cos(angle), 2), width)


def layers():
    """(shape, colour) from the bottom up; a later shape covers the earlier ones."""
    cx, cy = 112.0, 116.0
    kx, ky = 180.0, 182.0
    ticks = []
    for hour in (0, 3, 6, 9):
        angle = math.radians(hour * 30.0)
        sx, sy = math.sin(angle), -math.cos(angle)
        ticks.append(stroke(round(cx + 58 * sx, 2), round(cy + 58 * sy, 2),
                            round(cx + 68 * sx, 2), round(cy + 68 * sy, 2), 12))
    yuan = [
        stroke(kx - 20, ky - 26, kx, ky - 2, 11),
        stroke(kx + 20, ky - 26, kx, ky - 2, 11),
        stroke(kx, ky - 2, kx, ky + 30, 11),
        stroke(kx - 18, ky + 6, kx + 18, ky + 6, 9),
        stroke(kx - 18, ky + 19, kx + 18, ky + 19, 9),
    ]
    return [
        (tile(12, 12, 244, 244, 52), TILE),
        (circle(cx, cy, 92), RIM),
        (circle(cx, cy, 80), FACE),
        *[(tick, HAND) for tick in ticks],
        (clock_hand(cx, cy, 10, 40, 14), HAND),
        (clock_hand(cx, cy, 2, 56, 11), HAND),
        (circle(cx, cy, 11), HAND),
        # A ring of the tile's colour sets the coin off the clock it overlaps.
        (circle(kx, ky, 70), TILE),
        (circle(kx, ky, 58), COIN_RIM),
        (circle(kx, ky, 49), COIN),
        *[(part, GLYPH) for part in yuan],
    ]


def svg_text():
    body = "\n".join("  " + shape.svg(colour) for shape, colour in layers())
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{CANVAS}" height="{CANVAS}" '
            f'viewBox="0 0 {CANVAS} {CANVAS}">\n{body}\n</svg>\n')


def rgba(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5)) + (255,)


def raster(size):
    """RGBA rows of the icon at size x size pixels."""
    drawn = [(shape, rgba(colour)) for shape, colour in reversed(layers())]
    scale = CANVAS / size

    def top(x, y):
        for shape, colour in drawn:
            if shape.contains(x, y):
                return colour
        return None

    offsets = [(i + 0.5) / SAMPLES for i in range(SAMPLES)]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            # Large pixels may hide a thin shape between their corners, so small sizes always
            # sample; at 64 pixels and up a pixel whose corners agree is taken as uniform.
            corners = {top((px + dx) * scale, (py + dy) * scale) for dx in (0, 1) for dy in (0, 1)}
            if size >= 64 and len(corners) == 1:
                samples = [corners.pop()]
            else:
                samples = [top((px + sx) * scale, (py + sy) * scale)
                           for sy in offsets for sx in offsets]
            covered = [s for s in samples if s]
            alpha = len(covered) / len(samples)
            if covered:
                mean = [sum(s[c] for s in covered) / len(covered) for c in range(3)]
            else:
                mean = [0, 0, 0]
            row += [round(v) for v in mean] + [round(255 * alpha)]
        rows.append(row)
    return rows


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def ico(images):
    """An icon file of PNG images (Windows Vista and later read these), smallest first."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, data in images:
        # A size of 256 is written as 0.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(data for _, data in images)


def main(argv):
    if len(argv) != 1:
        sys.exit(__doc__)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    theme = os.path.join(root, "desktop", "icons", "hicolor")
    write(os.path.join(theme, "scalable", "apps", APP_ID + ".svg"), svg_text().encode())
    images = []
    for size in SIZES:
        images.append((size, png(size, size, 6, 4, raster(size))))
        write(os.path.join(theme, f"{size}x{size}", "apps", APP_ID + ".png"), images[-1][1])
    write(os.path.join(root, "desktop", "windows", "durava.ico"), ico(images))


if __name__ == "__main__":
    main(sys.argv)
