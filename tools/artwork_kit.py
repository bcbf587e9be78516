"""Drawing kit for the program's artwork: anti-aliased vector shapes drawn
supersampled with PIL, and writers for 32-bit BMP, GIF and ICO files.

Shapes are drawn as binary masks on a canvas `ss` times larger than the
picture and reduced with a box filter at the end, so every edge comes out
with exact area coverage. Coordinates are given in picture pixels."""

import math
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def shade(c, f):
    """f < 0 darkens towards black, f > 0 lightens towards white."""
    target = (0, 0, 0) if f < 0 else (255, 255, 255)
    return mix(c[:3], target, abs(f))


def ramp_at(stops, t):
    t = min(max(t, 0.0), 1.0)
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            u = 0.0 if t1 == t0 else (t - t0) / (t1 - t0)
            return tuple(lerp(a, b, u) for a, b in zip(c0, c1))
    return tuple(float(v) for v in stops[-1][1])


def rounded_polygon(pts, r, steps=10):
    """Polygon whose corners are replaced by circular arcs of radius r
    (clamped so that neighbouring arcs never overlap)."""
    if r <= 0:
        return list(pts)
    out = []
    n = len(pts)
    for i in range(n):
        vx, vy = pts[i]
        ax, ay = pts[i - 1]
        bx, by = pts[(i + 1) % n]
        ux, uy = ax - vx, ay - vy
        wx, wy = bx - vx, by - vy
        lu, lw = math.hypot(ux, uy), math.hypot(wx, wy)
        ux, uy, wx, wy = ux / lu, uy / lu, wx / lw, wy / lw
        cosang = max(-1.0, min(1.0, ux * wx + uy * wy))
        half = math.acos(cosang) / 2
        if half < 1e-3 or half > math.pi / 2 - 1e-3:
            out.append((vx, vy))
            continue
        d = min(r / math.tan(half), lu * 0.5, lw * 0.5)
        rr = d * math.tan(half)
        bx_, by_ = ux + wx, uy + wy
        lb = math.hypot(bx_, by_)
        cx = vx + bx_ / lb * rr / math.sin(half)
        cy = vy + by_ / lb * rr / math.sin(half)
        p1 = (vx + ux * d, vy + uy * d)
        p2 = (vx + wx * d, vy + wy * d)
        a1 = math.atan2(p1[1] - cy, p1[0] - cx)
        a2 = math.atan2(p2[1] - cy, p2[0] - cx)
        da = a2 - a1
        while da > math.pi:
            da -= 2 * math.pi
        while da < -math.pi:
            da += 2 * math.pi
        for k in range(steps + 1):
            a = a1 + da * k / steps
            out.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return out


def ellipse_points(cx, cy, rx, ry, n=96):
    return [(cx + rx * math.cos(2 * math.pi * k / n),
             cy + ry * math.sin(2 * math.pi * k / n)) for k in range(n)]


def star_points(cx, cy, r_out, r_in, count, rot=-90.0):
    pts = []
    for k in range(count * 2):
        a = math.radians(rot + 180.0 * k / count)
        r = r_out if k % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def gear_points(cx, cy, r_out, r_root, teeth, top=0.38, base=0.62, rot=0.0):
    """Involute-looking gear outline: trapezoid teeth on a root circle.
    top/base are the tooth's widths at tip and root as fractions of a pitch."""
    pts = []
    pitch = 2 * math.pi / teeth
    for i in range(teeth):
        c = math.radians(rot) + i * pitch
        for a, r in ((c - pitch / 2, r_root), (c - base * pitch / 2, r_root),
                     (c - top * pitch / 2, r_out), (c + top * pitch / 2, r_out),
                     (c + base * pitch / 2, r_root)):
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


# --- masks (L images on the supersampled canvas) ---------------------------

def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def inter(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.multiply(out, m)
    return out


def minus(a, b):
    return ImageChops.subtract(a, b)


def scale_mask(m, f):
    return m.point(lambda v: min(255, int(v * f + 0.5)))


class Pic:
    """A picture of w x h pixels drawn on a canvas ss times larger."""

    def __init__(self, w, h, ss=8):
        self.w, self.h, self.ss = w, h, ss
        self.W, self.H = w * ss, h * ss
        self.img = Image.new("RGBA", (self.W, self.H), (0, 0, 0, 0))
        self.rot = None  # (cos, sin, cx, cy) applied to local coordinates

    # geometry ---------------------------------------------------------------
    def rotated(self, deg, cx, cy):
        pic = self

        class _Rot:
            def __enter__(self_):
                a = math.radians(deg)
                self_.prev = pic.rot
                pic.rot = (math.cos(a), math.sin(a), cx, cy)

            def __exit__(self_, *exc):
                pic.rot = self_.prev
        return _Rot()

    def _tf(self, x, y):
        if self.rot:
            c, s, cx, cy = self.rot
            dx, dy = x - cx, y - cy
            x, y = cx + dx * c - dy * s, cy + dx * s + dy * c
        return x * self.ss, y * self.ss

    def _inv(self, X, Y):
        """Canvas pixel centre to local picture coordinates."""
        x, y = X, Y
        if self.rot:
            c, s, cx, cy = self.rot
            dx, dy = x - cx, y - cy
            x, y = cx + dx * c + dy * s, cy - dx * s + dy * c
        return x, y

    def empty(self):
        return Image.new("L", (self.W, self.H), 0)

    def poly(self, pts):
        m = self.empty()
        ImageDraw.Draw(m).polygon([self._tf(x, y) for x, y in pts], fill=255)
        return m

    def ellipse(self, cx, cy, rx, ry=None):
        return self.poly(ellipse_points(cx, cy, rx, rx if ry is None else ry, 160))

    def rrect(self, x0, y0, x1, y1, r=0.0):
        return self.poly(rounded_polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], r))

    def stroke(self, pts, width):
        """Polyline with round caps and joins."""
        m = self.empty()
        d = ImageDraw.Draw(m)
        tp = [self._tf(x, y) for x, y in pts]
        wpx = width * self.ss
        d.line(tp, fill=255, width=int(round(wpx)))
        for x, y in tp:
            d.ellipse([x - wpx / 2, y - wpx / 2, x + wpx / 2, y + wpx / 2], fill=255)
        return m

    # morphology ---------------------------------------------------------------
    def _morph(self, m, px, op):
        n = int(round(px * self.ss))
        for i in range(n):
            if i % 2:
                m = m.filter(ImageFilter.MinFilter(3) if op is ImageChops.darker
                             else ImageFilter.MaxFilter(3))
            else:
                out = m
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    out = op(out, ImageChops.offset(m, dx, dy))
                m = out
        return m

    def erode(self, m, px):
        return self._morph(m, px, ImageChops.darker)

    def dilate(self, m, px):
        return self._morph(m, px, ImageChops.lighter)

    def blur(self, m, px):
        return m.filter(ImageFilter.GaussianBlur(px * self.ss))

    def shift(self, m, dx, dy):
        return ImageChops.offset(m, int(round(dx * self.ss)), int(round(dy * self.ss)))

    def ring(self, m, px):
        """Inner band of width px along the edge of mask m."""
        return minus(m, self.erode(m, px))

    def bbox(self, m):
        b = m.getbbox() or (0, 0, self.W, self.H)
        return tuple(v / self.ss for v in b)

    # paints ---------------------------------------------------------------------
    def field(self, fn, res=None):
        """RGBA paint from fn(x, y) -> (r, g, b, a) in local coordinates,
        evaluated on a coarse grid and smoothly enlarged."""
        step = res or max(1, self.ss // 2)
        gw, gh = self.W // step + 1, self.H // step + 1
        data = []
        for gy in range(gh):
            for gx in range(gw):
                x, y = self._inv((gx * step + 0.5) / self.ss, (gy * step + 0.5) / self.ss)
                c = fn(x, y)
                if len(c) == 3:
                    c = (c[0], c[1], c[2], 255)
                data.append(tuple(int(round(min(255, max(0, v)))) for v in c))
        small = Image.new("RGBA", (gw, gh))
        small.putdata(data)
        big = small.resize((gw * step, gh * step), Image.BILINEAR)
        return big.crop((0, 0, self.W, self.H))

    def lingrad(self, stops, x0, y0, x1, y1):
        dx, dy = x1 - x0, y1 - y0
        ll = dx * dx + dy * dy or 1.0

        def fn(x, y):
            return ramp_at(stops, ((x - x0) * dx + (y - y0) * dy) / ll)
        return self.field(fn)

    def vgrad(self, stops, y0, y1):
        return self.lingrad(stops, 0, y0, 0, y1)

    def radgrad(self, stops, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry

        def fn(x, y):
            return ramp_at(stops, math.hypot((x - cx) / rx, (y - cy) / ry))
        return self.field(fn)

    # painting --------------------------------------------------------------------
    def fill(self, mask, paint, opacity=1.0):
        if isinstance(paint, tuple):
            c = paint if len(paint) == 4 else paint + (255,)
            layer = Image.new("RGBA", (self.W, self.H), c)
        else:
            layer = paint.copy()
        a = inter(layer.getchannel("A"), mask)
        if opacity != 1.0:
            a = scale_mask(a, opacity)
        layer.putalpha(a)
        self.img = Image.alpha_composite(self.img, layer)

    def shadow(self, mask, dx, dy, soft, opacity, colour=(20, 28, 40)):
        self.fill(self.blur(self.shift(mask, dx, dy), soft), colour, opacity)

    def glossy(self, mask, light, dark, edge, gloss=0.55, edge_px=1.0, sheen=True):
        """The house style: vertical colour gradient, a darker inner rim, a
        thin light bevel along the top and a glass highlight over the upper half."""
        x0, y0, x1, y1 = self.bbox(mask)
        self.fill(mask, self.vgrad([(0, light), (1, dark)], y0, y1))
        if sheen:
            # light bouncing back from below keeps the lower half from looking flat
            self.fill(inter(mask, self.ellipse((x0 + x1) / 2, y1, (x1 - x0) * 0.45, (y1 - y0) * 0.3)),
                      self.vgrad([(0, light + (0,)), (1, light + (150,))], y1 - (y1 - y0) * 0.3, y1))
        rim = self.ring(mask, edge_px)
        self.fill(rim, edge, 0.9)
        inner = self.erode(mask, edge_px)
        top_bevel = inter(inner, minus(inner, self.shift(inner, 0, edge_px)))
        self.fill(top_bevel, (255, 255, 255), 0.55)
        if gloss > 0:
            h = y1 - y0
            cap = inter(self.erode(mask, edge_px * 1.5),
                        self.ellipse((x0 + x1) / 2, y0 - h * 0.18, (x1 - x0) * 0.72, h * 0.62))
            self.fill(cap, self.vgrad([(0, (255, 255, 255, 235)), (1, (255, 255, 255, 40))],
                                      y0, y0 + h * 0.45), gloss)

    # result ------------------------------------------------------------------------
    def result(self):
        """Box-reduced picture; fully transparent pixels take the colour of
        their surroundings so that later resampling does not pull in black."""
        small = self.img.convert("RGBa").resize((self.w, self.h), Image.BOX).convert("RGBA")
        return bleed(small)


def bleed(img):
    """Gives every fully transparent pixel the alpha-weighted colour of its
    nearest surroundings; the alpha stays 0."""
    w, h = img.size
    pre = img.convert("RGBa")
    spreads = []
    for radius in (1, 2, 4, 8, 16, 32):
        spreads.append(list(pre.filter(ImageFilter.BoxBlur(radius)).convert("RGBA").getdata()))
    out = []
    for i, p in enumerate(img.getdata()):
        if p[3]:
            out.append(p)
            continue
        colour = (0, 0, 0)
        for s in spreads:
            if s[i][3]:
                colour = s[i][:3]
                break
        out.append(colour + (0,))
    res = Image.new("RGBA", (w, h))
    res.putdata(out)
    return res


# --- file writers ------------------------------------------------------------

def bmp32_bytes(img):
    """32 bpp BI_RGB DIB with the alpha in the fourth byte, bottom-up rows:
    the form LoadImageW and the resource compiler take as is."""
    w, h = img.size
    px = img.convert("RGBA").load()
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, a = px[x, y]
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def ico_bytes(images):
    """Icon file of 32 bpp images with alpha plus the 1 bpp AND mask."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        w, h = img.size
        px = img.convert("RGBA").load()
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                xor += bytes((b, g, r, a))
        stride = ((w + 31) // 32) * 4
        andm = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                if px[x, y][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            andm += row
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(andm)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def save_gif(img, path):
    """Single-frame GIF without a transparent index, error-diffused to 256 colours."""
    q = img.convert("RGB").quantize(256, method=Image.MEDIANCUT, dither=Image.FLOYDSTEINBERG)
    q.info.pop("transparency", None)
    q.save(path, format="GIF", optimize=False)
