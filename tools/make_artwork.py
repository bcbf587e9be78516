#!/usr/bin/python3
"""Makes the program's pictures: the 32-bit bitmaps, the GIF textures of the
main window's buttons and the window icon, into res/art/, plus the resource
scripts res/artwork.rc and res/icons.rc. Deterministic: the same files on
every run.

    tools/make_artwork.py [repo-root]
"""

import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from artwork_kit import (Pic, bmp32_bytes, gear_points, ico_bytes,  # noqa: E402
                         inter, minus, mix, ramp_at, rounded_polygon, save_gif, shade,
                         star_points, union)

# One palette for everything: (light, dark, edge)
GREEN = ((140, 220, 84), (28, 146, 56), (16, 96, 40))
RED = ((250, 118, 100), (200, 34, 40), (124, 16, 24))
BLUE = ((112, 184, 248), (30, 104, 208), (18, 62, 136))
YELLOW = ((255, 230, 118), (244, 166, 24), (164, 96, 8))
ORANGE = ((255, 180, 92), (236, 104, 18), (156, 60, 8))
GREY = ((232, 236, 242), (128, 138, 152), (72, 80, 94))
WHITE = ((255, 255, 255), (212, 220, 232), (128, 140, 158))
TEAL = ((118, 230, 214), (16, 150, 156), (10, 92, 100))
BERRY = ((206, 80, 100), (128, 28, 52), (80, 16, 34))
WOOD = ((240, 184, 92), (170, 98, 34), (96, 50, 16))
DARK = ((92, 100, 112), (40, 44, 52), (20, 22, 28))

SKY = [(0.0, (46, 128, 220)), (0.65, (126, 194, 244)), (1.0, (206, 236, 252))]
FAR_HILL = [(0.0, (96, 170, 128)), (1.0, (58, 128, 98))]
NEAR_HILL = [(0.0, (140, 206, 72)), (1.0, (44, 136, 46))]


# --- shared motifs -------------------------------------------------------------

def photo(p, x0, y0, x1, y1, detail=True):
    """A landscape snapshot: sky, sun, two hills (and a cloud when large)."""
    w, h = x1 - x0, y1 - y0
    area = p.rrect(x0, y0, x1, y1, 0)
    p.fill(area, p.vgrad(SKY, y0, y0 + h * 0.75))
    sr = max(w, h) * 0.095
    sx, sy = x0 + w * 0.73, y0 + h * 0.28
    p.fill(inter(area, p.ellipse(sx, sy, sr * 2.4)),
           p.radgrad([(0, (255, 240, 170, 150)), (1, (255, 240, 170, 0))], sx, sy, sr * 2.4))
    p.fill(inter(area, p.ellipse(sx, sy, sr)), p.vgrad([(0, (255, 246, 176)), (1, (255, 196, 64))],
                                                         sy - sr, sy + sr))
    if detail and w >= 40:
        cx, cy = x0 + w * 0.3, y0 + h * 0.25
        cloud = union(p.ellipse(cx, cy, w * 0.09, h * 0.07), p.ellipse(cx + w * 0.08, cy - h * 0.03, w * 0.08, h * 0.08),
                      p.ellipse(cx + w * 0.15, cy + h * 0.01, w * 0.07, h * 0.055))
        p.fill(inter(area, cloud), (255, 255, 255), 0.85)

    def hill(base, amp, phase, freq):
        pts = [(x0 + w * k / 40, y0 + h * (base - amp * math.sin(phase + freq * math.pi * k / 40)))
               for k in range(41)]
        return inter(area, p.poly(pts + [(x1, y1 + 1), (x0, y1 + 1)]))
    p.fill(hill(0.64, 0.16, 0.6, 1.1), p.vgrad(FAR_HILL, y0 + h * 0.45, y1))
    p.fill(hill(0.80, 0.13, 2.4, 1.3), p.vgrad(NEAR_HILL, y0 + h * 0.62, y1))


def print_photo(p, x0, y0, x1, y1, border):
    """A photo print: white border, soft shadow, the snapshot inside."""
    card = p.rrect(x0, y0, x1, y1, border * 0.35)
    p.shadow(card, border * 0.3, border * 0.5, border * 0.6, 0.45)
    p.fill(card, p.vgrad([(0, (255, 255, 255)), (1, (226, 230, 236))], y0, y1))
    p.fill(p.ring(card, max(0.6, border * 0.12)), (150, 160, 176), 0.8)
    photo(p, x0 + border, y0 + border, x1 - border, y1 - border)
    p.fill(p.ring(p.rrect(x0 + border, y0 + border, x1 - border, y1 - border, 0), max(0.5, border * 0.1)),
           (70, 90, 110), 0.35)


def gear_mask(p, cx, cy, r_out, teeth, hole, rot=0.0):
    root = r_out * 0.8
    body = p.poly(rounded_polygon(gear_points(cx, cy, r_out, root, teeth, rot=rot), r_out * 0.06, 6))
    return minus(body, p.ellipse(cx, cy, hole))


def gear(p, cx, cy, r_out, teeth, hole, colours, edge_px, rot=0.0):
    light, dark, edge = colours
    m = gear_mask(p, cx, cy, r_out, teeth, hole, rot)
    p.glossy(m, light, dark, edge, gloss=0.5, edge_px=edge_px)
    # a raised hub ring around the hole
    hub = minus(p.ellipse(cx, cy, hole + r_out * 0.2), p.ellipse(cx, cy, hole))
    p.fill(hub, p.vgrad([(0, shade(dark, -0.15)), (1, shade(light, 0.2))], cy - hole * 2, cy + hole * 2), 0.55)
    p.fill(minus(p.ellipse(cx, cy, hole + edge_px), p.ellipse(cx, cy, hole)), edge, 0.9)
    return m


def arrow_points(cx, cy, length, width, head_w, head_l, direction):
    """Arrow pointing up, rotated by direction degrees clockwise."""
    pts = [(0, -length / 2), (head_w / 2, -length / 2 + head_l), (width / 2, -length / 2 + head_l),
           (width / 2, length / 2), (-width / 2, length / 2), (-width / 2, -length / 2 + head_l),
           (-head_w / 2, -length / 2 + head_l)]
    a = math.radians(direction)
    c, s = math.cos(a), math.sin(a)
    return [(cx + x * c - y * s, cy + x * s + y * c) for x, y in pts]


def badge_disc(p, colours, symbol_masks, s):
    light, dark, edge = colours
    cx = cy = s / 2
    disc = p.ellipse(cx, cy, s * 0.44)
    p.shadow(disc, 0, s * 0.03, s * 0.04, 0.4)
    p.fill(p.ellipse(cx, cy, s * 0.47), (255, 255, 255))  # white ring keeps the badge apart from what it sits on
    p.glossy(disc, light, dark, edge, gloss=0.0, edge_px=s / 32)
    sym = symbol_masks(cx, cy)
    p.shadow(sym, 0, s * 0.025, s * 0.02, 0.45, shade(edge, -0.4))
    p.fill(sym, p.vgrad([(0, (255, 255, 255)), (1, (232, 238, 240))], s * 0.2, s * 0.8))
    r = s * 0.44
    cap = inter(p.ellipse(cx, cy, r * 0.9), p.ellipse(cx, cy - r * 0.7, r * 0.95, r * 0.75))
    p.fill(cap, p.vgrad([(0, (255, 255, 255, 170)), (1, (255, 255, 255, 10))], cy - r, cy))


def cross_mask(p, cx, cy, arm, width):
    return union(p.stroke([(cx - arm, cy - arm), (cx + arm, cy + arm)], width),
                 p.stroke([(cx - arm, cy + arm), (cx + arm, cy - arm)], width))


def plus_mask(p, cx, cy, arm, width):
    return union(p.rrect(cx - arm, cy - width / 2, cx + arm, cy + width / 2, width * 0.3),
                 p.rrect(cx - width / 2, cy - arm, cx + width / 2, cy + arm, width * 0.3))


def person_mask(p, s):
    cx = s / 2
    head = p.ellipse(cx, s * 0.31, s * 0.2)
    body = p.poly(rounded_polygon([(cx - s * 0.42, s * 0.94), (cx - s * 0.36, s * 0.66), (cx - s * 0.16, s * 0.56),
                                   (cx + s * 0.16, s * 0.56), (cx + s * 0.36, s * 0.66), (cx + s * 0.42, s * 0.94)],
                                  s * 0.12))
    return head, body


# --- the 96 x 96 button bases and their overlays --------------------------------

def base_shape(p, which):
    if which == "gear":
        return gear_mask(p, 48, 48, 41, 8, 13, rot=22.5)
    if which == "disc":
        return p.ellipse(48, 48, 40)
    if which == "play":
        return p.poly(rounded_polygon([(27, 14), (85, 48), (27, 82)], 10))
    if which == "square":
        return p.rrect(17, 17, 79, 79, 15)
    if which == "info":
        k, ox, oy = 1.33, 48, 49

        def t(pts):
            return [(ox + (x - 48) * k, oy + (y - 47) * k) for x, y in pts]
        stem = p.poly(rounded_polygon(t([(36, 38), (56, 38), (56, 69), (62, 69), (62, 77), (34, 77), (34, 69),
                                        (42, 69), (42, 46), (36, 46)]), 2.2))
        dot = p.ellipse(ox + (49 - 48) * k, oy + (24 - 47) * k, 8.2 * k)
        return union(stem, dot)
    raise ValueError(which)


def base_bitmap(which, colours):
    p = Pic(96, 96, 4)
    m = base_shape(p, which)
    light, dark, edge = colours
    p.glossy(m, light, dark, edge, gloss=0.55, edge_px=1.4)
    if which == "gear":
        p.fill(minus(p.ellipse(48, 48, 20), p.ellipse(48, 48, 13)),
               p.vgrad([(0, shade(dark, -0.1)), (1, light)], 28, 68), 0.5)
    return p


def overlay_bitmap(which, glow, deep, globe=False):
    """Glass light laid over the textured shape: halo, rim, bevel and highlight."""
    p = Pic(96, 96, 4)
    m = base_shape(p, which)
    halo = minus(p.blur(p.dilate(m, 1.0), 3.2), m)
    p.fill(halo, glow, 0.9)
    x0, y0, x1, y1 = p.bbox(m)
    h = y1 - y0
    if globe:
        p.fill(m, p.radgrad([(0, deep + (0,)), (0.55, deep + (20,)), (1.0, deep + (200,))], 42, 40, 46))
    bottom = inter(m, minus(m, p.shift(p.blur(m, 3.5), 0, -4)))
    p.fill(bottom, deep, 0.6)
    top = inter(m, minus(m, p.shift(p.blur(m, 1.2), 0, 2.0)))
    p.fill(top, (255, 255, 255), 0.75)
    p.fill(p.ring(m, 1.3), deep, 0.8)
    cap = inter(p.erode(m, 3.2), p.ellipse((x0 + x1) / 2, y0 - h * 0.25, (x1 - x0) * 0.78, h * 0.7))
    p.fill(cap, p.vgrad([(0, (255, 255, 255, 230)), (1, (255, 255, 255, 25))], y0, y0 + h * 0.47))
    # a small bright spot sells the glass
    sx, sy = x0 + (x1 - x0) * 0.3, y0 + h * 0.2
    spot = inter(m, p.ellipse(sx, sy, 5.5))
    p.fill(spot, p.radgrad([(0, (255, 255, 255, 200)), (1, (255, 255, 255, 0))], sx, sy, 5.5))
    return p


# --- the tileable colour textures ------------------------------------------------

class Noise:
    """Periodic value noise: a random lattice enlarged bicubically on a torus."""

    def __init__(self, w, h, seed):
        self.w, self.h, self.rng = w, h, random.Random(seed)

    def layer(self, cx, cy):
        small = Image.new("L", (cx, cy))
        small.putdata([self.rng.randint(48, 207) for _ in range(cx * cy)])
        tiled = Image.new("L", (cx * 3, cy * 3))
        for i in range(3):
            for j in range(3):
                tiled.paste(small, (i * cx, j * cy))
        big = tiled.resize((self.w * 3, self.h * 3), Image.BICUBIC)
        big = big.crop((self.w, self.h, self.w * 2, self.h * 2))
        return [(v - 48) / 159.0 for v in big.getdata()]

    def fbm(self, cx, cy, octaves, gain=0.5):
        total = [0.0] * (self.w * self.h)
        amp, norm = 1.0, 0.0
        for o in range(octaves):
            lay = self.layer(cx << o, cy << o)
            total = [a + b * amp for a, b in zip(total, lay)]
            norm += amp
            amp *= gain
        lo, hi = min(total), max(total)
        return [(v - lo) / (hi - lo) for v in total]


def smooth(e0, e1, v):
    t = min(max((v - e0) / (e1 - e0), 0.0), 1.0)
    return t * t * (3 - 2 * t)


def bokeh(img, spots, seed, blur=1.2):
    """Soft light discs, wrapped at the borders so the texture still tiles."""
    w, h = img.size
    rng = random.Random(seed)
    layer = Image.new("RGBA", (w * 3, h * 3), (0, 0, 0, 0))
    for x, y, r, colour, alpha in spots(rng):
        disc = Image.new("RGBA", (w * 3, h * 3), (0, 0, 0, 0))
        d = ImageDraw.Draw(disc)
        for i in (-1, 0, 1):
            for j in (-1, 0, 1):
                X, Y = x + w + i * w, y + h + j * h
                d.ellipse([X - r, Y - r, X + r, Y + r], fill=colour + (alpha,))
                d.ellipse([X - r * 0.8, Y - r * 0.8, X + r * 0.8, Y + r * 0.8], fill=colour + (int(alpha * 0.75),))
        layer = Image.alpha_composite(layer, disc)
    layer = layer.filter(ImageFilter.GaussianBlur(blur)).crop((w, h, 2 * w, 2 * h))
    return Image.alpha_composite(img.convert("RGBA"), layer).convert("RGB")


def image_from(w, h, fn):
    img = Image.new("RGB", (w, h))
    img.putdata([tuple(int(min(255, max(0, c))) for c in fn(i % w, i // w, i)) for i in range(w * h)])
    return img


def texture_green():
    w = h = 256
    nz = Noise(w, h, 136)
    n = nz.fbm(3, 3, 5)
    n2 = nz.fbm(2, 2, 3)
    ramp = [(0.0, (8, 84, 40)), (0.35, (26, 146, 58)), (0.65, (98, 200, 62)), (0.88, (186, 234, 92)),
            (1.0, (238, 252, 170))]

    def fn(x, y, i):
        band = 0.5 + 0.5 * math.sin(2 * math.pi * (x / w + y / h) * 2 + 5.0 * n2[i])
        return ramp_at(ramp, 0.55 * n[i] + 0.45 * band ** 1.6)
    img = image_from(w, h, fn)

    def spots(rng):
        out = [(30, 26, 14, (246, 255, 190), 90), (70, 62, 9, (230, 255, 170), 80), (22, 80, 6, (255, 255, 220), 110)]
        for _ in range(22):
            out.append((rng.uniform(0, w), rng.uniform(0, h), rng.uniform(3, 16), (236, 255, 180), rng.randint(30, 90)))
        return out
    return bokeh(img, spots, 1)


def texture_red():
    w = h = 256
    nz = Noise(w, h, 145)
    n = nz.fbm(2, 2, 4)
    n2 = nz.fbm(4, 4, 4)
    ramp = [(0.0, (96, 6, 22)), (0.35, (176, 20, 36)), (0.62, (226, 50, 44)), (0.85, (250, 116, 70)),
            (1.0, (255, 196, 150))]

    def fn(x, y, i):
        wave = 0.5 + 0.5 * math.sin(2 * math.pi * (x / w + 2 * y / h) + 6.0 * n[i])
        silk = wave ** 5
        v = 0.35 * n2[i] + 0.45 * wave + 0.2 * silk
        return mix(ramp_at(ramp, v), (255, 224, 200), 0.35 * silk)
    img = image_from(w, h, fn)

    def spots(rng):
        return [(rng.uniform(0, w), rng.uniform(0, h), rng.uniform(2, 9), (255, 210, 180), rng.randint(30, 80))
                for _ in range(26)]
    return bokeh(img, spots, 2, blur=1.0)


def texture_gold():
    w = h = 256
    nz = Noise(w, h, 151)
    n = nz.fbm(3, 3, 4)
    brushed = nz.layer(2, 128)
    fine = nz.layer(4, 256)
    ramp = [(0.0, (112, 62, 14)), (0.3, (176, 112, 28)), (0.55, (226, 168, 44)), (0.8, (252, 218, 110)),
            (1.0, (255, 248, 214))]

    def fn(x, y, i):
        sheen = (0.5 + 0.5 * math.cos(2 * math.pi * (x / w - y / h) + 2.0 * n[i])) ** 2.2
        v = 0.58 * sheen + 0.24 * n[i] + 0.12 * brushed[i] + 0.06 * fine[i]
        return ramp_at(ramp, v)
    img = image_from(w, h, fn)

    def spots(rng):
        return [(rng.uniform(0, w), rng.uniform(0, h), rng.uniform(1.5, 4), (255, 252, 230), rng.randint(60, 140))
                for _ in range(18)]
    return bokeh(img, spots, 3, blur=0.8)


def texture_globe():
    w, h = 256, 128
    nz = Noise(w, h, 120)
    land = nz.fbm(6, 3, 5)
    sea = nz.fbm(4, 2, 3)
    clouds = nz.fbm(8, 4, 4)
    ocean = [(0.0, (10, 46, 122)), (0.5, (22, 96, 186)), (1.0, (50, 150, 218))]
    ground = [(0.0, (66, 150, 62)), (0.45, (108, 170, 66)), (0.75, (170, 166, 96)), (1.0, (214, 196, 150))]

    def bump(x, y, bx, by, r):
        dx = min(abs(x - bx), w - abs(x - bx))
        dy = min(abs(y - by), h - abs(y - by))
        return math.exp(-(dx * dx + dy * dy) / (2 * r * r))

    def fn(x, y, i):
        e = land[i] + 0.22 * bump(x, y, 40, 44, 22) + 0.16 * bump(x, y, 170, 80, 26) - 0.12
        coast = smooth(0.5, 0.53, e)
        c = mix(ramp_at(ocean, 0.6 * sea[i] + 0.5 * smooth(0.2, 0.5, e)), ramp_at(ground, (e - 0.5) * 2.4), coast)
        return mix(c, (250, 252, 255), 0.8 * smooth(0.62, 0.86, clouds[i]))
    return image_from(w, h, fn)


def texture_water(seed, ramp, light):
    """Caustic light over a slow colour swell."""
    w = h = 256
    nz = Noise(w, h, seed)
    a = nz.fbm(4, 4, 3)
    b = nz.fbm(5, 5, 3)
    base = nz.fbm(2, 2, 3)
    def fn(x, y, i):
        ra = 1 - abs(2 * a[i] - 1)
        rb = 1 - abs(2 * b[i] - 1)
        caustic = max(ra, rb) ** 6
        v = 0.65 * base[i] + 0.35 * (0.5 + 0.5 * math.sin(2 * math.pi * (y / h - x / w) * 2 + 4 * base[i]))
        return mix(ramp_at(ramp, v), light, 0.7 * caustic)
    img = image_from(w, h, fn)

    def spots(rng):
        return [(rng.uniform(0, w), rng.uniform(0, h), rng.uniform(3, 12), light, rng.randint(25, 70))
                for _ in range(16)]
    return bokeh(img, spots, seed)


def texture_teal():
    return texture_water(153, [(0.0, (4, 62, 86)), (0.4, (10, 128, 146)), (0.75, (40, 192, 196)),
                               (1.0, (150, 240, 232))], (214, 255, 248))


def texture_azure():
    return texture_water(105, [(0.0, (14, 40, 120)), (0.4, (30, 90, 196)), (0.75, (74, 156, 236)),
                               (1.0, (170, 216, 255))], (224, 240, 255))


# --- the small pictures -------------------------------------------------------------

def check_box(ticked):
    p = Pic(16, 16, 8)
    box = p.rrect(1.5, 1.5, 14.5, 14.5, 2.5)
    p.fill(box, p.vgrad([(0, (255, 255, 255)), (1, (218, 226, 236))], 1.5, 14.5))
    p.fill(p.ring(box, 1.0), (74, 104, 140))
    p.fill(p.ring(p.erode(box, 1.0), 0.8), (255, 255, 255), 0.7)
    if ticked:
        tick = p.stroke([(4.3, 8.2), (7.0, 11.0), (12.4, 4.6)], 2.6)
        p.fill(p.dilate(tick, 0.6), (14, 90, 36), 0.9)
        p.fill(tick, p.vgrad([(0, (110, 214, 80)), (1, (28, 150, 52))], 4, 12))
    return p


def four_squares():
    p = Pic(16, 16, 8)
    for (x, y), c in zip(((1, 1), (8.5, 1), (1, 8.5), (8.5, 8.5)), (RED, GREEN, BLUE, YELLOW)):
        p.glossy(p.rrect(x, y, x + 6.5, y + 6.5, 1.6), c[0], c[1], c[2], gloss=0.35, edge_px=0.8, sheen=False)
    return p


def dark_bar():
    p = Pic(16, 16, 8)
    bar = p.rrect(2.5, 6, 13.5, 10, 2)
    p.glossy(bar, *DARK, gloss=0.3, edge_px=0.7, sheen=False)
    return p


def star(size, colours=YELLOW):
    p = Pic(size, size, 8)
    s = size / 16.0
    m = p.poly(rounded_polygon(star_points(8 * s, 8.6 * s, 7.6 * s, 3.4 * s, 5), 0.7 * s, 4))
    p.glossy(m, colours[0], colours[1], colours[2], gloss=0.45, edge_px=0.8 * s, sheen=False)
    return p


def person(size):
    p = Pic(size, size, 8)
    head, body = person_mask(p, size)
    e = size / 16.0 * 0.8
    body = minus(body, p.dilate(head, e * 1.2))
    if size >= 24:
        p.shadow(union(head, body), 0, size * 0.03, size * 0.03, 0.35)
    p.glossy(body, BLUE[0], BLUE[1], BLUE[2], gloss=0.4, edge_px=e, sheen=False)
    p.glossy(head, (255, 224, 190), (226, 164, 120), (136, 84, 52), gloss=0.45, edge_px=e, sheen=False)
    return p


def small_gear():
    p = Pic(16, 16, 8)
    gear(p, 8, 8, 7.4, 8, 2.2, BLUE, 0.8, rot=22.5)
    return p


def small_photo():
    p = Pic(24, 24, 8)
    print_photo(p, 1.5, 3.5, 22.5, 19.5, 1.6)
    return p


def orange_cross():
    p = Pic(24, 24, 8)
    m = cross_mask(p, 12, 12, 6.3, 5.2)
    p.shadow(m, 0, 0.8, 0.8, 0.35)
    p.glossy(m, ORANGE[0], ORANGE[1], ORANGE[2], gloss=0.45, edge_px=0.9, sheen=False)
    return p


def arrow(direction):
    p = Pic(32, 32, 8)
    m = p.poly(rounded_polygon(arrow_points(16, 16, 27, 10, 25, 13, direction), 1.8, 6))
    p.shadow(m, 0, 1, 1, 0.35)
    p.glossy(m, GREEN[0], GREEN[1], GREEN[2], gloss=0.5, edge_px=1.0, sheen=False)
    return p


def red_cross_badge():
    p = Pic(48, 48, 8)
    badge_disc(p, RED, lambda cx, cy: cross_mask(p, cx, cy, 8.5, 7), 48)
    return p


def green_plus_badge():
    p = Pic(48, 48, 8)
    badge_disc(p, GREEN, lambda cx, cy: plus_mask(p, cx, cy, 13, 7.5), 48)
    return p


def sparkle():
    p = Pic(48, 48, 8)

    def astroid(cx, cy, r):
        pts = []
        for k in range(120):
            t = 2 * math.pi * k / 120
            c, s = math.cos(t), math.sin(t)
            pts.append((cx + r * math.copysign(abs(c) ** 3, c), cy + r * math.copysign(abs(s) ** 3, s)))
        return p.poly(pts)
    big = astroid(20, 27, 19)
    small1 = astroid(37.5, 10.5, 8.5)
    small2 = astroid(38, 36, 5.5)
    glow = p.blur(p.dilate(union(big, small1, small2), 1.0), 3)
    p.fill(glow, (255, 214, 80), 0.55)
    for m in (big, small1, small2):
        p.glossy(m, YELLOW[0], YELLOW[1], YELLOW[2], gloss=0.0, edge_px=1.0, sheen=False)
    p.fill(inter(big, p.ellipse(20, 27, 6)), p.radgrad([(0, (255, 255, 255, 240)), (1, (255, 255, 230, 0))], 20, 27, 6))
    return p


def play_small():
    p = Pic(48, 48, 8)
    m = p.poly(rounded_polygon([(12, 7), (41, 24), (12, 41)], 5))
    p.shadow(m, 0, 1.2, 1.4, 0.35)
    p.glossy(m, GREEN[0], GREEN[1], GREEN[2], gloss=0.55, edge_px=1.2)
    return p


def switch_picture():
    p = Pic(96, 96, 4)
    print_photo(p, 24, 26, 72, 70, 3.5)
    for direction, cx in ((-90, 12.5), (90, 83.5)):
        m = p.poly(rounded_polygon(arrow_points(cx, 48, 22, 9, 22, 12, direction), 2.5, 6))
        p.shadow(m, 0, 1.5, 1.5, 0.35)
        p.glossy(m, GREEN[0], GREEN[1], GREEN[2], gloss=0.5, edge_px=1.3, sheen=False)
    return p


def framed_photo():
    p = Pic(128, 128, 4)
    with p.rotated(-9, 64, 64):
        frame = p.rrect(10, 20, 118, 106, 7)
        p.shadow(frame, 2, 4, 4, 0.45)
        p.glossy(frame, BLUE[0], BLUE[1], BLUE[2], gloss=0.45, edge_px=1.6)
        mat = p.rrect(21, 31, 107, 95, 2)
        p.fill(p.dilate(mat, 1.2), BLUE[2], 0.8)
        p.fill(mat, (250, 250, 246))
        photo(p, 25, 35, 103, 91)
        p.fill(p.ring(p.rrect(25, 35, 103, 91, 0), 0.8), (60, 80, 100), 0.4)
        glare = inter(frame, p.poly([(10, 20), (70, 20), (40, 106), (10, 106)]))
        p.fill(glare, (255, 255, 255), 0.06)
    return p


def grey_gear():
    p = Pic(128, 128, 4)
    m = gear_mask(p, 64, 64, 58, 10, 17)
    p.shadow(m, 0, 3, 3.5, 0.4)
    gear(p, 64, 64, 58, 10, 17, GREY, 1.8)
    return p


def photo_album():
    p = Pic(128, 128, 4)
    x0, y0, x1, y1 = 20, 10, 108, 118
    book = p.rrect(x0, y0, x1, y1, 6)
    p.shadow(book, 2, 4, 4, 0.45)
    pages = p.rrect(x0 + 6, y0 + 5, x1 + 0, y1 - 1, 4)
    p.fill(pages, (246, 240, 224))
    for k in range(4):
        p.fill(p.rrect(x1 - 1 - k * 1.6, y0 + 8, x1 - 0.6 - k * 1.6, y1 - 4, 0), (200, 190, 170), 0.7)
    cover = p.rrect(x0, y0, x1 - 6, y1 - 5, 6)
    p.glossy(cover, BERRY[0], BERRY[1], BERRY[2], gloss=0.35, edge_px=1.6)
    spine = inter(cover, p.rrect(x0, y0, x0 + 13, y1, 0))
    p.fill(spine, BERRY[2], 0.45)
    p.fill(p.stroke([(x0 + 15.5, y0 + 4), (x0 + 15.5, y1 - 9)], 1.0), (255, 220, 170), 0.5)
    print_photo(p, x0 + 24, y0 + 22, x1 - 14, y0 + 78, 4)
    p.fill(p.rrect(x0 + 34, y0 + 88, x1 - 24, y0 + 92, 2), (255, 220, 170), 0.6)
    for cx, cy, sx, sy in ((x0 + 24, y0 + 22, 1, 1), (x1 - 14, y0 + 22, -1, 1), (x0 + 24, y0 + 78, 1, -1),
                           (x1 - 14, y0 + 78, -1, -1)):
        corner = p.poly([(cx - 2 * sx, cy - 2 * sy), (cx + 11 * sx, cy - 2 * sy), (cx - 2 * sx, cy + 11 * sy)])
        p.glossy(corner, (255, 226, 130), (196, 140, 40), (120, 80, 16), gloss=0.0, edge_px=0.8, sheen=False)
    return p


def folder_with_photo():
    p = Pic(128, 128, 4)
    back = p.poly(rounded_polygon([(8, 22), (48, 22), (56, 32), (120, 32), (120, 112), (8, 112)], 6))
    p.shadow(back, 2, 4, 4, 0.45)
    p.fill(back, p.vgrad([(0, (236, 168, 36)), (1, (200, 120, 16))], 22, 112))
    p.fill(p.ring(back, 1.6), YELLOW[2], 0.9)
    with p.rotated(8, 66, 60):
        print_photo(p, 30, 26, 102, 84, 4.5)
    front = p.poly(rounded_polygon([(4, 54), (124, 54), (118, 114), (10, 114)], 6))
    p.shadow(front, 0, -2, 3, 0.3)
    p.glossy(front, YELLOW[0], YELLOW[1], YELLOW[2], gloss=0.35, edge_px=1.6)
    return p


# --- the window icon --------------------------------------------------------------

def frame_icon(s):
    """A wooden picture frame around a landscape, laid out on whole pixels so
    the small sizes stay crisp."""
    p = Pic(s, s, 8)
    t = max(2, round(s * 0.15))
    top = round(s * 0.08)
    x0, y0, x1, y1 = 0.0, float(top), float(s), float(s - top)
    if s >= 32:
        x0, x1, y1 = x0 + 1, x1 - 1, y1 - 1
    frame = p.rrect(x0, y0, x1, y1, max(1.0, s / 24))
    if s >= 32:
        p.shadow(frame, 0, s / 40, s / 32, 0.45)
    edge = 1.0 if s < 48 else s / 48
    p.glossy(frame, WOOD[0], WOOD[1], WOOD[2], gloss=0.35, edge_px=edge, sheen=False)
    if s >= 32:
        # mitred corners: a darker bevel on the inner half of the moulding
        inner = p.rrect(x0 + t / 2, y0 + t / 2, x1 - t / 2, y1 - t / 2, 0)
        p.fill(minus(inner, p.rrect(x0 + t, y0 + t, x1 - t, y1 - t, 0)), WOOD[1], 0.45)
    hole = (x0 + t, y0 + t, x1 - t, y1 - t)
    p.fill(p.rrect(*hole, 0), (64, 36, 12))
    photo(p, hole[0] + edge, hole[1] + edge, hole[2] - edge * 0.0, hole[3] - edge * 0.0, detail=s >= 48)
    return p


# --- output ----------------------------------------------------------------------------

BITMAPS = [
    # id, size, what, maker
    (103, 96, "white gear: settings button base", lambda: base_bitmap("gear", WHITE)),
    (104, 96, "glow of the gear", lambda: overlay_bitmap("gear", (255, 214, 110), (96, 56, 8))),
    (108, 16, "ticked check box", lambda: check_box(True)),
    (109, 16, "empty check box", lambda: check_box(False)),
    (110, 16, "four coloured squares", four_squares),
    (112, 16, "short dark bar", dark_bar),
    (113, 16, "yellow star", lambda: star(16)),
    (114, 16, "person", lambda: person(16)),
    (115, 16, "small blue gear", small_gear),
    (118, 96, "white glow: globe shading of the web button", lambda: overlay_bitmap("disc", (150, 220, 255), (6, 30, 80), globe=True)),
    (119, 96, "white disc: web button base", lambda: base_bitmap("disc", WHITE)),
    (121, 32, "person", lambda: person(32)),
    (122, 128, "photo in a tilted blue frame", framed_photo),
    (123, 128, "grey gear", grey_gear),
    (124, 48, "red cross badge", red_cross_badge),
    (125, 48, "yellow sparkle badge", sparkle),
    (126, 48, "green plus badge", green_plus_badge),
    (128, 128, "photo album", photo_album),
    (131, 32, "up arrow", lambda: arrow(0)),
    (132, 32, "down arrow", lambda: arrow(180)),
    (133, 128, "yellow folder holding a photo", folder_with_photo),
    (134, 96, "green play triangle: start button base", lambda: base_bitmap("play", GREEN)),
    (135, 96, "glow of the play triangle", lambda: overlay_bitmap("play", (170, 255, 120), (8, 70, 24))),
    (137, 48, "small green play triangle", play_small),
    (141, 96, "red rounded square: stop button base", lambda: base_bitmap("square", RED)),
    (142, 96, "glow of the red square", lambda: overlay_bitmap("square", (255, 150, 120), (90, 6, 14))),
    (143, 96, "green letter i: about button base", lambda: base_bitmap("info", TEAL)),
    (144, 96, "glow of the letter i", lambda: overlay_bitmap("info", (140, 255, 236), (4, 60, 70))),
    (154, 96, "photo between two green arrows", switch_picture),
    (160, 24, "small photo", small_photo),
    (161, 24, "orange cross", orange_cross),
]

TEXTURES = [
    (105, "azure water (spare texture)", texture_azure),
    (120, "globe map under the web button (256 x 128)", texture_globe),
    (136, "green light under the start button", texture_green),
    (145, "red silk under the stop button", texture_red),
    (151, "gold under the settings gear", texture_gold),
    (153, "sea-glass teal under the about button", texture_teal),
]

ICON_SIZES = (16, 24, 32, 48, 64)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    res = os.path.join(root, "res")
    art = os.path.join(res, "art")
    os.makedirs(art, exist_ok=True)

    header = ["// Ids of the program's pictures; made by tools/make_artwork.py.", "#pragma once", ""]
    rc = ["// The program's pictures; made by tools/make_artwork.py (ids: artwork.h).", ""]
    for rid, size, what, make in BITMAPS:
        img = make().result()
        assert img.size == (size, size), (rid, img.size)
        name = "bmp%d.bmp" % rid
        write(os.path.join(art, name), bmp32_bytes(img))
        header.append("#define IDB_ART_%d %d  // %dx%d %s" % (rid, rid, size, size, what))
        rc.append('%d BITMAP "art/%s"' % (rid, name))
    rc.append("")
    made = {}
    for rid, what, make in TEXTURES:
        if make not in made:
            made[make] = make()
        img = made[make]
        name = "tex%d.gif" % rid
        save_gif(img, os.path.join(art, name))
        header.append("#define IDG_ART_%d %d  // %dx%d %s" % (rid, rid, img.size[0], img.size[1], what))
        rc.append('%d GIF "art/%s"' % (rid, name))
    header.append("#define IDI_ART_FRAME 102  // window and tray icon: 16, 24, 32, 48, 64 pixels")
    write(os.path.join(art, "frame.ico"), ico_bytes([frame_icon(s).result() for s in ICON_SIZES]))
    write(os.path.join(res, "artwork.h"), ("\n".join(header) + "\n").encode())
    write(os.path.join(res, "artwork.rc"), ("\n".join(rc) + "\n").encode())
    write(os.path.join(res, "icons.rc"),
          b"// The window and tray icon; made by tools/make_artwork.py.\n102 ICON \"art/frame.ico\"\n")


if __name__ == "__main__":
    main()
