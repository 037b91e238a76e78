"""Floor tiles and wall blocks of the world atlas. Every picture here repeats
seamlessly: a tile's texture has the tile's own size as its period, so any two
neighbours of the same type join without a visible edge. Wall blocks also
keep their patterns symmetric enough to meet turned copies at corners."""
import math

import numpy as np
from PIL import Image

import atlas_draw as D

CELL = D.CELL


def to_img(rgb):
    a = np.clip(rgb, 0, 255).astype(np.uint8)
    return Image.fromarray(a, "RGB").convert("RGBA")


def grid_lines(w, h, step, width=1, phase=0):
    """Boolean mask of lines every `step` pixels on both axes (period-safe)."""
    ys = (np.arange(h) + phase) % step < width
    xs = (np.arange(w) + phase) % step < width
    return ys[:, None] | xs[None, :]


# -------------------------------------------------------------------- floors

def carpet_base(w, h, base, name, pile=0.09, tile=20, seam=0.07):
    """Loop-pile carpet laid as quarter-turned square tiles."""
    fine = D.pnoise(w, h, 0.55, name + "pile")
    mid = D.pnoise(w, h, 2.0, name + "mid")
    # pile direction alternates from tile to tile
    sx = D.pnoise(w, h, 1.0, name + "sx")
    streak_h = np.roll(sx, 1, axis=1) * 0.5 + sx * 0.5
    streak_v = np.roll(sx, 1, axis=0) * 0.5 + sx * 0.5
    ty = (np.arange(h) // tile)[:, None]
    tx = (np.arange(w) // tile)[None, :]
    odd = ((tx + ty) % 2).astype(bool)
    streak = np.where(odd, streak_h, streak_v)
    amount = fine * pile + mid * 0.04 + streak * 0.05 + np.where(odd, 0.025, -0.025)
    amount = amount - grid_lines(w, h, tile) * seam
    return D.modulate(D.flat(w, h, base), amount)


def floor_carpet_grey():
    return to_img(carpet_base(CELL, CELL, (70, 77, 86), "carpet-grey"))


def floor_carpet_blue():
    t = carpet_base(CELL, CELL, (48, 64, 88), "carpet-blue", tile=40, seam=0.0)
    ys = np.arange(CELL)[:, None]
    xs = np.arange(CELL)[None, :]
    tweed = ((ys % 5 == 0) | (xs % 5 == 0)) * -0.07
    tweed2 = ((ys + xs) % 10 == 0) * 0.04
    return to_img(D.modulate(t, tweed + tweed2))


def floor_carpet_green():
    t = carpet_base(CELL, CELL, (58, 80, 66), "carpet-green", tile=20, seam=0.05)
    ys = np.arange(CELL)[:, None]
    xs = np.arange(CELL)[None, :]
    dots = (((ys % 10) == 5) & ((xs % 10) == 5)) * 0.10
    return to_img(D.modulate(t, dots))


def floor_carpet_wine():
    t = carpet_base(CELL, CELL, (86, 38, 42), "carpet-wine", tile=40, seam=0.0, pile=0.07)
    ys = (np.arange(CELL)[:, None] + 10) % 20 - 10
    xs = (np.arange(CELL)[None, :] + 10) % 20 - 10
    diamond = np.abs(xs) + np.abs(ys)
    motif = (diamond == 4) * 0.16 + (diamond <= 1) * 0.12
    lat = ((np.abs(xs) + np.abs(ys)) == 10) * -0.08
    return to_img(D.modulate(t, motif + lat))


def floor_carpet_pattern():
    n = 2 * CELL
    t = carpet_base(n, n, (44, 54, 68), "carpet-pattern", tile=80, seam=0.0, pile=0.07)
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float32)
    amount = np.zeros((n, n), np.float32)
    gold = np.zeros((n, n), np.float32)
    # medallion in the centre, quarter medallions at the corners
    for cx, cy in ((40, 40), (0, 0), (80, 0), (0, 80), (80, 80)):
        r = np.hypot(xs - cx, ys - cy)
        gold += (np.abs(r - 17) < 0.9) * 1.0
        gold += (np.abs(r - 12) < 0.6) * 0.6
        d = np.abs(xs - cx) + np.abs(ys - cy)
        gold += (np.abs(d - 8) < 0.7) * 0.8
    for cx, cy in ((40, 0), (0, 40), (80, 40), (40, 80)):
        d = np.abs(xs - cx) + np.abs(ys - cy)
        gold += (np.abs(d - 12) < 0.7) * 0.7
        amount -= (d < 11) * 0.05
    gold = np.clip(gold, 0, 1)
    motif = np.array((138, 116, 74), np.float32)
    t = t * (1 - gold[:, :, None] * 0.55) + motif * gold[:, :, None] * 0.55
    return to_img(D.modulate(t, amount))


def floor_parquet():
    """Chevron parquet, 80 px repeat: columns of boards at +-45 degrees."""
    n = 2 * CELL
    cw, p = 20, 10
    ys, xs = np.mgrid[0:n, 0:n]
    col = xs // cw
    xl = xs % cw
    s = np.where(col % 2 == 0, 1, -1)
    u = ys + np.where(s > 0, xl, cw - 1 - xl)
    board = u // p
    key = (col % (n // cw)) * 97 + (board % (n // p)) * 13
    r = D.nprng("parquet")
    tones = r.uniform(-0.14, 0.12, size=1024)
    grain_n = D.pnoise(n, n, 0.7, "parquet-grain")
    along = np.sin((u % p) * (2 * math.pi / p) * 2 + grain_n * 2.0) * 0.04
    amount = tones[key % 1024] + grain_n * 0.06 + along
    seam = ((u % p) == 0) | (xl == 0)
    amount = amount - seam * 0.30
    t = D.modulate(D.flat(n, n, (132, 90, 56)), amount)
    return to_img(t)


def floor_marble():
    """Polished slab, 80 px, with wavy veins running corner to corner."""
    n = 2 * CELL
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float32)
    warp = D.pnoise(n, n, 12.0, "marble-t") * 1.3 + D.pnoise(n, n, 2.5, "marble-t2") * 0.25
    v1 = np.sin(2 * math.pi * (xs + ys) / n + warp)
    v2 = np.sin(2 * math.pi * (2 * xs - ys) / n + warp * 1.5 + 1.3)
    vein = np.exp(-np.abs(v1) * 30) * 0.22 + np.exp(-np.abs(v1 - 0.5) * 40) * 0.08 + np.exp(-np.abs(v2) * 45) * 0.10
    cloud = D.pnoise(n, n, 7.0, "marble-c") * 0.07 + D.pnoise(n, n, 1.2, "marble-f") * 0.025
    amount = cloud - vein
    joint = (xs == 0) | (ys == 0) | (xs == n - 1) | (ys == n - 1)
    amount = amount - joint * 0.16 + ((xs == 1) | (ys == 1)) * 0.05
    t = D.modulate(D.flat(n, n, (160, 156, 148)), amount)
    return to_img(t)


def floor_kitchen_tile():
    ys, xs = np.mgrid[0:CELL, 0:CELL]
    light = ((xs // 20 + ys // 20) % 2) == 0
    cream = D.flat(CELL, CELL, (172, 166, 150))
    green = D.flat(CELL, CELL, (88, 104, 94))
    t = np.where(light[:, :, None], cream, green)
    glaze = D.pnoise(CELL, CELL, 1.5, "kitchen-g") * 0.05
    inner = (xs % 20)
    innery = (ys % 20)
    bevel = ((inner == 1) | (innery == 1)) * 0.08 - ((inner == 18) | (innery == 18)) * 0.06
    grout = (inner == 0) | (innery == 0) | (inner == 19) | (innery == 19)
    t = D.modulate(t, glaze + bevel)
    t = np.where(grout[:, :, None], D.flat(CELL, CELL, (70, 70, 66)), t)
    return to_img(t)


def floor_wash_tile():
    ys, xs = np.mgrid[0:CELL, 0:CELL]
    r = D.nprng("wash")
    tones = r.uniform(-0.07, 0.07, size=(4, 4))
    pale = D.flat(CELL, CELL, (150, 168, 178))
    amount = tones[ys // 10, xs // 10] + D.pnoise(CELL, CELL, 0.8, "wash-n") * 0.03
    # a darker accent tile on one corner of every 4 x 4 block
    accent = ((ys // 10) == 3) & ((xs // 10) == 3) | ((ys // 10) == 1) & ((xs // 10) == 1)
    t = D.modulate(pale, amount)
    t = np.where(accent[:, :, None], D.modulate(D.flat(CELL, CELL, (74, 104, 126)), amount), t)
    grout = ((xs % 10) == 0) | ((ys % 10) == 0)
    hi = ((xs % 10) == 1) | ((ys % 10) == 1)
    t = D.modulate(t, hi * 0.10)
    t = np.where(grout[:, :, None], D.flat(CELL, CELL, (96, 104, 108)), t)
    return to_img(t)


def floor_concrete():
    amount = (D.pnoise(CELL, CELL, 5.0, "conc-a") * 0.07 + D.pnoise(CELL, CELL, 1.2, "conc-b") * 0.05
              + D.pnoise(CELL, CELL, 0.5, "conc-c") * 0.04)
    pores = D.speckle(CELL, CELL, "conc-p", 0.02, 0.25)
    amount = amount - np.abs(pores)
    return to_img(D.modulate(D.flat(CELL, CELL, (88, 90, 92)), amount))


def floor_raised():
    ys, xs = np.mgrid[0:CELL, 0:CELL]
    lx, ly = xs % 20, ys % 20
    amount = D.pnoise(CELL, CELL, 1.0, "raised") * 0.03
    amount = amount + ((lx == 1) | (ly == 1)) * 0.12 - ((lx == 18) | (ly == 18)) * 0.14
    seam = (lx == 0) | (ly == 0) | (lx == 19) | (ly == 19)
    amount = amount - seam * 0.45
    screws = ((lx == 3) | (lx == 16)) & ((ly == 3) | (ly == 16))
    amount = amount - screws * 0.3
    # perforations on the panels of one diagonal
    perf = (((xs // 20) + (ys // 20)) % 2 == 0) & (lx >= 6) & (lx <= 13) & (ly >= 6) & (ly <= 13) & \
        ((lx % 2) == 0) & ((ly % 2) == 0)
    amount = amount - perf * 0.35
    return to_img(D.modulate(D.flat(CELL, CELL, (116, 120, 124)), amount))


def floor_lift():
    ys, xs = np.mgrid[0:CELL, 0:CELL].astype(np.float32)
    amount = D.pnoise(CELL, CELL, 0.8, "lift-f") * 0.04 + D.pnoise(CELL, CELL, 4, "lift-g") * 0.04
    # tread plate: short raised bars alternating direction every 10 px
    cx = (xs % 10) - 4.5
    cy = (ys % 10) - 4.5
    alt = (((xs // 10) + (ys // 10)) % 2) == 0
    u = np.where(alt, cx + cy, cx - cy)
    v = np.where(alt, cx - cy, cx + cy)
    bar = (np.abs(u) < 1.3) & (np.abs(v) < 4.2)
    edge = (np.abs(u - 1.3) < 0.8) & (np.abs(v) < 4.2)
    amount = amount + bar * 0.16 - edge * 0.16
    return to_img(D.modulate(D.flat(CELL, CELL, (86, 90, 96)), amount))


def floor_linoleum():
    amount = (D.pnoise(CELL, CELL, 2.5, "lino-a") * 0.06 + D.pnoise(CELL, CELL, 0.7, "lino-b") * 0.04)
    flecks = D.speckle(CELL, CELL, "lino-s", 0.05, 0.10)
    return to_img(D.modulate(D.flat(CELL, CELL, (98, 108, 102)), amount + flecks))


# --------------------------------------------------------------------- walls

def wall_plaster():
    amount = (D.pnoise(CELL, CELL, 3.0, "plaster-a") * 0.035 + D.pnoise(CELL, CELL, 0.6, "plaster-b") * 0.03)
    return to_img(D.modulate(D.flat(CELL, CELL, (156, 152, 144)), amount))


def wall_concrete():
    ys, xs = np.mgrid[0:CELL, 0:CELL].astype(np.float32)
    amount = (D.pnoise(CELL, CELL, 4.0, "wconc-a") * 0.06 + D.pnoise(CELL, CELL, 0.6, "wconc-b") * 0.04)
    amount = amount - np.abs(D.speckle(CELL, CELL, "wconc-p", 0.015, 0.2))
    joint = (xs == 0) | (ys == 0) | (xs == CELL - 1) | (ys == CELL - 1)
    amount = amount - joint * 0.16
    for cx in (10.5, 29.5):
        for cy in (10.5, 29.5):
            r = np.hypot(xs - cx + 0.5, ys - cy + 0.5)
            amount = amount - (r < 1.8) * 0.35 + ((r >= 1.8) & (r < 2.6)) * 0.06
    return to_img(D.modulate(D.flat(CELL, CELL, (122, 124, 126)), amount))


def wall_brick():
    ys, xs = np.mgrid[0:CELL, 0:CELL]
    row = ys // 10
    off = np.where(row % 2 == 0, 0, 10)
    bx = (xs + off) % 20
    by = ys % 10
    brick_id = ((xs + off) // 20) % 2 * 7 + row * 3
    r = D.nprng("brick")
    tones = r.uniform(-0.12, 0.10, size=64)
    amount = tones[brick_id % 64] + D.pnoise(CELL, CELL, 0.7, "brick-n") * 0.06
    amount = amount + ((by == 1) | (bx == 1)) * 0.06 - ((by == 8) | (bx == 18)) * 0.08
    t = D.modulate(D.flat(CELL, CELL, (124, 72, 58)), amount)
    mortar = (by == 9) | (bx == 19)
    t = np.where(mortar[:, :, None], D.flat(CELL, CELL, (128, 122, 112)), t)
    return to_img(t)


def wall_glass_block():
    ys, xs = np.mgrid[0:CELL, 0:CELL].astype(np.float32)
    lx, ly = (xs + 1) % 10, (ys + 1) % 10
    # each block: glass with a pillowed highlight and a ribbed centre
    d = np.maximum(np.abs(lx - 4.5), np.abs(ly - 4.5))
    amount = -d * 0.035 + 0.12
    amount = amount + (np.abs(lx - ly) < 0.7) * 0.10
    amount = amount + D.pnoise(CELL, CELL, 0.8, "gblock") * 0.04
    t = D.modulate(D.flat(CELL, CELL, (128, 158, 170)), amount)
    mortar = (lx == 0) | (ly == 0)
    t = np.where(mortar[:, :, None], D.flat(CELL, CELL, (150, 150, 146)), t)
    return to_img(t)


def wall_wood():
    """Walnut panelling: square raised panels, the same every way round."""
    grain_h = D.wood(CELL, CELL, (98, 64, 42), "wallwood-h", contrast=0.8)
    grain_v = D.wood(CELL, CELL, (98, 64, 42), "wallwood-v", vertical=True, contrast=0.8)
    ys, xs = np.mgrid[0:CELL, 0:CELL]
    lx, ly = xs % 20, ys % 20
    odd = ((xs // 20 + ys // 20) % 2).astype(bool)
    t = np.where(odd[:, :, None], grain_h, grain_v)
    frame = (lx <= 2) | (lx >= 17) | (ly <= 2) | (ly >= 17)
    t = np.where(frame[:, :, None], D.modulate(np.where(odd[:, :, None], grain_v, grain_h), np.full((CELL, CELL), -0.12)), t)
    amount = ((lx == 3) & (ly >= 3) & (ly <= 16)) * -0.2 + ((ly == 3) & (lx >= 3) & (lx <= 16)) * -0.2
    amount = amount + ((lx == 16) & (ly >= 3) & (ly <= 16)) * 0.14 + ((ly == 16) & (lx >= 3) & (lx <= 16)) * 0.14
    amount = amount - ((lx == 0) | (ly == 0)) * 0.25
    return to_img(D.modulate(t, amount))


def wall_window():
    """Outer wall with a glazing strip along the block and a mullion at the
    block edges (half on each side, so runs repeat every cell)."""
    ys, xs = np.mgrid[0:CELL, 0:CELL].astype(np.float32)
    sill = D.modulate(D.flat(CELL, CELL, (124, 128, 134)),
                      D.pnoise(CELL, CELL, 1.5, "window-s") * 0.04)
    t = sill.copy()
    glass = (ys >= 13) & (ys < 27)
    refl = np.clip(np.sin((xs + ys * 1.6) * 0.22) * 0.5 + 0.2, 0, 1) * 0.12
    gt = D.modulate(D.flat(CELL, CELL, (84, 124, 144)), refl + (ys - 20) * -0.012)
    t = np.where(glass[:, :, None], gt, t)
    frame = ((ys == 12) | (ys == 27)) | ((ys == 13) | (ys == 26))
    t = np.where(frame[:, :, None], D.flat(CELL, CELL, (58, 62, 70)), t)
    mull = ((xs <= 1) | (xs >= CELL - 2)) & (ys >= 10) & (ys < 30)
    t = np.where(mull[:, :, None], D.flat(CELL, CELL, (64, 68, 76)), t)
    edge = ((ys == 0) | (ys == CELL - 1))
    t = D.modulate(t, edge * -0.12 + (ys == 1) * 0.08)
    return to_img(t)
