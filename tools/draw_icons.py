#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the five 20 x 20 button icons of the main window into resources/icons/.

Each icon is a black shape on a transparent background; the alpha channel carries the
anti-aliasing, found by sampling every pixel on an 8 x 8 grid. The output is byte-for-byte
reproducible. With --preview DIR it also writes 10x enlargements on light grey for review.

Usage: python3 tools/draw_icons.py [--preview DIR]
"""

import math
import os
import struct
import sys
import zlib

SIZE = 20
SAMPLES = 8


# A shape is a predicate on a point (x, y) in pixel units, (0, 0) the top-left corner.


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r

    return inside


def capsule(ax, ay, bx, by, r):
    """A stroke from a to b with round ends, r half its width."""
    vx, vy = bx - ax, by - ay
    length2 = vx * vx + vy * vy

    def inside(x, y):
        t = ((x - ax) * vx + (y - ay) * vy) / length2
        t = min(1.0, max(0.0, t))
        px, py = ax + t * vx - x, ay + t * vy - y
        return px * px + py * py <= r * r

    return inside


def polygon(*points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    return inside


def arc(cx, cy, r_in, r_out, start, sweep):
    """A ring segment; angles in degrees, clockwise on screen from the positive x axis."""

    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not r_in * r_in <= d2 <= r_out * r_out:
            return False
        angle = math.degrees(math.atan2(y - cy, x - cx))
        return (angle - start) % 360.0 <= sweep

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def add_icon():
    plus = union(rect(5.0, 9.0, 15.0, 11.0), rect(9.0, 5.0, 11.0, 15.0))
    return minus(disc(10, 10, 9.5), plus)


def refresh_icon():
    # Each arrow ends level with the centre, its head pointing straight down (right) or up
    # (left), so the head's base lies on a pixel row and stays crisp.
    c = 10.0
    r_in, r_out = 4.0, 6.0
    mid = (r_in + r_out) / 2
    sweep = 115.0
    half_base, tip = 3.0, 3.5

    def arrow(end):
        """An arc running clockwise up to the angle `end`, 0 or 180 degrees."""
        rx = math.cos(math.radians(end))
        head = polygon(
            (c + rx * (mid - half_base), c),
            (c + rx * (mid + half_base), c),
            (c + rx * mid, c + rx * tip),
        )
        return union(arc(c, c, r_in, r_out, end - sweep, sweep), head)

    return minus(disc(c, c, 9.5), arrow(0.0), arrow(180.0))


def delete_icon():
    # Lid, handle and slots on whole pixels; only the tapered sides are soft.
    handle = minus(rounded_rect(7.0, 1.0, 13.0, 4.0, 1.0), rect(9.0, 2.0, 11.0, 4.0))
    lid = rounded_rect(2.0, 4.0, 18.0, 6.0, 0.8)
    body = minus(
        polygon((4.0, 7.0), (16.0, 7.0), (15.0, 18.0), (14.0, 19.0), (6.0, 19.0), (5.0, 18.0)),
        capsule(8.0, 10.0, 8.0, 16.0, 1.0),
        capsule(12.0, 10.0, 12.0, 16.0, 1.0),
    )
    return union(handle, lid, body)


def modify_icon():
    # Pencil coordinates: u runs along the pencil from its point, v across it.
    ox, oy = 1.3, 18.7
    ux, uy = math.sqrt(0.5), -math.sqrt(0.5)
    vx, vy = -uy, ux
    half = 2.6
    cone, body_end, length = 6.2, 19.0, 23.6
    gap = 0.8

    def inside(x, y):
        px, py = x - ox, y - oy
        u = px * ux + py * uy
        v = px * vx + py * vy
        if u < 0 or u > length:
            return False
        if u < cone:
            # The wood cone with the lead at its point, parted by a thin cut.
            if abs(v) > half * u / cone:
                return False
            return not (2.4 <= u <= 3.4)
        if u < cone + gap:
            return False
        if u < body_end:
            return abs(v) <= half
        if u < body_end + gap:
            return False
        # The eraser, its end rounded.
        end_centre = length - half
        if u > end_centre:
            return (u - end_centre) ** 2 + v * v <= half * half
        return abs(v) <= half

    return inside


def history_icon():
    # Edges on whole pixels keep the text lines and rolls crisp.
    top_roll = rounded_rect(1.0, 1.0, 19.0, 5.0, 2.0)
    bottom_roll = rounded_rect(1.0, 14.0, 19.0, 18.0, 2.0)
    sheet = rect(4.0, 4.0, 16.0, 15.0)
    curls = (disc(3.0, 3.0, 1.0), disc(17.0, 16.0, 1.0))
    lines = (rect(6.0, 6.0, 14.0, 7.0), rect(6.0, 9.0, 14.0, 10.0), rect(6.0, 12.0, 11.0, 13.0))
    return minus(union(sheet, top_roll, bottom_roll), *curls, *lines)


ICONS = {
    "add": add_icon,
    "refresh": refresh_icon,
    "delete": delete_icon,
    "modify": modify_icon,
    "history": history_icon,
}


def coverage(shape):
    """Alpha per pixel, row by row: the share of the pixel's sub-samples inside the shape."""
    step = 1.0 / SAMPLES
    offsets = [(i + 0.5) * step for i in range(SAMPLES)]
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            hits = sum(1 for sy in offsets for sx in offsets if shape(px + sx, py + sy))
            row.append(round(255 * hits / (SAMPLES * SAMPLES)))
        rows.append(row)
    return rows


def png(width, height, colour_type, channels, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(row) for row in rows)
    assert all(len(row) == width * channels for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_png(alpha):
    return png(SIZE, SIZE, 6, 4, [[v for a in row for v in (0, 0, 0, a)] for row in alpha])


def preview_png(alphas, scale=10, pad=2):
    """All icons side by side over light grey, each pixel a scale x scale block."""
    grey = 0xD8
    cells = len(alphas)
    width = (cells * (SIZE + pad) + pad) * scale
    height = (SIZE + 2 * pad) * scale
    rows = []
    for y in range(height):
        iy = y // scale - pad
        row = []
        for x in range(width):
            cell, ix = divmod(x // scale - pad, SIZE + pad)
            a = alphas[cell][iy][ix] if 0 <= iy < SIZE and 0 <= ix < SIZE and cell < cells else 0
            v = round(grey * (255 - a) / 255)
            row += (v, v, v)
        rows.append(row)
    return png(width, height, 2, 3, rows)


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = os.path.join(root, "resources", "icons")
    os.makedirs(out_dir, exist_ok=True)
    alphas = []
    for name, build in ICONS.items():
        alpha = coverage(build())
        alphas.append(alpha)
        with open(os.path.join(out_dir, name + ".png"), "wb") as f:
            f.write(icon_png(alpha))
    if len(argv) == 3 and argv[1] == "--preview":
        os.makedirs(argv[2], exist_ok=True)
        with open(os.path.join(argv[2], "icons_10x.png"), "wb") as f:
            f.write(preview_png(alphas))
        with open(os.path.join(argv[2], "icons_1x.png"), "wb") as f:
            f.write(preview_png(alphas, scale=1))
    elif len(argv) != 1:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
