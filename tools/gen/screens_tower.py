"""The office tower seen from the street: sky, the city behind, the ten storeys
with their windows, the street with lamps and the cars that gather as the
night goes on. Used by the storey pictures, the splash, the menu and the end."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np
from PIL import Image, ImageFilter

import common
from common import (INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER, STEEL_DARK, STEEL,
                    STEEL_LIGHT, ALARM_RED, AMBER, GLASS, shade, mix, rgba)
import screens_art as art

W, H = 800, 590
STOREYS = 10

SKIES = {
    "dusk": [(0.0, (10, 13, 24)), (0.45, (28, 38, 58)), (0.78, (66, 74, 92)), (0.9, (128, 96, 80)),
             (1.0, (150, 110, 84))],
    "night": [(0.0, (6, 8, 14)), (0.5, (16, 22, 36)), (0.85, (34, 44, 62)), (1.0, (52, 58, 72))],
    "dawn": [(0.0, (34, 44, 70)), (0.3, (80, 92, 120)), (0.5, (160, 140, 140)), (0.65, (222, 170, 124)),
             (1.0, (238, 196, 140))],
}
LIT = [(246, 226, 170), (236, 210, 150), (210, 222, 236), (250, 238, 200)]


class Tower:
    """Where the tower stands on the picture."""

    def __init__(self, x=180, width=250, ground=528, storey_h=44, side=34):
        self.x, self.width, self.ground, self.storey_h, self.side = x, width, ground, storey_h, side

    def storey_box(self, n):
        """Front-face box of storey n (1 = street level)."""
        y1 = self.ground - (n - 1) * self.storey_h
        return self.x, y1 - self.storey_h, self.x + self.width, y1

    @property
    def top(self):
        return self.ground - STOREYS * self.storey_h


def sky(mode):
    img = art.vgradient(W, H, SKIES[mode])
    r = common.rng("sky-" + mode)
    if mode != "dawn":
        c = art.Canvas(W, H)
        for _ in range(70):
            x, y = r.uniform(0, W), r.uniform(0, H * 0.45)
            s = r.uniform(0.5, 1.3)
            c.circle(x, y, s, fill=rgba(PAPER, r.randint(60, 170)))
        img.alpha_composite(c.image())
    return img


def skyline(img, mode, seed, base, layers=((0.42, 90, 250), (0.22, 40, 150))):
    """Two rows of distant buildings, the far one hazier."""
    r = common.rng("skyline-" + seed)
    haze = mix(SKIES[mode][-3][1], STEEL_DARK, 0.4)
    for depth, (mix_k, lo, hi) in enumerate(layers):
        c = art.Canvas(W, H)
        colour = mix(INK, haze, mix_k * (1.6 if mode == "dawn" else 1.0))
        x = -20
        while x < W:
            bw = r.randint(40, 110)
            bh = r.randint(lo, hi)
            top = base - bh
            c.rect(x, top, x + bw, base + 2, fill=colour)
            if r.random() < 0.35:
                c.rect(x + bw * 0.4, top - r.randint(8, 30), x + bw * 0.45, top, fill=colour)
            # a few lit windows
            if mode != "dawn":
                for _ in range(int(bw * bh / 900)):
                    wx = x + 4 + r.random() * (bw - 10)
                    wy = top + 6 + r.random() * (bh - 12)
                    if r.random() < 0.45:
                        lc = LIT[r.randint(0, 3)]
                        c.rect(wx, wy, wx + 3, wy + 4, fill=rgba(shade(lc, 0.75 - depth * 0.2), 200))
            x += bw + r.randint(-8, 14)
        img.alpha_composite(c.image())
    return img


def window_colours(seed, lit_share):
    r = common.rng("windows-" + seed)
    table = {}
    for n in range(1, STOREYS + 1):
        for i in range(12):
            table[(n, i)] = LIT[r.randint(0, 3)] if r.random() < lit_share else None
    return table


def draw_tower(img, tower, mode, selected=None, lit_share=0.22, seed="tower", broken=()):
    """The tower itself. With `selected`, that storey is picked out: every
    window lit, an amber outline, the rest of the facade a little darker."""
    t = tower
    light = {"dusk": 1.0, "night": 0.8, "dawn": 1.25}[mode]
    c = art.Canvas(W, H)
    face = shade(CONCRETE, 0.82 * light)
    side = shade(CONCRETE_DARK, 0.8 * light)
    top = t.top
    # side face in perspective, then the front face
    c.polygon([(t.x + t.width, top), (t.x + t.width + t.side, top + 12),
               (t.x + t.width + t.side, t.ground), (t.x + t.width, t.ground)], fill=side)
    c.rect(t.x, top, t.x + t.width, t.ground, fill=face)
    # roof: parapet, machine room, mast with its warning light
    c.rect(t.x - 4, top - 8, t.x + t.width + 4, top + 2, fill=shade(face, 1.1))
    c.polygon([(t.x + t.width + 4, top - 8), (t.x + t.width + t.side + 2, top + 4),
               (t.x + t.width + t.side + 2, top + 12), (t.x + t.width + 4, top + 2)], fill=shade(side, 0.9))
    c.rect(t.x + 30, top - 34, t.x + 110, top - 8, fill=shade(face, 0.85))
    c.rect(t.x + 36, top - 30, t.x + 60, top - 14, fill=shade(face, 0.6))
    c.line([(t.x + t.width - 50, top - 8), (t.x + t.width - 50, top - 70)], shade(face, 0.7), 2.5)
    c.line([(t.x + t.width - 58, top - 40), (t.x + t.width - 42, top - 40)], shade(face, 0.7), 1.5)
    c.circle(t.x + t.width - 50, top - 72, 2.6, fill=ALARM_RED)
    # storey slabs and windows
    wins = window_colours(seed, lit_share)
    n_win = 7
    gap = 8
    ww = (t.width - gap * (n_win + 1)) / n_win
    for n in range(1, STOREYS + 1):
        x0, y0, x1, y1 = t.storey_box(n)
        c.rect(x0 - 2, y1 - 5, x1 + 2, y1, fill=shade(face, 1.18))
        for i in range(n_win):
            wx0 = x0 + gap + i * (ww + gap)
            wy0, wy1 = y0 + 9, y1 - 10
            if n == 1 and 2 <= i <= 4:
                continue
            lit = wins[(n, i)]
            if selected == n:
                lit = (252, 240, 196)
            if lit is not None:
                c.rect(wx0, wy0, wx0 + ww, wy1, fill=lit)
                c.rect(wx0, wy1 - 6, wx0 + ww, wy1, fill=shade(lit, 0.86))
            else:
                g = mix(STEEL_DARK, STEEL, 0.2 + 0.5 * (n / STOREYS)) if mode != "dawn" else \
                    mix(STEEL, (170, 150, 140), 0.35)
                c.rect(wx0, wy0, wx0 + ww, wy1, fill=shade(g, 0.75))
                c.polygon([(wx0, wy0), (wx0 + ww * 0.6, wy0), (wx0, wy1 - 4)], fill=rgba(shade(g, 1.15), 160))
            c.line([(wx0 + ww / 2, wy0), (wx0 + ww / 2, wy1)], shade(face, 0.55), 1.2)
            if (n, i) in broken:
                # shot-out pane: a dark hole with cracks running from it
                hx, hy = wx0 + ww * 0.35, wy0 + (wy1 - wy0) * 0.4
                c.polygon([(hx - 4, hy - 3), (hx + 1, hy - 6), (hx + 5, hy - 1), (hx + 2, hy + 5),
                           (hx - 5, hy + 3)], fill=INK)
                for dx, dy in ((-7, -8), (9, -6), (10, 7), (-6, 9), (2, 11)):
                    c.line([(hx, hy), (hx + dx, hy + dy)], rgba(PAPER, 150), 0.8)
                c.rect(wx0, wy0 - 6, wx0 + ww, wy0, fill=rgba(INK, 90))
            c.rect(wx0 - 1, wy1, wx0 + ww + 1, wy1 + 2, fill=shade(face, 1.25))
        # narrow windows on the side face
        for k in range(2):
            sx = x1 + 8 + k * 13
            skew = (sx - x1) * 12 / t.side
            lit = wins[(n, 8 + k)]
            if selected == n:
                lit = (230, 214, 170)
            colour = shade(lit, 0.7) if lit else shade(STEEL_DARK, 0.7 * light)
            c.polygon([(sx, y0 + 10 + skew * (1 - (n - 1) / 10)), (sx + 7, y0 + 11 + skew * (1 - (n - 1) / 10)),
                       (sx + 7, y1 - 9), (sx, y1 - 10)], fill=colour)
    # ground floor lobby: glass doors and a canopy
    x0, y0, x1, y1 = t.storey_box(1)
    mid = (x0 + x1) / 2
    lobby = (250, 236, 200) if selected == 1 else (196, 184, 150)
    c.rect(mid - 46, y0 + 8, mid + 46, y1, fill=shade(lobby, 0.85))
    for k in range(-2, 3):
        c.line([(mid + k * 18, y0 + 8), (mid + k * 18, y1)], shade(face, 0.5), 2)
    c.rect(mid - 56, y0 + 2, mid + 56, y0 + 8, fill=shade(face, 0.5))
    # facade shading: lit from the left
    img.alpha_composite(c.image())
    shade_layer = art.hgradient(t.width + t.side, t.ground - top + 80,
                                [(0, (255, 255, 255)), (1, (0, 0, 0))])
    sh = np.asarray(shade_layer, dtype=np.float32)
    alpha = np.asarray(c.image().crop((t.x, top - 80, t.x + t.width + t.side, t.ground)).split()[3],
                       dtype=np.float32)
    layer = np.zeros(sh.shape, dtype=np.uint8)
    layer[..., :3] = 0
    layer[..., 3] = (alpha * (1 - sh[..., 0] / 255.0) * 0.35).astype(np.uint8)
    img.alpha_composite(Image.fromarray(layer, "RGBA"), (t.x, top - 80))

    if selected is not None:
        pick_out(img, tower, selected, mode)
    return img


def pick_out(img, tower, n, mode):
    """Darken the other storeys a little and draw the glowing frame."""
    t = tower
    x0, y0, x1, y1 = t.storey_box(n)
    dim = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    c = art.Canvas(W, H)
    c.rect(t.x - 6, t.top - 80, t.x + t.width + t.side + 6, y0 - 2, fill=rgba(INK, 70))
    c.rect(t.x - 6, y1 + 1, t.x + t.width + t.side + 6, t.ground, fill=rgba(INK, 70))
    dim.alpha_composite(c.image())
    img.alpha_composite(dim)
    # window light spilling out
    spill = art.glow((W, H), (x0 + x1) / 2, (y0 + y1) / 2, 170, (255, 214, 140), 90)
    spill_arr = np.asarray(spill).copy()
    yy = np.arange(H)[:, None]
    spill_arr[..., 3] = (spill_arr[..., 3] * np.clip(1 - np.abs(yy - (y0 + y1) / 2) / 60, 0, 1)).astype(np.uint8)
    img.paste(art.add_light(img, Image.fromarray(spill_arr, "RGBA")))
    frame = art.Canvas(W, H)
    frame.rect(x0 - 5, y0 - 3, x1 + t.side + 5, y1 + 3, outline=AMBER, width=2.5, radius=2)
    f_img = frame.image()
    blurred = f_img.filter(ImageFilter.GaussianBlur(4))
    img.paste(art.add_light(img, blurred))
    img.alpha_composite(f_img)


KEY_HINT_LEFT = 612  # "Нажмите любую клавишу" on the storey pictures starts about here


def street(img, mode, tower, police=0, lamps=(60, 520, 740), seed="street"):
    """Pavement, road and lamps in front of the tower; `police` counts the
    emergency vehicles parked at the entrance."""
    g = tower.ground
    light = {"dusk": 1.0, "night": 0.8, "dawn": 1.3}[mode]
    c = art.Canvas(W, H)
    c.rect(0, g, W, g + 14, fill=shade(CONCRETE_DARK, 0.9 * light))
    c.rect(0, g, W, g + 2, fill=shade(CONCRETE, 0.9 * light))
    c.rect(0, g + 14, W, H, fill=shade((30, 32, 36), light))
    for x in range(-20, W, 70):
        c.rect(x, g + 36, x + 36, g + 39, fill=shade(PAPER, 0.55 * light))
    img.alpha_composite(c.image())
    for lx in lamps:
        lamp(img, lx, g + 12, mode)
    vehicles = []
    if police >= 1:
        vehicles.append(("police", tower.x + tower.width + 60, 0))
    if police >= 2:
        vehicles.append(("tv", tower.x - 120 if tower.x >= 126 else tower.x + tower.width + 160, 0))
    if police >= 3:
        vehicles.append(("police", tower.x + 8, 1))
    if police >= 4:
        # parked clear of the key hint in the storey pictures' bottom right corner
        vehicles.append(("van", min(tower.x + tower.width + 150, KEY_HINT_LEFT - 90), 1))
    if police >= 5:
        vehicles.append(("police", 20, 0))
    for kind, x, row in vehicles:
        vehicle(img, kind, x, g + 22 + row * 20, mode, seed + kind + str(x))
    return img


def lamp(img, x, y, mode):
    c = art.Canvas(W, H)
    pole = shade(INK, 1.6)
    c.line([(x, y), (x, y - 110)], pole, 3)
    c.line([(x, y - 110), (x + 22, y - 116)], pole, 2.5)
    c.rect(x + 16, y - 119, x + 34, y - 113, fill=pole, radius=2)
    img.alpha_composite(c.image())
    if mode != "dawn":
        img.paste(art.add_light(img, art.glow((W, H), x + 25, y - 112, 70, (255, 200, 120), 120)))
        cone = art.Canvas(W, H)
        cone.polygon([(x + 18, y - 113), (x + 32, y - 113), (x + 70, y + 4), (x - 20, y + 4)],
                     fill=(255, 214, 150, 28))
        img.alpha_composite(cone.image())


def vehicle(img, kind, x, y, mode, seed):
    """A car seen from the side, its wheels resting on y."""
    light = {"dusk": 0.9, "night": 0.75, "dawn": 1.15}[mode]
    L = 84 if kind != "police" else 74
    c = art.Canvas(W, H)
    body = {"police": shade(PAPER, 0.86 * light), "tv": shade(PAPER, 0.8 * light),
            "van": shade(CONCRETE_DARK, 0.85 * light)}[kind]
    if kind == "police":
        c.polygon([(x, y - 8), (x + 4, y - 16), (x + 18, y - 17), (x + 26, y - 27), (x + 52, y - 27),
                   (x + 60, y - 17), (x + L, y - 15), (x + L, y - 6), (x, y - 5)], fill=body)
        c.polygon([(x + 28, y - 25), (x + 39, y - 25), (x + 39, y - 18), (x + 22, y - 18)], fill=shade(STEEL_DARK, light))
        c.polygon([(x + 41, y - 25), (x + 51, y - 25), (x + 57, y - 18), (x + 41, y - 18)], fill=shade(STEEL_DARK, light))
        c.rect(x + 2, y - 13, x + L - 2, y - 10, fill=shade((40, 70, 150), light))
        c.rect(x + 33, y - 31, x + 47, y - 27, fill=INK)
    else:
        c.rect(x, y - 30, x + L, y - 5, fill=body, radius=3)
        c.polygon([(x + L - 18, y - 28), (x + L - 3, y - 28), (x + L, y - 18), (x + L - 18, y - 18)],
                  fill=shade(STEEL_DARK, light))
        if kind == "tv":
            c.rect(x + 6, y - 22, x + 40, y - 14, fill=shade(ALARM_RED, 0.8 * light))
            c.line([(x + 26, y - 30), (x + 26, y - 40)], shade(INK, 2), 2)
            c.ellipse(x + 15, y - 50, x + 37, y - 38, fill=shade(PAPER, 0.9 * light))
        else:
            c.rect(x + 4, y - 14, x + L - 22, y - 11, fill=shade(AMBER, 0.7 * light))
    for wx in (x + 15, x + L - 15):
        c.circle(wx, y - 5, 6, fill=INK)
        c.circle(wx, y - 5, 2.5, fill=shade(CONCRETE, light))
    img.alpha_composite(c.image())
    if kind in ("police", "van"):
        img.paste(art.add_light(img, art.glow((W, H), x + 36, y - 30, 42, (255, 40, 40), 170)))
        img.paste(art.add_light(img, art.glow((W, H), x + 44, y - 30, 42, (50, 90, 255), 170)))
        dots = art.Canvas(W, H)
        dots.rect(x + 33, y - 31, x + 40, y - 28, fill=(255, 90, 80))
        dots.rect(x + 40, y - 31, x + 47, y - 28, fill=(110, 150, 255))
        img.alpha_composite(dots.image())


def scene(mode="dusk", selected=None, police=0, tower=None, seed="tower", lit_share=0.22, broken=(),
          lamps=(60, 520, 740)):
    tower = tower or Tower()
    img = sky(mode)
    skyline(img, mode, seed, tower.ground)
    draw_tower(img, tower, mode, selected, lit_share, seed, broken)
    street(img, mode, tower, police, lamps)
    return img, tower
