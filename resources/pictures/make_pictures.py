#!/usr/bin/env python3
"""Draws the program's pictures and writes them as Windows bitmap and icon files.

    python3 make_pictures.py        (writes zelvan.ico, toolbar*.bmp, about.bmp here)

zelvan.ico   icon 101: 16, 20, 24, 32, 40, 48, 64 and 256 pixels square, 32-bit
             colour with alpha (the 256-pixel image stored as PNG)
toolbar.bmp  bitmap 114: 96 x 16 pixels, 16 colours, six 16 x 16 images:
             previous day, today, next day, font, mark day learned (a page
             with a check), mark day not learned (a page with a cross)
toolbar-N.bmp  bitmaps 115-119: the same six images drawn N x N pixels for
             N = 20, 24, 32, 40, 48 (125 % to 300 % display scaling), as a
             strip of 6N x N pixels, 16 colours
about.bmp    bitmap 113: 70 x 109 pixels, monochrome
setup-wizard.bmp, setup-wizard-2x.bmp  the setup program's welcome and finish
             pages: 164 x 314 pixels (at 96 DPI) and twice that (from 144
             DPI), 16 colours: the icon over a day's lessons as the
             program shows them, blue headings, lines of text, rules and the
             grey date band
The 16-pixel pictures are drawn from the character maps below (the marks'
from their shapes, as the larger ones), the larger toolbar pictures from shapes in the same coordinates (units of the 16-pixel
picture) with outlines of whole pixels. The icon is drawn from boxes: those of
the 16-pixel map for 20 and 24 pixels, those of the 32-pixel map for 40 pixels
and more, each edge on a whole pixel; the boxes give the two maps exactly. The
files are committed, so the build does not run this script.
"""
import math
import os
import struct
import zlib

# The standard 16-colour palette (index: (r, g, b)).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Characters of the maps: palette index; '.' is the background (light grey in
# the toolbar, which the toolbar maps to the button face; transparent in the icon).
CHARS = {'k': 0, 'r': 1, 'g': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 's': 7,
         'd': 8, 'R': 9, 'G': 10, 'y': 11, 'b': 12, 'm': 13, 'c': 14, 'w': 15,
         '.': 7}

PREVIOUS = """
................
................
................
......k.........
.....kk.........
....kbk.........
...kbbkkkkkkk...
..kbbbbbbbbbk...
.kbbbbbbbbbbk...
..kbbbbbbbbbk...
...kbbkkkkkkk...
....kbk.........
.....kk.........
......k.........
................
................
"""

TODAY = """
................
..kkkkkkkkkkkk..
..kRRRRRRRRRRk..
..kRRRRRRRRRRk..
..kkkkkkkkkkkk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kwwwwkkwwwwk..
..kwwwkkkkwwwk..
..kwwwkkkkwwwk..
..kwwwwkkwwwwk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
................
"""

NEXT = "\n".join(row[::-1] for row in PREVIOUS.strip("\n").split("\n"))

# The letters of a typeface sample, for the font dialog.
FONT = """
................
................
...kk...........
...kk...........
..kkkk..........
..kkkk..........
..k..k..........
.kk..kk..kkkk...
.kk..kk.....kk..
.kkkkkk..kkkkk..
kk....kkkk..kk..
kk....kkkk..kk..
kk....kk.kkk.kk.
................
................
................
"""

ICON32 = """
................................
................................
................................
....kkkkkkkkkkkk.kkkkkkkkkkkk...
...kwwwwwwwwwwwkkkwwwwwwwwwwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwbbbbbbbwwkbkwwbbbbbbbwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwbbbbbbbwwkbkwwbbbbbbbwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwbbbbbwwwwkbkwwbbbbbbbwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwbbbbbbbwwkbkwwbbbbbwwwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwbbbbbbbwwkbkwwbbbbbbbwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwbbbbbwwwwkbkwwbbbbbbbwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwbbbbbbbwwkbkwwbbbbbwwwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kwwwwwwwwwwwkbkwwwwwwwwwwwk..
...kkkkkkkkkkkkkbkkkkkkkkkkkkk..
...knnnnnnnnnnnnbnnnnnnnnnnnnk..
...kkkkkkkkkkkkkkkkkkkkkkkkkkk..
................................
..........kkkkkkkkkkkk..........
..........kyyyyyyyyyyk..........
..........kkkkkkkkkkkk..........
................................
................................
................................
................................
"""

ICON16 = """
................
................
.kkkkkkk.kkkkkk.
kwwwwwwkkkwwwwwk
kwbbbbwkbkwbbbwk
kwwwwwwkbkwwwwwk
kwbbbwwkbkwbbbwk
kwwwwwwkbkwwwwwk
kwbbbbwkbkwbbwwk
kwwwwwwkbkwwwwwk
kkkkkkkkbkkkkkkk
knnnnnnnbnnnnnnk
kkkkkkkkkkkkkkkk
................
.....kkkkkk.....
.....kyyyyk.....
"""

# The icon's two maps as boxes (character, left, top, right, bottom in map
# pixels, right and bottom excluded), each drawn over the ones before: the
# book's outline, its pages, the spine, the blue lines of text, the cover's
# edge and the yellow bookmark below.
ICON16_BOXES = [
    ('k', 0, 2, 16, 13), ('.', 0, 2, 1, 3), ('.', 8, 2, 9, 3), ('.', 15, 2, 16, 3),
    ('w', 1, 3, 7, 10), ('w', 10, 3, 15, 10), ('b', 8, 4, 9, 12),
    ('n', 1, 11, 8, 12), ('n', 9, 11, 15, 12),
    ('b', 2, 4, 6, 5), ('b', 2, 6, 5, 7), ('b', 2, 8, 6, 9),
    ('b', 11, 4, 14, 5), ('b', 11, 6, 14, 7), ('b', 11, 8, 13, 9),
    ('k', 5, 14, 11, 16), ('y', 6, 15, 10, 16),
]
ICON32_BOXES = [
    ('k', 3, 3, 30, 24), ('.', 3, 3, 4, 4), ('.', 29, 3, 30, 4), ('.', 16, 3, 17, 4),
    ('w', 4, 4, 15, 21), ('w', 18, 4, 29, 21), ('b', 16, 5, 17, 23),
    ('n', 4, 22, 16, 23), ('n', 17, 22, 29, 23),
] + [('b', 6, y, 13 if full else 11, y + 1)
     for y, full in ((6, 1), (8, 1), (10, 0), (12, 1), (14, 1), (16, 0), (18, 1))] + [
    ('b', 20, y, 27 if full else 25, y + 1)
    for y, full in ((6, 1), (8, 1), (10, 1), (12, 0), (14, 1), (16, 1), (18, 0))] + [
    ('k', 10, 25, 22, 28), ('y', 11, 26, 21, 27),
]
# The icon's sizes: those drawn from the 16-pixel boxes, the rest from the 32-pixel ones.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
ICON_SMALL_SIZES = (16, 20, 24)


def render_boxes(boxes, grid, size):
    """Rows of a size x size picture of boxes drawn on a grid x grid map, each
    edge rounded to a whole pixel and every box at least a pixel wide."""
    scale = size / grid
    rows = [['.'] * size for _ in range(size)]
    for ch, left, top, right, bottom in boxes:
        x0, y0 = int(left * scale + 0.5), int(top * scale + 0.5)
        x1, y1 = max(x0 + 1, int(right * scale + 0.5)), max(y0 + 1, int(bottom * scale + 0.5))
        for y in range(y0, y1):
            for x in range(x0, x1):
                rows[y][x] = ch
    return ["".join(r) for r in rows]


def icon_rows(size):
    """The icon drawn size x size pixels."""
    if size in ICON_SMALL_SIZES:
        return render_boxes(ICON16_BOXES, 16, size)
    return render_boxes(ICON32_BOXES, 32, size)


# Sizes of the larger toolbar pictures.
LARGER_TOOLBAR_SIZES = (20, 24, 32, 40, 48)


def inside_polygon(points, x, y):
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def inset_polygon(points, d):
    """The polygon with every edge moved d units inwards."""
    n = len(points)
    area = sum(points[i][0] * points[(i + 1) % n][1] - points[(i + 1) % n][0] * points[i][1]
               for i in range(n))
    side = 1 if area > 0 else -1
    edges = []
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        edges.append(((x0 - dy / length * side * d, y0 + dx / length * side * d), (dx, dy)))
    corners = []
    for i in range(n):
        (p, r), (q, u) = edges[i - 1], edges[i]
        t = ((q[0] - p[0]) * u[1] - (q[1] - p[1]) * u[0]) / (r[0] * u[1] - r[1] * u[0])
        corners.append((p[0] + r[0] * t, p[1] + r[1] * t))
    return corners


def segment_distance(x, y, a, b):
    (x0, y0), (x1, y1) = a, b
    dx, dy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - x0 - t * dx, y - y0 - t * dy)


def polygon(points):
    return lambda x, y: inside_polygon(points, x, y)


def box(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def stroke(a, b, width):
    return lambda x, y: segment_distance(x, y, a, b) <= width / 2


def ring(cx, cy, rx, ry, width):
    def test(x, y):
        outer = ((x - cx) / (rx + width / 2)) ** 2 + ((y - cy) / (ry + width / 2)) ** 2
        inner = ((x - cx) / (rx - width / 2)) ** 2 + ((y - cy) / (ry - width / 2)) ** 2
        return outer <= 1 < inner
    return test


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def render(size, shapes):
    """Rows of a size x size picture: a pixel takes the character of the last
    shape that covers at least half of it (4 x 4 samples)."""
    unit = size / 16
    rows = []
    for j in range(size):
        row = ""
        for i in range(size):
            ch = '.'
            for c, test in shapes:
                hits = sum(test((i + (a + 0.5) / 4) / unit, (j + (b + 0.5) / 4) / unit)
                           for a in range(4) for b in range(4))
                if hits >= 8:
                    ch = c
            row += ch
        rows.append(row)
    return rows


def outline(size):
    """Width in units of an outline of whole pixels at size."""
    return max(1, int(size / 16 + 0.5)) * 16 / size


def previous_shapes(size):
    arrow = [(0.8, 8), (7, 1.8), (7, 5.5), (13.2, 5.5), (13.2, 10.5), (7, 10.5), (7, 14.2)]
    return [('k', polygon(arrow)), ('b', polygon(inset_polygon(arrow, outline(size))))]


def today_shapes(size):
    line = outline(size)
    return [('k', box(2, 1, 14, 14)), ('w', box(2 + line, 1 + line, 14 - line, 14 - line)),
            ('R', box(2 + line, 1 + line, 14 - line, 4)), ('k', box(2, 4, 14, 4 + line)),
            ('k', disc(8, 9, 2))]


def font_shapes(size):
    # "A": two legs and a bar; "a": a bowl, a stem and the arch over the bowl.
    return [('k', stroke((3.5, 2.6), (1.0, 12.4), 2.0)), ('k', stroke((4.5, 2.6), (7.0, 12.4), 2.0)),
            ('k', box(2.0, 9.0, 6.0, 10.0)), ('k', ring(11.0, 10.9, 2.2, 1.5, 1.3)),
            ('k', stroke((13.4, 8.6), (13.4, 12.6), 1.6)), ('k', stroke((9.6, 7.4), (12.2, 7.4), 1.2)),
            ('k', stroke((12.2, 7.4), (13.4, 8.6), 1.2))]


def page_shapes(size):
    """A page: a white box with an outline of whole pixels."""
    line = outline(size)
    return [('k', box(2, 1, 14, 15)), ('w', box(2 + line, 1 + line, 14 - line, 15 - line))]


def learned_shapes(size):
    # A check over the page, filled blue inside a black outline, as the arrows.
    check = [(1.2, 8.6), (6.0, 13.6), (15.2, 4.2), (13.0, 2.0), (6.0, 9.2), (3.4, 6.4)]
    return page_shapes(size) + [('k', polygon(check)),
                                ('b', polygon(inset_polygon(check, outline(size))))]


def not_learned_shapes(size):
    # A red cross over the page, its strokes inside a black outline.
    line = outline(size)
    strokes = [((5.0, 4.5), (11.0, 11.5)), ((11.0, 4.5), (5.0, 11.5))]
    return (page_shapes(size) + [('k', stroke(a, b, 2.2 + 2 * line)) for a, b in strokes] +
            [('R', stroke(a, b, 2.2)) for a, b in strokes])


def mark_pictures(size):
    """The two pictures of the study marks drawn size x size."""
    return [render(size, learned_shapes(size)), render(size, not_learned_shapes(size))]


def toolbar_strip(size):
    """The six toolbar pictures drawn size x size, side by side."""
    previous = render(size, previous_shapes(size))
    pictures = [previous, render(size, today_shapes(size)), [row[::-1] for row in previous],
                render(size, font_shapes(size))] + mark_pictures(size)
    return ["".join(p[y] for p in pictures) for y in range(size)]


def rows_of(art, width, height):
    rows = [r for r in art.strip("\n").split("\n")]
    assert len(rows) == height, (len(rows), height)
    for r in rows:
        assert len(r) == width, (r, width)
    return rows


def dib_4bpp(rows, height_factor=1):
    """BITMAPINFOHEADER + palette + 4-bit pixels, bottom-up."""
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b""
    for r in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(r):
            v = CHARS[ch]
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        pixels += bytes(line)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * height_factor, 1, 4, 0,
                         len(pixels), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + pixels


def mask_1bpp(rows):
    width = len(rows[0])
    stride = ((width + 31) // 32) * 4
    out = b""
    for r in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(r):
            if ch == '.':
                line[x // 8] |= 0x80 >> (x % 8)
        out += bytes(line)
    return out


def write_bmp(path, dib, palette_entries):
    offset = 14 + 40 + 4 * palette_entries
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, offset) + dib)


def icon_image(rows):
    """32-bit BITMAPINFOHEADER (height doubled for the mask), pixels with alpha
    bottom-up, then the 1-bit mask; the background transparent."""
    width, height = len(rows[0]), len(rows)
    pixels = b""
    for r in reversed(rows):
        for ch in r:
            red, green, blue = PALETTE[CHARS[ch]]
            pixels += struct.pack("<BBBB", blue, green, red, 0 if ch == '.' else 255)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(pixels), 0, 0, 0, 0)
    return header + pixels + mask_1bpp(rows)


def png_image(rows):
    """The picture as a PNG file: 8-bit RGBA, the background transparent."""
    width, height = len(rows[0]), len(rows)
    raw = b""
    for r in rows:
        raw += b"\0" + b"".join(bytes(PALETTE[CHARS[ch]]) + (b"\0" if ch == '.' else b"\xff")
                                for ch in r)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(path, images):
    """An icon file of (rows, image data) pairs, 32-bit colour."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for rows, blob in images:
        w, h = len(rows[0]), len(rows)
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    with open(path, "wb") as f:
        f.write(header + entries + data)


# The setup picture in pixels of its 164 x 314 size: the icon's place and
# size, then the lessons' boxes (character, left, top, right, bottom), each
# centred on the middle column: a blue heading, lines of text and a rule
# between two lessons, and the date band with its text at the bottom.
WIZARD_SIZE = (164, 314)
WIZARD_ICON = (50, 28, 64)
WIZARD_MIDDLE = 82


def wizard_boxes():
    boxes = []

    def centred(ch, width, top, height):
        boxes.append((ch, WIZARD_MIDDLE - width // 2, top, WIZARD_MIDDLE + width // 2, top + height))

    top = 116
    for heading, lines in ((56, (120, 96)), (44, (110, 80)), (64, (116, 100, 60))):
        centred('b', heading, top, 6)
        top += 14
        for width in lines:
            centred('k', width, top, 3)
            top += 8
        top += 6
        if heading != 64:
            centred('k', 48, top, 1)
            top += 10
    boxes.append(('s', 0, 280, 164, 314))
    boxes.append(('d', 0, 280, 164, 281))
    centred('k', 72, 295, 4)
    return boxes


def wizard_rows(scale):
    """The setup picture scale times its size, each box edge on a whole pixel."""
    width, height = WIZARD_SIZE[0] * scale, WIZARD_SIZE[1] * scale
    rows = [['w'] * width for _ in range(height)]
    for ch, left, top, right, bottom in wizard_boxes():
        for y in range(top * scale, bottom * scale):
            rows[y][left * scale:right * scale] = [ch] * ((right - left) * scale)
    x, y, size = (v * scale for v in WIZARD_ICON)
    for j, row in enumerate(icon_rows(size)):
        for i, ch in enumerate(row):
            if ch != '.':
                rows[y + j][x + i] = ch
    return ["".join(r) for r in rows]


def about_picture():
    """70 x 109 monochrome: an open book on a lectern, with a lamp above."""
    w, h = 70, 109
    img = [[0] * w for _ in range(h)]  # 0 = white, 1 = black

    def put(x, y):
        if 0 <= x < w and 0 <= y < h:
            img[y][x] = 1

    def line(x0, y0, x1, y1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n))

    # Lamp: a flame over a small bowl.
    for y in range(4, 20):
        half = int(4 * (1 - abs((y - 14) / 10.0)) ** 0.5) if y >= 4 else 0
        for x in range(35 - half, 35 + half + 1):
            put(x, y)
    for y in range(21, 26):
        half = 12 - (y - 21) * 2
        for x in range(35 - half, 35 + half + 1):
            put(x, y)
    line(35, 26, 35, 30)
    # Open book: two pages meeting at the spine, outlined, with lines of text.
    for x in range(4, 35):
        top = 40 + (x - 4) * 6 // 30
        put(x, top)
        put(x, top + 30)
        put(70 - x - 1, top)
        put(70 - x - 1, top + 30)
    line(4, 40, 4, 70)
    line(65, 40, 65, 70)
    line(34, 46, 34, 76)
    line(35, 46, 35, 76)
    for k in range(6):
        for x in range(8, 31):
            put(x, 44 + 4 * k + (x - 4) * 6 // 30)
        for x in range(39, 62):
            put(x, 44 + 4 * k + (65 - x) * 6 // 30)
    # Lectern: two legs and a foot.
    line(35, 72, 20, 104)
    line(35, 72, 50, 104)
    line(36, 72, 21, 104)
    line(34, 72, 49, 104)
    for x in range(12, 59):
        put(x, 105)
        put(x, 106)
    return img


def write_mono_bmp(path, img):
    h, w = len(img), len(img[0])
    stride = ((w + 31) // 32) * 4
    pixels = b""
    for row in reversed(img):
        line = bytearray(stride)
        for x, v in enumerate(row):
            if v == 0:  # palette index 1 is white
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += bytes(line)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 1, 0, len(pixels), 0, 0, 2, 0)
    palette = struct.pack("<BBBB", 0, 0, 0, 0) + struct.pack("<BBBB", 255, 255, 255, 0)
    write_bmp(path, header + palette + pixels, 2)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    strips = [rows_of(a, 16, 16) for a in (PREVIOUS, TODAY, NEXT, FONT)] + mark_pictures(16)
    toolbar = ["".join(s[y] for s in strips) for y in range(16)]
    write_bmp(os.path.join(here, "toolbar.bmp"), dib_4bpp(toolbar), 16)
    for size in LARGER_TOOLBAR_SIZES:
        write_bmp(os.path.join(here, "toolbar-%d.bmp" % size), dib_4bpp(toolbar_strip(size)), 16)
    assert icon_rows(16) == rows_of(ICON16, 16, 16) and icon_rows(32) == rows_of(ICON32, 32, 32)
    icons = [icon_rows(size) for size in ICON_SIZES]
    write_ico(os.path.join(here, "zelvan.ico"),
              [(rows, png_image(rows) if len(rows) == 256 else icon_image(rows)) for rows in icons])
    write_mono_bmp(os.path.join(here, "about.bmp"), about_picture())
    for scale, name in ((1, "setup-wizard.bmp"), (2, "setup-wizard-2x.bmp")):
        write_bmp(os.path.join(here, name), dib_4bpp(wizard_rows(scale)), 16)


if __name__ == "__main__":
    main()
