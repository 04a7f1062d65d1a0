#!/usr/bin/env python3
"""Draws the window artwork into resources/ as PNG files.

Standard library only: shapes are signed distance functions sampled once per pixel
(anti-aliased by coverage), composited in premultiplied RGBA and written with zlib.
Run from anywhere: python3 scripts/make-artwork.py
"""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

# One palette for every picture: dark slate with a single azure accent.
SLATE_TOP = (44, 52, 64)
SLATE_BOTTOM = (22, 27, 35)
PANEL = (33, 40, 50)
PANEL_EDGE = (66, 78, 94)
FIELD = (13, 16, 21)
FACE_TOP = (74, 86, 103)
FACE_BOTTOM = (50, 60, 74)
FACE_EDGE = (18, 22, 28)
ACCENT = (64, 156, 255)
ACCENT_TOP = (70, 150, 240)
ACCENT_BOTTOM = (34, 98, 190)
ACCENT_EDGE = (16, 52, 110)
GLYPH = (214, 224, 236)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

BAYER = [0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5]


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


# ---- shapes: signed distance in pixels, negative inside --------------------------

def rrect(x0, y0, x1, y1, r):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(x, y):
        qx = abs(x - cx) - hw + r
        qy = abs(y - cy) - hh + r
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.hypot(ox, oy) + min(max(qx, qy), 0.0) - r
    return d


def rotated(shape, cx, cy, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def d(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + dx * c + dy * s, cy - dx * s + dy * c)
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def polyline(points, width):
    segs = list(zip(points, points[1:]))

    def d(x, y):
        best = 1e9
        for (ax, ay), (bx, by) in segs:
            vx, vy, wx, wy = bx - ax, by - ay, x - ax, y - ay
            t = clamp((wx * vx + wy * vy) / (vx * vx + vy * vy))
            best = min(best, math.hypot(wx - vx * t, wy - vy * t))
        return best - width / 2
    return d


def polygon(points):
    n = len(points)

    def d(x, y):
        best, inside = 1e18, False
        j = n - 1
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[j]
            ex, ey, wx, wy = bx - ax, by - ay, x - ax, y - ay
            t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
            best = min(best, (wx - ex * t) ** 2 + (wy - ey * t) ** 2)
            if (ay > y) != (by > y) and x < ax + (bx - ax) * (y - ay) / (by - ay):
                inside = not inside
            j = i
        return -math.sqrt(best) if inside else math.sqrt(best)
    return d


def ring(shape, width):
    """An outline of the given width centred on the shape's edge."""
    return lambda x, y: abs(shape(x, y)) - width / 2


def inset(shape, by):
    return lambda x, y: shape(x, y) + by


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


# ---- canvas ------------------------------------------------------------------------

class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [0.0] * (w * h * 4)

    def paint(self, shape, colour, bbox=None, alpha=1.0, soft=0.0):
        """Composites colour (an RGB tuple or a function of x, y giving one) over the
        shape. soft > 0 blurs the edge over that many pixels (shadows, glows)."""
        x0, y0, x1, y1 = bbox or (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        fn = colour if callable(colour) else None
        px, w = self.px, self.w
        for y in range(y0, y1):
            fy = y + 0.5
            for x in range(x0, x1):
                fx = x + 0.5
                d = shape(fx, fy) if shape else -1.0
                if soft > 0:
                    cov = 1.0 - smoothstep(-soft, soft, d)
                else:
                    cov = clamp(0.5 - d)
                if cov <= 0.0:
                    continue
                if fn:
                    c = fn(fx, fy)
                    a = cov * alpha * (c[3] if len(c) > 3 else 1.0)
                else:
                    c = colour
                    a = cov * alpha
                if a <= 0.0:
                    continue
                i = (y * w + x) * 4
                ia = 1.0 - a
                px[i] = c[0] / 255 * a + px[i] * ia
                px[i + 1] = c[1] / 255 * a + px[i + 1] * ia
                px[i + 2] = c[2] / 255 * a + px[i + 2] * ia
                px[i + 3] = a + px[i + 3] * ia

    def save(self, name, alpha):
        rows = []
        px, w = self.px, self.w
        for y in range(self.h):
            row = bytearray(b"\x00")
            for x in range(w):
                i = (y * w + x) * 4
                a = px[i + 3]
                dither = (BAYER[(y & 3) * 4 + (x & 3)] + 0.5) / 16.0
                if a > 0:
                    rgb = [int(clamp(px[i + k] / a) * 255 + dither) for k in range(3)]
                else:
                    rgb = [0, 0, 0]
                row.extend(min(255, v) for v in rgb)
                if alpha:
                    row.append(min(255, int(a * 255 + 0.5)))
            rows.append(bytes(row))
        raw = b"".join(rows)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, self.h, 8, 6 if alpha else 2, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(raw, 9))
        png += chunk(b"IEND", b"")
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(png)
        print("wrote", name, w, "x", self.h)


def vgrad(y0, y1, top, bottom):
    return lambda x, y: mix(top, bottom, clamp((y - y0) / (y1 - y0)))


# ---- pieces shared by several pictures -----------------------------------------------

def face(c, x0, y0, x1, y1, radius, top, bottom, edge, pressed):
    """A soft rounded button face with a shadow line below and a top highlight."""
    body = rrect(x0, y0, x1, y1, radius)
    c.paint(rrect(x0, y0 + 1.2, x1, y1 + 1.0, radius), BLACK, alpha=0.35, soft=0.9)
    c.paint(body, vgrad(y0, y1, top, bottom))
    if pressed:
        # Light falls into a pressed face: darker at the top edge.
        c.paint(body, lambda x, y: (0, 0, 0, 0.28 * (1 - smoothstep(y0, y0 + 6, y))))
    else:
        c.paint(intersect(ring(inset(body, 1.0), 1.0), lambda x, y: y - (y0 + y1) / 2), WHITE,
                alpha=0.16)
    c.paint(ring(inset(body, 0.5), 1.0), edge, alpha=0.9)


def button_face(name, w, h, pressed, tint=0.0):
    c = Canvas(w, h)
    if pressed:
        face(c, 0.5, 0.5, w - 0.5, h - 1.5, 6, ACCENT_TOP, ACCENT_BOTTOM, ACCENT_EDGE, True)
    else:
        face(c, 0.5, 0.5, w - 0.5, h - 1.5, 6, mix(FACE_TOP, ACCENT, tint), mix(FACE_BOTTOM, ACCENT, tint * 0.6),
             FACE_EDGE, False)
    c.save(name, alpha=True)


def arrow_face(name, up, pressed):
    w, h = 42, 21
    c = Canvas(w, h)
    if pressed:
        face(c, 0.5, 0.5, w - 0.5, h - 1.5, 6, ACCENT_TOP, ACCENT_BOTTOM, ACCENT_EDGE, True)
    else:
        face(c, 0.5, 0.5, w - 0.5, h - 1.5, 6, FACE_TOP, FACE_BOTTOM, FACE_EDGE, False)
    cx, cy = w / 2, (h - 1) / 2
    k = -1 if up else 1
    chevron = polyline([(cx - 6, cy - 2.5 * k), (cx, cy + 3 * k), (cx + 6, cy - 2.5 * k)], 2.2)
    c.paint(chevron, WHITE if pressed else GLYPH)
    c.save(name, alpha=True)


def panel(c, x0, y0, x1, y1, radius=10):
    body = rrect(x0, y0, x1, y1, radius)
    c.paint(rrect(x0, y0 + 2, x1, y1 + 3, radius), BLACK, alpha=0.35, soft=3.0,
            bbox=(x0 - 6, y0 - 6, x1 + 6, y1 + 9))
    c.paint(body, vgrad(y0, y1, mix(PANEL, WHITE, 0.035), PANEL), bbox=(x0 - 1, y0 - 1, x1 + 1, y1 + 1))
    c.paint(ring(inset(body, 0.5), 1.0), PANEL_EDGE, alpha=0.55, bbox=(x0 - 1, y0 - 1, x1 + 1, y1 + 1))
    c.paint(intersect(ring(inset(body, 1.5), 1.0), lambda x, y: y - (y0 + 12)), WHITE, alpha=0.05,
            bbox=(x0, y0, x1, y0 + 14))


def accent_rule(c, x0, x1, y):
    mid = (x0 + x1) / 2
    half = (x1 - x0) / 2

    def col(x, _y):
        return ACCENT + (1 - smoothstep(0.2, 1.0, abs(x - mid) / half),)
    c.paint(rrect(x0, y - 1, x1, y + 1, 1), col, bbox=(x0 - 1, y - 2, x1 + 1, y + 2))


# ---- the main window's panel ----------------------------------------------------------
# Layout in window pixels: group strip panel 8..164 x 8..370 (caption label area
# 16,18 139x22, up arrow 64,52, buttons 16,80+32i, down arrow 64,340); action panel
# 8..164 x 380..596 (large buttons 16,396 and 16,432; small buttons 16/86,468 and
# 16/86,504); picture area 204,40 545x469 framed 3 px wide; a rail at its right
# (758..792 x 37..512) for the information box buttons; the group counter above the
# picture (308,20); the title line below it (y 514..534); the status bar in two rows,
# the clip controls 172..792 x 540..566 above the captions 172..792 x 570..596.

def main_background():
    w, h = 800, 600
    c = Canvas(w, h)

    def base(x, y):
        col = mix(SLATE_TOP, SLATE_BOTTOM, y / h)
        glow = math.exp(-((x - 470) ** 2 + (y + 60) ** 2) / (2 * 300.0 ** 2))
        return mix(col, (64, 78, 96), 0.35 * glow)
    c.paint(None, base)

    panel(c, 8, 8, 164, 370)
    accent_rule(c, 26, 146, 45)
    panel(c, 8, 380, 164, 596)
    for y in (396 + 31 + 2.5, 468 + 31 + 2.5):
        c.paint(rrect(24, y, 148, y + 1, 0.5), PANEL_EDGE, alpha=0.35, bbox=(20, y - 1, 152, y + 2))

    # Picture area: a recessed frame around a plain dark field.
    frame = rrect(201, 37, 752, 512, 6)
    c.paint(rrect(201, 39, 752, 515, 6), BLACK, alpha=0.45, soft=3.0, bbox=(193, 30, 760, 522))
    c.paint(frame, (20, 24, 31))
    c.paint(ring(inset(frame, 0.5), 1.0), PANEL_EDGE, alpha=0.6)
    c.paint(rrect(204, 40, 749, 509, 0), FIELD, bbox=(203, 39, 750, 510))
    c.paint(ring(rrect(203.5, 39.5, 749.5, 509.5, 0), 1.0), BLACK, alpha=0.55, bbox=(202, 38, 751, 511))

    rail = rrect(758, 37, 792, 512, 8)
    c.paint(rrect(758, 39, 792, 515, 8), BLACK, alpha=0.3, soft=2.5, bbox=(752, 31, 798, 520))
    c.paint(rail, vgrad(37, 512, mix(PANEL, WHITE, 0.03), PANEL), bbox=(757, 36, 793, 513))
    c.paint(ring(inset(rail, 0.5), 1.0), PANEL_EDGE, alpha=0.5, bbox=(757, 36, 793, 513))

    for top in (540, 570):
        bottom = top + 26
        status = rrect(172, top, 792, bottom, 8)
        c.paint(rrect(172, top + 1, 792, bottom + 2, 8), BLACK, alpha=0.35, soft=2.5,
                bbox=(166, top - 6, 798, min(bottom + 6, h)))
        c.paint(status, vgrad(top, bottom, (26, 31, 39), (20, 24, 31)), bbox=(171, top - 1, 793, bottom + 1))
        c.paint(ring(inset(status, 0.5), 1.0), PANEL_EDGE, alpha=0.45, bbox=(171, top - 1, 793, bottom + 1))
        c.paint(intersect(ring(inset(status, 1.5), 1.0), lambda x, y, t=top: y - (t + 5)), WHITE, alpha=0.04,
                bbox=(172, top, 792, top + 6))

    accent_rule(c, 380, 574, 534.5)
    c.save("main_background.png", alpha=False)


# ---- the splash picture -----------------------------------------------------------------
# The window shows the top-left 489 x 283 pixels; the rest is bleed. The product name,
# version and platform captions sit right of the emblem (x 168..445), the progress bar
# at 44,228 and the skip button at 200,243.

def photo_card(c, cx, cy, cw, ch, angle, sky_top, sky_bottom, sun, shade):
    card = rotated(rrect(cx - cw / 2, cy - ch / 2, cx + cw / 2, cy + ch / 2, 4), cx, cy, angle)
    r = math.hypot(cw, ch) / 2 + 10
    box = (cx - r, cy - r, cx + r, cy + r)
    c.paint(rotated(rrect(cx - cw / 2 + 2, cy - ch / 2 + 5, cx + cw / 2 + 2, cy + ch / 2 + 6, 5), cx, cy, angle),
            BLACK, alpha=0.45, soft=5.0, bbox=box)
    c.paint(card, mix((236, 240, 245), BLACK, shade), bbox=box)
    m = 5
    ix0, iy0, ix1, iy1 = cx - cw / 2 + m, cy - ch / 2 + m, cx + cw / 2 - m, cy + ch / 2 - m * 2.6
    window = rotated(rrect(ix0, iy0, ix1, iy1, 1.5), cx, cy, angle)
    cs, sn = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def local(x, y):
        dx, dy = x - cx, y - cy
        return cx + dx * cs + dy * sn, cy - dx * sn + dy * cs

    def sky(x, y):
        lx, ly = local(x, y)
        return mix(mix(sky_top, sky_bottom, clamp((ly - iy0) / (iy1 - iy0))), BLACK, shade)
    c.paint(window, sky, bbox=box)
    ph = iy1 - iy0
    pw = ix1 - ix0
    sunc = rotated(circle(ix0 + pw * 0.72, iy0 + ph * 0.3, ph * 0.12), cx, cy, angle)
    c.paint(intersect(sunc, window), mix(sun, BLACK, shade), bbox=box)
    far = [(ix0 - 2, iy1 + 2), (ix0 - 2, iy0 + ph * 0.72), (ix0 + pw * 0.22, iy0 + ph * 0.5),
           (ix0 + pw * 0.42, iy0 + ph * 0.68), (ix0 + pw * 0.62, iy0 + ph * 0.38),
           (ix1 + 2, iy0 + ph * 0.74), (ix1 + 2, iy1 + 2)]
    near = [(ix0 - 2, iy1 + 2), (ix0 - 2, iy0 + ph * 0.86), (ix0 + pw * 0.3, iy0 + ph * 0.7),
            (ix0 + pw * 0.55, iy0 + ph * 0.88), (ix0 + pw * 0.8, iy0 + ph * 0.62),
            (ix1 + 2, iy0 + ph * 0.8), (ix1 + 2, iy1 + 2)]
    for pts, col in ((far, (58, 84, 122)), (near, (30, 44, 66))):
        shape = rotated(polygon(pts), cx, cy, angle)
        c.paint(intersect(shape, window), mix(col, BLACK, shade), bbox=box)
    # The snow caps of the far range.
    cap = [(ix0 + pw * 0.62, iy0 + ph * 0.38), (ix0 + pw * 0.52, iy0 + ph * 0.51),
           (ix0 + pw * 0.6, iy0 + ph * 0.47), (ix0 + pw * 0.66, iy0 + ph * 0.52),
           (ix0 + pw * 0.72, iy0 + ph * 0.46)]
    c.paint(intersect(rotated(polygon(cap), cx, cy, angle), window), mix((226, 234, 244), BLACK, shade),
            bbox=box)


def splash():
    w, h = 550, 300
    c = Canvas(w, h)

    def base(x, y):
        t = clamp((x * 0.45 + y) / (489 * 0.45 + 283))
        col = mix((40, 50, 64), (15, 19, 26), t)
        glow = math.exp(-((x - 100) ** 2 + (y - 108) ** 2) / (2 * 95.0 ** 2))
        col = mix(col, (38, 92, 160), 0.33 * glow)
        top = math.exp(-((x - 330) ** 2) / (2 * 220.0 ** 2) - ((y + 40) ** 2) / (2 * 90.0 ** 2))
        return mix(col, (70, 86, 106), 0.3 * top)
    c.paint(None, base)

    # Low ridges behind the lower half, barely lighter than the sky.
    def ridge(amp, base_y, f1, f2, phase):
        pts = [(-2, h + 2)]
        for i in range(0, w + 11, 10):
            y = base_y - amp * (0.6 * math.sin(i * f1 + phase) + 0.4 * math.sin(i * f2 + phase * 1.7))
            pts.append((i, y))
        pts.append((w + 2, h + 2))
        return polygon(pts)
    c.paint(ridge(16, 212, 0.018, 0.047, 0.8), (255, 255, 255), alpha=0.028, bbox=(0, 170, w, h))
    c.paint(ridge(12, 246, 0.025, 0.061, 2.3), (0, 0, 0), alpha=0.16, bbox=(0, 210, w, h))

    photo_card(c, 92, 110, 86, 68, -14, (92, 140, 198), (178, 204, 232), (250, 214, 140), 0.28)
    photo_card(c, 102, 106, 86, 68, 9, (58, 120, 196), (150, 190, 234), (250, 220, 150), 0.14)
    photo_card(c, 98, 114, 90, 70, -3, (64, 146, 240), (170, 212, 248), (255, 226, 160), 0.0)

    accent_rule(c, 172, 445, 113.5)
    # A faint well behind the progress bar.
    c.paint(rrect(40, 224, 449, 241, 5), BLACK, alpha=0.22, bbox=(36, 220, 453, 245))
    c.save("splash.png", alpha=False)


# ---- the About box's icon ------------------------------------------------------------
# 32 x 32 with alpha: a tilted photo card on an azure tile.

def about_icon():
    c = Canvas(32, 32)
    tile = rrect(1, 1, 31, 31, 6)
    c.paint(rrect(1, 2, 31, 32, 6), BLACK, alpha=0.3, soft=1.0)
    c.paint(tile, vgrad(1, 31, ACCENT_TOP, ACCENT_BOTTOM))
    c.paint(intersect(ring(inset(tile, 1.0), 1.0), lambda x, y: y - 10), WHITE, alpha=0.25)
    c.paint(ring(inset(tile, 0.5), 1.0), ACCENT_EDGE, alpha=0.9)

    cx, cy, angle = 16, 16.5, -8
    c.paint(rotated(rrect(6.5, 9.5, 26.5, 26.5, 1.5), cx, cy, angle), BLACK, alpha=0.35, soft=1.2)
    c.paint(rotated(rrect(6, 8, 26, 25, 1.5), cx, cy, angle), (240, 243, 247))
    window = rotated(rrect(8, 10, 24, 21, 0.5), cx, cy, angle)
    c.paint(window, vgrad(10, 21, (64, 146, 240), (170, 212, 248)))
    c.paint(intersect(rotated(circle(20, 13.2, 1.8), cx, cy, angle), window), (255, 214, 120))
    far = [(7, 22), (7, 17), (11.5, 13.5), (15, 17), (18, 14.5), (25, 19.5), (25, 22)]
    near = [(7, 22), (7, 19.5), (12, 17.5), (16, 20), (21, 17), (25, 18.5), (25, 22)]
    c.paint(intersect(rotated(polygon(far), cx, cy, angle), window), (58, 84, 122))
    c.paint(intersect(rotated(polygon(near), cx, cy, angle), window), (30, 44, 66))
    c.save("about_icon.png", alpha=True)


def main():
    os.makedirs(OUT, exist_ok=True)
    button_face("group_button.png", 139, 31, False)
    button_face("group_button_pressed.png", 139, 31, True)
    button_face("button_large.png", 139, 31, False, tint=0.08)
    button_face("button_large_pressed.png", 139, 31, True)
    button_face("button_small.png", 69, 31, False, tint=0.08)
    button_face("button_small_pressed.png", 69, 31, True)
    arrow_face("arrow_up.png", True, False)
    arrow_face("arrow_up_pressed.png", True, True)
    arrow_face("arrow_down.png", False, False)
    arrow_face("arrow_down_pressed.png", False, True)
    splash()
    main_background()
    about_icon()


if __name__ == "__main__":
    main()
