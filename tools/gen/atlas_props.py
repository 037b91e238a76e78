"""Small things that lie on furniture (papers, mugs, keyboards, monitors,
books, lamps) and the materials furniture is made of."""
import math

import atlas_draw as D
import common as C

OAK = (164, 122, 80)
WALNUT = (98, 64, 42)
LAMINATE = (132, 136, 138)
STEEL_GREY = (112, 116, 122)
DARK_PLASTIC = (38, 40, 46)
FABRIC_BLUE = (58, 74, 98)
FABRIC_GREEN = (66, 92, 74)
FABRIC_GREY = (84, 86, 92)
LEATHER = (86, 50, 36)
WHITE_BODY = (196, 196, 190)
SCREEN_GLOW = (110, 170, 220)


def rot_rect(cx, cy, w, h, a):
    ca, sa = math.cos(a), math.sin(a)
    pts = []
    for dx, dy in ((-w / 2, -h / 2), (w / 2, -h / 2), (w / 2, h / 2), (-w / 2, h / 2)):
        pts.append((cx + dx * ca - dy * sa, cy + dx * sa + dy * ca))
    return pts


def paper(sp, cx, cy, w, h, a, lines=True, tint=None):
    col = tint or C.PAPER
    sp.poly([(x + 0.6, y + 0.8) for x, y in rot_rect(cx, cy, w, h, a)], (0, 0, 0), 60)
    sp.poly(rot_rect(cx, cy, w, h, a), col)
    if lines and w > 6 and h > 7:
        ca, sa = math.cos(a), math.sin(a)
        for k in range(int(h // 2.5) - 1):
            oy = -h / 2 + 2.2 + k * 2.2
            if oy > h / 2 - 2:
                break
            lw = w * (0.75 if k % 3 else 0.5)
            x0, x1 = -w / 2 + 1.5, -w / 2 + 1.5 + lw - 2
            p0 = (cx + x0 * ca - oy * sa, cy + x0 * sa + oy * ca)
            p1 = (cx + x1 * ca - oy * sa, cy + x1 * sa + oy * ca)
            sp.line([p0, p1], 0.45, (120, 124, 134))


def folder(sp, cx, cy, w, h, a, col):
    sp.poly([(x + 0.6, y + 0.8) for x, y in rot_rect(cx, cy, w, h, a)], (0, 0, 0), 70)
    sp.poly(rot_rect(cx, cy, w, h, a), col)
    sp.poly(rot_rect(cx, cy, w - 2, h - 2, a), C.shade(col, 1.15))


def mug(sp, cx, cy, col=(180, 60, 50)):
    sp.circle(cx + 0.5, cy + 0.7, 2.8, (0, 0, 0), 70)
    sp.rect(cx + 1.8, cy - 0.8, cx + 4.0, cy + 0.8, C.shade(col, 0.8), 0.7)
    sp.circle(cx, cy, 2.6, col)
    sp.circle(cx, cy, 1.8, (58, 36, 24))


def keyboard(sp, x0, y0, w, h, col=(44, 46, 52)):
    sp.rect(x0, y0, x0 + w, y0 + h, C.shade(col, 0.6), 1)
    sp.rect(x0 + 0.5, y0 + 0.5, x0 + w - 0.5, y0 + h - 0.5, col, 0.8)
    rows = max(2, int(h // 1.8))
    for j in range(rows):
        y = y0 + 1.2 + j * (h - 2.4) / rows
        sp.rect(x0 + 1.2, y, x0 + w - 1.2, y + (h - 2.4) / rows - 0.5, C.shade(col, 1.45))
    for i in range(1, int(w // 2.4)):
        x = x0 + 1.2 + i * 2.4
        sp.rect(x - 0.25, y0 + 1, x + 0.25, y0 + h - 1, C.shade(col, 0.9))


def mouse(sp, cx, cy):
    sp.ellipse(cx - 1.4, cy - 2.0, cx + 1.4, cy + 2.0, (60, 62, 68))
    sp.ellipse(cx - 0.9, cy - 1.6, cx + 0.9, cy - 0.2, (96, 98, 104))


def monitor(sp, cx, y_back, w, glow=True):
    """Flat screen seen from above: stand foot behind, thin slab, screen
    light spilling on the desk in front."""
    if glow:
        sp.glow(cx, y_back + 7, w * 0.9, SCREEN_GLOW, 70)
    sp.ellipse(cx - 4, y_back - 3, cx + 4, y_back + 1.5, (50, 52, 58))
    sp.rect(cx - 1.2, y_back - 1, cx + 1.2, y_back + 2, (40, 42, 48))
    sp.rect(cx - w / 2, y_back + 1.5, cx + w / 2, y_back + 4.5, (22, 24, 28), 1)
    sp.rect(cx - w / 2 + 1, y_back + 3.4, cx + w / 2 - 1, y_back + 4.4, (70, 110, 150))


def phone(sp, cx, cy):
    sp.rect(cx - 4, cy - 3, cx + 4, cy + 3, (34, 36, 40), 1.2)
    sp.rect(cx - 3.5, cy - 2.6, cx + 3.5, cy - 0.8, (20, 20, 24), 1)
    for i in range(3):
        for j in range(2):
            sp.rect(cx - 2 + i * 1.5, cy + 0.2 + j * 1.2, cx - 1.2 + i * 1.5, cy + 0.9 + j * 1.2, (140, 144, 150))


def pen(sp, x0, y0, x1, y1, col=(30, 60, 150)):
    sp.line([(x0, y0), (x1, y1)], 0.9, col)


def books_row(sp, x0, y0, x1, y1, name, vertical=False):
    """Book tops standing in a row (seen from above: coloured slivers)."""
    r = D.nprng(name)
    cols = [(120, 40, 36), (46, 70, 110), (64, 96, 70), (170, 140, 80), (90, 90, 96), (140, 110, 70),
            (70, 50, 80), (180, 170, 150)]
    if not vertical:
        x = x0
        while x < x1 - 1:
            t = r.uniform(1.8, 3.6)
            d = r.uniform(0.75, 1.0) * (y1 - y0)
            col = cols[r.randint(len(cols))]
            sp.rect(x, y1 - d, min(x + t, x1), y1, col)
            sp.rect(x, y1 - d, min(x + t, x1) - 0.4, y1 - d + 0.8, C.shade(col, 1.35))
            x += t + 0.3
    else:
        y = y0
        while y < y1 - 1:
            t = r.uniform(1.8, 3.6)
            d = r.uniform(0.75, 1.0) * (x1 - x0)
            col = cols[r.randint(len(cols))]
            sp.rect(x0, y, x0 + d, min(y + t, y1), col)
            y += t + 0.3


def leaf_cluster(sp, cx, cy, radius, name, n=22, greens=None, leaf=(7, 3.2)):
    """A bushy plant top: overlapping pointed leaves radiating from a centre."""
    r = D.nprng(name)
    greens = greens or [C.GREEN_DARK, C.GREEN, C.GREEN_LIGHT, (88, 128, 84), (54, 90, 62)]
    for k in range(n):
        a = r.uniform(0, 2 * math.pi)
        d = r.uniform(0.25, 1.0) * radius
        L = leaf[0] * r.uniform(0.8, 1.25)
        W = leaf[1] * r.uniform(0.8, 1.2)
        x = cx + math.cos(a) * (d - L / 2)
        y = cy + math.sin(a) * (d - L / 2)
        ca, sa = math.cos(a), math.sin(a)
        pts = [(x - ca * L / 2, y - sa * L / 2), (x - sa * W / 2, y + ca * W / 2),
               (x + ca * L / 2, y + sa * L / 2), (x + sa * W / 2, y - ca * W / 2)]
        col = greens[r.randint(len(greens))]
        sp.poly([(px + 0.8, py + 1.0) for px, py in pts], (10, 20, 12), 70)
        sp.poly(pts, col)
        sp.line([(x - ca * L * 0.4, y - sa * L * 0.4), (x + ca * L * 0.4, y + sa * L * 0.4)], 0.35,
                C.shade(col, 1.3), 160)
