#!/usr/bin/env python3
"""Builds the artwork that is compiled into autorun-menu.

    background.bmp     600x397, 8 bits per pixel: the picture behind the menu
    autorun-menu.ico   the program icon, 16..48 px at 4, 8 and 32 bits per pixel

Standard library only and nothing random, so a second run reproduces both
files byte for byte.  Usage:

    python3 generate_art.py [output-dir]      (default: the folder of this script)

Picture layout (y grows downwards, as on screen): the disc artwork fills a dark
panel on the left; everything right of x = 290 stays a calm, light surface
because the program draws its black/red captions at x 318..590, y 60..232 and
fills a white comment box at x 300..598, y 270..395.
"""

import math
import os
import struct
import sys

W, H = 600, 397

# Colours (r, g, b)
NAVY_TOP = (18, 48, 84)
NAVY_BOTTOM = (6, 20, 40)
GLOW = (40, 104, 158)
RING = (130, 196, 240)
EDGE_LINE = (104, 178, 232)
PAPER_TOP = (248, 250, 253)
PAPER_BOTTOM = (231, 237, 245)
ACCENT = (34, 104, 178)
SILVER_DARK = (150, 164, 184)
SILVER_LIGHT = (232, 238, 245)
HUB = (214, 226, 238)
OUTLINE = (22, 52, 92)
WHITE = (255, 255, 255)

# Geometry of the picture
DISC_X, DISC_Y, DISC_R = 142.0, 198.0, 108.0
HUB_R, MIRROR_R, HOLE_R = 0.36 * DISC_R, 0.29 * DISC_R, 0.14 * DISC_R
RINGS = ((134, 0.55), (160, 0.42), (192, 0.32), (230, 0.24), (274, 0.17), (324, 0.12))
EDGE_CX, EDGE_CY, EDGE_R = -700.0, H / 2.0, 984.0   # the panel's right edge is this arc
LIGHT_ANGLE = -2.3                                    # light falls from the upper left
RULE_Y, RULE_X0, RULE_X1 = 46.0, 318.0, 590.0         # accent rule above the captions


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def cover(d):
    """Coverage of a shape whose signed distance from the pixel centre is d
    (negative inside): a one pixel wide anti-aliased border."""
    return clamp(0.5 - d)


def hsv(h, s, v):
    h6 = (h % 1.0) * 6.0
    i, f = int(h6), h6 - int(h6)
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    r, g, b = ((v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q))[i % 6]
    return (r * 255, g * 255, b * 255)


def disc_surface(dx, dy, radius):
    """Colour of the recorded area of a disc at offset (dx, dy) from its centre."""
    nr = math.hypot(dx, dy) / radius
    theta = math.atan2(dy, dx)
    light = -(dx * math.cos(LIGHT_ANGLE) + dy * math.sin(LIGHT_ANGLE)) / radius
    c = mix(SILVER_DARK, SILVER_LIGHT, clamp(0.55 - 0.45 * light))
    # Two narrow reflections, as a disc shows under a lamp, each running
    # through the colours of the rainbow from the hub to the rim.
    s1 = abs(math.cos(theta - LIGHT_ANGLE)) ** 22
    s2 = abs(math.cos(theta - LIGHT_ANGLE - 1.5)) ** 30 * 0.7
    rainbow = hsv(0.92 - 1.05 * (nr - 0.36) + 0.03 * math.sin(4 * theta), 0.5, 1.0)
    c = mix(c, rainbow, clamp(0.7 * s1 + 0.6 * s2))
    return mix(c, WHITE, 0.5 * s1 ** 6 + 0.15 * s1)


# ---------------------------------------------------------------- background

def panel_colour(x, y):
    c = mix(NAVY_TOP, NAVY_BOTTOM, clamp(y / H * 0.85 + x / W * 0.3))
    dx, dy = x - DISC_X, y - DISC_Y
    rd = math.hypot(dx, dy)
    c = mix(c, GLOW, 0.55 * math.exp(-(rd / 165.0) ** 2))
    # Soft light rings around the disc, brightest towards the light.
    facing = 0.5 + 0.5 * math.cos(math.atan2(dy, dx) - LIGHT_ANGLE)
    for radius, alpha in RINGS:
        d = abs(rd - radius)
        if d < 20:
            a = alpha * (0.25 + 0.75 * facing ** 1.5)
            c = mix(c, RING, clamp(a * (clamp(1.0 - d) + 0.22 * math.exp(-(d / 7.0) ** 2))))
    # A faint shadow just outside the rim lifts the disc off the panel.
    if rd > DISC_R:
        c = mix(c, NAVY_BOTTOM, 0.45 * math.exp(-((rd - DISC_R) / 7.0) ** 2))
    k = cover(rd - DISC_R)
    if k <= 0.0:
        return c
    # Clear plastic round the hole, a narrow mirror band, then the recorded area.
    clear = mix(c, HUB, 0.42)
    clear = mix(clear, SILVER_LIGHT, 0.4 * clamp(1.0 - abs(rd - 0.22 * DISC_R)))  # stacking ring
    light = -(dx * math.cos(LIGHT_ANGLE) + dy * math.sin(LIGHT_ANGLE)) / rd if rd else 0.0
    band = mix(SILVER_DARK, SILVER_LIGHT, clamp(0.45 - 0.4 * light))
    s = mix(clear, band, cover(MIRROR_R - rd))
    s = mix(s, disc_surface(dx, dy, DISC_R), cover(HUB_R - rd))
    s = mix(s, OUTLINE, 0.25 * clamp(1.0 - abs(rd - HUB_R)))
    s = mix(s, WHITE, 0.25 * clamp((rd - DISC_R + 3.0) / 3.0))            # clear outer rim
    s = mix(c, s, cover(HOLE_R - rd))                                     # centre hole
    s = mix(s, SILVER_LIGHT, 0.6 * clamp(1.0 - abs(rd - HOLE_R)))
    return mix(c, s, k)


def paper_colour(x, y):
    c = mix(PAPER_TOP, PAPER_BOTTOM, y / H)
    # Accent rule above the captions, fading out towards the right.
    if RULE_X0 - 1 <= x <= RULE_X1 + 1 and abs(y - RULE_Y) < 2:
        v = clamp(1.5 - abs(y - RULE_Y))
        h = cover(RULE_X0 - x) * clamp(1.0 - (x - RULE_X0) / (RULE_X1 - RULE_X0)) ** 1.3
        c = mix(c, ACCENT, 0.9 * v * h)
    return c


def render_background():
    rows = []
    for y in range(H):
        fy = y + 0.5
        row = []
        for x in range(W):
            fx = x + 0.5
            d = math.hypot(fx - EDGE_CX, fy - EDGE_CY) - EDGE_R
            if d < -1.0:
                c = panel_colour(fx, fy)
            else:
                c = paper_colour(fx, fy)
                if d < 1.0:
                    c = mix(c, panel_colour(fx, fy), cover(d))
                if d > 0.0:
                    c = mix(c, NAVY_BOTTOM, 0.07 * math.exp(-d / 5.0))
            c = mix(c, EDGE_LINE, 0.85 * math.exp(-(d / 0.8) ** 2))
            row.append(c)
        rows.append(row)
    return rows


# ---------------------------------------------------------------- colour reduction

def median_cut(colours, count):
    """Deterministic median cut: colours is a list of ((r, g, b), weight)."""
    hist = {}
    for (r, g, b), w in colours:
        key = (int(r) >> 2, int(g) >> 2, int(b) >> 2)
        e = hist.setdefault(key, [0.0, 0.0, 0.0, 0.0])
        e[0] += w; e[1] += r * w; e[2] += g * w; e[3] += b * w
    items = [(e[0], (e[1] / e[0], e[2] / e[0], e[3] / e[0])) for _, e in sorted(hist.items())]

    def error(box):
        n = sum(w for w, _ in box)
        return sum(sum(w * c[i] * c[i] for w, c in box) - sum(w * c[i] for w, c in box) ** 2 / n
                   for i in range(3))

    boxes = [(error(items), items)]
    while len(boxes) < count:
        i = max(range(len(boxes)), key=lambda j: (len(boxes[j][1]) > 1, boxes[j][0]))
        err, box = boxes[i]
        if len(box) < 2:
            break
        spans = [max(c[ch] for _, c in box) - min(c[ch] for _, c in box) for ch in range(3)]
        ch = spans.index(max(spans))
        box = sorted(box, key=lambda it: (it[1][ch], it[1]))
        half, acc, cut = sum(w for w, _ in box) / 2.0, 0.0, 1
        for cut in range(1, len(box)):
            acc += box[cut - 1][0]
            if acc >= half:
                break
        boxes[i:i + 1] = [(error(box[:cut]), box[:cut]), (error(box[cut:]), box[cut:])]
    pal = []
    for _, box in boxes:
        n = sum(w for w, _ in box)
        pal.append(tuple(int(round(sum(w * c[i] for w, c in box) / n)) for i in range(3)))
    return sorted(set(pal), key=lambda c: (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2], c))


class Nearest:
    """Nearest palette entry, with a cache since gradients repeat colours a lot."""

    def __init__(self, palette):
        self.palette, self.cache = palette, {}

    def __call__(self, c):
        key = (int(clamp(c[0], 0, 255)) >> 1, int(clamp(c[1], 0, 255)) >> 1,
               int(clamp(c[2], 0, 255)) >> 1)
        idx = self.cache.get(key)
        if idx is None:
            r, g, b = key[0] * 2 + 1, key[1] * 2 + 1, key[2] * 2 + 1
            idx = min(range(len(self.palette)), key=lambda i: (
                3 * (self.palette[i][0] - r) ** 2 + 4 * (self.palette[i][1] - g) ** 2
                + 2 * (self.palette[i][2] - b) ** 2, i))
            self.cache[key] = idx
        return idx


def bayer(n):
    m = [[0]]
    while len(m) < n:
        s = len(m)
        m = [[4 * m[y % s][x % s] + (0, 2, 3, 1)[(y // s) * 2 + x // s] for x in range(2 * s)]
             for y in range(2 * s)]
    return [[(v + 0.5) / (n * n) - 0.5 for v in row] for row in m]


# ---------------------------------------------------------------- BMP

def write_background(path):
    rows = render_background()
    palette = median_cut([(c, 1.0) for row in rows for c in row], 256)
    palette += [(0, 0, 0)] * (256 - len(palette))
    nearest, dither = Nearest(palette), bayer(8)
    pixels = []
    for y in range(H - 1, -1, -1):                      # bottom-up rows
        drow = dither[y % 8]
        pixels.append(bytes(nearest(tuple(v + 6.0 * drow[x % 8] for v in c))
                            for x, c in enumerate(rows[y])))
    body = (struct.pack('<IiiHHIIiiII', 40, W, H, 1, 8, 0, 0, 2834, 2834, 0, 0)
            + b''.join(struct.pack('<4B', b, g, r, 0) for r, g, b in palette)
            + b''.join(pixels) + b'\0\0')
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', 14 + len(body), 0, 0, 14 + 40 + 1024) + body)


# ---------------------------------------------------------------- icon

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
V_NAVY, V_SILVER, V_GREY, V_CYAN, V_WHITE = 4, 7, 8, 14, 15

# (size, bits per pixel) in file order; the resource compiler numbers them 1..18
ICON_IMAGES = [(s, b) for s in (16, 18, 20, 22, 32, 48) for b in (4, 8)] + \
              [(s, 32) for s in (16, 18, 20, 22, 32, 48)]


def icon_sample(x, y, size):
    """(true colour, 16-colour index) of the emblem at (x, y), or None if clear."""
    half = size / 2.0
    dx, dy = x - half, y - half
    r = math.hypot(dx, dy)
    radius = half - 0.3
    line = max(1.0, size / 22.0)
    hole = max(0.14 * radius, 1.1)
    if r > radius or r < hole:
        return None
    if r > radius - line or r < hole + 0.8 * line:
        return OUTLINE, V_NAVY
    hub = 0.38 * radius
    if r < hub:
        if size >= 32 and r > hub - 0.8 * line:
            return mix(HUB, OUTLINE, 0.35), V_GREY
        return mix(HUB, WHITE, 0.4 * clamp(-dy / hub)), V_WHITE
    c = disc_surface(dx, dy, radius - line)
    theta = math.atan2(dy, dx)
    s1 = abs(math.cos(theta - LIGHT_ANGLE))
    v = V_WHITE if s1 > 0.975 else V_CYAN if s1 > 0.92 else V_SILVER
    return c, v


def render_icon(size):
    """Returns (rgba rows with straight alpha 0..255, 16-colour rows with None = clear)."""
    n = 4
    rgba, vga = [], []
    for y in range(size):
        rrow, vrow = [], []
        for x in range(size):
            acc, votes = [0.0, 0.0, 0.0], {}
            for sy in range(n):
                for sx in range(n):
                    hit = icon_sample(x + (sx + 0.5) / n, y + (sy + 0.5) / n, size)
                    if hit:
                        for i in range(3):
                            acc[i] += hit[0][i]
                        votes[hit[1]] = votes.get(hit[1], 0) + 1
            k = sum(votes.values())
            if k == 0:
                rrow.append((0, 0, 0, 0))
            else:
                rrow.append(tuple(int(round(v / k)) for v in acc) + (int(round(255 * k / n / n)),))
            vrow.append(max(votes, key=lambda v: (votes[v], v)) if 2 * k >= n * n else None)
        rgba.append(rrow)
        vga.append(vrow)
    return rgba, vga


def stride(bits):
    return (bits + 31) // 32 * 4


def icon_dib(size, bpp, rgba, vga, palette8, nearest8):
    rows, mask = [], []
    for y in range(size - 1, -1, -1):                   # bottom-up rows
        if bpp == 32:
            px = [(0, 0, 0, 0) if a == 0 else (r, g, b, a) for r, g, b, a in rgba[y]]
            row = b''.join(struct.pack('<4B', b, g, r, a) for r, g, b, a in px)
            clear = [a < 128 for _, _, _, a in px]
        elif bpp == 8:
            clear = [v is None for v in vga[y]]
            row = bytes(0 if t else nearest8(p[:3]) for p, t in zip(rgba[y], clear))
        else:
            clear = [v is None for v in vga[y]]
            idx = [0 if v is None else v for v in vga[y]] + [0]
            row = bytes(idx[i] << 4 | idx[i + 1] for i in range(0, size, 2))
        rows.append(row.ljust(stride(size * bpp), b'\0'))
        bits = sum(1 << (7 - i % 8) << 8 * (i // 8) for i, t in enumerate(clear) if t)
        mask.append(bits.to_bytes(stride(size), 'little'))
    if bpp == 4:
        palette = VGA
    elif bpp == 8:
        palette = palette8
    else:
        palette = []
    pixels = b''.join(rows) + b''.join(mask)
    return (struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, bpp, 0, len(pixels), 0, 0, 0, 0)
            + b''.join(struct.pack('<4B', b, g, r, 0) for r, g, b in palette) + pixels)


def write_icon(path):
    renders = {size: render_icon(size) for size, _ in ICON_IMAGES}
    # One 256-colour palette for every 8 bpp image: the 16 standard colours
    # first (so index 0 is black for the clear pixels), then the emblem's own.
    colours = [(p[:3], 1.0) for rgba, _ in renders.values() for row in rgba for p in row
               if p[3] >= 128]
    palette8 = list(VGA) + [c for c in median_cut(colours, 240) if c not in VGA]
    palette8 += [(0, 0, 0)] * (256 - len(palette8))
    nearest8 = Nearest(palette8)
    images = [icon_dib(size, bpp, *renders[size], palette8, nearest8) for size, bpp in ICON_IMAGES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), data in zip(ICON_IMAGES, images):
        out += struct.pack('<BBBBHHII', size, size, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def main(argv):
    out = argv[1] if len(argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write_background(os.path.join(out, 'background.bmp'))
    write_icon(os.path.join(out, 'autorun-menu.ico'))


if __name__ == '__main__':
    main(sys.argv)
