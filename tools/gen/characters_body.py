"""Bodies of the people in the building: the outfits of each legs, hands and head
set, and the drawing of one legs, hands or head pose. The poses themselves are
made in characters_anim.py."""
import math

from characters_draw import (Frame, rot, ellipse_pts, box_pts, capsule_pts, shrink, SKIN, SKIN_DARK,
                             BLOOD, GUN_DRAW, MUZZLE, draw_head, draw_cap, muzzle_flash, smoke,
                             casing, shotgun_shell, cartridge, magazine, grenade, pin_ring, Gun)
from common import (INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER, STEEL_DARK, STEEL,
                    STEEL_LIGHT, WOOD_DARK, WOOD, WOOD_LIGHT, GREEN_DARK, GREEN, GREEN_LIGHT,
                    ALARM_RED, AMBER, shade, mix)

# --------------------------------------------------------------------------
# Outfits, in set order (index 0 is set 1 in the catalogue).

SHIRT = mix(PAPER, STEEL_LIGHT, 0.22)
POLICE = mix(STEEL, STEEL_LIGHT, 0.25)
GUARD = mix(INK, CONCRETE_DARK, 0.7)
ARMOUR = mix(GREEN_DARK, GREEN, 0.35)
VEST = mix(STEEL_DARK, STEEL, 0.45)

LEGS_SETS = [
    dict(name="office", trousers=mix(CONCRETE_DARK, STEEL_DARK, 0.3), shoe=mix(INK, WOOD_DARK, 0.6),
         speed=240.0, walk_fps=24.0),
    dict(name="uniform", trousers=mix(STEEL_DARK, INK, 0.35), shoe=mix(INK, CONCRETE_DARK, 0.45), stripe=mix(STEEL, STEEL_LIGHT, 0.3),
         speed=260.0, walk_fps=26.0),
    dict(name="assault", trousers=mix(GREEN_DARK, CONCRETE_DARK, 0.25), shoe=mix(INK, WOOD_DARK, 0.4), kneepads=True,
         speed=260.0, walk_fps=26.0),
]

HANDS_SETS = [
    dict(name="shirt", body=SHIRT, sleeve=SHIRT, forearm=SKIN, hand=SKIN, detail="shirt"),
    dict(name="police", body=POLICE, sleeve=POLICE, forearm=SKIN, hand=SKIN, detail="police"),
    dict(name="guard", body=GUARD, sleeve=GUARD, forearm=GUARD, hand=SKIN, detail="guard"),
    dict(name="assault", body=mix(GREEN_DARK, CONCRETE_DARK, 0.3), sleeve=mix(GREEN_DARK, CONCRETE_DARK, 0.3),
         forearm=mix(GREEN_DARK, CONCRETE_DARK, 0.3), hand=mix(CONCRETE, WOOD, 0.35), detail="armour"),
    dict(name="vest", body=SHIRT, sleeve=SHIRT, forearm=SKIN, hand=SKIN, detail="vest"),
]

HEAD_SETS = [
    dict(name="player", hair=mix(WOOD_DARK, INK, 0.45), parting=True),
    dict(name="staff-fair", hair=mix(WOOD_LIGHT, AMBER, 0.4), shine=0.18),
    dict(name="staff-auburn", hair=mix(WOOD, ALARM_RED, 0.22), bun=True),
    dict(name="staff-grey", hair=CONCRETE_LIGHT, bald=True),
    dict(name="guard", hair=mix(WOOD_DARK, INK, 0.3), hat="guard"),
    dict(name="helmet", hair=mix(WOOD_DARK, INK, 0.45), helmet=True),
    dict(name="police", hair=mix(WOOD_DARK, INK, 0.2), hat="police"),
]


# --------------------------------------------------------------------------
# Legs

HIP_Y = 7.5


def _shoe(f, x, y, a, col, lift, big=False):
    k = 1.0 + 0.14 * lift
    rx, ry = (6.2 if big else 5.6) * k, (3.7 if big else 3.4) * k
    f.ellipse(x + 1.5, y, rx, ry, shade(col, 1.0 + 0.25 * lift), a=a, ow=0.8, lit=0.45)
    f.ellipse(x + 1.5 + rx * 0.45, y, rx * 0.35, ry * 0.55, shade(col, 1.6), a=a, outline=None, lit=0)  # toe cap


def draw_legs(f, outfit, pose):
    """pose: hip x, pelvis shift, feet [(x, y, lift, knee or None)], pool radius."""
    hx = pose.get("hipx", -1.0)
    py = pose.get("pely", 0.0)
    pool = pose.get("pool", 0.0)
    if pool > 0:
        px, py0 = pose.get("poolx", -20.0), pose.get("pooly", 0.0)
        for dx, dy, k, kr in ((0.0, 2.0, 1.0, 0.86), (6.0, 5.0, 0.55, 0.8), (-7.0, 6.0, 0.5, 0.9)):
            f.shape(ellipse_pts(px + dx * pool / 20, py0 + dy * pool / 20, pool * k, pool * k * kr, 0.3), BLOOD,
                    outline=shade(BLOOD, 0.7), ow=0.5, lit=0, alpha=230)
        f.shape(ellipse_pts(px + pool * 0.1, py0 + pool * 0.55, pool * 0.3, pool * 0.16, 0.3), shade(BLOOD, 1.35),
                outline=None, lit=0, alpha=200)
    tr = outfit["trousers"]
    boots = outfit["name"] != "office"
    feet = sorted(pose["feet"], key=lambda ft: ft[2])     # lifted foot drawn last
    f.ellipse(hx - 1.0, py, 7.5, 10.5, tr, ow=0.9, lit=0.1)
    for fx, fy, lift, knee in feet:
        side = 1 if fy > 0 else -1
        hip = (hx, py + side * HIP_Y)
        ang = side * 0.12
        if knee is None:
            _shoe(f, fx, fy, ang, outfit["shoe"], lift, big=boots)
            ankle = (fx - 1.5, fy)
            f.capsule(hip, ankle, 4.6, shade(tr, 1.0 + 0.12 * lift), r1=3.9, lit=0.12)
            if outfit.get("stripe"):
                f.line((hip[0], hip[1] + side * 3.4), (ankle[0], ankle[1] + side * 2.8),
                       outfit["stripe"], width=0.7)
        else:
            kx, ky = knee
            _shoe(f, fx, fy, ang, outfit["shoe"], lift, big=boots)
            f.capsule((kx, ky), (fx - 0.5, fy), 4.2, shade(tr, 0.85), r1=3.7, lit=0.1)
            f.capsule(hip, (kx, ky), 5.0, shade(tr, 1.0 + 0.1 * lift), r1=4.6, lit=0.14)
            if outfit.get("kneepads"):
                f.circle(kx + 0.5, ky, 3.1, mix(INK, CONCRETE_DARK, 0.5), ow=0.6, lit=0.35)
            else:
                f.circle(kx + 0.5, ky, 2.4, shade(tr, 1.18), outline=None, lit=0.1)
            if outfit.get("stripe"):
                f.line((hip[0], hip[1] + side * 4.0), (kx, ky + side * 3.8), outfit["stripe"], width=0.7)


# --------------------------------------------------------------------------
# Upper body: torso, arms, weapon and whatever the hands are doing

def _arm_joint(s, h, l1=12.5, l2=12.5, side=1):
    """Elbow of an arm from shoulder s to hand h. Seen from above, slack in the
    arm mostly hangs down towards the floor, so the elbow only bows out a little."""
    dx, dy = h[0] - s[0], h[1] - s[1]
    d = math.hypot(dx, dy)
    mx, my = (s[0] + h[0]) / 2, (s[1] + h[1]) / 2
    if d < 1e-3:
        return mx, my + side * 2.0
    nx, ny = -dy / d, dx / d
    if ny * side < 0:
        nx, ny = -nx, -ny
    bow = min(3.5, 0.3 * max(0.0, l1 + l2 - d))
    return mx + nx * bow, my + ny * bow


def _torso(f, o, tx, rx, ry, tw, lying):
    det = o["detail"]
    body = ellipse_pts(tx, 0, rx, ry, tw)
    f.shape(body, o["body"], ow=1.0, lit=0.14)

    def at(x, y):
        px, py = rot(x, y, tw)
        return tx + px, py

    if det == "shirt":
        f.line(at(-rx * 0.55, -ry * 0.7), at(-rx * 0.55, ry * 0.7), shade(o["body"], 0.8), width=0.6)
        if lying > 0.4:
            f.line(at(-rx * 0.9, 0), at(rx * 0.9, 0), shade(o["body"], 0.75), width=0.6)
            for k in (-0.5, 0.0, 0.5):
                f.circle(*at(k * rx, 0.9), 0.5, PAPER, outline=None, lit=0)
    elif det == "police":
        for s in (-1, 1):
            p0, p1 = at(-1.5, s * (ry - 8.5)), at(-1.5, s * (ry - 2.5))
            f.capsule(p0, p1, 2.0, mix(STEEL_DARK, INK, 0.3), ow=0.5, lit=0.1)
            f.circle(*at(-1.5, s * (ry - 3.6)), 0.8, AMBER, outline=None, lit=0)
        f.shape(box_pts(-2.5, -ry + 8.5, 2.2, -ry + 12.0, tw, tx, 0), INK, ow=0.4, lit=0.2)   # radio
        if lying > 0.4:
            f.circle(*at(rx * 0.35, -5.0), 1.6, AMBER, ow=0.4, lit=0.3)
    elif det == "guard":
        f.line(at(-rx * 0.6, -ry * 0.6), at(-rx * 0.6, ry * 0.6), shade(o["body"], 1.5), width=0.6)
        f.ellipse(*at(rx * 0.55, 0), 2.8, 6.0, mix(CONCRETE_DARK, CONCRETE, 0.4), a=tw, ow=0.5, lit=0.2)
    elif det == "armour":
        plate = ellipse_pts(tx - 0.5, 0, rx + 2.4, ry - 3.0, tw)
        f.shape(plate, ARMOUR, ow=1.0, lit=0.12)
        for y0 in (-6.5, -2.2, 2.2):
            f.shape(box_pts(rx - 1.8, y0, rx + 2.6, y0 + 4.0, tw, tx, 0), shade(ARMOUR, 0.85), ow=0.5, lit=0.2)
        f.shape(box_pts(-rx - 2.0, -6.0, -rx + 1.4, 6.0, tw, tx, 0), shade(ARMOUR, 0.9), ow=0.5, lit=0.15)
        for s in (-1, 1):
            f.ellipse(*at(-0.5, s * (ry - 3.5)), 4.8, 3.6, shade(ARMOUR, 1.1), a=tw, ow=0.7, lit=0.25)
    elif det == "vest":
        # front and back plates, thicker than the chest, joined by straps over the shoulders
        for x0, x1 in ((rx - 4.5, rx + 2.6), (-rx - 2.6, -rx + 4.5)):
            f.shape(box_pts(x0, -11.5, x1, 11.5, tw, tx, 0), VEST, ow=1.0, lit=0.14)
            f.line(at(x0 + 1.2, -9.5), at(x0 + 1.2, 9.5), shade(VEST, 1.35), width=0.5)
        for s in (-1, 1):
            f.shape(box_pts(-rx - 1.0, s * 11.0 - 1.7, rx + 1.0, s * 11.0 + 1.7, tw, tx, 0),
                    shade(VEST, 0.85), ow=0.6, lit=0.1)
            f.line(at(-rx + 2.0, s * 11.0), at(rx - 2.0, s * 11.0), mix(VEST, PAPER, 0.35), width=0.45)


def _arm(f, o, s, e, h, side, hand=True):
    f.capsule(s, e, 4.4, o["sleeve"], r1=4.0, lit=0.14)
    if o["detail"] == "guard":
        mx, my = (s[0] * 0.45 + e[0] * 0.55), (s[1] * 0.45 + e[1] * 0.55)
        f.circle(mx, my + side * 1.4, 1.9, AMBER, ow=0.5, lit=0.2)
    f.capsule(e, h, 3.9, o["forearm"], r1=3.4, lit=0.14)
    if o["forearm"] != o["sleeve"]:
        f.circle(e[0], e[1], 3.9, o["sleeve"], ow=0.6, lit=0.1)     # rolled-up cuff


def _hand(f, o, h):
    f.circle(h[0], h[1], 3.3, o["hand"], ow=0.8, lit=0.2)


def draw_hands(f, o, p):
    """Draw the torso, arms and the weapon of one hands pose."""
    tx, tw = p.get("tx", -1.0), p.get("twist", 0.0)
    rx = p.get("rx", 10.0)
    ry = 19.0 * p.get("breath", 1.0)
    lying = p.get("lying", 0.0)
    w = p.get("w", 0)
    _torso(f, o, tx, rx, ry, tw, lying)
    sh = {}
    for side in (-1, 1):
        px, py = rot(0.0, side * (ry - 3.2), tw)
        sh[side] = (tx + px, py)

    kick = p.get("kick", 0.0)
    ga = p.get("ga", 0.0)
    rh = (p["rhx"] - kick * math.cos(ga), p["rhy"] - kick * math.sin(ga))
    lh = (p["lhx"], p["lhy"])
    g = Gun(f, rh[0], rh[1], ga, w)
    if w in (3, 4) and p.get("lhat", 0.0) > 0:
        grip = g.at(12.0 + p.get("pump", 0.0), 0.3) if w == 3 else g.at(13.5, 0.3)
        k = p["lhat"]
        lh = (lh[0] + (grip[0] - lh[0]) * k, lh[1] + (grip[1] - lh[1]) * k)
    elif w == 2 and p.get("lhat", 0.0) > 0:
        grip = g.at(-0.6, -1.6)
        k = p["lhat"]
        lh = (lh[0] + (grip[0] - lh[0]) * k, lh[1] + (grip[1] - lh[1]) * k)

    # the arm that reaches across the body is drawn after the other one
    order = (1, -1) if w in (2, 3, 4) else (-1, 1)
    hands = {-1: lh, 1: rh}
    for side in order:
        e = _arm_joint(sh[side], hands[side], side=side)
        _arm(f, o, sh[side], e, hands[side], side)
    if p.get("gun", w in (1, 2, 3, 4)):
        if w == 1:
            GUN_DRAW[1](f, rh[0], rh[1], ga, cyl_out=p.get("cyl", 0) > 0.5, loaded=int(p.get("loaded", 5)))
        elif w == 2:
            GUN_DRAW[2](f, rh[0], rh[1], ga, slide=p.get("slide", 0.0))
        elif w == 3:
            GUN_DRAW[3](f, rh[0], rh[1], ga, pump=p.get("pump", 0.0))
        elif w == 4:
            GUN_DRAW[4](f, rh[0], rh[1], ga, mag=p.get("mag") is not False, bolt=p.get("bolt", 0.0))
    for side in order:
        _hand(f, o, hands[side])
    if w == 5 and p.get("gren") is not False:
        grenade(f, rh[0] + 1.5, rh[1] + 0.5, a=-0.4, pin=p.get("pin") is not False)
    # things held in the left hand, drawn over the fingers
    held = p.get("held")
    if held == "cartridge":
        cartridge(f, lh[0] + 1.6, lh[1] + 0.8)
    elif held == "shell":
        shotgun_shell(f, lh[0] + 1.5, lh[1] + 0.5, 0.9)
    elif held == "mag":
        magazine(f, lh[0] + 1.0, lh[1] + 3.0, -0.3, curved=False)
    elif held == "riflemag":
        magazine(f, lh[0] + 2.0, lh[1] + 3.5, 0.2, curved=True)
    elif held == "ring":
        pin_ring(f, lh[0] + 2.2, lh[1] - 1.4)
    # loose things: dropped magazines, flying cases, flashes
    for it in p.get("items", ()):
        kind = it[0]
        if kind == "case":
            casing(f, it[1], it[2], it[3])
        elif kind == "hull":
            shotgun_shell(f, it[1], it[2], it[3])
        elif kind == "mag":
            magazine(f, it[1], it[2], it[3], curved=False)
        elif kind == "riflemag":
            magazine(f, it[1], it[2], it[3], curved=True)
        elif kind == "smoke":
            smoke(f, it[1], it[2], it[3], it[4] if len(it) > 4 else 110)
    if p.get("flash", 0) > 0 and w in MUZZLE:
        mx, my = g.at(*MUZZLE[w])
        muzzle_flash(f, mx, my, ga, p["flash"])
    return rh, lh


def draw_head_pose(f, style, p):
    draw_head(f, p.get("hx", 0.5), p.get("hy", 0.0), style, tilt=p.get("tilt", 0.0))
    if style.get("hat"):
        # a cap sits on the head; in a fall it comes off and lands beside it
        draw_cap(f, p.get("capx", p.get("hx", 0.5)), p.get("capy", p.get("hy", 0.0)), style["hat"],
                 p.get("capa", 0.0))
