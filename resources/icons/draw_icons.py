#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files beside this script.

Every image is drawn from shapes given as signed distance functions, so edges are anti-aliased
at any size; the smallest sizes have their own layouts, placed on whole pixels, so that they stay
sharp. Python 3 standard library only.

    python3 draw_icons.py                 # writes the .ico files
    python3 draw_icons.py --preview DIR   # also writes one PNG per image into DIR
"""

import argparse
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Palette: delphinium blues, a stem green, paper and ink.
PETAL = (0x3B, 0x67, 0xD8)
PETAL_LIGHT = (0x8C, 0xAB, 0xF7)
PETAL_DARK = (0x1B, 0x35, 0x8C)
EYE = (0xFF, 0xF8, 0xE6)
BUD = (0x2A, 0x4F, 0xB8)
STEM = (0x3F, 0x8F, 0x3A)
STEM_DARK = (0x1F, 0x55, 0x22)
PAPER_TOP = (0xFF, 0xFF, 0xFF)
PAPER_BOTTOM = (0xE4, 0xEA, 0xF4)
PAPER_EDGE = (0x5A, 0x66, 0x7A)
INK = (0x8A, 0x94, 0xA6)
SELECTION = (0xC9, 0xD8, 0xFB)
FOLD = (0xC4, 0xCE, 0xDE)


# ---- shapes: each returns a signed distance in pixels (negative inside) -------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry, angle=0.0):
    """Rotated ellipse; the distance is approximate, which is enough for anti-aliasing."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def sdf(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * c + dy * s, -dx * s + dy * c
        k = math.hypot(u / rx, v / ry)
        if k == 0:
            return -min(rx, ry)
        # Distance along the ray, scaled by the local radius of the ellipse.
        return (k - 1.0) * math.hypot(u, v) / k

    return sdf


def capsule(x0, y0, x1, y1, r):
    def sdf(x, y):
        px, py, bx, by = x - x0, y - y0, x1 - x0, y1 - y0
        length2 = bx * bx + by * by
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, (px * bx + py * by) / length2))
        return math.hypot(px - bx * t, py - by * t) - r

    return sdf


def round_rect(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r

    return sdf


def polygon(points):
    def sdf(x, y):
        best = float("inf")
        inside = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            ex, ey, wx, wy = bx - ax, by - ay, x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (bx - ax) * (y - ay) / (by - ay):
                inside = not inside
        return -best if inside else best

    return sdf


def union(*shapes):
    return lambda x, y: min(shape(x, y) for shape in shapes)


def grown(shape, width):
    return lambda x, y: shape(x, y) - width


# ---- canvas --------------------------------------------------------------------------------------

class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied RGBA

    def fill(self, shape, color, bounds=None, opacity=1.0):
        """Paints `shape` over what is there; `color` is RGB or a function of (x, y)."""
        x0, y0, x1, y1 = bounds or (0, 0, self.size, self.size)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.size, int(math.ceil(x1))), min(self.size, int(math.ceil(y1)))
        for py in range(y0, y1):
            for px in range(x0, x1):
                x, y = px + 0.5, py + 0.5
                coverage = max(0.0, min(1.0, 0.5 - shape(x, y))) * opacity
                if coverage <= 0.0:
                    continue
                r, g, b = color(x, y) if callable(color) else color
                pixel = self.pixels[py * self.size + px]
                keep = 1.0 - coverage
                pixel[0] = r / 255.0 * coverage + pixel[0] * keep
                pixel[1] = g / 255.0 * coverage + pixel[1] * keep
                pixel[2] = b / 255.0 * coverage + pixel[2] * keep
                pixel[3] = coverage + pixel[3] * keep

    def outlined(self, shape, color, edge, width, bounds=None):
        self.fill(grown(shape, width), edge, bounds)
        self.fill(shape, color, bounds)

    def rgba_rows(self):
        """Rows of straight (not premultiplied) 8-bit RGBA, top row first."""
        rows = []
        for py in range(self.size):
            row = bytearray()
            for px in range(self.size):
                r, g, b, a = self.pixels[py * self.size + px]
                if a <= 0.0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes(min(255, round(v / a * 255)) for v in (r, g, b))
                row.append(min(255, round(a * 255)))
            rows.append(bytes(row))
        return rows


def vertical_gradient(top, bottom, y0, y1):
    def color(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))

    return color


def radial_gradient(inner, outer, cx, cy, r):
    def color(x, y):
        t = max(0.0, min(1.0, math.hypot(x - cx, y - cy) / r))
        return tuple(a + (b - a) * t for a, b in zip(inner, outer))

    return color


def box(cx, cy, r):
    return (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2)


# ---- the flower ----------------------------------------------------------------------------------

def floret(canvas, cx, cy, r, detailed):
    """One open floret seen from the front: five round petals around a pale eye."""
    if detailed:
        petals = [circle(cx + 0.48 * r * math.sin(math.radians(a)),
                         cy - 0.48 * r * math.cos(math.radians(a)), 0.56 * r)
                  for a in range(0, 360, 72)]
        shape = union(*petals)
        edge = max(0.7, r * 0.14)
    else:
        shape = circle(cx, cy, r)
        edge = 1.0
    canvas.outlined(shape, radial_gradient(PETAL_LIGHT, PETAL, cx - r * 0.3, cy - r * 0.3, r * 1.3),
                    PETAL_DARK, edge, box(cx, cy, r + edge))
    eye = r * (0.30 if detailed else 0.36)
    canvas.fill(circle(cx, cy, eye), EYE, box(cx, cy, eye))


def bud(canvas, cx, cy, r):
    canvas.outlined(ellipse(cx, cy, r * 0.8, r), BUD, PETAL_DARK, 0.7, box(cx, cy, r + 1))


def leaf(canvas, cx, cy, length, width, angle):
    shape = ellipse(cx, cy, length, width, angle)
    canvas.outlined(shape, STEM, STEM_DARK, 0.7, box(cx, cy, length + 1))


def flower_spike(canvas, scale, dx=0.0, dy=0.0):
    """The larkspur spike in a 32-unit box: leaves at the foot, florets tapering to buds."""

    def at(x, y):
        return dx + x * scale, dy + y * scale

    s = scale
    detailed = s >= 1.4
    canvas.fill(capsule(*at(16, 5), *at(16, 30.5), 0.8 * s), STEM_DARK)
    leaf(canvas, *at(10.8, 28.2), 4.8 * s, 1.6 * s, -25)
    leaf(canvas, *at(21.2, 28.2), 4.8 * s, 1.6 * s, 25)
    bud(canvas, *at(16, 2.8), 1.5 * s)
    bud(canvas, *at(16, 6.4), 1.9 * s)
    for x, y, r in ((16, 10.2, 2.8), (12.8, 14.0, 3.1), (19.2, 14.0, 3.1), (16, 17.8, 3.4),
                    (11.6, 21.6, 3.7), (20.4, 21.6, 3.7), (16, 24.6, 3.9)):
        floret(canvas, *at(x, y), r * s, detailed and r >= 3.0)


# Up to 32 px the flower is placed pixel by pixel: anti-aliased circles of a few pixels turn to
# mush there. A plant is a bud, tiers of florets (one, two, one, ...) and a pair of leaves.
PIXEL_COLORS = {"D": PETAL_DARK, "B": PETAL, "L": PETAL_LIGHT, "W": EYE, "b": BUD,
                "G": STEM, "g": STEM_DARK}
SMALL_PLANT = {
    "bud": (".D.",
            "DbD"),
    "floret": (".DDD.",
               "DLLBD",
               "DLWBD",
               "DBBBD",
               ".DDD."),
    "leaves": ("gGg.....gGg",
               ".gGGg.gGGg.",
               "..ggg.ggg.."),
}
MEDIUM_PLANT = {
    "bud": ("..D..",
            ".DbD.",
            ".DbD."),
    "floret": ("..DDD..",
               ".DLLLD.",
               "DLLLBBD",
               "DLLWBBD",
               "DLBBBBD",
               ".DBBBD.",
               "..DDD.."),
    "leaves": ("gGGg.......gGGg",
               ".gGGGg...gGGGg.",
               "..gGGGg.gGGGg..",
               "....ggg.ggg...."),
}
LARGE_PLANT = {
    "bud": ("..D..",
            ".DbD.",
            ".DbD."),
    "floret": ("..DDDDD..",
               ".DLLLLBD.",
               "DLLLLLBBD",
               "DLLLLBBBD",
               "DLLLWBBBD",
               "DLLBBBBBD",
               "DBBBBBBBD",
               ".DBBBBBD.",
               "..DDDDD.."),
    "leaves": ("gGGGg.........gGGGg",
               ".gGGGGg.....gGGGGg.",
               "..ggGGGGg.gGGGGgg..",
               ".....gggg.gggg....."),
}


def stamp(canvas, left, top, rows):
    for dy, row in enumerate(rows):
        for dx, key in enumerate(row):
            if key in PIXEL_COLORS:
                x, y = left + dx, top + dy
                canvas.fill(round_rect(x, y, x + 1, y + 1, 0), PIXEL_COLORS[key],
                            (x, y, x + 1, y + 1))


def pixel_spike(canvas, plant, tiers, centre, bottom, with_leaves=True):
    """A plant about the column `centre` whose lowest row is just above `bottom`."""
    bud, floret = plant["bud"], plant["floret"]
    leaves = plant["leaves"] if with_leaves else (".",)
    step = len(floret) - 1  # neighbouring florets share their outline
    y = bottom - (len(bud) - 1 + step * tiers + len(leaves))
    stamp(canvas, centre - len(bud[0]) // 2, y, bud)
    y += len(bud) - 1
    for tier in range(tiers):
        lefts = (centre - step // 2,) if tier % 2 == 0 else (centre - step, centre)
        for left in lefts:
            stamp(canvas, left, y, floret)
        y += step
    if with_leaves:
        stamp(canvas, centre - len(leaves[0]) // 2, y, leaves)
        canvas.fill(round_rect(centre, y, centre + 1, bottom, 0), STEM_DARK)


# ---- the icons -----------------------------------------------------------------------------------

def draw_main(size):
    canvas = Canvas(size)
    if size <= 16:
        pixel_spike(canvas, SMALL_PLANT, 3, 7, size)
    elif size <= 24:
        pixel_spike(canvas, MEDIUM_PLANT, 3, 11, size)
    elif size <= 32:
        pixel_spike(canvas, LARGE_PLANT, 3, 15, size)
    else:
        flower_spike(canvas, size / 32.0)
    return canvas


def draw_menu_window(size):
    """A window holding a list, one row selected, with the flower standing at its side."""
    canvas = Canvas(size)
    if size <= 16:
        panel = round_rect(1, 2, 14, 14, 0.5)
        canvas.outlined(panel, vertical_gradient(PAPER_TOP, PAPER_BOTTOM, 2, 14), PAPER_EDGE, 1.0)
        canvas.fill(round_rect(1, 2, 14, 4, 0), PETAL)
        canvas.fill(round_rect(1, 7, 14, 10, 0), SELECTION)
        for y in (5, 8, 11):
            canvas.fill(round_rect(3, y, 10, y + 1, 0), PETAL_DARK if y == 8 else INK)
        pixel_spike(canvas, SMALL_PLANT, 2, 11, 16, with_leaves=False)
        return canvas
    s = size / 32.0
    panel = round_rect(1.5 * s, 3.5 * s, 24.5 * s, 29.5 * s, 2.0 * s)
    canvas.outlined(panel, vertical_gradient(PAPER_TOP, PAPER_BOTTOM, 3 * s, 30 * s), PAPER_EDGE,
                    1.0 * max(1.0, s * 0.8))
    canvas.fill(round_rect(2.5 * s, 4.5 * s, 23.5 * s, 8.5 * s, 1.2 * s), PETAL)
    canvas.fill(round_rect(4.0 * s, 14.0 * s, 21.0 * s, 18.0 * s, 1.0 * s), SELECTION)
    for row in range(5):
        y = (11.5 + row * 4.0) * s
        color = PETAL_DARK if row == 1 else INK
        canvas.fill(capsule(6.0 * s, y, (18.0 - 3.0 * (row % 2)) * s, y, 0.75 * s), color)
    if size <= 32:
        pixel_spike(canvas, MEDIUM_PLANT, 2, 24, size)
    else:
        flower_spike(canvas, 0.72 * s, 10.0 * s, 9.0 * s)
    return canvas


def draw_document(size):
    """A page with a folded corner, lines of text and the flower on it."""
    canvas = Canvas(size)
    if size <= 16:
        page = polygon([(3, 1), (10, 1), (13, 4), (13, 15), (3, 15)])
        canvas.outlined(page, vertical_gradient(PAPER_TOP, PAPER_BOTTOM, 1, 15), PAPER_EDGE, 1.0)
        canvas.outlined(polygon([(10, 1), (13, 4), (10, 4)]), FOLD, PAPER_EDGE, 0.5)
        for y, length in ((3, 5), (5, 7)):
            canvas.fill(round_rect(5, y, 5 + length, y + 1, 0), INK)
        pixel_spike(canvas, SMALL_PLANT, 2, 8, 16, with_leaves=False)
        return canvas
    s = size / 32.0
    w = max(1.0, s * 0.8)
    page = polygon([(4.5 * s, 1.5 * s), (20.0 * s, 1.5 * s), (27.5 * s, 9.0 * s),
                    (27.5 * s, 30.5 * s), (4.5 * s, 30.5 * s)])
    canvas.outlined(page, vertical_gradient(PAPER_TOP, PAPER_BOTTOM, 1 * s, 31 * s), PAPER_EDGE, w)
    fold = polygon([(20.0 * s, 1.5 * s), (27.5 * s, 9.0 * s), (20.0 * s, 9.0 * s)])
    canvas.outlined(fold, FOLD, PAPER_EDGE, w * 0.6)
    for row, length in enumerate((9.0, 7.0, 11.0)):
        y = (5.5 + row * 3.5) * s
        canvas.fill(capsule(8.0 * s, y, (8.0 + length) * s, y, 0.7 * s), INK)
    if size <= 32:
        pixel_spike(canvas, MEDIUM_PLANT, 2, 16, size)
    else:
        flower_spike(canvas, 0.55 * s, 7.2 * s, 13.8 * s)
    return canvas


# ---- files ---------------------------------------------------------------------------------------

def png_bytes(canvas):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + row for row in canvas.rgba_rows())
    header = struct.pack(">IIBBBBB", canvas.size, canvas.size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_bytes(canvas):
    """32-bit BGRA image with its AND mask, as icon resources hold it."""
    size = canvas.size
    rows = canvas.rgba_rows()
    mask_stride = ((size + 31) // 32) * 4
    color = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = row[4 * x:4 * x + 4]
            color += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(color) + len(mask),
                         0, 0, 0, 0)
    return header + bytes(color) + bytes(mask)


def ico_bytes(canvases):
    images = [png_bytes(c) if c.size >= 256 else dib_bytes(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(canvases))
    offset = 6 + 16 * len(canvases)
    for canvas, image in zip(canvases, images):
        side = 0 if canvas.size >= 256 else canvas.size
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


ICONS = {
    # file name: (drawing, sizes, largest first as Windows lists them)
    "Application.ico": (draw_main, (256, 48, 32, 24, 16)),
    "AppMark.ico": (draw_main, (32, 16)),
    "MenuWindow.ico": (draw_menu_window, (48, 32, 16)),
    "MenuDocument.ico": (draw_document, (32, 16)),
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write every image as a PNG here")
    args = parser.parse_args()
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
    for name, (draw, sizes) in ICONS.items():
        canvases = [draw(size) for size in sizes]
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(ico_bytes(canvases))
        if args.preview:
            for canvas in canvases:
                stem_name = os.path.splitext(name)[0]
                path = os.path.join(args.preview, f"{stem_name}-{canvas.size}.png")
                with open(path, "wb") as f:
                    f.write(png_bytes(canvas))
        print(name, ", ".join(str(s) for s in sizes))


if __name__ == "__main__":
    main()
