#!/usr/bin/env python3
"""Draws Listora's artwork: the icons, the About box pictures and the clip
that plays while a transfer runs.

Standard library only. Every run writes the same bytes (no clocks, no
randomness, no external renderer), so the committed files can always be
checked against this script:

    python3 resources/make_artwork.py            write the files beside this script
    python3 resources/make_artwork.py --check    exit 1 if a committed file differs
"""

import math
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent

# ---------------------------------------------------------------------------
# Colours and palettes

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

# The standard 16-colour palette in its usual order; 16-colour icons must stay
# inside it so that they look the same on every display.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def vertical(top_colour, bottom_colour, top, bottom):
    """A fill that runs from one colour at y=top to another at y=bottom."""
    def colour(y):
        t = min(1.0, max(0.0, (y - top) / (bottom - top)))
        return mix(top_colour, bottom_colour, t)
    return colour


def padded(palette, size):
    assert len(palette) <= size, len(palette)
    return list(palette) + [BLACK] * (size - len(palette))


def quantize(histogram, size=256):
    """A palette of at most `size` colours for the given {colour: count}.

    Colours that cover large areas (backgrounds, flat fills) keep their exact
    value; the rest, mostly edge blends and gradients, are shared out by a
    weighted median cut.
    """
    if len(histogram) <= size:
        return sorted(histogram)
    by_area = sorted(histogram.items(), key=lambda item: (-item[1], item[0]))
    exact = {colour for colour, count in by_area[:size // 4] if count >= 64}

    def box(colours):
        spreads = [max(c[k] for c in colours) - min(c[k] for c in colours) for k in range(3)]
        axis = max(range(3), key=lambda k: (spreads[k], -k))
        return spreads[axis], axis, colours

    boxes = [box(sorted(c for c in histogram if c not in exact))]
    while len(boxes) < size - len(exact):
        widest = max(range(len(boxes)), key=lambda i: (boxes[i][0], len(boxes[i][2]), -i))
        spread, axis, colours = boxes.pop(widest)
        if spread == 0:
            boxes.append((spread, axis, colours))
            break
        colours = sorted(colours, key=lambda c: (c[axis], c))
        half, running, cut = sum(histogram[c] for c in colours) / 2, 0, 1
        for i, c in enumerate(colours[:-1]):
            running += histogram[c]
            if running >= half:
                cut = i + 1
                break
        boxes += [box(colours[:cut]), box(colours[cut:])]
    means = set()
    for _, _, colours in boxes:
        weight = sum(histogram[c] for c in colours)
        means.add(tuple(round(sum(c[k] * histogram[c] for c in colours) / weight) for k in range(3)))
    return sorted(exact | means)


def nearest_indices(colours, palette):
    """Maps each colour to the index of the nearest palette entry."""
    return {colour: min(range(len(palette)),
                        key=lambda i: (sum((a - b) ** 2 for a, b in zip(colour, palette[i])), i))
            for colour in colours}


# ---------------------------------------------------------------------------
# A raster canvas. Shapes are filled at `scale` samples per pixel in each
# direction and averaged down, which gives smooth edges to the large
# pictures; icons and the clip use scale 1 and stay hard-edged. Shapes are
# given in design units of `unit` pixels, so that one drawing of an icon
# serves every size it is shown at: each edge still falls on a whole pixel.

class Canvas:
    def __init__(self, width, height, background=None, scale=1, unit=1):
        self.width, self.height, self.scale, self.unit = width, height, scale, unit
        self.samples = [[background] * (width * scale) for _ in range(height * scale)]

    def fill(self, colour):
        for j, row in enumerate(self.samples):
            row[:] = [self._colour_at(colour, j)] * len(row)

    def _colour_at(self, colour, sample_row):
        return colour((sample_row + 0.5) / self.scale / self.unit) if callable(colour) else colour

    def polygon(self, contours, colour):
        """Fills one or more closed contours (even-odd rule)."""
        if contours and not isinstance(contours[0][0], (tuple, list)):
            contours = [contours]
        contours = [[(x * self.unit, y * self.unit) for x, y in contour] for contour in contours]
        edges = []
        for contour in contours:
            for a, b in zip(contour, contour[1:] + contour[:1]):
                if a[1] != b[1]:
                    edges.append((a, b))
        s = self.scale
        top = min(p[1] for c in contours for p in c)
        bottom = max(p[1] for c in contours for p in c)
        first = max(0, math.ceil(top * s - 0.5))
        last = min(self.height * s, math.ceil(bottom * s - 0.5))
        for j in range(first, last):
            yc = (j + 0.5) / s
            xs = sorted(a[0] + (yc - a[1]) * (b[0] - a[0]) / (b[1] - a[1])
                        for a, b in edges if min(a[1], b[1]) <= yc < max(a[1], b[1]))
            row = self.samples[j]
            value = self._colour_at(colour, j)
            for left, right in zip(xs[0::2], xs[1::2]):
                i0 = max(0, math.ceil(left * s - 0.5))
                i1 = min(len(row), math.ceil(right * s - 0.5))
                if i1 > i0:
                    row[i0:i1] = [value] * (i1 - i0)

    def rect(self, x, y, w, h, colour):
        if w > 0 and h > 0:
            self.polygon([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], colour)

    def pixel(self, x, y, colour):
        self.rect(x, y, 1, 1, colour)

    def disk(self, cx, cy, r, colour):
        self.polygon(ellipse_points(cx, cy, r, r), colour)

    def stroke(self, points, width, colour):
        """A polyline of the given width with round ends and joins."""
        half = width / 2
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            length = math.hypot(x1 - x0, y1 - y0)
            if length == 0:
                continue
            nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
            self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)
        for x, y in points:
            self.disk(x, y, half, colour)

    def stamp(self, other, x, y):
        """Copies another scale-1 canvas onto this one; its empty pixels leave this one as it was."""
        assert self.scale == other.scale == 1
        for j, row in enumerate(other.samples):
            for i, value in enumerate(row):
                if value is not None and 0 <= x + i < self.width and 0 <= y + j < self.height:
                    self.samples[y + j][x + i] = value

    def pixels(self):
        """Rows of (r, g, b) colours (or None where nothing was drawn), top row first."""
        s = self.scale
        if s == 1:
            return [list(row) for row in self.samples]
        n = s * s
        out = []
        for y in range(self.height):
            band = self.samples[y * s:(y + 1) * s]
            line = []
            for x in range(self.width):
                r = g = b = 0
                for row in band:
                    for c in row[x * s:(x + 1) * s]:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                line.append(((r + n // 2) // n, (g + n // 2) // n, (b + n // 2) // n))
            out.append(line)
        return out


def direction(degrees):
    """cos and sin, rounded well below a sample's size so that the last bit of
    a platform's maths library can never move an edge."""
    a = math.radians(degrees)
    return round(math.cos(a), 9), round(math.sin(a), 9)


def ellipse_points(cx, cy, rx, ry, steps=48):
    return [(cx + rx * dx, cy + ry * dy) for dx, dy in (direction(360 * k / steps) for k in range(steps))]


def rounded_rect_points(x, y, w, h, r, steps=8):
    points = []
    for cx, cy, start in ((x + w - r, y + r, -90), (x + w - r, y + h - r, 0),
                          (x + r, y + h - r, 90), (x + r, y + r, 180)):
        for k in range(steps + 1):
            dx, dy = direction(start + 90 * k / steps)
            points.append((cx + r * dx, cy + r * dy))
    return points


# ---------------------------------------------------------------------------
# Lettering. The program name and version are drawn with a small stroke font
# (centre lines of a rounded geometric sans: caps 100 units high, lower case
# 70, stroke 14, baseline at 0, y upwards); the link with a pixel font, which
# stays sharp at that size.

def _arc(cx, cy, rx, ry, a0, a1):
    steps = max(2, round(abs(a1 - a0) / 6))
    return [(cx + rx * dx, cy + ry * dy)
            for dx, dy in (direction(a0 + (a1 - a0) * k / steps) for k in range(steps + 1))]


STROKE_FONT = {
    # character: (advance, [polylines], [dots as (x, y, radius)])
    "L": (59, [[(7, 93), (7, 7), (52, 7)]], []),
    "i": (14, [[(7, 7), (7, 63)]], [(7, 88, 9)]),
    "s": (44, [_arc(22, 49, 15, 14, 25, 270) + _arc(22, 21, 15, 14, 90, -155)[1:]], []),
    "t": (38, [[(14, 90), (14, 21)] + _arc(28, 21, 14, 14, 180, 270)[1:] + [(34, 7)], [(4, 63), (31, 63)]], []),
    "o": (70, [_arc(35, 35, 28, 28, 0, 360)], []),
    "r": (46, [[(7, 63), (7, 7)], _arc(35, 35, 28, 28, 180, 78)], []),
    "a": (70, [_arc(35, 35, 28, 28, 0, 360), [(63, 63), (63, 7)]], []),
    "V": (76, [[(7, 93), (38, 7), (69, 93)]], []),
    "e": (70, [[(7, 35), (63, 35)] + _arc(35, 35, 28, 28, 0, 318)], []),
    ".": (14, [], [(7, 7, 8)]),
    "1": (40, [[(10, 76), (33, 93), (33, 7)]], []),
    " ": (26, [], []),
}
STROKE_TRACKING = 14


def stroke_text_width(text, size):
    units = sum(STROKE_FONT[c][0] for c in text) + STROKE_TRACKING * (len(text) - 1)
    return units * size / 100


def draw_stroke_text(canvas, text, x, baseline, size, colour, weight=14):
    """`size` is the cap height in pixels."""
    k = size / 100
    for c in text:
        advance, lines, dots = STROKE_FONT[c]
        for line in lines:
            canvas.stroke([(x + u * k, baseline - v * k) for u, v in line], weight * k, colour)
        for u, v, r in dots:
            canvas.disk(x + u * k, baseline - v * k, r * k, colour)
        x += (advance + STROKE_TRACKING) * k


# Rows 0-7 reach cap height, lower case starts at row 2, rows 8-9 descend.
PIXEL_FONT = {
    "h": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#", "#...#"],
    "t": ["....", ".#..", "####", ".#..", ".#..", ".#..", ".#..", "..##"],
    "p": ["", "", "####.", "#...#", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    ":": ["", "", "", "#", "", "", "", "#"],
    "/": ["...#", "...#", "..#.", "..#.", ".#..", ".#..", "#...", "#..."],
    "w": ["", "", "#.....#", "#.....#", "#..#..#", "#..#..#", "#..#..#", ".##.##."],
    ".": ["", "", "", "", "", "", "", "#"],
    "e": ["", "", ".###.", "#...#", "#####", "#....", "#....", ".####"],
    "x": ["", "", "#...#", ".#.#.", "..#..", "..#..", ".#.#.", "#...#"],
    "a": ["", "", ".###.", "....#", ".####", "#...#", "#...#", ".####"],
    "m": ["", "", "###.##.", "#..#..#", "#..#..#", "#..#..#", "#..#..#", "#..#..#"],
    "l": ["#", "#", "#", "#", "#", "#", "#", "#"],
    "c": ["", "", ".###", "#...", "#...", "#...", "#...", ".###"],
    "o": ["", "", ".###.", "#...#", "#...#", "#...#", "#...#", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "##...", "#.#..", "#..#.", "#...#"],
    "s": ["", "", ".###", "#...", ".##.", "...#", "...#", "###."],
    "r": ["", "", "#.##", "##..", "#...", "#...", "#...", "#..."],
    "i": ["#", "", "#", "#", "#", "#", "#", "#"],
    "n": ["", "", "####.", "#...#", "#...#", "#...#", "#...#", "#...#"],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", "#...#", ".####"],
}


def pixel_glyph_width(c):
    return max(len(row) for row in PIXEL_FONT[c])


def pixel_text_width(text):
    return sum(pixel_glyph_width(c) for c in text) + len(text) - 1


def draw_pixel_text(canvas, text, x, y, colour):
    for c in text:
        for j, row in enumerate(PIXEL_FONT[c]):
            for i, bit in enumerate(row):
                if bit == "#":
                    canvas.pixel(x + i, y + j, colour)
        x += pixel_glyph_width(c) + 1


# ---------------------------------------------------------------------------
# The pictures

HOME_PAGE = "http://www.example.com/Kestrin/index.htm"

# One look for the icon, the About box and the clip: a blue clipboard holding
# a white sheet with a list of names on it.
ICON_16 = {
    "edge": BLACK, "board": (0, 0, 128), "board_light": (0, 0, 255), "board_dark": (0, 0, 128),
    "paper": WHITE, "paper_shadow": BLACK, "line": (128, 128, 128),
    "bullets": [(0, 0, 255), (255, 0, 0), (0, 128, 0), (0, 128, 128), (128, 0, 128)],
    "clip": (192, 192, 192), "clip_light": WHITE, "clip_dark": (128, 128, 128),
}
ICON_256 = {
    "edge": (24, 36, 72), "board": vertical((86, 136, 214), (40, 78, 158), 3, 31),
    "board_light": (150, 188, 240), "board_dark": (28, 56, 120),
    "paper": WHITE, "paper_shadow": (22, 44, 98), "line": (150, 158, 172),
    "bullets": [(52, 120, 226), (232, 146, 36), (70, 166, 92), (214, 76, 76), (140, 96, 200)],
    "clip": vertical((238, 240, 244), (150, 158, 170), 0, 9), "clip_light": (250, 251, 253),
    "clip_dark": (104, 112, 126),
}


def clipboard_32(look, size=32):
    c = Canvas(size, size, unit=size / 32)
    # Board with cut corners, lit from the top left.
    c.rect(4, 3, 24, 28, look["edge"])
    for x, y in ((4, 3), (27, 3), (4, 30), (27, 30)):
        c.pixel(x, y, None)
    c.rect(5, 4, 22, 26, look["board"])
    c.rect(5, 4, 22, 1, look["board_light"])
    c.rect(5, 4, 1, 26, look["board_light"])
    c.rect(5, 29, 22, 1, look["board_dark"])
    c.rect(26, 4, 1, 26, look["board_dark"])
    # The sheet and its shadow.
    c.rect(9, 8, 16, 21, look["paper_shadow"])
    c.rect(8, 7, 16, 21, look["paper"])
    for n, (y, length) in enumerate(zip((12, 15, 18, 21, 24), (9, 6, 8, 5, 7))):
        c.rect(10, y, 2, 2, look["bullets"][n])
        c.rect(13, y, length, 2, look["line"])
    # The clip and its ring.
    c.rect(10, 3, 12, 6, look["edge"])
    c.pixel(10, 3, None)
    c.pixel(21, 3, None)
    c.rect(11, 4, 10, 4, look["clip"])
    c.rect(11, 4, 10, 1, look["clip_light"])
    c.rect(11, 7, 10, 1, look["clip_dark"])
    c.rect(13, 0, 6, 4, look["edge"])
    c.pixel(13, 0, None)
    c.pixel(18, 0, None)
    c.rect(14, 1, 4, 2, look["clip"])
    c.rect(15, 1, 2, 1, None)
    return c


def clipboard_16(look, size=16):
    c = Canvas(size, size, unit=size / 16)
    c.rect(2, 1, 12, 15, look["edge"])
    for x, y in ((2, 1), (13, 1), (2, 15), (13, 15)):
        c.pixel(x, y, None)
    c.rect(3, 2, 10, 13, look["board"])
    c.rect(3, 2, 1, 13, look["board_light"])
    c.rect(4, 4, 8, 10, look["paper"])
    for n, (y, length) in enumerate(zip((6, 8, 10, 12), (4, 3, 4, 2))):
        c.pixel(5, y, look["bullets"][n])
        c.rect(7, y, length, 1, look["line"])
    c.rect(5, 0, 6, 3, look["edge"])
    c.rect(6, 1, 4, 1, look["clip"])
    return c


def outlined(shape, edge, inside, size):
    """Draws a region of design pixels with a one-unit outline on its own border."""
    c = Canvas(size, size, unit=size / 32)
    for x, y in shape:
        neighbours = ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))
        c.pixel(x, y, inside if all(n in shape for n in neighbours) else edge)
    return c


def up_arrow(size=32):
    """A bent arrow: along the bottom from the right, then up to a head at the top left."""
    shape = set()
    for y in range(6):
        shape |= {(x, y) for x in range(5 - y, 6 + y)}
    shape |= {(x, y) for x in range(3, 8) for y in range(6, 15)}
    shape |= {(x, y) for x in range(3, 16) for y in range(10, 15)}
    # Round the outer corner of the bend.
    shape -= {(3, 14)}
    return outlined(shape, BLACK, (0, 128, 0), size)


def plain_page(size=32):
    """A sheet with its top right corner folded over."""
    fold, right = 4, 13
    corner = right - fold
    shape = {(x, y) for x in range(2, right + 1) for y in range(16) if x - corner <= y}
    c = outlined(shape, BLACK, WHITE, size)
    for y in range(fold + 1):
        for x in range(corner, corner + y + 1):
            c.pixel(x, y, BLACK if x in (corner, corner + y) or y == fold else (192, 192, 192))
    return c


ABOUT_BACKGROUND = (224, 233, 246)
ABOUT_BACKGROUND_AT = vertical(WHITE, ABOUT_BACKGROUND, 0, 138)
LINK = (16, 58, 190)


def top_picture(scale=4):
    """The upper About picture: clipboard, name, version. Everything that
    matters keeps clear of the right edge, which a dialog font with narrower
    dialog units cuts off."""
    c = Canvas(352, 138, scale=scale)
    c.fill(ABOUT_BACKGROUND_AT)
    # A large clipboard with a soft shadow.
    x, y, w, h = 22, 14, 82, 112
    c.polygon(rounded_rect_points(x + 4, y + 5, w, h, 9), (200, 210, 228))
    c.polygon(rounded_rect_points(x, y, w, h, 9), (30, 56, 118))
    c.polygon(rounded_rect_points(x + 1.5, y + 1.5, w - 3, h - 3, 8),
              vertical((98, 148, 222), (44, 84, 166), y, y + h))
    c.rect(x + 13, y + 22, w - 24, h - 32, (36, 66, 132))
    c.rect(x + 11, y + 20, w - 24, h - 32, WHITE)
    for n, row in enumerate((0.66, 0.44, 0.58, 0.36, 0.52, 0.4)):
        ly = y + 32 + n * 12
        c.polygon(rounded_rect_points(x + 18, ly, 6, 6, 1.5), ICON_256["bullets"][n % 5])
        c.polygon(rounded_rect_points(x + 29, ly + 1, (w - 40) * row, 4, 2), (178, 186, 200))
    # The clip.
    c.polygon([rounded_rect_points(x + w / 2 - 15, y - 8, 30, 22, 7),
               rounded_rect_points(x + w / 2 - 11, y - 5, 22, 10, 4)], (84, 92, 106))
    c.polygon(rounded_rect_points(x + w / 2 - 24, y + 1, 48, 18, 5), (84, 92, 106))
    c.polygon(rounded_rect_points(x + w / 2 - 22.5, y + 2.5, 45, 15, 4),
              vertical((246, 247, 250), (156, 164, 178), y + 2, y + 18))
    # Name, rule, version.
    left = 126
    draw_stroke_text(c, "Listora", left, 74, 40, (26, 48, 104))
    c.polygon(rounded_rect_points(left, 86, stroke_text_width("Listora", 40), 2.5, 1.2), (150, 180, 226))
    draw_stroke_text(c, "Ver. 1.1", left + 2, 112, 15, (70, 88, 130), weight=16)
    return c


def link_picture(scale=4):
    """The lower About picture: the home-page link, underlined, in the middle of
    the strip where the dialog's link area lies (rows 27-42)."""
    c = Canvas(352, 48, ABOUT_BACKGROUND, scale=scale)
    width = pixel_text_width(HOME_PAGE)
    x = (352 - width) // 2
    draw_pixel_text(c, HOME_PAGE, x, 30, LINK)
    c.rect(x, 39, width, 1, LINK)
    return c


# The clip: sheets fly in an arc out of a folder and into the clipboard. Its
# top-left pixel is the key colour that the animation control paints as the
# dialog's background, so nothing in the picture may use that colour.
CLIP_SIZE = (260, 40)
CLIP_FRAMES = 17
CLIP_KEY = (192, 192, 192)
FOLDER = {"edge": (120, 86, 20), "back": (214, 164, 52), "front": (250, 210, 96), "light": (255, 236, 160)}


def folder_back(c, x, y):
    c.rect(x, y, 14, 4, FOLDER["edge"])
    c.rect(x + 1, y + 1, 12, 3, FOLDER["back"])
    c.rect(x, y + 3, 36, 26, FOLDER["edge"])
    c.rect(x + 1, y + 4, 34, 24, FOLDER["back"])


def folder_front(c, x, y):
    c.rect(x, y + 11, 38, 18, FOLDER["edge"])
    c.rect(x + 1, y + 12, 36, 16, FOLDER["front"])
    c.rect(x + 1, y + 12, 36, 1, FOLDER["light"])


def flying_sheet(c, x, y):
    """A 12 x 15 sheet with a folded corner and a few lines of text."""
    ink, fold, corner = (40, 44, 56), 3, 8
    for j in range(15):
        for i in range(12):
            if i - corner > j:
                continue
            edge = i in (0, 11) or j in (0, 14) or i - corner == j
            c.pixel(x + i, y + j, ink if edge else WHITE)
    for j in range(fold + 1):
        for i in range(corner, corner + j + 1):
            c.pixel(x + i, y + j, ink if i in (corner, corner + j) or j == fold else (200, 204, 214))
    for row, length in ((6, 7), (8, 5), (10, 7), (12, 4)):
        c.rect(x + 3, y + row, length, 1, (132, 140, 156))


def clip_frame(n, clipboard):
    c = Canvas(*CLIP_SIZE)
    fx, fy = 10, 6
    cx, cy = 218, 4
    folder_back(c, fx, fy)
    # Two sheets half a loop apart, so the loop ends where it starts. Each
    # rises out of the folder and sinks into the clipboard.
    leaving, arriving = [], []
    for k in range(2):
        t = (n / CLIP_FRAMES + k / 2) % 1.0
        sx = round(fx + 12 + (cx + 10 - fx - 12) * t)
        sy = round(fy + 6 + (cy + 12 - fy - 6) * t - 46 * t * (1 - t))
        (leaving if t < 0.5 else arriving).append((sx, sy))
    for sx, sy in leaving:
        flying_sheet(c, sx, sy)
    folder_front(c, fx, fy)
    for sx, sy in arriving:
        flying_sheet(c, sx, sy)
    c.stamp(clipboard, cx, cy)
    return c


# ---------------------------------------------------------------------------
# File formats

def dib_rows(rows, bits):
    """Bottom-up rows packed at `bits` per pixel, each padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        if bits == 8:
            line += bytes(row)
        elif bits == 4:
            padded_row = list(row) + [0] * (len(row) % 2)
            line += bytes((a << 4) | b for a, b in zip(padded_row[0::2], padded_row[1::2]))
        else:
            padded_row = list(row) + [0] * (-len(row) % 8)
            line += bytes(sum(bit << (7 - i) for i, bit in enumerate(padded_row[k:k + 8]))
                          for k in range(0, len(padded_row), 8))
        line += bytes(-len(line) % 4)
        out += line
    return bytes(out)


def bitmap_info(width, height, bits, compression=0, size_image=0, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, size_image, 0, 0,
                       colours_used, 0)


def palette_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def icon_image(canvas, bits, palette=None):
    """One icon image: header, palette, colour bits, and the mask (1 = clear)."""
    rows = canvas.pixels()
    if palette is None:
        palette = [BLACK] + sorted({p for row in rows for p in row if p not in (None, BLACK)})
    palette = padded(palette, 1 << bits)
    index = {colour: i for i, colour in reversed(list(enumerate(palette)))}
    for row in rows:
        for p in row:
            assert p is None or p in index, f"{p} is not in the {1 << bits}-colour palette"
    colour_bits = dib_rows([[0 if p is None else index[p] for p in row] for row in rows], bits)
    mask_bits = dib_rows([[1 if p is None else 0 for p in row] for row in rows], 1)
    header = bitmap_info(canvas.width, canvas.height * 2, bits, size_image=len(colour_bits) + len(mask_bits))
    return header + palette_bytes(palette) + colour_bits + mask_bits


def icon_file(images):
    """images: (canvas, bits, palette or None), in directory order."""
    data = [icon_image(*image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (canvas, bits, _), blob in zip(images, data):
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 16 if bits == 4 else 0, 0,
                           1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(data)


def bmp_file(rows, palette):
    index = nearest_indices({p for row in rows for p in row}, palette)
    bits = dib_rows([[index[p] for p in row] for row in rows], 8)
    info = bitmap_info(len(rows[0]), len(rows), 8, size_image=len(bits), colours_used=256)
    offset = 14 + len(info) + 1024
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + info + palette_bytes(palette) + bits


def rle8(rows):
    """Run-length encodes 8-bit rows (top row first) as a whole frame."""
    out = bytearray()
    lines = list(reversed(rows))
    for number, row in enumerate(lines):
        i, width = 0, len(row)
        while i < width:
            run = 1
            while i + run < width and run < 255 and row[i + run] == row[i]:
                run += 1
            if run >= 2:
                out += bytes((run, row[i]))
                i += run
                continue
            j = i
            while j < width and j - i < 255 and not (j + 2 < width and row[j] == row[j + 1] == row[j + 2]):
                j += 1
            literal = row[i:j]
            if len(literal) >= 3:
                out += bytes((0, len(literal))) + bytes(literal) + bytes(len(literal) % 2)
            else:
                for value in literal:
                    out += bytes((1, value))
            i = j
        out += b"\x00\x01" if number == len(lines) - 1 else b"\x00\x00"
    return bytes(out)


def riff_chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + bytes(len(data) % 2)


def avi_file(frames, palette, width, height, frames_per_second):
    """One silent video stream of RLE8 key frames, with the palette in its format."""
    encoded = [rle8(frame) for frame in frames]
    biggest = max(len(e) for e in encoded)
    avih = struct.pack("<14I", 1000000 // frames_per_second, biggest * frames_per_second, 0, 0x10,
                       len(frames), 0, 1, biggest, width, height, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIII4h", b"vids", b"mrle", 0, 0, 0, 0, 1, frames_per_second, 0,
                       len(frames), biggest, 0xFFFFFFFF, 0, 0, 0, width, height)
    strf = bitmap_info(width, height, 8, compression=1, size_image=width * height,
                       colours_used=256) + palette_bytes(padded(palette, 256))
    strl = riff_chunk(b"LIST", b"strl" + riff_chunk(b"strh", strh) + riff_chunk(b"strf", strf))
    hdrl = riff_chunk(b"LIST", b"hdrl" + riff_chunk(b"avih", avih) + strl)
    movi, index, offset = b"movi", b"", 4
    for e in encoded:
        chunk = riff_chunk(b"00dc", e)
        index += struct.pack("<4sIII", b"00dc", 0x10, offset, len(e))
        movi += chunk
        offset += len(chunk)
    body = b"AVI " + hdrl + riff_chunk(b"LIST", movi) + riff_chunk(b"idx1", index)
    return riff_chunk(b"RIFF", body)


# ---------------------------------------------------------------------------

def artwork():
    files = {}
    # Beside the 16- and 32-pixel images, one for each size the system asks
    # for at 125%, 150% and 200%: small icons of 20, 24 and 32 pixels, large
    # ones of 40, 48 and 64.
    files["listora.ico"] = icon_file([
        (clipboard_32(ICON_16), 4, VGA),
        (clipboard_16(ICON_16), 4, VGA),
        (clipboard_32(ICON_256), 8, None),
    ] + [(clipboard_16(ICON_256, size), 8, None) for size in (20, 24)]
      + [(clipboard_32(ICON_256, size), 8, None) for size in (40, 48, 64)])
    # The browser's own icons are drawn at twice the small-icon size, their
    # picture in the top-left quarter.
    files["up_folder.ico"] = icon_file([(up_arrow(size), 4, VGA) for size in (32, 40, 48, 64)])
    files["file.ico"] = icon_file([(plain_page(size), 4, VGA) for size in (32, 40, 48, 64)])

    # Both About pictures share one palette, so they never fight over the
    # system palette on a 256-colour display.
    top, link = top_picture().pixels(), link_picture().pixels()
    histogram = {}
    for row in top + link:
        for p in row:
            histogram[p] = histogram.get(p, 0) + 1
    palette = padded(quantize(histogram), 256)
    files["about_top.bmp"] = bmp_file(top, palette)
    files["about_link.bmp"] = bmp_file(link, palette)

    clipboard = clipboard_32(ICON_256)
    frames = [clip_frame(n, clipboard).pixels() for n in range(CLIP_FRAMES)]
    assert all(frame[0][0] is None for frame in frames), "a clip frame starts with picture, not background"
    drawn = sorted({p for frame in frames for row in frame for p in row} - {None})
    assert CLIP_KEY not in drawn, "the clip's picture uses its background colour"
    palette = [CLIP_KEY] + drawn
    index = {colour: i for i, colour in enumerate(palette)}
    index[None] = 0
    frames = [[[index[p] for p in row] for row in frame] for frame in frames]
    files["copying.avi"] = avi_file(frames, palette, *CLIP_SIZE, frames_per_second=10)
    return files


def main(argv):
    files = artwork()
    if argv[1:] == ["--check"]:
        stale = [name for name, data in files.items()
                 if not (HERE / name).exists() or (HERE / name).read_bytes() != data]
        for name in stale:
            print(f"{name} differs from what make_artwork.py draws", file=sys.stderr)
        return 1 if stale else 0
    if argv[1:]:
        print(__doc__, file=sys.stderr)
        return 2
    for name, data in files.items():
        (HERE / name).write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
