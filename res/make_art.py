#!/usr/bin/env python3
"""Draws the program's bitmaps and icon and writes them as BMP/ICO files.

The generated files are committed, so the build never runs this script. Run it by hand
after changing the art:

    python3 res/make_art.py            # writes next to this script
    python3 res/make_art.py OUTDIR

Only the standard library is used. Shapes are anti-aliased by supersampling, then the
skins are reduced to a 256-colour palette and stored run-length encoded (BI_RLE8): their
gradients run along the rows, so the runs are long. Every bitmap is drawn for each display
scale in SCALES, in pixels of that scale rather than stretched from the smallest, and the
icon holds an image for each size the shell asks for from 100 to 200 %. Output is
byte-for-byte reproducible.
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4

# Display scales drawn, in percent, and the file name suffix of each; the program takes the
# nearest one at or above the display's scale. The resource ids step by 1000 per scale
# (res/resource.h).
SCALES = [(100, ""), (125, "125"), (150, "150"), (200, "200")]
# The icon's sizes: the small icon (16 at 100 %) and the large one (32) at each scale.
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64]


def px(v, percent):
    """A length of the 100 % layout at the scale, rounded as the program's MulDiv rounds."""
    return (v * percent + 50) // 100

# The title band colours are shared by the form skin and the 14x14 caption buttons so
# that the buttons' rounded corners blend into the band they sit on.
TITLE_TOP = (24, 48, 77)
TITLE_BOTTOM = (44, 86, 128)
ACCENT = (79, 163, 224)
FRAME = (16, 33, 52)
BODY_TOP = (240, 243, 247)
BODY_BOTTOM = (218, 225, 234)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    def __init__(self, width, height, color=(0, 0, 0)):
        self.width = width
        self.height = height
        self.px = [[tuple(map(float, color)) for _ in range(width)] for _ in range(height)]
        self.alpha = [[1.0] * width for _ in range(height)]

    def blend(self, x, y, color, a):
        if 0 <= x < self.width and 0 <= y < self.height and a > 0:
            self.px[y][x] = mix(self.px[y][x], color, a)

    def fill_rect(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.height, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.width, x1)):
                row[x] = tuple(map(float, color))

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(max(0, y0), min(self.height, y1)):
            c = mix(top, bottom, (y - y0) / span)
            row = self.px[y]
            for x in range(max(0, x0), min(self.width, x1)):
                row[x] = c

    def shape(self, inside, bbox, color, opacity=1.0):
        """Paints every pixel of bbox by the fraction of its subsamples inside the shape."""
        x0, y0, x1, y1 = bbox
        n = SUPERSAMPLE
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n):
                            hits += 1
                if hits:
                    self.blend(x, y, color, opacity * hits / (n * n))

    def coverage_to_alpha(self, inside):
        """Makes the canvas transparent outside the shape (used for icons)."""
        n = SUPERSAMPLE
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(
                    1
                    for sy in range(n)
                    for sx in range(n)
                    if inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n)
                )
                self.alpha[y][x] = hits / (n * n)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(px, py):
        if not (x0 <= px <= x1 and y0 <= py <= y1):
            return False
        cx = min(max(px, x0 + r), x1 - r)
        cy = min(max(py, y0 + r), y1 - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r

    return inside, (x0, y0, x1, y1)


def segment(ax, ay, bx, by, width):
    half = width / 2.0

    def inside(px, py):
        dx, dy = bx - ax, by - ay
        t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
        t = min(1.0, max(0.0, t))
        qx, qy = ax + t * dx - px, ay + t * dy - py
        return qx * qx + qy * qy <= half * half

    bbox = (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half)
    return inside, bbox


def polygon(points):
    def inside(px, py):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return inside, (min(xs), min(ys), max(xs), max(ys))


def scaled(points, s, dx=0.0, dy=0.0):
    return [(x * s + dx, y * s + dy) for x, y in points]


# A lightning bolt in a unit box; scaled onto the key cap of the icon and the skin logo.
BOLT = [(0.58, 0.0), (0.16, 0.56), (0.46, 0.56), (0.36, 1.0), (0.84, 0.40), (0.54, 0.40)]


def draw_key(c, x, y, size, rim=0.0):
    """A keyboard key cap with a lightning bolt on it; its dark rim is at least rim wide."""
    r = size * 0.18
    side, top = max(size * 0.06, rim), max(size * 0.04, rim)
    c.shape(*rounded_rect(x, y, x + size, y + size, r), (58, 66, 78))
    c.shape(*rounded_rect(x + side, y + top, x + size - side, y + size * 0.80, r * 0.8),
            (236, 239, 243))
    c.shape(*rounded_rect(x + size * 0.12, y + size * 0.08, x + size * 0.88,
                          y + size * 0.30, r * 0.6), (255, 255, 255), 0.55)
    bolt = scaled(BOLT, size * 0.62, x + size * 0.19, y + size * 0.09)
    c.shape(*polygon(bolt), (242, 160, 24))


# A stroke font for the product name: each glyph is a list of polylines in a box one unit
# high (y grows downwards, baseline at 1, lower-case x-height at 0.38) and its advance.
def ellipse(cx, cy, rx, ry, a0=0.0, a1=360.0, steps=28):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


GLYPHS = {
    "K": ([[(0, 0), (0, 1)], [(0.62, 0), (0, 0.6)], [(0.2, 0.42), (0.66, 1)]], 0.7),
    "E": ([[(0.58, 0), (0, 0), (0, 1), (0.58, 1)], [(0, 0.5), (0.5, 0.5)]], 0.62),
    "S": ([ellipse(0.31, 0.25, 0.29, 0.24, -20, -270, 20)
           + ellipse(0.33, 0.74, 0.3, 0.26, -90, 160, 22)[1:]], 0.66),
    "T": ([[(0, 0), (0.66, 0)], [(0.33, 0), (0.33, 1)]], 0.68),
    "O": ([ellipse(0.39, 0.5, 0.37, 0.5, 0, 360, 36)], 0.8),
    "H": ([[(0, 0), (0, 1)], [(0.62, 0), (0.62, 1)], [(0, 0.5), (0.62, 0.5)]], 0.64),
    "o": ([ellipse(0.28, 0.69, 0.27, 0.31, 0, 360, 28)], 0.58),
    "t": ([[(0.17, 0.1), (0.17, 0.88)] + ellipse(0.37, 0.88, 0.2, 0.12, 180, 90, 6)[1:],
           [(0, 0.38), (0.4, 0.38)]], 0.44),
    "k": ([[(0, 0), (0, 1)], [(0.46, 0.38), (0, 0.74)], [(0.15, 0.63), (0.5, 1)]], 0.52),
    "e": ([[(0.02, 0.69), (0.54, 0.69)] + ellipse(0.28, 0.69, 0.26, 0.31, 0, -315, 26)[1:]],
          0.58),
    "y": ([[(0, 0.38), (0.28, 0.98)], [(0.56, 0.38), (0.22, 1.1), (0.14, 1.22), (0.02, 1.24)]],
          0.58),
    " ": ([], 0.32),
}


def draw_text(c, text, x, baseline, cap_height, color, stroke=0.14, spacing=0.16):
    """Draws text in the stroke font; returns the x after the last glyph."""
    width = cap_height * stroke
    for ch in text:
        lines, advance = GLYPHS[ch]
        for line in lines:
            pts = [(x + px * cap_height, baseline - cap_height + py * cap_height)
                   for px, py in line]
            for (ax, ay), (bx, by) in zip(pts, pts[1:]):
                c.shape(*segment(ax, ay, bx, by, width), color)
        x += (advance + spacing) * cap_height
    return x


def title_color(y, height):
    return mix(TITLE_TOP, TITLE_BOTTOM, y / max(1, height - 1))


def draw_skin(percent):
    width, height, band = px(500, percent), px(360, percent), px(60, percent)
    s = percent / 100
    c = Canvas(width, height)
    c.vgradient(0, band, width, height, BODY_TOP, BODY_BOTTOM)
    c.vgradient(0, 0, width, band, TITLE_TOP, TITLE_BOTTOM)
    # Faint diagonal stripes on the right half of the band; texture without content.
    for k in range(8):
        x = width * 0.55 + k * 26 * s
        w = 12 * s
        c.shape(*polygon([(x, 0), (x + w, 0), (x + w - band, band), (x - band, band)]),
                (255, 255, 255), 0.035)
    draw_accent_and_frame(c, band, percent, 4, 0.16)
    return c


def draw_accent_and_frame(c, band, percent, shadow_rows, shadow_strength):
    """The accent line under the band with a soft shadow, and the frame that the borderless
    windows do not have of their own (one pixel at 100 %)."""
    width, height = c.width, c.height
    accent, frame, shadow_rows = px(2, percent), px(1, percent), px(shadow_rows, percent)
    c.fill_rect(0, band, width, band + accent, ACCENT)
    for i in range(shadow_rows):
        for x in range(width):
            c.blend(x, band + accent + i, (60, 80, 110),
                    shadow_strength * (shadow_rows - i) / shadow_rows)
    c.fill_rect(0, 0, width, frame, FRAME)
    c.fill_rect(0, height - frame, width, height, FRAME)
    c.fill_rect(0, 0, frame, height, FRAME)
    c.fill_rect(width - frame, 0, width, height, FRAME)


def draw_form_back(percent):
    c = draw_skin(percent)
    s = percent / 100
    draw_key(c, 16 * s, 12 * s, 36 * s)
    # The product name beside the key, in white on the band, the "Hotkey" part lighter.
    x = draw_text(c, "KESTO", 66 * s, 39 * s, 17 * s, (255, 255, 255), stroke=0.16)
    draw_text(c, " Hotkey", x, 39 * s, 17 * s, (190, 216, 240), stroke=0.12)
    # Well for the key list (x20 y70, 455x270 at 100 %, each scaled as the program scales
    # it): an inset edge of two lines, white face.
    x0, y0 = px(20, percent), px(70, percent)
    x1, y1 = x0 + px(455, percent), y0 + px(270, percent)
    e = px(1, percent)
    c.fill_rect(x0 - 2 * e, y0 - 2 * e, x1 + 2 * e, y1 + 2 * e, (167, 180, 197))
    c.fill_rect(x0 - e, y0 - e, x1 + e, y1 + e, (250, 251, 253))
    c.fill_rect(x0, y0, x1, y1, (255, 255, 255))
    return c


DIALOG_BAND_TOP = (232, 240, 249)
DIALOG_BAND_BOTTOM = (208, 224, 241)


def draw_dialog_back(percent):
    """The About box and the program path dialog: their labels are drawn in the default
    black straight onto this picture, the title line among them, so the band along the top
    stays light; the dark frame and the accent line tie it to the form."""
    width, height, band = px(300, percent), px(110, percent), px(20, percent)
    s = percent / 100
    c = Canvas(width, height)
    c.vgradient(0, band, width, height, BODY_TOP, BODY_BOTTOM)
    c.vgradient(0, 0, width, band, DIALOG_BAND_TOP, DIALOG_BAND_BOTTOM)
    for k in range(6):  # the form's faint stripes, on the right of the band
        x = width * 0.62 + k * 22 * s
        w = 10 * s
        c.shape(*polygon([(x, 0), (x + w, 0), (x + w - band, band), (x - band, band)]),
                (255, 255, 255), 0.18)
    draw_accent_and_frame(c, band, percent, 3, 0.10)
    return c


def draw_caption_button(glyph, pressed, percent):
    """A face for the caption buttons (14x14 at 100 %) at y=7 on the form's title band;
    the shapes are drawn in units of the face's own size, so that they fill it whole."""
    size = px(14, percent)
    k = size / 14
    c = Canvas(size, size)
    top, band = px(7, percent), px(60, percent)
    for y in range(size):
        for x in range(size):
            c.px[y][x] = title_color(top + y, band)
    if glyph == "close":
        face = (150, 40, 36) if pressed else (196, 66, 56)
        edge = (224, 120, 108)
    else:
        face = (20, 42, 68) if pressed else (58, 104, 150)
        edge = (110, 160, 208)
    c.shape(*rounded_rect(0, 0, 14 * k, 14 * k, 3 * k), edge)
    c.shape(*rounded_rect(1 * k, 1 * k, 13 * k, 13 * k, 2.2 * k), face)
    if not pressed:
        c.shape(*rounded_rect(1.5 * k, 1.5 * k, 12.5 * k, 6 * k, 1.6 * k), (255, 255, 255), 0.14)
    d = 1 if pressed else 0  # the glyph sinks with the face when pressed
    white = (255, 255, 255)
    if glyph == "close":
        c.shape(*segment((4.2 + d) * k, (4.2 + d) * k, (9.8 + d) * k, (9.8 + d) * k, 1.7 * k),
                white)
        c.shape(*segment((9.8 + d) * k, (4.2 + d) * k, (4.2 + d) * k, (9.8 + d) * k, 1.7 * k),
                white)
    else:
        c.shape(*segment((4.0 + d) * k, (10.0 + d) * k, (10.0 + d) * k, (10.0 + d) * k, 2.0 * k),
                white)
    return c


def draw_icon(size):
    """The key inside a light edge: on a light taskbar the key's dark rim outlines it, on a
    dark one the edge does, each a whole pixel wide even at 16 pixels."""
    c = Canvas(size, size)
    edge = max(1.0, size / 20)
    inside, bbox = rounded_rect(0, 0, size, size, size * 0.2)
    c.shape(inside, bbox, (236, 239, 243))
    draw_key(c, edge, edge, size - 2 * edge, rim=1.0)
    c.coverage_to_alpha(inside)
    return c


# --- palette reduction -------------------------------------------------------------------


def quantize(canvas, limit=256):
    """Median cut over the distinct colours, then nearest-colour mapping."""
    counts = {}
    for row in canvas.px:
        for p in row:
            q = tuple(int(round(v)) for v in p)
            counts[q] = counts.get(q, 0) + 1
    boxes = [sorted(counts)]
    while len(boxes) < limit:
        best, best_range, best_ch = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                lo = min(p[ch] for p in box)
                hi = max(p[ch] for p in box)
                if hi - lo > best_range:
                    best, best_range, best_ch = i, hi - lo, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda p: (p[best_ch], p))
        mid = len(box) // 2
        boxes += [box[:mid], box[mid:]]
    palette = []
    for box in boxes:
        total = sum(counts[p] for p in box)
        palette.append(tuple(int(round(sum(p[ch] * counts[p] for p in box) / total))
                             for ch in range(3)))
    palette = sorted(set(palette))
    cache = {}

    def nearest(p):
        if p not in cache:
            cache[p] = min(range(len(palette)),
                           key=lambda i: sum((palette[i][ch] - p[ch]) ** 2 for ch in range(3)))
        return cache[p]

    indices = [[nearest(tuple(int(round(v)) for v in p)) for p in row] for row in canvas.px]
    return palette, indices


# --- file formats --------------------------------------------------------------------------


def rle8_row(row):
    """One row in BI_RLE8: runs of two or more as (count, index), stretches of three or more
    single indices in absolute mode (0, n, indices, padded to a word), the line end (0, 0)."""
    out = bytearray()
    i, n = 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        # Single indices up to the next run of two.
        j = i
        while j < n and j - i < 255 and not (j + 1 < n and row[j + 1] == row[j]):
            j += 1
        count = j - i
        if count >= 3:
            out += bytes((0, count)) + bytes(row[i:j]) + (b"\0" if count % 2 else b"")
        else:
            for k in range(i, j):
                out += bytes((1, row[k]))
        i = j
    return out + b"\0\0"


def rle8_decode(data, width, height):
    """The rows that rle8_row wrote, bottom row first, as a check on the encoder."""
    rows, row, i = [], [], 0
    while True:
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            row += [value] * count
        elif value == 0:
            rows.append(row)
            row = []
        elif value == 1:
            break
        else:
            row += list(data[i:i + value])
            i += value + (value % 2)
    assert len(rows) == height and all(len(r) == width for r in rows)
    return rows


def bmp_8bit(canvas, rle=True):
    palette, indices = quantize(canvas)
    w, h = canvas.width, canvas.height
    if rle:
        pixels = bytearray()
        for y in reversed(range(h)):  # bottom-up rows
            pixels += rle8_row(indices[y])
        pixels += b"\0\1"
        assert rle8_decode(pixels, w, h) == [indices[y] for y in reversed(range(h))]
    else:
        stride = (w + 3) & ~3
        pixels = bytearray()
        for y in reversed(range(h)):
            pixels += bytes(indices[y]) + b"\0" * (stride - w)
    colors = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colors)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1 if rle else 0, len(pixels), 2835,
                       2835, len(palette), 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + colors + bytes(pixels)


def ico_image_32bit(canvas):
    w, h = canvas.width, canvas.height
    xor = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b = (int(round(v)) for v in canvas.px[y][x])
            a = int(round(canvas.alpha[y][x] * 255))
            xor += struct.pack("<BBBB", b, g, r, a)
    # The AND mask still matters to code paths that ignore alpha.
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(h)):
        row = bytearray(mask_stride)
        for x in range(w):
            if canvas.alpha[y][x] < 0.5:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico(canvases):
    images = [ico_image_32bit(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    args = sys.argv[1:]
    # --plain writes the 100 % skins uncompressed, to compare them with earlier art.
    plain = "--plain" in args
    args = [a for a in args if a != "--plain"]
    out = args[0] if args else os.path.dirname(os.path.abspath(__file__))
    files = {}
    for percent, suffix in SCALES:
        if plain and percent != 100:
            continue
        for name, canvas in (
                ("FormBack", lambda: draw_form_back(percent)),
                ("DialogBack", lambda: draw_dialog_back(percent)),
                ("CloseDown", lambda: draw_caption_button("close", True, percent)),
                ("CloseUp", lambda: draw_caption_button("close", False, percent)),
                ("MinDown", lambda: draw_caption_button("min", True, percent)),
                ("MinUp", lambda: draw_caption_button("min", False, percent))):
            files[f"{name}{suffix}.bmp"] = bmp_8bit(canvas(), rle=not plain)
    files["HotkeyForm.ico"] = ico([draw_icon(size) for size in ICON_SIZES])
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
