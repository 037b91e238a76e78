"""Markers, cursors, key cards, the grenade and the short effects (spark,
blast, debris puff, blood). Effects are drawn centred on their frame and
point along +x, the direction the program turns them to."""
import math

from PIL import Image, ImageFilter

import atlas_draw as D
import common as C

CARD_COLOURS = {
    "card white": (226, 226, 218),
    "card red": (196, 42, 38),
    "card green": (52, 150, 76),
    "card blue": (46, 98, 198),
}


def square(rgb, size=40):
    sp = D.Sprite(size, size)
    sp.rect(0, 0, size, size, rgb)
    return sp.done()


def cursor():
    sp = D.Sprite(16, 24)
    outline = [(0.2, 0.2), (0.2, 19.5), (4.8, 15.4), (8.0, 22.8), (11.4, 21.3), (8.3, 14.2), (14.4, 14.2)]
    inner = [(1.5, 3.2), (1.5, 16.4), (5.2, 12.8), (8.6, 20.6), (9.6, 20.1), (6.3, 12.9), (11.3, 12.9)]
    sp.poly(outline, C.INK)
    sp.poly(inner, (236, 236, 230))
    sp.poly([(1.5, 3.2), (1.5, 9), (4.5, 7)], (255, 255, 255))
    return sp.done()


def aim():
    sp = D.Sprite(25, 25)
    c = 12.5
    for a in range(4):
        ca, sa = math.cos(a * math.pi / 2), math.sin(a * math.pi / 2)
        p0 = (c + ca * 4.5, c + sa * 4.5)
        p1 = (c + ca * 11, c + sa * 11)
        sp.line([p0, p1], 3.2, C.INK, 200)
    sp.arc(c, c, 7.5, 0, 360, 2.8, C.INK, 160)
    for a in range(4):
        ca, sa = math.cos(a * math.pi / 2), math.sin(a * math.pi / 2)
        sp.line([(c + ca * 5, c + sa * 5), (c + ca * 10.4, c + sa * 10.4)], 1.4, (240, 240, 236))
    sp.arc(c, c, 7.5, 0, 360, 1.0, (240, 240, 236), 150)
    sp.circle(c, c, 1.9, C.INK)
    sp.circle(c, c, 1.2, (255, 70, 60))
    return sp.done()


def start_marker():
    """Player start: a badge pointing up at (17, 4), the spot the player is
    put on, with a figure seen from above inside."""
    sp = D.Sprite(34, 38)
    g = (60, 170, 96)
    outline = [(17, 0.3), (24, 9), (32.5, 9), (32.5, 35), (1.5, 35), (1.5, 9), (10, 9)]
    sp.poly([(x + 0.8, y + 1.4) for x, y in outline], (0, 0, 0), 110)
    sp.poly(outline, C.INK)
    inner = [(17, 2.6), (23.2, 10.4), (31.1, 10.4), (31.1, 33.6), (2.9, 33.6), (2.9, 10.4), (10.8, 10.4)]
    sp.poly(inner, g)
    sp.poly([(17, 2.6), (23.2, 10.4), (10.8, 10.4)], C.shade(g, 1.35))
    # a person from above: shoulders and head, facing up
    sp.ellipse(7, 19, 27, 29, C.shade(g, 0.45))
    sp.ellipse(8, 20, 26, 28, (236, 240, 232))
    sp.circle(17, 21.5, 5.2, C.shade(g, 0.45))
    sp.circle(17, 21.5, 4.3, (236, 240, 232))
    sp.circle(17, 4, 1.4, (255, 255, 255))
    return sp.done()


def lift_marker():
    sp = D.Sprite(80, 80)
    sp.rect(3, 3, 77, 77, C.INK, 10)
    sp.rect(6, 6, 74, 74, (220, 224, 228), 8)
    sp.rect(10, 10, 70, 70, (60, 66, 76), 5)
    sp.rect(39, 12, 41, 68, (150, 156, 164))
    up = [(24.5, 22), (34, 38), (15, 38)]
    dn = [(55.5, 58), (46, 42), (65, 42)]
    for tri in (up, dn):
        sp.poly([(x + 0.6, y + 1.0) for x, y in tri], (0, 0, 0), 120)
        sp.poly(tri, C.AMBER)
    sp.rect(15, 44, 34, 58, (150, 156, 164), 2)
    sp.rect(46, 22, 65, 36, (150, 156, 164), 2)
    sp.rect(18, 47, 31, 55, (60, 66, 76), 1)
    sp.rect(49, 25, 62, 33, (60, 66, 76), 1)
    return sp.done()


def card(name):
    col = CARD_COLOURS[name]
    sp = D.Sprite(30, 22)
    sp.rect(0, 0, 28, 20, (0, 0, 0), 3)
    edge = (60, 60, 60) if name == "card white" else C.shade(col, 0.45)
    sp.rect(0, 0, 28, 20, edge, 3)
    sp.rect(1, 1, 27, 19, col, 2.2)
    sp.rect(1, 1, 27, 3, C.shade(col, 1.35), 1.5)
    # chip, photo window and a printed stripe
    sp.rect(5, 7, 11, 12, (150, 120, 50), 1)
    sp.rect(5.6, 7.6, 10.4, 11.4, (214, 180, 90), 0.8)
    sp.line([(8, 7.6), (8, 11.4)], 0.5, (150, 120, 50))
    sp.rect(15, 5, 24, 15, (238, 238, 232) if name != "card white" else (70, 80, 96), 1)
    if name == "card white":
        sp.poly([(19.5, 6.5), (22, 9.6), (17, 9.6)], C.AMBER)
        sp.poly([(19.5, 13.5), (22, 10.4), (17, 10.4)], C.AMBER)
    else:
        sp.circle(19.5, 8.6, 1.8, C.shade(col, 0.8))
        sp.ellipse(16.5, 10.6, 22.5, 14.6, C.shade(col, 0.8))
    sp.rect(5, 15, 12, 16.2, C.shade(col, 0.6) if name != "card white" else (120, 120, 120))
    sp.img = C.drop_shadow(sp.img, offset=(1, 2), blur=1, opacity=120)
    return sp.done()


def alarm_marker(rgb):
    sp = D.Sprite(16, 16)
    sp.circle(8, 8, 7.5, C.INK, 200)
    sp.arc(8, 8, 5.6, 0, 360, 2.2, rgb)
    sp.circle(8, 8, 2.2, rgb)
    sp.circle(7.3, 7.3, 0.8, (255, 255, 255), 200)
    return sp.done()


# ---------------------------------------------------------------- grenade

def grenade_frames(frames=6, size=24):
    """The grenade larger the higher it flies: frame 0 on the floor."""
    out = []
    for f in range(frames):
        sp = D.Sprite(size, size)
        k = 1.0 + f * 0.14
        c = size / 2
        L, W = 5.0 * k, 3.6 * k
        sp.ellipse(c - L - 0.5 + 1.0, c - W - 0.5 + 1.6 + f * 0.3, c + L + 0.5 + 1.0, c + W + 0.5 + 1.6 + f * 0.3,
                   (0, 0, 0), 90 - f * 8)
        sp.ellipse(c - L - 0.6, c - W - 0.6, c + L + 0.6, c + W + 0.6, C.INK)
        sp.ellipse(c - L, c - W, c + L, c + W, (70, 84, 54))
        for i in range(-2, 3):
            x = c + i * L * 0.36
            sp.line([(x, c - W * 0.85), (x, c + W * 0.85)], 0.5 * k, (44, 54, 34), 200)
        sp.line([(c - L * 0.8, c), (c + L * 0.8, c)], 0.5 * k, (44, 54, 34), 200)
        sp.ellipse(c - L * 0.6, c - W * 0.75, c + L * 0.2, c - W * 0.15, (120, 136, 96), 150)
        # fuse head and lever
        sp.rect(c + L - 1.0 * k, c - 1.6 * k, c + L + 2.2 * k, c + 1.6 * k, (120, 124, 128), 0.6)
        sp.line([(c + L + 1.2 * k, c - 1.0 * k), (c - L * 0.2, c - W - 0.2)], 1.0 * k, (150, 154, 158))
        sp.circle(c + L + 2.6 * k, c + 1.2 * k, 1.2 * k, (180, 170, 90))
        out.append(sp.done())
    return out


# ---------------------------------------------------------------- effects

def _blur(img, r):
    return img.filter(ImageFilter.GaussianBlur(r))


def spark_frames(frames=5, size=32):
    r = D.nprng("spark")
    rays = [(r.uniform(-1.1, 1.1), r.uniform(6, 14), r.uniform(0.8, 1.4)) for _ in range(9)]
    chips = [(r.uniform(-1.4, 1.4), r.uniform(0.5, 1.0)) for _ in range(6)]
    out = []
    c = size / 2
    for f in range(frames):
        t = (f + 1) / frames
        sp = D.Sprite(size, size)
        # dust cloud
        sp.circle(c + 3 * t, c, 3 + 6 * t, (150, 146, 136), int(120 * (1 - t)))
        for a, L, w in rays:
            d0 = L * (t * 0.9)
            d1 = L * min(1.0, t * 1.6)
            if d1 - d0 < 0.5:
                continue
            p0 = (c + math.cos(a) * d0, c + math.sin(a) * d0)
            p1 = (c + math.cos(a) * d1, c + math.sin(a) * d1)
            sp.line([p0, p1], w, (255, 190, 80), int(255 * (1 - t * 0.7)))
            sp.line([p0, p1], w * 0.45, (255, 250, 220), int(255 * (1 - t * 0.8)))
        for a, s in chips:
            d = 4 + 10 * t * s
            sp.circle(c + math.cos(a) * d, c + math.sin(a) * d, 0.8, (90, 86, 80), 220)
        if f < 3:
            g = D.Sprite(size, size)
            g.circle(c, c, 5 - f * 1.4, (255, 230, 150), 230)
            sp.img = Image.alpha_composite(sp.img, _blur(g.img, 1.5))
            sp.circle(c, c, 2.4 - f * 0.7, (255, 255, 240))
        out.append(sp.done())
    return out


def blood_frames(frames=6, size=32):
    r = D.nprng("blood")
    drops = [(r.uniform(-0.8, 0.8), r.uniform(6, 15), r.uniform(0.8, 2.2)) for _ in range(14)]
    out = []
    c = size / 2
    for f in range(frames):
        t = (f + 1) / frames
        sp = D.Sprite(size, size)
        sp.circle(c + 1, c, 3 + 4 * t, (120, 10, 14), int(170 * (1 - t)))
        for a, L, s in drops:
            d = L * math.sqrt(t)
            x, y = c + math.cos(a) * d, c + math.sin(a) * d
            rr = s * (1.1 - 0.5 * t)
            tail = (c + math.cos(a) * d * 0.7, c + math.sin(a) * d * 0.7)
            alpha = int(240 * (1 - t ** 2))
            sp.line([tail, (x, y)], rr * 1.2, (140, 14, 18), alpha)
            sp.circle(x, y, rr, (170, 22, 24), alpha)
        out.append(sp.done())
    return out


def debris_frames(frames=6, size=40):
    r = D.nprng("debris")
    chips = [(r.uniform(0, 2 * math.pi), r.uniform(8, 17), r.uniform(0.8, 2.0), r.uniform(0.6, 1.3))
             for _ in range(16)]
    puffs = [(r.uniform(0, 2 * math.pi), r.uniform(2, 8), r.uniform(4, 8)) for _ in range(7)]
    out = []
    c = size / 2
    for f in range(frames):
        t = (f + 1) / frames
        sp = D.Sprite(size, size)
        dust = D.Sprite(size, size)
        for a, d, rr in puffs:
            dd = d * (0.6 + t)
            dust.circle(c + math.cos(a) * dd, c + math.sin(a) * dd, rr * (0.6 + 0.8 * t), (150, 144, 132),
                        int(200 * (1 - t) ** 0.8))
        sp.img = _blur(dust.img, 1.2 + t)
        for a, L, s, tone in chips:
            d = L * (0.3 + 0.7 * math.sqrt(t))
            x, y = c + math.cos(a) * d, c + math.sin(a) * d
            pts = [(x + math.cos(a + k * 2.2 + f) * s, y + math.sin(a + k * 2.2 + f) * s) for k in range(3)]
            sp.poly(pts, C.shade((110, 100, 86), tone), int(255 * (1 - t ** 3)))
        out.append(sp.done())
    return out


def blast_frames(frames=8, size=120):
    """Grenade blast, three cells across: a flash, a rolling fireball of
    overlapping lobes, then smoke that spreads and thins out."""
    r = D.nprng("blast")
    c = size / 2
    blobs = [(r.uniform(0, 2 * math.pi), r.uniform(0.0, 0.55), r.uniform(0.38, 0.6)) for _ in range(11)]
    smoke = [(r.uniform(0, 2 * math.pi), r.uniform(0.1, 0.75), r.uniform(0.25, 0.42)) for _ in range(14)]
    embers = [(r.uniform(0, 2 * math.pi), r.uniform(30, 58), r.uniform(0.8, 1.6)) for _ in range(26)]
    # fireball radius, fire opacity, smoke radius, smoke opacity, by frame
    plan = [(22, 1.0, 0, 0.0), (40, 1.0, 26, 0.25), (50, 0.95, 38, 0.45), (54, 0.7, 46, 0.7),
            (56, 0.35, 52, 0.8), (0, 0.0, 56, 0.7), (0, 0.0, 58, 0.45), (0, 0.0, 59, 0.22)]
    layers = [(1.0, (190, 60, 24)), (0.8, (236, 120, 36)), (0.58, (252, 186, 80)), (0.36, (255, 238, 170))]
    out = []
    for f in range(frames):
        R, fire_a, SR, smoke_a = plan[f]
        img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
        if smoke_a > 0:
            sm = D.Sprite(size, size)
            for a, d, rr in smoke:
                sm.circle(c + math.cos(a) * d * SR, c + math.sin(a) * d * SR, rr * SR * 1.2, (40, 38, 36), 255)
            sm.img.putalpha(sm.img.split()[3].point(lambda v: int(v * smoke_a * 0.85)))
            img = Image.alpha_composite(img, _blur(sm.img, 3.5))
        if fire_a > 0:
            fb = D.Sprite(size, size)
            for k, (scale, col) in enumerate(layers):
                if f >= 3 and k == 3:
                    continue
                for a, d, rr in blobs:
                    fb.circle(c + math.cos(a) * d * R * scale, c + math.sin(a) * d * R * scale, rr * R * scale, col)
            fb.img.putalpha(fb.img.split()[3].point(lambda v: int(v * fire_a)))
            img = Image.alpha_composite(img, _blur(fb.img, 1.6))
            if f >= 3:
                soot = D.Sprite(size, size)
                for a, d, rr in smoke[:7]:
                    soot.circle(c + math.cos(a) * d * R * 0.7, c + math.sin(a) * d * R * 0.7, rr * R * 0.6,
                                (50, 40, 34), int(150 * (f - 2) / 2))
                img = Image.alpha_composite(img, _blur(soot.img, 3))
        if 0 < f < 4:
            ring = D.Sprite(size, size)
            ring.arc(c, c, 20 + f * 13, 0, 360, 2.4, (255, 236, 200), int(140 * (1 - f / 4)))
            img = Image.alpha_composite(img, _blur(ring.img, 1.0))
        if 0 < f < frames - 1:
            em = D.Sprite(size, size)
            t = f / (frames - 1)
            for a, d, s in embers:
                dd = d * min(1.0, 0.35 + t * 1.2)
                col = (255, 210, 110) if f < 4 else (110, 100, 92)
                em.circle(c + math.cos(a) * dd, c + math.sin(a) * dd, s, col, int(255 * (1 - t * 0.8)))
            img = Image.alpha_composite(img, em.img)
        out.append(img)
    return out
