"""Side and front views of the shop's goods: guns, ammunition, grenade, first
aid kit and gear. Each is drawn in its own design units and fitted into any
box, so the same drawing serves the shop cards and the small stock icons."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import (INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER, STEEL_DARK, STEEL,
                    STEEL_LIGHT, WOOD_DARK, WOOD, WOOD_LIGHT, GREEN_DARK, GREEN, GREEN_LIGHT,
                    ALARM_RED, AMBER, shade, mix, rgba)
import screens_art as art
from PIL import Image, ImageFilter

GUNMETAL = (46, 50, 56)
GUNMETAL_LIGHT = (92, 98, 106)
POLYMER = (34, 36, 40)
BRASS = (200, 162, 82)
BRASS_DARK = (140, 104, 44)
LEAD = (120, 118, 116)
OLIVE = (86, 98, 60)
OLIVE_DARK = (58, 66, 40)
NAVY = (40, 52, 70)


class Fit:
    """Maps an item's design units into a box of the canvas."""

    def __init__(self, canvas, box, design):
        x0, y0, x1, y1 = box
        dw, dh = design
        self.s = min((x1 - x0) / dw, (y1 - y0) / dh)
        self.ox = x0 + ((x1 - x0) - dw * self.s) / 2
        self.oy = y0 + ((y1 - y0) - dh * self.s) / 2
        self.c = canvas

    def p(self, pts):
        return [(self.ox + x * self.s, self.oy + y * self.s) for x, y in pts]

    def poly(self, pts, fill):
        self.c.polygon(self.p(pts), fill)

    def rect(self, x0, y0, x1, y1, fill, radius=0, outline=None, width=1.0):
        (a, b), (c, d) = self.p([(x0, y0), (x1, y1)])
        self.c.rect(a, b, c, d, fill=fill, radius=radius * self.s, outline=outline,
                    width=width * self.s if outline is not None else 1.0)

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        (a, b), (c, d) = self.p([(x0, y0), (x1, y1)])
        self.c.ellipse(a, b, c, d, fill=fill, outline=outline, width=width * self.s)

    def line(self, pts, fill, width):
        self.c.line(self.p(pts), fill, width * self.s)

    def arc(self, x0, y0, x1, y1, start, end, fill, width):
        (a, b), (c, d) = self.p([(x0, y0), (x1, y1)])
        self.c.arc(a, b, c, d, start, end, fill, width * self.s)


def rifle(f):
    wood, wood_d = WOOD, WOOD_DARK
    f.poly([(0, 36), (64, 29), (68, 45), (8, 63), (0, 60)], wood)
    f.poly([(0, 36), (64, 29), (64, 33), (2, 41)], shade(wood, 1.25))
    f.rect(0, 36, 5, 61, wood_d)
    f.poly([(96, 44), (110, 44), (106, 72), (92, 70)], POLYMER)
    f.poly([(120, 44), (138, 44), (144, 60), (150, 80), (131, 83), (124, 62)], GUNMETAL)
    for k in range(3):
        f.line([(124 + k * 2, 52 + k * 9), (140 + k * 3, 52 + k * 9)], GUNMETAL_LIGHT, 1.2)
    f.rect(60, 27, 152, 46, GUNMETAL, radius=2)
    f.rect(62, 22, 150, 29, GUNMETAL_LIGHT, radius=2)
    f.rect(104, 32, 140, 35, POLYMER)
    f.arc(96, 38, 118, 58, 0, 180, GUNMETAL, 2.2)
    f.rect(150, 24, 196, 29, GUNMETAL_LIGHT, radius=1.5)
    f.rect(150, 30, 198, 45, wood, radius=3)
    f.rect(152, 31, 196, 34, shade(wood, 1.25), radius=1.5)
    f.rect(146, 17, 158, 23, GUNMETAL)
    f.rect(196, 33, 248, 38, GUNMETAL)
    f.poly([(228, 25), (233, 25), (234, 33), (227, 33)], GUNMETAL)
    f.rect(244, 31, 258, 40, GUNMETAL_LIGHT, radius=1.5)


def shotgun(f):
    wood = WOOD
    f.poly([(0, 38), (72, 29), (76, 46), (10, 64), (0, 62)], wood)
    f.poly([(0, 38), (72, 29), (72, 33), (2, 43)], shade(wood, 1.25))
    f.rect(0, 38, 6, 63, POLYMER)
    f.rect(70, 26, 130, 46, GUNMETAL, radius=2)
    f.rect(72, 27, 128, 31, GUNMETAL_LIGHT, radius=1.5)
    f.rect(88, 34, 112, 38, POLYMER)
    f.arc(86, 38, 108, 58, 0, 180, GUNMETAL, 2.2)
    f.rect(128, 27, 254, 34, GUNMETAL, radius=1)
    f.rect(128, 27, 254, 29, GUNMETAL_LIGHT)
    f.rect(128, 36, 238, 42, shade(GUNMETAL, 0.85), radius=1)
    f.rect(148, 34, 206, 47, wood, radius=3)
    for k in range(6):
        f.line([(154 + k * 9, 36), (154 + k * 9, 45)], WOOD_DARK, 1.4)
    f.ellipse(248, 23, 254, 28, CONCRETE_LIGHT)


def pistol(f):
    f.poly([(14, 30), (38, 30), (33, 68), (12, 68), (8, 62)], POLYMER)
    for k in range(4):
        f.line([(15 + k, 40 + k * 7), (31 - k, 40 + k * 7)], (52, 54, 58), 1.2)
    f.rect(18, 28, 82, 36, shade(GUNMETAL, 0.9), radius=1.5)
    f.arc(36, 30, 58, 52, 0, 180, shade(GUNMETAL, 0.9), 2.4)
    f.line([(44, 36), (45, 44)], INK, 2)
    f.rect(10, 12, 86, 29, GUNMETAL, radius=2.5)
    f.rect(12, 13, 84, 17, GUNMETAL_LIGHT, radius=2)
    for k in range(5):
        f.line([(16 + k * 3.2, 19), (16 + k * 3.2, 27)], INK, 1.0)
    f.rect(52, 19, 70, 23, shade(GUNMETAL, 0.7), radius=1)
    f.rect(80, 9, 84, 13, GUNMETAL)


def revolver(f):
    # wooden grip raked back under the frame
    f.poly([(14, 32), (34, 36), (30, 50), (26, 68), (8, 68), (6, 60), (12, 44)], WOOD)
    f.poly([(14, 32), (34, 36), (33, 41), (13, 38)], shade(WOOD, 1.25))
    for k in range(3):
        f.line([(13 + k * 0.5, 48 + k * 6), (27 - k * 0.5, 48 + k * 6)], WOOD_DARK, 1.2)
    f.poly([(16, 14), (48, 12), (48, 34), (34, 40), (16, 36)], GUNMETAL)
    f.poly([(12, 16), (18, 5), (24, 6), (22, 16)], GUNMETAL)
    f.arc(30, 28, 50, 50, 0, 180, GUNMETAL, 2.4)
    f.line([(38, 36), (39, 44)], INK, 2)
    f.rect(30, 11, 54, 33, GUNMETAL_LIGHT, radius=4)
    for k in range(3):
        f.line([(35 + k * 7, 14), (35 + k * 7, 30)], shade(GUNMETAL, 0.8), 1.6)
    f.rect(52, 13, 100, 22, GUNMETAL, radius=1.5)
    f.rect(52, 13, 100, 15, GUNMETAL_LIGHT)
    f.rect(54, 23, 88, 27, shade(GUNMETAL, 0.8), radius=1.5)
    f.poly([(94, 8), (99, 8), (99, 13), (94, 13)], GUNMETAL)


def rifle_magazine(f):
    f.poly([(8, 8), (34, 8), (38, 30), (46, 74), (22, 80), (14, 36)], GUNMETAL)
    f.poly([(8, 8), (14, 8), (20, 36), (28, 78), (22, 80), (14, 36)], GUNMETAL_LIGHT)
    for k in range(4):
        y = 24 + k * 13
        f.line([(14 + k * 2.5, y), (36 + k * 2.6, y - 2)], shade(GUNMETAL, 0.7), 1.6)
    f.poly([(10, 2), (30, 2), (34, 8), (8, 8)], BRASS)
    f.poly([(12, 0), (20, 0), (20, 3), (12, 3)], shade(BRASS, 1.2))


def pistol_magazine(f):
    f.rect(8, 6, 30, 76, GUNMETAL, radius=2)
    f.rect(9, 7, 14, 74, GUNMETAL_LIGHT, radius=1.5)
    f.rect(5, 74, 33, 82, POLYMER, radius=2)
    for k in range(5):
        f.ellipse(19, 20 + k * 10, 24, 25 + k * 10, INK)
    f.poly([(11, 6), (27, 6), (26, 0), (19, -4), (12, 0)], BRASS)
    f.poly([(14, 0), (19, -4), (24, 0)], shade(BRASS, 1.2))


def shell(f):
    for k, (x, y) in enumerate(((2, 14), (20, 4), (38, 14))):
        f.rect(x, y, x + 16, y + 52, shade(ALARM_RED, 0.85), radius=2)
        f.rect(x + 2, y, x + 6, y + 52, shade(ALARM_RED, 1.2))
        f.line([(x + 8, y + 4), (x + 8, y + 8)], shade(ALARM_RED, 0.6), 1.0)
        f.rect(x - 1, y + 52, x + 17, y + 68, BRASS, radius=1)
        f.rect(x - 1, y + 52, x + 3, y + 68, shade(BRASS, 1.25))
        f.rect(x - 2, y + 66, x + 18, y + 70, BRASS_DARK, radius=1)


def revolver_round(f):
    for x, y in ((2, 18), (20, 8), (38, 18)):
        f.rect(x, y + 16, x + 14, y + 58, BRASS, radius=1.5)
        f.rect(x + 1, y + 16, x + 4, y + 58, shade(BRASS, 1.3))
        f.rect(x - 1, y + 56, x + 15, y + 61, BRASS_DARK, radius=1)
        f.poly([(x + 1, y + 16), (x + 1, y + 8), (x + 4, y + 2), (x + 7, y), (x + 10, y + 2), (x + 13, y + 8),
                (x + 13, y + 16)], LEAD)
        f.poly([(x + 2, y + 14), (x + 2, y + 8), (x + 4, y + 4), (x + 6, y + 3)], shade(LEAD, 1.3))


def grenade(f):
    f.ellipse(8, 22, 56, 82, OLIVE)
    for k in range(1, 4):
        f.line([(10 + k * 1, 22 + k * 15), (54 - k * 1, 22 + k * 15)], OLIVE_DARK, 2.2)
    for k in range(-1, 2):
        f.line([(32 + k * 13, 24), (32 + k * 16, 80)], OLIVE_DARK, 2.2)
    f.ellipse(14, 30, 28, 50, rgba(shade(OLIVE, 1.3), 140))
    f.rect(24, 12, 40, 24, GUNMETAL, radius=1.5)
    f.poly([(38, 12), (46, 8), (58, 40), (54, 44)], GUNMETAL_LIGHT)
    f.ellipse(12, 0, 30, 18, None, CONCRETE_LIGHT, 2.4)
    f.line([(26, 13), (28, 14)], CONCRETE_LIGHT, 2)


def first_aid(f):
    f.arc(30, 2, 60, 26, 180, 360, shade(PAPER, 0.6), 5)
    f.rect(4, 14, 86, 76, shade(PAPER, 0.95), radius=6)
    f.rect(4, 14, 86, 22, shade(PAPER, 0.8), radius=6)
    f.rect(4, 18, 86, 22, shade(PAPER, 0.8))
    f.rect(4, 68, 86, 76, shade(PAPER, 0.78), radius=6)
    f.rect(36, 30, 54, 66, ALARM_RED)
    f.rect(27, 39, 63, 57, ALARM_RED)


def helmet_shape(f):
    """A steel helmet from the side: dome, brim and chin strap."""
    body = OLIVE
    dome = [(12, 58)]
    for k in range(0, 19):
        a = math.pi - k * math.pi / 18
        dome.append((52 + 40 * math.cos(a), 58 - 48 * math.sin(a)))
    dome.append((92, 58))
    f.poly(dome, body)
    f.poly([(4, 56), (100, 56), (96, 64), (8, 64)], OLIVE_DARK)
    f.ellipse(26, 18, 52, 40, rgba(shade(body, 1.4), 150))
    f.line([(20, 64), (30, 80), (52, 86), (74, 80), (84, 64)], (70, 60, 44), 2.6)
    f.rect(44, 82, 60, 90, (70, 60, 44), radius=1.5)


def vest(f, colour, pockets):
    dark = shade(colour, 0.7)
    outline = [(20, 4), (36, 4), (40, 18), (50, 28), (60, 18), (64, 4), (80, 4), (84, 24), (92, 34),
               (92, 96), (8, 96), (8, 34), (16, 24)]
    f.poly(outline, colour)
    f.line([(50, 28), (50, 96)], dark, 1.6)
    f.poly([(20, 4), (36, 4), (38, 12), (22, 12)], dark)
    f.poly([(64, 4), (80, 4), (78, 12), (62, 12)], dark)
    f.rect(8, 84, 92, 92, dark)
    if pockets:
        for row, y in enumerate((40, 62)):
            for x in (12, 30, 54, 72):
                f.rect(x, y, x + 16, y + 18, shade(colour, 1.2), radius=1.5)
                f.rect(x, y, x + 16, y + 5, dark, radius=1.5)
        f.rect(30, 22, 44, 34, shade(colour, 1.2), radius=1.5)
    else:
        f.rect(18, 36, 82, 80, shade(colour, 1.15), radius=4)
        f.rect(24, 42, 76, 52, shade(colour, 0.85), radius=2)
        for x in (18, 82):
            f.line([(x, 60), (x, 72)], dark, 2)


def bulletproof_vest(f):
    vest(f, NAVY, False)


def pocket_vest(f):
    vest(f, GREEN, True)


def knuckles(f):
    body, dark, light = BRASS, BRASS_DARK, shade(BRASS, 1.35)
    f.poly([(6, 28), (94, 28), (96, 42), (86, 56), (64, 72), (36, 72), (14, 56), (4, 42)], body)
    for k in range(4):
        cx = 17 + k * 22
        f.ellipse(cx - 10, 6, cx + 10, 34, body)
    for k in range(4):
        cx = 17 + k * 22
        f.ellipse(cx - 6, 11, cx + 6, 29, INK)
        f.arc(cx - 10, 6, cx + 10, 34, 200, 300, light, 1.6)
    f.ellipse(28, 44, 72, 62, dark)
    f.ellipse(32, 47, 68, 59, INK)


def star(f):
    pts = []
    for k in range(10):
        r = 48 if k % 2 == 0 else 20
        a = -math.pi / 2 + k * math.pi / 5
        pts.append((50 + r * math.cos(a), 52 + r * math.sin(a)))
    f.poly(pts, AMBER)


def pouch(f):
    f.rect(10, 24, 90, 92, OLIVE, radius=6)
    f.poly([(8, 20), (92, 20), (88, 52), (12, 52)], OLIVE_DARK)
    f.rect(44, 40, 56, 58, (200, 190, 160), radius=2)


def heart(f):
    f.ellipse(6, 10, 54, 58, ALARM_RED)
    f.ellipse(46, 10, 94, 58, ALARM_RED)
    f.poly([(9, 44), (91, 44), (50, 94)], ALARM_RED)
    f.ellipse(16, 18, 34, 36, rgba((255, 255, 255), 80))


# name -> (drawing, design size)
ITEMS = {
    "rifle": (rifle, (260, 86)),
    "shotgun": (shotgun, (258, 70)),
    "pistol": (pistol, (92, 72)),
    "revolver": (revolver, (104, 72)),
    "rifle_magazine": (rifle_magazine, (50, 84)),
    "pistol_magazine": (pistol_magazine, (38, 88)),
    "shell": (shell, (56, 74)),
    "revolver_round": (revolver_round, (54, 80)),
    "grenade": (grenade, (64, 84)),
    "first_aid": (first_aid, (90, 78)),
    "helmet": (helmet_shape, (104, 92)),
    "bulletproof_vest": (bulletproof_vest, (100, 100)),
    "pocket_vest": (pocket_vest, (100, 100)),
    "knuckles": (knuckles, (100, 78)),
    "star": (star, (100, 100)),
    "pouch": (pouch, (100, 100)),
    "heart": (heart, (100, 100)),
}


def item_layer(name, w, h, margin=2, outline=True):
    """The item drawn in full colour, fitted into a w x h transparent layer,
    ringed with a thin dark line so it stays crisp on light and dark cards."""
    fn, design = ITEMS[name]
    c = art.Canvas(w, h)
    f = Fit(c, (margin, margin, w - margin, h - margin), design)
    if name == "pistol_magazine":
        f.oy += 4 * f.s   # its top round sticks up above the design box
    fn(f)
    img = c.image()
    if not outline:
        return img
    ring = img.split()[3].filter(ImageFilter.MaxFilter(3))
    out = Image.new("RGBA", img.size, rgba(INK, 255))
    out.putalpha(ring.point(lambda v: v * 170 // 255))
    out.alpha_composite(img)
    return out


def silhouette(name, w, h, fill, line, margin=2):
    """The outline painted on a tool board where the item hangs: a flat
    shape with a thin lighter rim."""
    alpha = item_layer(name, w, h, margin, outline=False).split()[3]
    alpha = alpha.point(lambda v: 255 if v > 100 else v * 255 // 100)
    rim = alpha.filter(ImageFilter.MaxFilter(3))
    out = Image.new("RGBA", (w, h), rgba(line[:3], 255))
    out.putalpha(rim.point(lambda v: v * line[3] // 255 if len(line) == 4 else v))
    body = Image.new("RGBA", (w, h), rgba(fill, 255))
    body.putalpha(alpha)
    out.alpha_composite(body)
    return out
