#!/usr/bin/python3
# Brenmark chart symbols: draws every glyph of the chart symbol font from geometry and writes
#   - the font (TrueType) and
#   - the symbol set the program uses: each glyph's GBK bytes in set order, its name, and the
#     pairs of glyphs that look alike at chart size (a C++ include).
#
# Usage: make_symbol_font.py OUT.ttf OUT.inc        (run by /usr/bin/python3 with the fontforge
#        module, or by `fontforge -script`)
#        make_symbol_font.py --table OUT.inc        (the set and look-alike table only)
#
# Copyright (C) the Brenmark authors.
# This file and the font it makes are free software: you can redistribute them and/or modify
# them under the terms of the GNU General Public License as published by the Free Software
# Foundation, either version 3 of the License, or (at your option) any later version.
# As a special exception, if you create a document which uses this font, and embed this font
# or unaltered portions of this font into the document, this font does not by itself cause the
# resulting document to be covered by the GNU General Public License.
#
# Geometry: an em of 1000 units, ascent 800, descent 200. A chart centres its symbol text in
# the cell, so every glyph is drawn around the centre of the line box, (500, 300), within a
# radius of 400. Strokes are 110 units: one pixel and a bit at a 10-pixel symbol.

import math
import sys

EM, ASCENT, DESCENT = 1000, 800, 200
CX, CY = 500.0, 300.0
R = 400.0
W = 110.0

# ---------------------------------------------------------------------------------------------
# Polygons: lists of (x, y). A glyph is a list of (polygon, +1 ink / -1 hole); the fill rule is
# non-zero, so a hole cuts the ink it lies in and ink inside a hole shows again.


def area(poly):
    a = 0.0
    for i in range(len(poly)):
        x0, y0 = poly[i]
        x1, y1 = poly[(i + 1) % len(poly)]
        a += x0 * y1 - x1 * y0
    return a / 2.0


def oriented(poly, sign):
    # ink counter-clockwise, holes clockwise
    if (area(poly) > 0) != (sign > 0):
        return list(reversed(poly))
    return poly


def regular(n, r, start=90.0, cx=CX, cy=CY):
    return [(cx + r * math.cos(math.radians(start + 360.0 * i / n)),
             cy + r * math.sin(math.radians(start + 360.0 * i / n))) for i in range(n)]


def circle(r, cx=CX, cy=CY):
    return regular(48, r, 0.0, cx, cy)


def square(r, cx=CX, cy=CY):
    return [(cx - r, cy - r), (cx + r, cy - r), (cx + r, cy + r), (cx - r, cy + r)]


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def triangle(direction, r):
    # equilateral, its incircle centred in the cell
    start = {"up": 90.0, "down": -90.0, "left": 180.0, "right": 0.0}[direction]
    return regular(3, r, start)


def diamond(r):
    return regular(4, r, 90.0)


def star(points, r, inner):
    pts = []
    for i in range(2 * points):
        rr = r if i % 2 == 0 else r * inner
        a = math.radians(90.0 + 180.0 * i / points)
        pts.append((CX + rr * math.cos(a), CY + rr * math.sin(a)))
    return pts


def heart(r):
    pts = []
    for i in range(48):
        t = 2 * math.pi * i / 48
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((CX + x * r / 17.0, CY + (y + 2.5) * r / 17.0))
    return pts


def cross(r, a):
    # a plus-shaped polygon: arms of half-width a reaching r
    return [(CX - a, CY - r), (CX + a, CY - r), (CX + a, CY - a), (CX + r, CY - a), (CX + r, CY + a),
            (CX + a, CY + a), (CX + a, CY + r), (CX - a, CY + r), (CX - a, CY + a), (CX - r, CY + a),
            (CX - r, CY - a), (CX - a, CY - a)]


def rotate(poly, degrees, cx=CX, cy=CY):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in poly]


def inset(poly, d):
    # every edge moved inward by d, corners mitred (counter-clockwise input)
    poly = oriented(poly, +1)
    n = len(poly)
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % n]
        L = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / L, (x1 - x0) / L
        lines.append(((x0 + nx * d, y0 + ny * d), (x1 - x0, y1 - y0)))
    out = []
    for i in range(n):
        (p, r), (q, s) = lines[i - 1], lines[i]
        den = r[0] * s[1] - r[1] * s[0]
        if abs(den) < 1e-9:
            out.append(q)
            continue
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / den
        out.append((p[0] + t * r[0], p[1] + t * r[1]))
    return out


def clip(poly, nx, ny, c=0.0):
    # the part of the polygon where (x - CX) * nx + (y - CY) * ny >= c
    def side(p):
        return (p[0] - CX) * nx + (p[1] - CY) * ny - c
    out = []
    for i in range(len(poly)):
        a, b = poly[i], poly[(i + 1) % len(poly)]
        sa, sb = side(a), side(b)
        if sa >= 0:
            out.append(a)
        if (sa >= 0) != (sb >= 0):
            t = sa / (sa - sb)
            out.append((a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])))
    return dedupe(out)


def dedupe(poly):
    out = []
    for p in poly:
        if not out or math.hypot(p[0] - out[-1][0], p[1] - out[-1][1]) > 0.5:
            out.append(p)
    while len(out) > 1 and math.hypot(out[0][0] - out[-1][0], out[0][1] - out[-1][1]) <= 0.5:
        out.pop()
    return out


def bar(x0, y0, x1, y1, w=W):
    # a stroke of width w from one point to another, square ends
    L = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / L, (y1 - y0) / L
    nx, ny = -uy * w / 2, ux * w / 2
    return [(x0 + nx, y0 + ny), (x0 - nx, y0 - ny), (x1 - nx, y1 - ny), (x1 + nx, y1 + ny)]


def ink(*polys):
    return [(p, +1) for p in polys]


def hole(*polys):
    return [(p, -1) for p in polys]


# ---------------------------------------------------------------------------------------------
# The glyphs. Each entry: (name, parts, preferred code point or None).

OUTLINES = {
    "square": lambda r=R * 0.86: square(r),
    "circle": lambda r=R * 0.95: circle(r),
    "triangle-up": lambda r=R * 1.08: triangle("up", r),
    "triangle-down": lambda r=R * 1.08: triangle("down", r),
    "triangle-left": lambda r=R * 1.08: triangle("left", r),
    "triangle-right": lambda r=R * 1.08: triangle("right", r),
    "diamond": lambda r=R * 1.05: diamond(r),
    "star": lambda r=R * 1.05: star(5, r, 0.45),
}

# what each shape's plain forms are known as in GBK
KNOWN = {
    ("square", "filled"): 0x25A0, ("square", "open"): 0x25A1,
    ("triangle-up", "filled"): 0x25B2, ("triangle-up", "open"): 0x25B3,
    ("triangle-down", "filled"): 0x25BC, ("triangle-down", "open"): 0x25BD,
    ("diamond", "filled"): 0x25C6, ("diamond", "open"): 0x25C7,
    ("circle", "filled"): 0x25CF, ("circle", "open"): 0x25CB, ("circle", "double"): 0x25CE,
    ("circle", "dot"): 0x2299,
    ("star", "filled"): 0x2605, ("star", "open"): 0x2606,
}

glyphs = []


def add(name, parts, code=None):
    glyphs.append((name, parts, code))


def shape_fills(shape):
    outer = OUTLINES[shape]()
    inner = inset(outer, W)
    ring = ink(outer) + hole(inner)
    add(shape + "/filled", ink(outer), KNOWN.get((shape, "filled")))
    add(shape + "/open", ring, KNOWN.get((shape, "open")))
    if shape == "star":
        return  # a star's middle is too small to hold more at chart size
    for side, (nx, ny) in (("left", (-1, 0)), ("right", (1, 0)), ("top", (0, 1)), ("bottom", (0, -1))):
        add(shape + "/half-" + side, ring + ink(clip(outer, nx, ny)))
    add(shape + "/dot", ring + ink(circle(R * 0.22)), KNOWN.get((shape, "dot")))
    add(shape + "/double", ring + ink(inset(outer, 1.9 * W)) + hole(inset(outer, 2.9 * W)), KNOWN.get((shape, "double")))
    add(shape + "/pierced", ink(outer) + hole(circle(R * 0.24)))


for shape in OUTLINES:
    shape_fills(shape)

# more outlines: filled, open and with a dot
for name, outer in (("heart", heart(R * 0.98)), ("hexagon", regular(6, R * 0.98, 0.0)),
                    ("star6", star(6, R * 1.02, 0.58)), ("star4", star(4, R * 1.05, 0.36)),
                    ("cross", cross(R * 0.95, R * 0.36)), ("saltire", rotate(cross(R * 1.05, R * 0.32), 45))):
    add(name + "/filled", ink(outer))
    if name == "star4":
        continue  # too thin to be drawn open
    if name == "heart":
        xs, ys = [p[0] for p in outer], [p[1] for p in outer]
        mx, my = (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2 - R * 0.06
        inner = [(mx + (x - mx) * 0.66, my + (y - my) * 0.66) for x, y in outer]
    elif name in ("cross", "saltire"):
        inner = (cross(R * 0.95 - W, R * 0.36 - W) if name == "cross"
                 else rotate(cross(R * 1.05 - W, R * 0.32 - W), 45))
    else:
        inner = inset(outer, W * (0.8 if name.startswith("star") else 1.0))
    add(name + "/open", ink(outer) + hole(inner))
    if name in ("heart", "hexagon"):
        add(name + "/dot", ink(outer) + hole(inner) + ink(circle(R * 0.2)))

# small shapes
for shape, small in (("square", square(R * 0.5)), ("circle", circle(R * 0.56)),
                     ("triangle-up", triangle("up", R * 0.66)), ("triangle-down", triangle("down", R * 0.66)),
                     ("triangle-left", triangle("left", R * 0.66)), ("triangle-right", triangle("right", R * 0.66)),
                     ("diamond", diamond(R * 0.66)), ("star", star(5, R * 0.7, 0.45))):
    add(shape + "/small-filled", ink(small))
    add(shape + "/small-open", ink(small) + hole(inset(small, W * 0.6)))

# quarters of a square and a circle
for shape in ("square", "circle"):
    outer = OUTLINES[shape]()
    ring = ink(outer) + hole(inset(outer, W))
    for q, (nx, ny) in (("tl", (-1, 1)), ("tr", (1, 1)), ("br", (1, -1)), ("bl", (-1, -1))):
        part = clip(clip(outer, nx, 0), 0, ny)
        add(shape + "/quarter-" + q, ring + ink(part))
        # three quarters: all but the opposite quarter
        add(shape + "/three-quarters-" + q, ring + ink(clip(outer, nx, 0), clip(outer, 0, ny)))
    # checks: two opposite quarters
    add(shape + "/checks-a", ring + ink(clip(clip(outer, -1, 0), 0, 1), clip(clip(outer, 1, 0), 0, -1)))
    add(shape + "/checks-b", ring + ink(clip(clip(outer, 1, 0), 0, 1), clip(clip(outer, -1, 0), 0, -1)))
    # diagonal halves
    for d, (nx, ny) in (("nw", (-1, 1)), ("ne", (1, 1)), ("se", (1, -1)), ("sw", (-1, -1))):
        if shape == "square":
            add(shape + "/diagonal-" + d, ring + ink(clip(outer, nx, ny)))
    # stripes
    inner = inset(outer, W)
    add(shape + "/stripes-h", ring + ink(clip(clip(inner, 0, 1, R * 0.3 - W / 2), 0, -1, -R * 0.3 - W / 2),
                                         clip(clip(inner, 0, -1, R * 0.3 - W / 2), 0, 1, -R * 0.3 - W / 2)))
    add(shape + "/stripes-v", ring + ink(clip(clip(inner, 1, 0, R * 0.3 - W / 2), -1, 0, -R * 0.3 - W / 2),
                                         clip(clip(inner, -1, 0, R * 0.3 - W / 2), 1, 0, -R * 0.3 - W / 2)))
    # filled with a white bar or cross
    add(shape + "/slot-h", ink(outer) + hole(rect(CX - R * 0.55, CY - W * 0.55, CX + R * 0.55, CY + W * 0.55)))
    add(shape + "/slot-v", ink(outer) + hole(rect(CX - W * 0.55, CY - R * 0.55, CX + W * 0.55, CY + R * 0.55)))
    add(shape + "/slot-plus", ink(outer) + hole(cross(R * 0.55, W * 0.55)))
    add(shape + "/slot-x", ink(outer) + hole(rotate(cross(R * 0.6, W * 0.55), 45)))

# open outlines with a mark inside
for shape in ("square", "circle", "diamond"):
    outer = OUTLINES[shape]()
    ring = ink(outer) + hole(inset(outer, W))
    m = R * 0.42
    cy = CY
    marks = {
        "plus": ink(bar(CX - m, cy, CX + m, cy), bar(CX, cy - m, CX, cy + m)),
        "x": ink(bar(CX - m * 0.75, cy - m * 0.75, CX + m * 0.75, cy + m * 0.75),
                 bar(CX - m * 0.75, cy + m * 0.75, CX + m * 0.75, cy - m * 0.75)),
        "hbar": ink(bar(CX - m, cy, CX + m, cy)),
        "vbar": ink(bar(CX, cy - m, CX, cy + m)),
    }
    marks["ring"] = ink(circle(R * 0.36)) + hole(circle(R * 0.36 - W * 0.8)) if shape != "circle" else \
        ink(square(R * 0.3)) + hole(square(R * 0.3 - W * 0.8))
    for mark, parts in marks.items():
        code = {("circle", "plus"): 0x2295}.get((shape, mark))
        add(shape + "/with-" + mark, ring + parts, code)
    # full-size diagonals and diameters
    if shape in ("square", "circle"):
        k = R * (0.86 if shape == "square" else 0.67)
        add(shape + "/crossed-x", ring + ink(bar(CX - k, CY - k, CX + k, CY + k), bar(CX - k, CY + k, CX + k, CY - k)))
        add(shape + "/crossed-slash", ring + ink(bar(CX - k, CY - k, CX + k, CY + k)))
        add(shape + "/crossed-backslash", ring + ink(bar(CX - k, CY + k, CX + k, CY - k)))
    else:
        k = R * 1.05 - W * 0.5
        add(shape + "/crossed-plus", ring + ink(bar(CX - k, CY, CX + k, CY), bar(CX, CY - k, CX, CY + k)))
        add(shape + "/crossed-h", ring + ink(bar(CX - k, CY, CX + k, CY)))
        add(shape + "/crossed-v", ring + ink(bar(CX, CY - k, CX, CY + k)))

# strokes
L = R * 0.9
add("plus", ink(bar(CX - L, CY, CX + L, CY), bar(CX, CY - L, CX, CY + L)), 0xFF0B)
add("plus-heavy", ink(cross(L, W * 1.0)))
add("x", ink(bar(CX - L * 0.75, CY - L * 0.75, CX + L * 0.75, CY + L * 0.75),
             bar(CX - L * 0.75, CY + L * 0.75, CX + L * 0.75, CY - L * 0.75)), 0x00D7)
add("x-heavy", ink(rotate(cross(L, W * 1.0), 45)))
add("asterisk", ink(*[bar(CX, CY, CX + L * math.cos(math.radians(90 + 60 * i)),
                          CY + L * math.sin(math.radians(90 + 60 * i))) for i in range(6)]), 0xFF0A)
add("asterisk8", ink(*[bar(CX, CY, CX + L * math.cos(math.radians(90 + 45 * i)),
                           CY + L * math.sin(math.radians(90 + 45 * i))) for i in range(8)]), 0x203B)
add("hbar", ink(bar(CX - L, CY, CX + L, CY, W * 1.3)), 0xFF0D)
add("vbar", ink(bar(CX, CY - L, CX, CY + L, W * 1.3)), 0xFF5C)
add("equals", ink(bar(CX - L, CY - R * 0.28, CX + L, CY - R * 0.28), bar(CX - L, CY + R * 0.28, CX + L, CY + R * 0.28)), 0xFF1D)
add("parallel", ink(bar(CX - R * 0.28, CY - L, CX - R * 0.28, CY + L), bar(CX + R * 0.28, CY - L, CX + R * 0.28, CY + L)), 0x2225)
add("triple-h", ink(*[bar(CX - L, CY + k * R * 0.5, CX + L, CY + k * R * 0.5) for k in (-1, 0, 1)]), 0x2261)
add("triple-v", ink(*[bar(CX + k * R * 0.5, CY - L, CX + k * R * 0.5, CY + L) for k in (-1, 0, 1)]))
add("slash", ink(bar(CX - L * 0.7, CY - L, CX + L * 0.7, CY + L, W * 1.2)), 0xFF0F)
add("backslash", ink(bar(CX - L * 0.7, CY + L, CX + L * 0.7, CY - L, W * 1.2)), 0xFF3C)
add("double-slash", ink(bar(CX - L * 0.8, CY - L, CX + L * 0.2, CY + L), bar(CX - L * 0.2, CY - L, CX + L * 0.8, CY + L)))
add("double-backslash", ink(bar(CX - L * 0.8, CY + L, CX + L * 0.2, CY - L), bar(CX - L * 0.2, CY + L, CX + L * 0.8, CY - L)))
add("hash", ink(bar(CX - L, CY - R * 0.3, CX + L, CY - R * 0.3), bar(CX - L, CY + R * 0.3, CX + L, CY + R * 0.3),
                bar(CX - R * 0.3, CY - L, CX - R * 0.3, CY + L), bar(CX + R * 0.3, CY - L, CX + R * 0.3, CY + L)), 0xFF03)
add("tee-down", ink(bar(CX - L, CY + L - W / 2, CX + L, CY + L - W / 2), bar(CX, CY - L, CX, CY + L)), 0x252C)
add("tee-up", ink(bar(CX - L, CY - L + W / 2, CX + L, CY - L + W / 2), bar(CX, CY - L, CX, CY + L)), 0x22A5)
add("tee-right", ink(bar(CX - L + W / 2, CY - L, CX - L + W / 2, CY + L), bar(CX - L, CY, CX + L, CY)), 0x251C)
add("tee-left", ink(bar(CX + L - W / 2, CY - L, CX + L - W / 2, CY + L), bar(CX - L, CY, CX + L, CY)), 0x2524)
for name, (sx, sy), code in (("corner-tl", (-1, 1), 0x250C), ("corner-tr", (1, 1), 0x2510),
                             ("corner-br", (1, -1), 0x2518), ("corner-bl", (-1, -1), 0x2514)):
    # the corner's two arms meet at the corner of the cell
    cx, cy = CX + sx * (L - W / 2), CY + sy * (L - W / 2)
    add(name, ink(bar(cx + sx * W / 2, cy, cx - sx * 2 * L, cy), bar(cx, cy + sy * W / 2, cx, cy - sy * 2 * L)), code)
add("zigzag", ink(*[bar(CX - L + i * L / 2, CY + (R * 0.4 if i % 2 else -R * 0.4),
                        CX - L + (i + 1) * L / 2, CY + (-R * 0.4 if i % 2 else R * 0.4)) for i in range(4)]))
add("zigzag-v", ink(*[bar(CX + (R * 0.4 if i % 2 else -R * 0.4), CY - L + i * L / 2,
                          CX + (-R * 0.4 if i % 2 else R * 0.4), CY - L + (i + 1) * L / 2) for i in range(4)]))
add("wave", ink(*[bar(CX - L + i * L / 8, CY + R * 0.35 * math.sin(i * math.pi / 4),
                      CX - L + (i + 1) * L / 8, CY + R * 0.35 * math.sin((i + 1) * math.pi / 4)) for i in range(16)]), 0xFF5E)

# dots
def dots(points, r=R * 0.2):
    return ink(*[circle(r, CX + x * R, CY + y * R) for x, y in points])


add("dots-2h", dots([(-0.5, 0), (0.5, 0)]))
add("dots-2v", dots([(0, -0.5), (0, 0.5)]))
add("dots-3-up", dots([(0, 0.5), (-0.55, -0.4), (0.55, -0.4)]), 0x2235)
add("dots-3-down", dots([(0, -0.5), (-0.55, 0.4), (0.55, 0.4)]), 0x2234)
add("dots-4", dots([(-0.5, -0.5), (0.5, -0.5), (-0.5, 0.5), (0.5, 0.5)]), 0x2237)
add("dots-5", dots([(-0.6, -0.6), (0.6, -0.6), (-0.6, 0.6), (0.6, 0.6), (0, 0)]))
add("dots-6", dots([(-0.5, -0.65), (0.5, -0.65), (-0.5, 0), (0.5, 0), (-0.5, 0.65), (0.5, 0.65)]))
add("dots-3-diagonal", dots([(-0.6, -0.6), (0, 0), (0.6, 0.6)]))
add("dots-3-row", dots([(-0.65, 0), (0, 0), (0.65, 0)]))
add("hourglass", ink([(CX - R * 0.7, CY + R * 0.85), (CX + R * 0.7, CY + R * 0.85), (CX, CY)],
                     [(CX - R * 0.7, CY - R * 0.85), (CX, CY), (CX + R * 0.7, CY - R * 0.85)]))
add("bowtie", ink([(CX - R * 0.85, CY - R * 0.7), (CX, CY), (CX - R * 0.85, CY + R * 0.7)],
                  [(CX + R * 0.85, CY + R * 0.7), (CX, CY), (CX + R * 0.85, CY - R * 0.7)]))

# bars and half discs
add("block-wide/filled", ink(rect(CX - R * 0.9, CY - R * 0.45, CX + R * 0.9, CY + R * 0.45)))
add("block-wide/open", ink(rect(CX - R * 0.9, CY - R * 0.45, CX + R * 0.9, CY + R * 0.45)) +
    hole(inset(rect(CX - R * 0.9, CY - R * 0.45, CX + R * 0.9, CY + R * 0.45), W)))
add("block-tall/filled", ink(rect(CX - R * 0.45, CY - R * 0.9, CX + R * 0.45, CY + R * 0.9)))
add("block-tall/open", ink(rect(CX - R * 0.45, CY - R * 0.9, CX + R * 0.45, CY + R * 0.9)) +
    hole(inset(rect(CX - R * 0.45, CY - R * 0.9, CX + R * 0.45, CY + R * 0.9), W)))
for side, (nx, ny), shift in (("up", (0, 1), (0, -0.4)), ("down", (0, -1), (0, 0.4)),
                              ("left", (-1, 0), (0.4, 0)), ("right", (1, 0), (-0.4, 0))):
    disc = [(x + shift[0] * R, y + shift[1] * R) for x, y in clip(circle(R * 0.95), nx, ny)]
    add("half-disc-" + side + "/filled", ink(disc))
    add("half-disc-" + side + "/open", ink(disc) + hole(inset(disc, W)))

# right-angled corner triangles
for name, pts, code in (("wedge-br", [(1, -1), (1, 1), (-1, -1)], 0x25E2), ("wedge-bl", [(-1, -1), (1, -1), (-1, 1)], 0x25E3),
                        ("wedge-tl", [(-1, 1), (-1, -1), (1, 1)], 0x25E4), ("wedge-tr", [(1, 1), (-1, 1), (1, -1)], 0x25E5)):
    poly = [(CX + x * R * 0.86, CY + y * R * 0.86) for x, y in pts]
    add(name + "/filled", ink(poly), code)
    add(name + "/open", ink(poly) + hole(inset(poly, W)))

# arrows
def arrow(angle, head="filled"):
    shaft = bar(CX - L, CY, CX + L * 0.2, CY)
    tip = [(CX + L, CY), (CX + L * 0.1, CY + R * 0.55), (CX + L * 0.1, CY - R * 0.55)]
    if head == "open":
        tip = [(CX + L, CY), (CX - L * 0.2, CY + R * 0.8), (CX - L * 0.2, CY - R * 0.8)]
    if head == "filled":
        parts = ink(shaft, tip)
    elif head == "open":
        shaft = bar(CX - L, CY, CX - L * 0.2 + W / 2, CY)
        parts = ink(shaft, tip) + hole(inset(tip, W * 0.9))
    else:  # both ends
        tip2 = [(2 * CX - x, y) for x, y in tip]
        parts = ink(bar(CX - L * 0.2, CY, CX + L * 0.2, CY), tip, tip2)
    return [(rotate(p, angle), s) for p, s in parts]


for name, angle, code in (("right", 0, 0x2192), ("up-right", 45, 0x2197), ("up", 90, 0x2191), ("up-left", 135, 0x2196),
                          ("left", 180, 0x2190), ("down-left", 225, 0x2199), ("down", 270, 0x2193), ("down-right", 315, 0x2198)):
    add("arrow-" + name, arrow(angle), code)
for name, angle in (("right", 0), ("up", 90), ("left", 180), ("down", 270)):
    add("arrow-open-" + name, arrow(angle, "open"))
for name, angle, code in (("horizontal", 0, None), ("vertical", 90, None), ("rising", 45, None), ("falling", 135, None)):
    add("arrow-double-" + name, arrow(angle, "both"), code)


def chevron(angle, count):
    parts = []
    for k in range(count):
        off = (k - (count - 1) / 2) * R * 0.6
        parts += ink(bar(CX - R * 0.35 + off, CY + R * 0.75, CX + R * 0.35 + off, CY, W * 1.1),
                     bar(CX - R * 0.35 + off, CY - R * 0.75, CX + R * 0.35 + off, CY, W * 1.1))
    return [(rotate(p, angle), s) for p, s in parts]


for name, angle in (("right", 0), ("up", 90), ("left", 180), ("down", 270)):
    add("chevron-" + name, chevron(angle, 1))
    add("chevron-double-" + name, chevron(angle, 2))

# more outlines
pent = regular(5, R * 0.98, 90.0)
add("pentagon/filled", ink(pent))
add("pentagon/open", ink(pent) + hole(inset(pent, W)))
hexa = regular(6, R * 0.98, 0.0)
add("hexagon/half-left", ink(hexa) + hole(inset(hexa, W)) + ink(clip(hexa, -1, 0)))
add("hexagon/half-right", ink(hexa) + hole(inset(hexa, W)) + ink(clip(hexa, 1, 0)))
s6 = star(6, R * 1.02, 0.58)
add("star6/dot", ink(s6) + hole(inset(s6, W * 0.8)) + ink(circle(R * 0.18)))
add("dots-2-rising", dots([(-0.5, -0.5), (0.5, 0.5)]))
add("dots-2-falling", dots([(-0.5, 0.5), (0.5, -0.5)]))

# edge bars and half blocks, as GBK has them
E = R * 0.95
add("edge-top", ink(rect(CX - E, CY + E - W * 1.3, CX + E, CY + E)), 0x2594)
add("edge-bottom", ink(rect(CX - E, CY - E, CX + E, CY - E + W * 1.3)), 0x2581)
add("edge-left", ink(rect(CX - E, CY - E, CX - E + W * 1.3, CY + E)), 0x258F)
add("edge-right", ink(rect(CX + E - W * 1.3, CY - E, CX + E, CY + E)), 0x2595)
add("block-bottom-half", ink(rect(CX - E, CY - E, CX + E, CY)), 0x2584)
add("block-top-half", ink(rect(CX - E, CY, CX + E, CY + E)))
add("block-left-half", ink(rect(CX - E, CY - E, CX, CY + E)), 0x258C)
add("block-right-half", ink(rect(CX, CY - E, CX + E, CY + E)))

# letters drawn as strokes, where nothing else in the set resembles them
T = R * 0.85
add("letter-H", ink(bar(CX - T * 0.7, CY - T, CX - T * 0.7, CY + T), bar(CX + T * 0.7, CY - T, CX + T * 0.7, CY + T),
                    bar(CX - T * 0.7, CY, CX + T * 0.7, CY)), 0xFF28)
add("letter-Z", ink(bar(CX - T * 0.75, CY + T - W / 2, CX + T * 0.75, CY + T - W / 2),
                    bar(CX + T * 0.7, CY + T - W, CX - T * 0.7, CY - T + W),
                    bar(CX - T * 0.75, CY - T + W / 2, CX + T * 0.75, CY - T + W / 2)), 0xFF3A)
add("letter-N", ink(bar(CX - T * 0.7, CY - T, CX - T * 0.7, CY + T), bar(CX + T * 0.7, CY - T, CX + T * 0.7, CY + T),
                    bar(CX - T * 0.7, CY + T, CX + T * 0.7, CY - T)), 0xFF2E)
add("letter-K", ink(bar(CX - T * 0.6, CY - T, CX - T * 0.6, CY + T), bar(CX - T * 0.6, CY, CX + T * 0.7, CY + T),
                    bar(CX - T * 0.3, CY + T * 0.25, CX + T * 0.7, CY - T)), 0xFF2B)
add("letter-Y", ink(bar(CX - T * 0.75, CY + T, CX, CY), bar(CX + T * 0.75, CY + T, CX, CY), bar(CX, CY + W * 0.3, CX, CY - T)), 0xFF39)

# ---------------------------------------------------------------------------------------------
# Code points: a glyph whose shape GBK already has takes that character, so a pattern stays
# readable wherever the font is missing; the others take characters of the GBK rows of box
# drawing, katakana and hiragana, in order. Every one is a two-byte GBK character.


def gbk(cp):
    try:
        b = chr(cp).encode("gbk")
    except UnicodeEncodeError:
        return None
    return b if len(b) == 2 else None


def spare_code_points():
    for cp in list(range(0x2500, 0x2550)) + list(range(0x30A1, 0x30F7)) + list(range(0x3041, 0x3094)):
        if gbk(cp) is not None:
            yield cp


def assign_codes():
    taken = set()
    codes = []
    for name, parts, code in glyphs:
        if code is not None:
            assert gbk(code) is not None, (name, hex(code))
            assert code not in taken, (name, hex(code))
            taken.add(code)
    spare = (cp for cp in spare_code_points() if cp not in taken)
    for name, parts, code in glyphs:
        codes.append(code if code is not None else next(spare))
    return codes


# ---------------------------------------------------------------------------------------------
# Look-alikes. Each glyph is rasterised as a chart prints it without smoothing (a pixel is ink
# when its centre is inside, non-zero rule) at the size of a symbol in a 2 mm cell printed at
# 300 dpi (a 22-pixel em in a 24-pixel cell) and at a small symbol on screen (10 pixels). Two
# glyphs look alike when fewer than PRINT_APART pixels tell them apart in print: those pairs
# are the look-alike table, and a pattern should not give them to two of its threads. On
# screen more pairs come close (fewer than SCREEN_APART pixels); they stay apart in print, so
# they only push glyphs later in the set.

PRINT_PIXELS, PRINT_APART = 22, 16
SCREEN_PIXELS, SCREEN_APART = 10, 4


def rasterise(parts, pixels):
    n = pixels
    step = EM / n
    edges = []
    for poly, sign in parts:
        poly = oriented(poly, sign)
        for i in range(len(poly)):
            (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % len(poly)]
            if y0 != y1:
                edges.append((x0, y0, x1, y1))
    cover = [[0.0] * pixels for _ in range(pixels)]
    for row in range(n):
        y = ASCENT - (row + 0.5) * step
        crossings = []
        for x0, y0, x1, y1 in edges:
            if (y0 <= y < y1) or (y1 <= y < y0):
                x = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                crossings.append((x, 1 if y1 > y0 else -1))
        crossings.sort()
        winding = 0
        k = 0
        line = cover[row]
        for col in range(n):
            x = (col + 0.5) * step
            while k < len(crossings) and crossings[k][0] <= x:
                winding += crossings[k][1]
                k += 1
            if winding != 0:
                line[col] = 1.0
    return [v for line in cover for v in line]


def close_pairs(bitmaps, apart):
    pairs = []
    for i in range(len(bitmaps)):
        for j in range(i + 1, len(bitmaps)):
            if sum(abs(a - b) for a, b in zip(bitmaps[i], bitmaps[j])) < apart:
                pairs.append((i, j))
    return pairs


def set_order(count, print_pairs, screen_pairs):
    # The order threads take symbols in: first every glyph that is apart from all before it
    # in print and on screen, then those apart in print, then the rest, each group in drawing
    # order.
    def neighbours(pairs):
        near = {i: set() for i in range(count)}
        for i, j in pairs:
            near[i].add(j)
            near[j].add(i)
        return near
    order, chosen = [], set()
    for near in (neighbours(screen_pairs + print_pairs), neighbours(print_pairs), None):
        for i in range(count):
            if i not in chosen and (near is None or not (near[i] & chosen)):
                order.append(i)
                chosen.add(i)
    return order


def apart_on_screen(order, screen_pairs):
    close = set(screen_pairs) | set((j, i) for i, j in screen_pairs)
    for k, g in enumerate(order):
        if any((g, h) in close for h in order[:k]):
            return k
    return len(order)


def write_table(path, codes, order, pairs, apart_on_screen):
    position = {g: k for k, g in enumerate(order)}
    with open(path, "w", encoding="ascii") as out:
        out.write("// Made by data/fonts/make_symbol_font.py; do not edit.\n")
        out.write("// The chart symbol set in the order threads take it: GBK bytes, code point, name.\n")
        out.write("static constexpr ClearSymbolGlyph kClearSymbolGlyphs[] = {\n")
        for g in order:
            b = gbk(codes[g])
            out.write('    {"\\x%02X\\x%02X", 0x%04X, "%s"},\n' % (b[0], b[1], codes[g], glyphs[g][0]))
        out.write("};\n")
        out.write("// How many glyphs at the start of the set stand apart in print and as 10-pixel symbols.\n")
        out.write("static constexpr std::size_t kClearSymbolsApartOnScreen = %d;\n" % apart_on_screen)
        out.write("// Pairs of positions in the set whose glyphs look alike at chart size.\n")
        out.write("static constexpr std::pair<std::uint16_t, std::uint16_t> kClearSymbolLookAlikes[] = {\n")
        listed = sorted((min(position[i], position[j]), max(position[i], position[j])) for i, j in pairs)
        for a, b in listed:
            out.write("    {%d, %d},\n" % (a, b))
        if not listed:
            out.write("    {0xFFFF, 0xFFFF},\n")
        out.write("};\n")


def build_font(path, codes):
    import fontforge
    font = fontforge.font()
    font.encoding = "UnicodeFull"
    font.em = EM
    font.ascent = ASCENT
    font.descent = DESCENT
    font.fontname = "BrenmarkChartSymbols"
    font.familyname = "Brenmark Chart Symbols"
    font.fullname = "Brenmark Chart Symbols"
    font.weight = "Regular"
    font.version = "1.0"
    font.copyright = "Copyright (C) the Brenmark authors. GPL-3.0-or-later with the font exception."
    font.os2_fstype = 0  # installable: documents may embed it
    # The line box is the em itself: the metrics below are values, not additions to the bounds.
    font.os2_winascent_add = font.os2_windescent_add = False
    font.os2_typoascent_add = font.os2_typodescent_add = False
    font.hhea_ascent_add = font.hhea_descent_add = False
    font.os2_winascent = ASCENT
    font.os2_windescent = DESCENT
    font.os2_typoascent = ASCENT
    font.os2_typodescent = -DESCENT
    font.os2_typolinegap = 0
    font.hhea_ascent = ASCENT
    font.hhea_descent = -DESCENT
    font.hhea_linegap = 0
    notdef = font.createChar(-1, ".notdef")
    notdef.width = EM
    space = font.createChar(0x20, "space")
    space.width = EM
    for (name, parts, _), code in zip(glyphs, codes):
        g = font.createChar(code, "u%04X" % code)
        pen = g.glyphPen()
        for poly, sign in parts:
            poly = oriented(poly, sign)
            pen.moveTo((round(poly[0][0]), round(poly[0][1])))
            for x, y in poly[1:]:
                pen.lineTo((round(x), round(y)))
            pen.closePath()
        pen = None
        g.removeOverlap()
        g.correctDirection()
        g.round()
        g.width = EM
    font.generate(path)


def main(argv):
    if len(argv) == 3 and argv[1] == "--table":
        font_path, table_path = None, argv[2]
    elif len(argv) == 3:
        font_path, table_path = argv[1], argv[2]
    else:
        sys.stderr.write("usage: make_symbol_font.py OUT.ttf OUT.inc | --table OUT.inc\n")
        return 2
    codes = assign_codes()
    pairs = close_pairs([rasterise(parts, PRINT_PIXELS) for _, parts, _ in glyphs], PRINT_APART)
    screen = close_pairs([rasterise(parts, SCREEN_PIXELS) for _, parts, _ in glyphs], SCREEN_APART)
    order = set_order(len(glyphs), pairs, screen)
    if font_path:
        build_font(font_path, codes)
    write_table(table_path, codes, order, pairs, apart_on_screen(order, screen + pairs))
    sys.stderr.write("%d glyphs, %d look-alike pairs\n" % (len(glyphs), len(pairs)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
