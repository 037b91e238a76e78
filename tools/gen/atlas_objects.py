"""Objects of the world atlas, drawn top-down facing their unturned
direction, each exactly the size of its footprint (40 px per cell). The
functions return sprites without their drop shadow; the atlas builder adds
the shadow that suits the object's kind."""
import math

import numpy as np

import atlas_draw as D
import atlas_props as P
import common as C

CELL = D.CELL


def S(wc, hc):
    return D.Sprite(wc * CELL, hc * CELL)


# --------------------------------------------------------------------- doors

DOOR_TRIM = {
    "Door": None,
    "RedDoor": (200, 46, 40),
    "GreenDoor": (58, 168, 84),
    "BlueDoor": (52, 112, 210),
}


def door_frames(name, frames=6):
    """A sliding double door in a vertical wall: jambs at both ends of the
    80 px span, two leaves that meet in the middle and slide into the wall.
    Frame 0 is shut, the last frame fully open (only the jambs and the
    floor track remain). Card doors carry their colour on the jambs, the
    reader lamps and a stripe down both leaves."""
    trim = DOOR_TRIM[name]
    out = []
    for f in range(frames):
        t = f / (frames - 1)
        t = t * t * (3 - 2 * t)
        sp = S(1, 2)
        # floor track and threshold plates (seen when open)
        sp.rect(3, 6, 37, 74, (70, 72, 76), 1, alpha=110)
        sp.rect(18.5, 6, 21.5, 74, (34, 36, 40))
        sp.rect(19.3, 6, 20.7, 74, (96, 100, 106))
        # leaves
        leaf_len = 34 * (1 - t)
        if leaf_len > 0.6:
            if trim is None:
                body = D.wood(CELL, 2 * CELL, (150, 104, 64), "door-leaf", vertical=True)
                edge = (70, 46, 30)
            else:
                body = D.modulate(D.flat(CELL, 2 * CELL, (124, 130, 138)),
                                  D.pnoise(CELL, 2 * CELL, 0.6, "door-steel") * 0.05)
                edge = (44, 48, 54)
            for top in (True, False):
                if top:
                    y0, y1 = 6, 6 + leaf_len
                else:
                    y0, y1 = 74 - leaf_len, 74
                sp.rect(14, y0, 26, y1, edge)
                sp.paint(sp.m_rect(15, y0 + (0 if top else 0.8), 25, y1 - (0.8 if top else 0)), body)
                sp.rect(15, y0, 16.2, y1, (255, 255, 255), alpha=50)
                if trim is not None:
                    sp.rect(18, y0, 22, y1, trim)
                    sp.rect(18, y0, 19, y1, C.shade(trim, 1.35))
                else:
                    hy = y1 - 4 if top else y0 + 4
                    if y1 - y0 > 7:
                        for hx in (11.5, 25.5):
                            sp.rect(hx, hy - 1.5, hx + 3, hy + 1.5, (40, 40, 40), 0.8)
                            sp.rect(hx + 0.5, hy - 1, hx + 2.5, hy + 0.6, (210, 206, 190), 0.5)
        # jambs: short wall pieces at both ends of the opening
        jamb = (86, 90, 96) if trim is None else C.shade(trim, 0.78)
        for y0 in (0, 74):
            sp.rect(0, y0, 40, y0 + 6, (30, 32, 36))
            sp.rect(0.8, y0 + 0.8, 39.2, y0 + 5.2, jamb)
            sp.rect(0.8, y0 + 0.8, 39.2, y0 + 2, C.shade(jamb, 1.3))
        # card readers on both faces of the wall next to the door
        if trim is not None:
            for x in (3, 33):
                for yr in (7, 69):
                    sp.rect(x, yr, x + 4, yr + 4, (26, 28, 32), 0.8)
                    sp.glow(x + 2, yr + 2, 8, trim, 150)
                    sp.rect(x + 1, yr + 1, x + 3, yr + 3, C.shade(trim, 1.5), 0.5)
        out.append(sp)
    return out


def lift_door():
    """Closed steel lift doors across a horizontal wall: end blocks meet the
    walls at both sides, call buttons and a floor display on the front."""
    sp = S(2, 1)
    sp.rect(8, 8, 72, 32, (74, 78, 84), alpha=150)
    # sliding leaves
    steel = D.modulate(D.flat(2 * CELL, CELL, (150, 156, 162)),
                       np.tile(np.sin(np.arange(2 * CELL) * 1.7)[None, :] * 0.03, (CELL, 1))
                       + D.pnoise(2 * CELL, CELL, 0.5, "liftsteel") * 0.04)
    sp.rect(8, 14, 72, 26, (36, 40, 46))
    sp.paint(sp.m_rect(9, 15, 39.5, 25), steel)
    sp.paint(sp.m_rect(40.5, 15, 71, 25), steel)
    sp.rect(9, 15, 71, 16.2, (220, 224, 228), alpha=120)
    sp.rect(39.5, 14, 40.5, 26, (20, 22, 26))
    # end blocks joining the walls
    for x0 in (0, 72):
        sp.rect(x0, 0, x0 + 8, 40, (30, 32, 36))
        sp.rect(x0 + 0.8, 0.8, x0 + 7.2, 39.2, (108, 112, 118))
        sp.rect(x0 + 0.8, 0.8, x0 + 7.2, 3, (150, 154, 160))
    # call panel and display on the corridor side (bottom)
    sp.rect(74, 28, 79, 37, (24, 26, 30), 1)
    sp.glow(76.5, 31, 7, C.AMBER, 170)
    sp.circle(76.5, 31, 1.2, (255, 210, 120))
    sp.circle(76.5, 35, 1.0, (150, 154, 160))
    sp.rect(28, 29, 52, 35, (18, 18, 22), 1)
    for i, x in enumerate((33, 38.5, 44)):
        sp.poly([(x, 33.8), (x + 2, 30.2), (x + 4, 33.8)] if i != 2 else [(x, 30.2), (x + 4, 30.2), (x + 2, 33.8)],
                C.AMBER if i != 1 else (90, 60, 20))
    return sp


# -------------------------------------------------------------------- solids

def pillar():
    sp = S(1, 1)
    tex = D.modulate(D.flat(CELL, CELL, (128, 130, 132)),
                     D.pnoise(CELL, CELL, 2.0, "pillar") * 0.06 + D.pnoise(CELL, CELL, 0.5, "pillar2") * 0.04)
    sp.box(2, 2, 37, 37, tex, r=1.5)
    sp.rect(5, 5, 34, 34, (0, 0, 0), 1, alpha=24)
    sp.rect(6, 6, 33, 33, tex)
    return sp


def column_round():
    sp = S(2, 2)
    sp.circle(39, 39, 36, (70, 66, 62))
    sp.circle(39, 39, 35, (150, 144, 134))
    ys, xs = np.mgrid[0:80, 0:80].astype(np.float32)
    light = -((xs - 28) ** 2 + (ys - 28) ** 2) / 3600.0
    tex = D.modulate(D.flat(80, 80, (188, 180, 166)),
                     light * 0.5 + 0.12 + D.pnoise(80, 80, 5, "colm") * 0.05)
    sp.paint(sp.m_circle(39, 39, 30), (84, 80, 74))
    sp.paint(sp.m_circle(39, 39, 29), tex)
    for k in range(16):
        a = k * math.pi / 8
        sp.line([(39 + math.cos(a) * 20, 39 + math.sin(a) * 20), (39 + math.cos(a) * 28.5, 39 + math.sin(a) * 28.5)],
                0.8, (120, 114, 104), 120)
    sp.circle(39, 39, 20, (200, 194, 182), 90)
    return sp


def safe():
    sp = S(1, 1)
    body = D.modulate(D.flat(CELL, CELL, (64, 78, 72)), D.pnoise(CELL, CELL, 0.6, "safe") * 0.05)
    sp.box(3, 3, 36, 35, body, r=2)
    sp.rect(6, 6, 33, 26, (0, 0, 0), 1.5, alpha=30)
    sp.rect(5, 29, 34, 35, (40, 48, 44), 1)
    sp.circle(19.5, 32, 2.6, (170, 164, 140))
    sp.circle(19.5, 32, 1.4, (60, 58, 50))
    sp.rect(25, 31, 31, 33, (170, 164, 140), 0.8)
    sp.rect(8, 8, 14, 10, (190, 170, 90), 0.5)
    return sp


def server_rack_frames(frames=4):
    r = D.nprng("rack")
    leds = [(x, y) for y in range(10, 70, 6) for x in (27, 31)]
    states = r.random_sample((frames, len(leds)))
    out = []
    for f in range(frames):
        sp = S(1, 2)
        sp.box(2, 2, 37, 77, (40, 42, 48), r=1.5)
        # mesh top
        for y in range(7, 73, 3):
            for x in range(6, 24, 3):
                sp.rect(x, y, x + 1.6, y + 1.6, (18, 19, 22))
        sp.rect(24.5, 6, 35, 74, (28, 30, 34), 1)
        for i, (x, y) in enumerate(leds):
            s = states[f, i]
            if s > 0.45:
                col = (70, 230, 110) if s < 0.9 else C.AMBER
                sp.glow(x + 0.8, y + 0.8, 5, col, 140)
                sp.rect(x, y, x + 1.8, y + 1.8, C.shade(col, 1.2))
            else:
                sp.rect(x, y, x + 1.8, y + 1.8, (30, 60, 40))
        # cable bundles leaving at the back
        sp.line([(8, 3.5), (30, 3.5)], 1.2, (70, 90, 140))
        sp.line([(8, 5), (30, 5)], 1.0, (150, 120, 40))
        out.append(sp)
    return out


def vent_fan_frames(frames=6):
    out = []
    for f in range(frames):
        sp = S(2, 2)
        housing = D.modulate(D.flat(80, 80, (112, 118, 124)), D.pnoise(80, 80, 0.6, "fanhouse") * 0.04)
        sp.box(2, 2, 77, 77, housing, r=3)
        for cx, cy in ((7, 7), (72, 7), (7, 72), (72, 72)):
            sp.circle(cx, cy, 1.5, (60, 62, 66))
        sp.circle(39.5, 39.5, 33, (60, 64, 70))
        sp.circle(39.5, 39.5, 31, (16, 17, 20))
        base = f * (2 * math.pi / 3) / frames
        for b in range(3):
            a = base + b * 2 * math.pi / 3
            pts = []
            for k in range(9):
                t = k / 8
                ang = a + t * 0.55
                rr = 5 + t * 24
                pts.append((39.5 + math.cos(ang) * rr, 39.5 + math.sin(ang) * rr))
            for k in range(8, -1, -1):
                t = k / 8
                ang = a + t * 0.55 + 0.45 + t * 0.15
                rr = 5 + t * 24
                pts.append((39.5 + math.cos(ang) * rr, 39.5 + math.sin(ang) * rr))
            sp.poly(pts, (92, 98, 106))
            sp.poly(pts[:9] + [(39.5 + math.cos(a + 0.7) * 20, 39.5 + math.sin(a + 0.7) * 20)], (120, 126, 134))
        sp.circle(39.5, 39.5, 6, (54, 56, 60))
        sp.circle(39.5, 39.5, 3.5, (140, 144, 150))
        # safety grille
        for k in range(4):
            rr = 10 + k * 7
            sp.arc(39.5, 39.5, rr, 0, 360, 0.8, (150, 154, 160), 200)
        sp.line([(8, 39.5), (71, 39.5)], 1.2, (150, 154, 160))
        sp.line([(39.5, 8), (39.5, 71)], 1.2, (150, 154, 160))
        # hazard corner stripes
        for x in range(4, 18, 5):
            sp.line([(x, 74), (x + 4, 70)], 1.6, C.AMBER, 200)
        out.append(sp)
    return out


def electric_panel():
    sp = S(1, 1)
    sp.box(3, 4, 36, 33, (150, 154, 150), r=1.5)
    sp.rect(4, 29, 35, 34, (96, 100, 98), 1)
    sp.rect(18.5, 30, 21.5, 33, (40, 40, 44))
    # warning sign
    sp.poly([(19.5, 9), (27, 23), (12, 23)], (30, 30, 30))
    sp.poly([(19.5, 11), (25.4, 22), (13.6, 22)], C.AMBER)
    sp.poly([(20.5, 13), (17.5, 18), (20, 18), (18.5, 21.5), (22, 16.5), (19.5, 16.5)], (30, 30, 30))
    for x in (6, 9):
        sp.rect(x, 7, x + 1.8, 8.8, (200, 50, 40) if x == 6 else (70, 200, 90), 0.5)
    return sp


# ---------------------------------------------------------------- furniture

def desk_top(sp, x0, y0, x1, y1, tex, r=2):
    sp.box(x0, y0, x1, y1, tex, r=r, bevel=1.0)


def desk_small():
    sp = S(2, 1)
    desk_top(sp, 2, 3, 77, 36, D.wood(80, 40, P.OAK, "desk-small"))
    P.paper(sp, 18, 18, 11, 14, -0.2)
    P.paper(sp, 21, 20, 11, 14, 0.15)
    P.pen(sp, 30, 24, 34, 14)
    P.mug(sp, 62, 12)
    # small lamp
    sp.circle(50, 22, 5.5, (40, 44, 50))
    sp.circle(50, 22, 4.2, (230, 214, 170))
    sp.circle(50, 22, 1.6, (255, 250, 220))
    return sp


def desk():
    sp = S(3, 2)
    desk_top(sp, 2, 4, 117, 70, D.wood(120, 80, P.OAK, "desk"))
    # modesty panel line at the back and a cable grommet
    sp.circle(100, 12, 3, (50, 40, 30))
    sp.circle(100, 12, 2, (26, 24, 22))
    P.folder(sp, 26, 30, 22, 16, 0.1, (46, 74, 120))
    P.paper(sp, 30, 31, 17, 21, 0.22)
    P.paper(sp, 54, 46, 17, 21, -0.12)
    P.pen(sp, 64, 40, 70, 51)
    P.phone(sp, 92, 30)
    P.mug(sp, 16, 56, (60, 90, 130))
    P.paper(sp, 84, 54, 14, 10, 0.5, lines=False, tint=(236, 214, 96))
    return sp


def desk_computer():
    sp = S(3, 2)
    top = D.modulate(D.flat(120, 80, P.LAMINATE), D.pnoise(120, 80, 1.5, "dc") * 0.03)
    desk_top(sp, 2, 4, 117, 70, top)
    P.monitor(sp, 58, 9, 36)
    P.keyboard(sp, 44, 40, 28, 9)
    P.mouse(sp, 80, 45)
    sp.rect(76, 41, 86, 50, (58, 62, 74), 1, alpha=160)
    P.mouse(sp, 81, 45.5)
    P.paper(sp, 20, 36, 16, 20, -0.15)
    P.paper(sp, 24, 40, 16, 20, 0.1)
    P.mug(sp, 100, 30, (200, 200, 196))
    P.phone(sp, 100, 54)
    P.paper(sp, 12, 16, 8, 8, 0.3, lines=False, tint=(236, 214, 96))
    return sp


def desk_corner():
    sp = S(3, 3)
    tex = D.wood(120, 120, P.OAK, "deskcorner")
    m = sp.m_poly([(2, 4), (117, 4), (117, 60), (66, 60), (60, 66), (60, 117), (2, 117)])
    sp.paint(m, C.shade(P.OAK, 0.42))
    m2 = sp.m_poly([(3, 5), (116, 5), (116, 59), (65.6, 59), (59, 65.6), (59, 116), (3, 116)])
    sp.paint(m2, C.shade(P.OAK, 1.2))
    m3 = sp.m_poly([(4, 6), (116, 6), (116, 58), (65, 58), (58, 65), (58, 115), (4, 115)])
    sp.paint(m3, tex)
    P.monitor(sp, 30, 10, 32)
    P.keyboard(sp, 20, 36, 26, 8)
    P.mouse(sp, 52, 40)
    P.paper(sp, 90, 26, 16, 20, 0.2)
    P.paper(sp, 86, 30, 16, 20, -0.1)
    P.folder(sp, 28, 88, 20, 15, 1.4, (130, 40, 36))
    P.mug(sp, 46, 74)
    P.phone(sp, 18, 64)
    return sp


def exec_desk():
    sp = S(4, 2)
    tex = D.wood(160, 80, P.WALNUT, "execdesk", contrast=1.2)
    desk_top(sp, 2, 4, 157, 72, tex, r=3)
    # leather writing mat
    sp.rect(48, 30, 112, 64, (22, 44, 32), 2)
    sp.rect(49.5, 31.5, 110.5, 62.5, (40, 74, 54), 1.5)
    P.paper(sp, 76, 46, 16, 21, 0.05)
    P.pen(sp, 90, 38, 96, 56, (200, 170, 70))
    # banker's lamp
    sp.rect(16, 12, 36, 22, (176, 150, 70), 2)
    sp.ellipse(17, 12.5, 35, 21.5, (36, 110, 70))
    sp.ellipse(19, 14, 33, 17, (80, 160, 110))
    # laptop
    sp.rect(120, 24, 148, 44, (60, 62, 68), 1.5)
    sp.rect(121.5, 25.5, 146.5, 42.5, (150, 154, 160), 1)
    P.keyboard(sp, 124, 30, 20, 8, (70, 72, 80))
    # pen holder and nameplate
    sp.circle(22, 52, 4, (160, 150, 120))
    sp.circle(22, 52, 3, (40, 36, 30))
    P.pen(sp, 21, 51, 19, 47, (200, 40, 40))
    P.pen(sp, 23, 51, 25, 47, (30, 30, 30))
    sp.rect(62, 10, 98, 16, (176, 150, 70), 0.8)
    sp.rect(63, 11, 97, 15, (40, 30, 20), 0.6)
    P.mug(sp, 140, 58, (230, 230, 226))
    return sp


def meeting_table():
    sp = S(5, 3)
    tex = D.wood(200, 120, P.WALNUT, "meeting", contrast=1.2)
    sp.rect(6, 10, 193, 109, C.shade(P.WALNUT, 0.4), 48)
    sp.rect(7, 11, 192, 108, C.shade(P.WALNUT, 1.25), 47)
    sp.paint(sp.m_rect(8, 12.5, 191, 107, 46), tex)
    sp.rect(40, 54, 160, 66, (0, 0, 0), 6, alpha=40)
    sp.rect(41, 55, 159, 65, (150, 110, 70), 5, alpha=110)
    # conference phone
    sp.poly([(100, 50), (108, 64), (92, 64)], (28, 30, 34))
    sp.circle(100, 59, 2, (90, 200, 120))
    for cx, cy, a in ((40, 30, 0.2), (78, 26, -0.1), (124, 28, 0.1), (160, 32, -0.25),
                      (46, 90, -0.15), (84, 94, 0.2), (126, 92, -0.05), (164, 86, 0.3)):
        P.paper(sp, cx, cy, 13, 16, a)
    for cx, cy in ((58, 36), (142, 84), (104, 88)):
        sp.circle(cx, cy, 3, (190, 214, 224), 200)
        sp.circle(cx - 0.8, cy - 0.8, 1.2, (255, 255, 255), 200)
    sp.rect(18, 52, 34, 66, (40, 42, 48), 1)
    sp.rect(19, 53, 33, 65, (140, 146, 156), 1)
    return sp


def reception_desk():
    sp = S(4, 2)
    # U-shaped counter, open at the back (top), visitors in front (bottom)
    outer = [(2, 4), (30, 4), (30, 40), (36, 48), (124, 48), (130, 40), (130, 4), (157, 4), (157, 56),
             (146, 74), (14, 74), (2, 56)]
    sp.poly(outer, (40, 38, 36))
    wood = D.wood(160, 80, P.WALNUT, "reception", vertical=False)
    inner = [(3, 5), (29, 5), (29, 41), (35.5, 49), (124.5, 49), (131, 41), (131, 5), (156, 5), (156, 55.7),
             (145.4, 73), (14.6, 73), (3, 55.7)]
    sp.paint(sp.m_poly(inner), wood)
    top = [(5, 6), (27, 6), (27, 42), (34, 51), (126, 51), (133, 42), (133, 6), (154, 6), (154, 55),
           (144, 68), (16, 68), (5, 55)]
    sp.poly(top, (208, 204, 194))
    sp.line([(16, 66.5), (144, 66.5)], 1.2, (236, 234, 228))
    P.monitor(sp, 80, 22, 34)
    P.keyboard(sp, 68, 38, 24, 7)
    P.paper(sp, 20, 28, 12, 15, 0.2)
    P.phone(sp, 142, 26)
    # visitor book and a small bell
    sp.rect(56, 55, 76, 64, (120, 36, 36), 1)
    sp.rect(66, 55, 67, 64, (230, 220, 200))
    sp.circle(112, 59, 3.5, (200, 170, 80))
    sp.circle(111, 58, 1.5, (255, 230, 150))
    return sp


def chair(col=P.FABRIC_BLUE):
    """Swivel chair facing up (backrest at the bottom)."""
    sp = S(1, 1)
    for k in range(5):
        a = -math.pi / 2 + k * 2 * math.pi / 5
        x, y = 20 + math.cos(a) * 16.5, 20 + math.sin(a) * 16.5
        sp.line([(20, 20), (x, y)], 2.6, (30, 32, 36))
        sp.circle(x, y, 2.0, (20, 20, 24))
    sp.rect(7, 7, 33, 31, C.shade(col, 0.45), 7)
    sp.rect(8, 8, 32, 30, col, 6.5)
    sp.rect(10, 9, 30, 24, C.shade(col, 1.15), 5)
    sp.rect(12, 10, 28, 13, C.shade(col, 1.3), 2)
    # armrests
    for x in (4, 32):
        sp.rect(x, 12, x + 4, 27, (30, 32, 36), 1.8)
        sp.rect(x + 0.7, 12.7, x + 3.3, 17, (74, 76, 84), 1.2)
    # backrest
    sp.rect(6.5, 27, 33.5, 36.5, C.shade(col, 0.4), 3.5)
    sp.rect(7.5, 28, 32.5, 35.5, C.shade(col, 0.85), 3)
    sp.rect(9, 28.6, 31, 30.8, C.shade(col, 1.12), 1.5)
    return sp


def armchair():
    sp = S(2, 2)
    col = P.LEATHER
    sp.rect(6, 8, 74, 74, C.shade(col, 0.4), 10)
    sp.rect(7, 9, 73, 73, col, 9.5)
    # arms
    for x0 in (8, 58):
        sp.rect(x0, 12, x0 + 14, 70, C.shade(col, 1.2), 6)
        sp.rect(x0 + 2, 14, x0 + 12, 24, C.shade(col, 1.45), 4)
    # backrest at the bottom (faces up)
    sp.rect(9, 56, 71, 72, C.shade(col, 1.1), 7)
    sp.rect(12, 58, 68, 62, C.shade(col, 1.35), 2)
    # seat cushion
    sp.rect(22, 14, 58, 55, C.shade(col, 0.7), 5)
    sp.rect(23, 15, 57, 54, C.shade(col, 1.05), 4.5)
    sp.rect(25, 16, 55, 22, C.shade(col, 1.3), 3)
    return sp


def sofa():
    sp = S(4, 2)
    col = P.FABRIC_GREY
    sp.rect(4, 6, 156, 74, C.shade(col, 0.42), 8)
    sp.rect(5, 7, 155, 73, col, 7.5)
    # back along the top edge (faces down)
    sp.rect(6, 8, 154, 24, C.shade(col, 1.1), 6)
    sp.rect(8, 9, 152, 13, C.shade(col, 1.35), 3)
    # arms
    for x0 in (6, 138):
        sp.rect(x0, 10, x0 + 16, 72, C.shade(col, 1.15), 6)
        sp.rect(x0 + 2, 12, x0 + 14, 18, C.shade(col, 1.4), 3)
    # three seat cushions
    for i in range(3):
        x0 = 23 + i * 38.3
        sp.rect(x0, 24, x0 + 37, 70, C.shade(col, 0.6), 4)
        sp.rect(x0 + 1, 25, x0 + 36, 69, C.shade(col, 1.0), 3.5)
        sp.rect(x0 + 3, 26, x0 + 34, 31, C.shade(col, 1.22), 2)
    # a cushion thrown in the corner
    sp.poly(P.rot_rect(34, 34, 18, 16, 0.5), C.shade(C.AMBER, 0.65))
    sp.poly(P.rot_rect(34, 34, 14, 12, 0.5), C.shade(C.AMBER, 0.8))
    return sp


def coffee_table():
    sp = S(2, 1)
    for cx, cy in ((8, 8), (72, 8), (8, 32), (72, 32)):
        sp.rect(cx - 2.5, cy - 2.5, cx + 2.5, cy + 2.5, (150, 154, 160), 1)
    sp.rect(5, 5, 75, 35, (40, 60, 66), 2, alpha=200)
    sp.rect(6, 6, 74, 34, C.GLASS, 2, alpha=120)
    sp.line([(12, 30), (26, 10)], 1.2, (255, 255, 255), 120)
    sp.line([(18, 30), (30, 13)], 0.8, (255, 255, 255), 90)
    P.paper(sp, 50, 20, 14, 18, 0.3, lines=False, tint=(190, 70, 60))
    P.paper(sp, 52, 21, 12, 8, 0.3, lines=False, tint=(230, 226, 210))
    P.mug(sp, 30, 24, (240, 240, 236))
    return sp


def computer():
    sp = S(1, 1)
    sp.box(3, 4, 37, 36, D.modulate(D.flat(40, 40, (104, 108, 112)), D.pnoise(40, 40, 1, "comp") * 0.03), r=1.5)
    P.monitor(sp, 20, 6, 26)
    P.keyboard(sp, 8, 22, 20, 7)
    P.mouse(sp, 32, 25)
    # tower on the floor corner
    sp.rect(26, 9, 36, 20, (30, 32, 36), 1)
    sp.rect(27, 10, 35, 19, (56, 58, 64), 1)
    sp.circle(31, 17, 0.9, (80, 220, 120))
    return sp


def printer():
    sp = S(1, 1)
    sp.box(4, 6, 36, 33, (170, 172, 170), r=2.5)
    sp.rect(8, 10, 32, 19, (60, 62, 66), 1.5)
    sp.rect(9, 11, 31, 14, (34, 36, 40), 1)
    # printed sheet in the output tray
    P.paper(sp, 20, 15, 16, 7, 0.0)
    sp.rect(25, 23, 33, 29, (40, 44, 50), 1)
    sp.rect(26, 24, 32, 26, (100, 170, 130), 0.5)
    sp.circle(10, 27, 1.3, (80, 220, 110))
    sp.rect(6, 31, 34, 35, (90, 92, 94), 1)
    return sp


def copier():
    sp = S(2, 2)
    body = D.modulate(D.flat(80, 80, (182, 184, 180)), D.pnoise(80, 80, 1, "copier") * 0.03)
    sp.box(4, 6, 70, 72, body, r=3)
    # lid and platen handle
    sp.rect(8, 10, 60, 46, (120, 124, 126), 2)
    sp.rect(9, 11, 59, 45, (164, 168, 166), 2)
    sp.rect(24, 43, 44, 46, (70, 72, 76), 1)
    # document feeder tray with originals
    P.paper(sp, 32, 24, 26, 20, 0.0)
    # control panel with screen
    sp.rect(8, 52, 50, 66, (52, 56, 62), 2)
    sp.rect(10, 54, 26, 64, (60, 110, 150), 1)
    sp.rect(11, 55, 25, 57, (150, 200, 230), 0.5)
    for i in range(3):
        for j in range(2):
            sp.rect(30 + i * 5, 55 + j * 5, 33 + i * 5, 58 + j * 5, (170, 174, 180), 0.8)
    sp.circle(47, 59, 2, (80, 210, 110))
    # output tray sticking out on the right
    sp.rect(66, 20, 78, 52, (90, 92, 96), 1.5)
    sp.rect(67, 21, 77, 51, (150, 152, 150), 1.5)
    P.paper(sp, 70, 36, 9, 24, 0.05, lines=False)
    P.paper(sp, 71, 37, 9, 24, -0.06, lines=False)
    return sp


def water_cooler():
    sp = S(1, 1)
    sp.box(6, 6, 34, 35, (196, 198, 196), r=3)
    sp.rect(11, 29, 29, 34, (120, 124, 128), 1)
    sp.circle(15, 32, 1.4, (60, 120, 220))
    sp.circle(25, 32, 1.4, (210, 60, 50))
    # water bottle seen from above
    sp.circle(20, 18, 11.5, (40, 80, 120), 220)
    sp.circle(20, 18, 10.5, (90, 150, 200), 200)
    sp.circle(20, 18, 7.5, (120, 180, 220), 160)
    sp.circle(20, 18, 3.2, (50, 100, 160))
    sp.circle(16.5, 14.5, 2.5, (235, 245, 255), 170)
    return sp


def plant():
    sp = S(1, 1)
    sp.circle(20, 20, 11, (54, 56, 60))
    sp.circle(20, 20, 10, (96, 98, 104))
    sp.circle(20, 20, 8.4, (56, 42, 30))
    P.leaf_cluster(sp, 20, 20, 17, "plant", n=26)
    return sp


def palm():
    sp = S(2, 2)
    sp.rect(21, 21, 59, 59, (40, 42, 46), 3)
    sp.rect(22, 22, 58, 58, (110, 112, 118), 3)
    sp.rect(25, 25, 55, 55, (60, 46, 34), 2)
    r = D.nprng("palm")
    for k in range(9):
        a = k * 2 * math.pi / 9 + r.uniform(-0.2, 0.2)
        L = r.uniform(28, 36)
        col = [C.GREEN, C.GREEN_LIGHT, (84, 124, 80), C.GREEN_DARK][k % 4]
        ca, sa = math.cos(a), math.sin(a)
        # midrib
        tip = (40 + ca * L, 40 + sa * L)
        for i in range(1, 12):
            t = i / 12
            bx, by = 40 + ca * L * t, 40 + sa * L * t
            ll = 7 * math.sin(math.pi * (0.15 + 0.85 * t)) + 1
            for side in (-1, 1):
                ang = a + side * 1.0
                ex, ey = bx + math.cos(ang + side * 0.3) * ll, by + math.sin(ang + side * 0.3) * ll
                sp.line([(bx, by), (ex, ey)], 1.4, col)
        sp.line([(40, 40), tip], 1.0, C.shade(col, 0.6))
    sp.circle(40, 40, 4, (92, 70, 46))
    return sp


def cabinet():
    sp = S(1, 1)
    body = D.modulate(D.flat(40, 40, (120, 126, 132)), D.pnoise(40, 40, 0.6, "cab") * 0.04)
    sp.box(3, 3, 37, 35, body, r=1.5)
    sp.rect(4, 31, 36, 36, (70, 74, 80), 1)
    sp.rect(15, 32, 25, 34.5, (190, 194, 200), 0.8)
    sp.line([(7, 8), (33, 8)], 0.6, (150, 156, 162))
    P.folder(sp, 17, 18, 14, 10, -0.3, (190, 160, 70))
    sp.rect(25, 10, 33, 16, (60, 64, 70), 1)
    return sp


def shelf():
    sp = S(2, 1)
    tex = D.wood(80, 40, P.OAK, "shelf")
    sp.box(2, 4, 78, 34, tex, r=1.5)
    for x0, x1 in ((5, 28), (30, 52), (54, 75)):
        sp.rect(x0, 7, x1, 31, (36, 26, 18), 1)
        P.books_row(sp, x0 + 0.5, 8, x1 - 0.5, 30, "shelf%d" % x0)
    return sp


def glass_partition():
    sp = S(1, 1)
    sp.rect(0, 17.5, 40, 22.5, (30, 50, 60), alpha=160)
    sp.rect(0, 18.3, 40, 21.7, C.GLASS, alpha=190)
    sp.rect(0, 18.6, 40, 19.4, (235, 248, 255), alpha=170)
    for x in (6, 34):
        sp.rect(x - 2.5, 16, x + 2.5, 24, (60, 64, 70), 1)
        sp.rect(x - 1.8, 16.7, x + 1.8, 18.5, (170, 176, 182), 0.6)
    return sp


def vending_machine():
    sp = S(2, 1)
    sp.box(3, 3, 77, 36, (150, 40, 38), r=2.5)
    sp.rect(8, 7, 72, 14, (110, 26, 26), 1)
    sp.rect(10, 9, 46, 12, (230, 226, 214), 0.5)
    # lit glass front with rows of cans
    sp.rect(6, 20, 58, 35.5, (26, 28, 32), 1)
    sp.rect(7, 21, 57, 34.5, (200, 226, 236), 1)
    cols = [(200, 40, 40), (40, 110, 200), (240, 200, 60), (60, 170, 90), (230, 230, 230)]
    for i in range(8):
        for j in range(2):
            cx, cy = 10.5 + i * 6.2, 25 + j * 6
            sp.circle(cx, cy, 2.4, cols[(i + j * 3) % len(cols)])
            sp.circle(cx - 0.6, cy - 0.6, 0.8, (255, 255, 255), 180)
    sp.rect(61, 20, 73, 35.5, (60, 20, 20), 1)
    sp.rect(63, 22, 71, 26, (20, 20, 22), 0.5)
    sp.rect(64, 23, 70, 25, (90, 230, 120))
    sp.rect(65, 29, 69, 33, (180, 170, 150), 0.5)
    return sp


def kitchen_counter():
    sp = S(2, 1)
    stone = D.modulate(D.flat(80, 40, (170, 168, 160)), D.pnoise(80, 40, 0.7, "counter") * 0.05
                       + D.speckle(80, 40, "counter-s", 0.08, 0.10))
    sp.box(1, 3, 79, 37, stone, r=1.5)
    # sink with tap
    sp.rect(8, 9, 36, 32, (80, 84, 90), 3)
    sp.rect(9.5, 10.5, 34.5, 30.5, (150, 156, 162), 2.5)
    sp.rect(11, 12, 33, 29, (120, 126, 132), 2)
    sp.circle(22, 21, 1.6, (60, 62, 66))
    sp.rect(20.5, 5, 23.5, 12, (190, 194, 198), 1)
    sp.circle(22, 6, 2.2, (200, 204, 208))
    # coffee machine and kettle
    sp.rect(46, 7, 62, 24, (30, 32, 36), 2)
    sp.rect(48, 9, 60, 14, (60, 62, 68), 1)
    sp.circle(54, 19, 3, (200, 200, 196))
    sp.circle(54, 19, 2, (70, 44, 28))
    sp.circle(70, 16, 5.5, (200, 202, 206))
    sp.circle(70, 16, 4, (170, 174, 180))
    sp.rect(74, 14, 77, 18, (40, 42, 46), 1)
    P.mug(sp, 58, 31, (60, 120, 80))
    P.mug(sp, 67, 30, (220, 220, 216))
    return sp


def fridge():
    sp = S(1, 1)
    sp.box(4, 3, 36, 35, (206, 208, 206), r=2.5)
    sp.rect(5, 31, 35, 36, (150, 152, 152), 1)
    sp.rect(8, 32, 32, 34, (100, 104, 108), 1)
    sp.rect(8, 7, 32, 27, (230, 232, 230), 2, alpha=140)
    # fridge magnets and a note
    P.paper(sp, 14, 13, 8, 9, -0.2, lines=True, tint=(240, 226, 120))
    sp.circle(26, 20, 1.6, (200, 50, 40))
    sp.circle(22, 24, 1.6, (50, 110, 200))
    return sp


def trash_bin():
    sp = S(1, 1)
    sp.circle(20, 20, 10, (40, 42, 46))
    sp.circle(20, 20, 9, (84, 88, 94))
    sp.circle(20, 20, 7.4, (30, 32, 36))
    for cx, cy, rr in ((18, 18, 3.2), (22.5, 21, 2.8), (17.5, 23, 2.4)):
        sp.circle(cx, cy, rr, (200, 198, 190))
        sp.arc(cx, cy, rr * 0.6, 30, 220, 0.5, (140, 140, 136))
    return sp


def floor_lamp():
    sp = S(1, 1)
    sp.circle(20, 20, 14, (255, 230, 160), 40)
    sp.glow(20, 20, 30, (255, 220, 150), 90)
    sp.circle(20, 20, 11, (170, 150, 110))
    sp.circle(20, 20, 10, (236, 224, 196))
    sp.circle(20, 20, 6, (255, 246, 214))
    sp.circle(20, 20, 2.2, (255, 255, 240))
    return sp


def security_console_frames(frames=4):
    r = D.nprng("console")
    out = []
    feeds = r.randint(0, 1000, size=(frames, 3))
    for f in range(frames):
        sp = S(3, 2)
        sp.rect(2, 4, 118, 60, (26, 28, 32), 4)
        sp.rect(3, 5, 117, 59, (62, 66, 72), 3.5)
        sp.rect(3, 5, 117, 8, (92, 96, 102), 2)
        sp.rect(20, 56, 100, 74, (26, 28, 32), 3)
        sp.rect(21, 57, 99, 73, (62, 66, 72), 2.5)
        for i in range(3):
            x0 = 6 + i * 37
            rr = D.nprng("feed%d" % feeds[f, i])
            sp.glow(x0 + 16, 34, 30, P.SCREEN_GLOW, 70)
            sp.rect(x0, 8, x0 + 33, 31, (14, 14, 16), 1.5)
            sp.rect(x0 + 1.5, 9.5, x0 + 31.5, 29.5, (20, 40, 36))
            # a camera picture: corridor in perspective, room blocks, a figure
            tone = (60, 120, 100) if i != 1 else (70, 110, 140)
            sp.poly([(x0 + 8, 29.5), (x0 + 13, 15), (x0 + 20, 15), (x0 + 25, 29.5)], C.shade(tone, 0.7))
            for k in range(rr.randint(2, 4)):
                bx = x0 + 2 + rr.uniform(0, 24)
                by = 11 + rr.uniform(0, 12)
                sp.rect(bx, by, bx + rr.uniform(3, 7), by + rr.uniform(2, 6), C.shade(tone, rr.uniform(0.9, 1.4)))
            if rr.random_sample() < 0.6:
                fx, fy = x0 + 10 + rr.uniform(0, 12), 17 + rr.uniform(0, 6)
                sp.circle(fx, fy, 1.4, (200, 230, 210))
                sp.rect(fx - 1.5, fy + 1.3, fx + 1.5, fy + 6, (170, 200, 180), 0.8)
            for y in range(10, 29, 2):
                sp.rect(x0 + 1.5, y, x0 + 31.5, y + 0.6, (0, 0, 0), alpha=50)
            if f % 2 == i % 2:
                sp.circle(x0 + 29, 12, 0.9, (230, 60, 50))
            sp.rect(x0 + 1.5, 9.5, x0 + 31.5, 11, (255, 255, 255), alpha=30)
        P.keyboard(sp, 46, 40, 28, 8)
        P.mouse(sp, 80, 44)
        P.phone(sp, 24, 45)
        sp.rect(90, 39, 108, 52, (30, 32, 36), 1.5)
        for i in range(4):
            sp.rect(92 + i * 4, 43, 94.5 + i * 4, 49, (120, 124, 130), 0.5)
            sp.rect(92 + i * 4, 44 + (i * 3 + f) % 4, 94.5 + i * 4, 45.5 + (i * 3 + f) % 4, (220, 220, 210), 0.3)
        P.mug(sp, 36, 66, (80, 80, 86))
        P.paper(sp, 70, 65, 14, 11, 0.15)
        out.append(sp)
    return out


def aquarium_frames(frames=4):
    out = []
    r = D.nprng("aquarium")
    fish = [(r.uniform(20, 100), r.uniform(12, 28), r.uniform(0, 6.28), [(230, 120, 40), (240, 200, 60),
             (90, 170, 220), (220, 70, 60)][k % 4]) for k in range(6)]
    for f in range(frames):
        sp = S(3, 1)
        sp.rect(2, 3, 118, 37, (30, 34, 40), 2)
        sp.rect(3.5, 4.5, 116.5, 35.5, (40, 96, 110), 1)
        gravel = D.modulate(D.flat(120, 40, (150, 132, 100)), D.speckle(120, 40, "gravel", 0.5, 0.3))
        sp.paint(sp.m_rect(3.5, 27, 116.5, 35.5, 1), gravel, 200)
        for k in range(5):
            x = 12 + k * 24
            P.leaf_cluster(sp, x, 30, 8, "aqplant%d" % k, n=8, leaf=(6, 2))
        ph = f * 2 * math.pi / frames
        for (x, y, p, col) in fish:
            fx = x + math.sin(ph + p) * 5
            d = 1 if math.cos(ph + p) > 0 else -1
            sp.ellipse(fx - 3, y - 1.5, fx + 3, y + 1.5, col)
            sp.poly([(fx - 3 * d, y), (fx - 5.5 * d, y - 1.8), (fx - 5.5 * d, y + 1.8)], col)
            sp.circle(fx + 1.8 * d, y - 0.3, 0.5, (20, 20, 20))
        for k in range(4):
            by = 30 - ((f * 6 + k * 7) % 24)
            sp.circle(104 + (k % 2) * 3, by, 0.9, (220, 240, 255), 200)
        sp.rect(3.5, 4.5, 116.5, 35.5, (120, 200, 220), 1, alpha=50)
        sp.rect(3.5, 4.5, 116.5, 6, (230, 250, 255), 1, alpha=90)
        out.append(sp)
    return out


# --------------------------------------------------------------- decoration

def rug():
    sp = S(4, 3)
    for y in range(10, 110, 2):
        sp.line([(4, y + 0.5), (8, y + 0.5)], 0.5, (200, 190, 160))
        sp.line([(152, y + 0.5), (156, y + 0.5)], 0.5, (200, 190, 160))
    sp.rect(8, 8, 152, 112, (86, 34, 36), 1)
    sp.rect(12, 12, 148, 108, (176, 150, 100), 1)
    sp.rect(15, 15, 145, 105, (60, 46, 66), 1)
    sp.rect(22, 22, 138, 98, (120, 44, 44), 1)
    pts = [(80, 32), (118, 60), (80, 88), (42, 60)]
    sp.poly(pts, (176, 150, 100))
    sp.poly([(80, 38), (110, 60), (80, 82), (50, 60)], (52, 70, 96))
    sp.poly([(80, 50), (94, 60), (80, 70), (66, 60)], (176, 150, 100))
    for cx, cy in ((34, 34), (126, 34), (34, 86), (126, 86)):
        sp.poly([(cx, cy - 6), (cx + 6, cy), (cx, cy + 6), (cx - 6, cy)], (176, 150, 100))
    sp.texture_over(D.pnoise(160, 120, 0.5, "rug") * 0.08)
    return sp


def rug_round():
    sp = S(3, 3)
    sp.circle(60, 60, 56, (40, 56, 74))
    sp.circle(60, 60, 52, (150, 140, 120))
    sp.circle(60, 60, 49, (56, 78, 102))
    for k in range(12):
        a = k * math.pi / 6
        sp.circle(60 + math.cos(a) * 38, 60 + math.sin(a) * 38, 5, (150, 140, 120))
    sp.circle(60, 60, 24, (150, 140, 120))
    sp.circle(60, 60, 20, (110, 60, 50))
    sp.circle(60, 60, 8, (150, 140, 120))
    sp.texture_over(D.pnoise(120, 120, 0.5, "rugr") * 0.08)
    return sp


def papers():
    sp = S(1, 1)
    P.paper(sp, 14, 15, 13, 17, 0.5)
    P.paper(sp, 26, 22, 13, 17, -0.35)
    P.paper(sp, 16, 28, 12, 16, 1.2)
    sp.circle(30, 9, 3.2, (210, 206, 196))
    sp.arc(30, 9, 2, 20, 250, 0.6, (150, 150, 146))
    return sp


def cables():
    """Cable run crossing the cell from edge to edge, so runs join up."""
    sp = S(1, 1)
    for y, col, amp, ph in ((17, (30, 30, 34), 2.0, 0.0), (21, (40, 60, 110), 2.5, 1.8), (24, (150, 40, 36), 1.6, 3.5)):
        pts = [(x, y + amp * math.sin(x * 2 * math.pi / 40 + ph) - amp * math.sin(ph)) for x in range(0, 41, 2)]
        sp.line([(x + 0.5, yy + 1) for x, yy in pts], 2.2, (0, 0, 0), 60)
        sp.line(pts, 2.0, col)
        sp.line([(x, yy - 0.5) for x, yy in pts], 0.5, C.shade(col, 1.8), 140)
    sp.rect(28, 15, 34, 27, (50, 52, 56), 1)
    sp.rect(29, 16, 33, 18, (110, 114, 120), 0.5)
    return sp


def door_mat():
    sp = S(2, 1)
    sp.rect(5, 6, 75, 34, (48, 44, 40), 2)
    coir = D.modulate(D.flat(80, 40, (140, 110, 70)), D.speckle(80, 40, "mat", 0.6, 0.25)
                      + D.pnoise(80, 40, 0.5, "mat2") * 0.05)
    sp.paint(sp.m_rect(8, 9, 72, 31, 1), coir)
    for x in range(12, 70, 6):
        sp.rect(x, 10, x + 0.8, 30, (110, 84, 52), alpha=120)
    return sp


# -------------------------------------------------------- wreck decorations

def puddle(name, area):
    def extra(sp, r):
        x0, y0, x1, y1 = area
        for k in range(5):
            cx, cy = r.uniform(x0, x1), r.uniform(y0, y1)
            rx, ry = r.uniform(5, 12), r.uniform(4, 9)
            sp.ellipse(cx - rx, cy - ry, cx + rx, cy + ry, (70, 120, 150), 110)
        sp.ellipse((x0 + x1) / 2 - 4, (y0 + y1) / 2 - 2, (x0 + x1) / 2 + 2, (y0 + y1) / 2 + 1, (220, 240, 255), 90)
    return extra


def soil(name, area):
    def extra(sp, r):
        x0, y0, x1, y1 = area
        for k in range(14):
            cx, cy = r.uniform(x0, x1), r.uniform(y0, y1)
            rr = r.uniform(1.5, 4.5)
            sp.circle(cx, cy, rr, (64, 46, 32), 220)
        for k in range(5):
            cx, cy = r.uniform(x0, x1), r.uniform(y0, y1)
            a = r.uniform(0, 6.28)
            sp.poly(P.rot_rect(cx, cy, 7, 2.6, a), C.GREEN)
    return extra


def glass_bits(name, area):
    def extra(sp, r):
        x0, y0, x1, y1 = area
        for k in range(40):
            cx, cy = r.uniform(x0, x1), r.uniform(y0, y1)
            s = r.uniform(0.8, 2.6)
            a = r.uniform(0, 6.28)
            pts = [(cx + math.cos(a + i * 2.2) * s, cy + math.sin(a + i * 2.2) * s) for i in range(3)]
            sp.poly(pts, (190, 225, 235), 200)
            sp.circle(cx, cy, 0.4, (255, 255, 255), 220)
    return extra


def paper_bits(name, area):
    def extra(sp, r):
        x0, y0, x1, y1 = area
        for k in range(min(4, max(1, int((x1 - x0) * (y1 - y0) / 3500)))):
            cx, cy = r.uniform(x0 + 4, x1 - 4), r.uniform(y0 + 4, y1 - 4)
            P.paper(sp, cx, cy, r.uniform(5, 8), r.uniform(6, 10), r.uniform(0, 6.28), lines=False,
                    tint=C.shade(C.PAPER, 0.85))
    return extra


def cans(name, area):
    def extra(sp, r):
        x0, y0, x1, y1 = area
        cols = [(200, 40, 40), (40, 110, 200), (240, 200, 60), (60, 170, 90)]
        for k in range(9):
            cx, cy = r.uniform(x0, x1), r.uniform(y0, y1)
            a = r.uniform(0, 6.28)
            sp.poly(P.rot_rect(cx, cy, 6, 3.4, a), cols[k % 4])
            sp.poly(P.rot_rect(cx + math.cos(a) * 2.6, cy + math.sin(a) * 2.6, 0.9, 3.4, a), (200, 200, 204))
    return extra


def sparks(name, area):
    def extra(sp, r):
        x0, y0, x1, y1 = area
        for k in range(3):
            cx, cy = r.uniform(x0, x1), r.uniform(y0, y1)
            sp.circle(cx, cy, r.uniform(4, 9), (20, 18, 16), 120)
    return extra
