#!/usr/bin/env python3
"""Draws the program's icon: a clock and a coin on a rounded tile, for the desktop's hicolor theme.

Writes desktop/icons/hicolor/scalable/apps/ID.svg and one PNG per size in SIZE x SIZE/apps/,
both from the same shapes: the SVG describes them, the PNGs sample them (8 x 8 per pixel where
an edge crosses it), so the two agree. The output is byte-for-byte reproducible.

Usage: python3 tools/draw_app_icon.py
"""

import math
import os
import sys

from draw_icons import png

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


class Disc:
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def contains(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r

    def svg(self, fill):
        return f'<circle cx="{self.cx:g}" cy="{self.cy:g}" r="{self.r:g}" fill="{fill}"/>'


class RoundedSquare:
    def __init__(self, x0, y0, x1, y1, r):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, r

    def contains(self, x, y):
        if not (self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1):
            return False
        dx = max(self.x0 + self.r - x, 0.0, x - (self.x1 - self.r))
        dy = max(self.y0 + self.r - y, 0.0, y - (self.y1 - self.r))
        return dx * dx + dy * dy <= self.r * self.r

    def svg(self, fill):
        return (f'<rect x="{self.x0:g}" y="{self.y0:g}" width="{self.x1 - self.x0:g}" '
                f'height="{self.y1 - self.y0:g}" rx="{self.r:g}" fill="{fill}"/>')


class Stroke:
    """A straight stroke from a to b with round ends, `width` across."""

    def __init__(self, ax, ay, bx, by, width):
        self.ax, self.ay, self.bx, self.by, self.width = ax, ay, bx, by, width

    def contains(self, x, y):
        vx, vy = self.bx - self.ax, self.by - self.ay
        t = ((x - self.ax) * vx + (y - self.ay) * vy) / (vx * vx + vy * vy)
        t = min(1.0, max(0.0, t))
        px, py = self.ax + t * vx - x, self.ay + t * vy - y
        r = self.width / 2
        return px * px + py * py <= r * r

    def svg(self, fill):
        return (f'<line x1="{self.ax:g}" y1="{self.ay:g}" x2="{self.bx:g}" y2="{self.by:g}" '
                f'stroke="{fill}" stroke-width="{self.width:g}" stroke-linecap="round"/>')


def clock_hand(cx, cy, hours, length, width):
    """A hand from the centre towards the hour mark `hours` (12 straight up, clockwise)."""
    angle = math.radians(hours * 30.0)
    return Stroke(cx, cy, round(cx + length * math.sin(angle), 2),
                  round(cy - length * math.cos(angle), 2), width)


def layers():
    """(shape, colour) from the bottom up; a later shape covers the earlier ones."""
    cx, cy = 112.0, 116.0
    kx, ky = 180.0, 182.0
    ticks = []
    for hour in (0, 3, 6, 9):
        angle = math.radians(hour * 30.0)
        sx, sy = math.sin(angle), -math.cos(angle)
        ticks.append(Stroke(round(cx + 58 * sx, 2), round(cy + 58 * sy, 2),
                            round(cx + 68 * sx, 2), round(cy + 68 * sy, 2), 12))
    yuan = [
        Stroke(kx - 20, ky - 26, kx, ky - 2, 11),
        Stroke(kx + 20, ky - 26, kx, ky - 2, 11),
        Stroke(kx, ky - 2, kx, ky + 30, 11),
        Stroke(kx - 18, ky + 6, kx + 18, ky + 6, 9),
        Stroke(kx - 18, ky + 19, kx + 18, ky + 19, 9),
    ]
    return [
        (RoundedSquare(12, 12, 244, 244, 52), TILE),
        (Disc(cx, cy, 92), RIM),
        (Disc(cx, cy, 80), FACE),
        *[(tick, HAND) for tick in ticks],
        (clock_hand(cx, cy, 10, 40, 14), HAND),
        (clock_hand(cx, cy, 2, 56, 11), HAND),
        (Disc(cx, cy, 11), HAND),
        # A ring of the tile's colour sets the coin off the clock it overlaps.
        (Disc(kx, ky, 70), TILE),
        (Disc(kx, ky, 58), COIN_RIM),
        (Disc(kx, ky, 49), COIN),
        *[(stroke, GLYPH) for stroke in yuan],
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


def main(argv):
    if len(argv) != 1:
        sys.exit(__doc__)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    theme = os.path.join(root, "desktop", "icons", "hicolor")
    write(os.path.join(theme, "scalable", "apps", APP_ID + ".svg"), svg_text().encode())
    for size in SIZES:
        rows = raster(size)
        write(os.path.join(theme, f"{size}x{size}", "apps", APP_ID + ".png"),
              png(size, size, 6, 4, rows))


if __name__ == "__main__":
    main(sys.argv)
