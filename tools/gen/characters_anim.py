"""The moves of the people in the building: frame-by-frame poses of every legs,
hands and head animation, with their frame counts and rates. Timing here is
gameplay: a fire animation is the gun's rate of fire, a walk cycle's stride
equals the walking speed times the cycle time so that the feet do not slide."""
import math

from characters_draw import Gun

TAU = 2 * math.pi
SMALL = 64      # frame size of the living legs and heads
ARMS = 80       # the hands layer: guns, swings and flashes reach further out
BIG = 128       # frame size of the death animations (the body falls and lies flat)

DEAD_FRAMES, DEAD_FPS = 8, 10.0
# How far the fall has gone at each death frame: it speeds up, bounces a little
# off the floor and settles.
DEAD_EASE = [0.0, 0.07, 0.24, 0.5, 0.8, 1.04, 0.985, 1.0]


def smooth(u):
    u = max(0.0, min(1.0, u))
    return u * u * (3 - 2 * u)


def lerp(a, b, t):
    return a + (b - a) * t


def _num(v):
    return isinstance(v, (int, float)) and not isinstance(v, bool)


def keyed(keys, t):
    """Pose at time t (0..1) from keyframes [(time, changes)]. Every key inherits
    the values of the keys before it; numbers blend smoothly between keys, other
    values switch when their key is reached."""
    full, cur = [], {}
    for kt, d in keys:
        cur = dict(cur)
        cur.update(d)
        full.append((kt, cur))
    if t <= full[0][0]:
        return dict(full[0][1])
    for (t0, d0), (t1, d1) in zip(full, full[1:]):
        if t <= t1 + 1e-9:
            if t >= t1 - 1e-9:
                return dict(d1)
            u = smooth((t - t0) / (t1 - t0))
            out = {}
            for k, v1 in d1.items():
                v0 = d0.get(k, v1 if _num(v1) else None)
                out[k] = v0 + (v1 - v0) * u if _num(v0) and _num(v1) else v0
            return out
    return dict(full[-1][1])


def once(n):
    """Sample times of an animation played once: the last frame is the end pose."""
    return [k / (n - 1) for k in range(n)]


def loop(n):
    return [k / n for k in range(n)]


# --------------------------------------------------------------------------
# Legs

def gait(p, stride, backwards=False):
    """Foot x and lift at cycle phase p. The planted half of the cycle moves the
    foot by 2*stride at constant speed, the other half swings it back."""
    p %= 1.0
    if p < 0.5:
        x, lift = stride - 4 * stride * p, 0.0
    else:
        u = (p - 0.5) / 0.5
        x, lift = -stride + 2 * stride * smooth(u), math.sin(math.pi * u)
    return (-x if backwards else x), lift


def legs_anims(outfit):
    """[(field, frames, fps, size, [pose per frame])] in catalogue order."""
    out = []

    def stand(t):
        return dict(pely=0.5 * math.sin(TAU * t),
                    feet=[(4.5, -8.6, 0.0, None), (4.5, 8.6, 0.0, None)])

    def crouch(t):
        k = 0.35 * math.sin(TAU * t)
        return dict(pely=0.3 * math.sin(TAU * t), hipx=-2.0,
                    feet=[(-3.0, -10.0, 0.0, (13.0 + k, -11.0)), (-3.0, 10.0, 0.0, (13.0 + k, 11.0))])

    out.append(("Stoit", 8, 4.0, SMALL, [stand(t) for t in loop(8)]))
    out.append(("Sidit", 8, 4.0, SMALL, [crouch(t) for t in loop(8)]))

    def walker(n, fps, speed, backwards, crawl):
        stride = speed * (n / fps) / 4.0
        poses = []
        for t in loop(n):
            feet = []
            for side, ph in ((-1, 0.0), (1, 0.5)):
                x, lift = gait(t + ph, stride, backwards)
                if crawl:
                    fx = -3.0 + x
                    knee = (-3.0 + 0.55 * x + 15.0, side * 11.0)
                    feet.append((fx, side * 10.0, lift, knee))
                else:
                    feet.append((x - 1.0, side * 8.8, lift, None))
            poses.append(dict(hipx=-2.0 if crawl else -1.0, feet=feet,
                              pely=0.6 * math.sin(TAU * t) * (1 if not crawl else 0.5)))
        return poses

    wf = outfit["walk_fps"]
    out.append(("Idet_Vpered", 8, wf, SMALL, walker(8, wf, outfit["speed"], False, False)))
    out.append(("Idet_Nazad", 8, 12.0, SMALL, walker(8, 12.0, 120.0, True, False)))
    out.append(("Polzet_Vpered", 8, 19.0, SMALL, walker(8, 19.0, 150.0, False, True)))
    out.append(("Polzet_Nazad", 8, 9.0, SMALL, walker(8, 9.0, 60.0, True, True)))

    dead = []
    for k, e in enumerate(DEAD_EASE):
        lift = 0.6 * math.sin(math.pi * min(1.0, e))
        feet = [(lerp(4.5, 25.0, e), lerp(-8.6, -12.5, e), lift, None),
                (lerp(4.5, 17.0, e), lerp(8.6, 15.5, e), lift,
                 (lerp(2.0, 4.5, e), lerp(8.0, 17.5, e)) if e > 0.45 else None)]
        pool = [0, 0, 0, 0, 0, 12.0, 20.0, 25.0][k]
        dead.append(dict(hipx=lerp(-1.0, -7.5, e), feet=feet, pool=pool, poolx=-23.0, pooly=5.0))
    out.append(("Dead", DEAD_FRAMES, DEAD_FPS, BIG, dead))
    return out


# --------------------------------------------------------------------------
# Hands. A pose is a dict read by characters_body.draw_hands.

READY = {
    0: dict(w=0, lhx=4.0, lhy=-20.5, rhx=4.0, rhy=20.5, twist=0.0),
    1: dict(w=1, lhx=2.5, lhy=-20.5, rhx=15.0, rhy=5.5, ga=-0.14, twist=-0.16),
    2: dict(w=2, lhx=13.0, lhy=-2.0, lhat=1.0, rhx=15.0, rhy=1.6, ga=-0.03, twist=0.0),
    3: dict(w=3, lhx=14.0, lhy=-6.0, lhat=1.0, rhx=5.5, rhy=6.5, ga=-0.1, twist=0.5),
    4: dict(w=4, lhx=14.0, lhy=-6.0, lhat=1.0, rhx=4.5, rhy=6.5, ga=-0.09, twist=0.5),
    5: dict(w=5, lhx=10.0, lhy=-3.5, rhx=12.0, rhy=8.5, twist=0.02, gren=True, pin=True),
}

WALK_FRAMES, WALK_FPS = 8, 24.0   # in step with the office legs (0.333 s a stride)
STRIKE_FRAMES, STRIKE_FPS = 7, 20.0          # 0.35 s


def _with(base, **kw):
    d = dict(base)
    d.update(kw)
    return d


def stand_anim(w):
    r = READY[w]
    poses = []
    for t in loop(8):
        s = math.sin(TAU * t)
        p = _with(r, breath=1.0 + 0.013 * s, rhx=r["rhx"] + 0.35 * s, lhx=r["lhx"] + 0.35 * s)
        if "ga" in r:
            p["ga"] = r["ga"] + 0.01 * s
        poses.append(p)
    return poses


def walk_anim(w):
    r = READY[w]
    poses = []
    for t in loop(WALK_FRAMES):
        c, s2 = math.cos(TAU * t), math.sin(2 * TAU * t)
        if w == 0:
            p = _with(r, rhx=3.0 + 9.0 * c, lhx=3.0 - 9.0 * c, twist=-0.08 * c)
        elif w == 1:
            p = _with(r, rhx=r["rhx"] + 0.6 * s2, rhy=r["rhy"] + 0.5 * c, lhx=2.5 - 8.0 * c,
                      twist=r["twist"] - 0.04 * c)
        elif w == 5:
            p = _with(r, rhx=r["rhx"] + 0.7 * s2, rhy=r["rhy"] + 0.6 * c, lhx=r["lhx"] + 0.6 * s2,
                      twist=-0.05 * c)
        else:
            p = _with(r, rhx=r["rhx"] + 0.7 * s2, rhy=r["rhy"] + 0.6 * c, ga=r["ga"] + 0.025 * c,
                      twist=r["twist"] - 0.04 * c)
        poses.append(p)
    return poses


def strike_anim(w):
    r = READY[w]
    if w in (0, 5):
        keys = [(0.0, r),
                (0.25, dict(rhx=-1.0, rhy=17.0, twist=0.18, lhx=9.0, lhy=-13.0)),
                (0.55, dict(rhx=29.0, rhy=4.0, twist=-0.38, lhx=8.0, lhy=-14.0)),
                (0.8, dict(rhx=19.0, rhy=10.0, twist=-0.2)),
                (1.0, r)]
    elif w == 1:
        keys = [(0.0, r),
                (0.3, dict(rhx=11.0, rhy=21.0, ga=0.7, twist=0.22)),
                (0.55, dict(rhx=20.0, rhy=-3.0, ga=-1.0, twist=-0.42, lhx=6.0, lhy=-17.0)),
                (0.8, dict(rhx=18.0, rhy=2.0, ga=-0.45, twist=-0.25)),
                (1.0, r)]
    elif w == 2:
        keys = [(0.0, r),
                (0.3, dict(rhx=11.0, rhy=3.0, ga=-0.3, twist=0.1)),
                (0.55, dict(rhx=21.0, rhy=0.0, ga=0.55, twist=-0.12)),
                (0.8, dict(rhx=18.0, rhy=1.0, ga=0.2)),
                (1.0, r)]
    else:
        keys = [(0.0, r),
                (0.3, dict(rhx=r["rhx"] - 2.0, rhy=10.0, ga=0.3, twist=0.7)),
                (0.55, dict(rhx=r["rhx"] + 6.0, rhy=3.0, ga=-0.9, twist=0.05)),
                (0.8, dict(rhx=r["rhx"] + 3.0, rhy=5.0, ga=-0.45, twist=0.25)),
                (1.0, r)]
    return [keyed(keys, t) for t in once(STRIKE_FRAMES)]


def _gun_pt(p, lx, ly):
    return Gun(None, p["rhx"], p["rhy"], p["ga"], p["w"]).at(lx, ly)


def fire_anim(w):
    """Returns (frames, fps, poses); the length is the weapon's rate of fire."""
    r = READY[w]
    if w == 1:
        mx, my = _gun_pt(r, 15.0, 0.0)
        poses = [_with(r, kick=2.6, ga=-0.24, flash=3.6),
                 _with(r, kick=2.0, ga=-0.2, items=[("smoke", mx - 0.5, my, 2.0, 120)]),
                 _with(r, kick=0.8, ga=-0.16, items=[("smoke", mx, my - 0.5, 2.8, 80)]),
                 r]
        return 4, 20.0, poses                               # 0.2 s
    if w == 2:
        c1, c2 = _gun_pt(r, 1.5, 6.0), _gun_pt(r, -0.5, 11.0)
        poses = [_with(r, kick=2.3, slide=-3.0, flash=3.2, ga=-0.07),
                 _with(r, kick=1.5, slide=-1.5, items=[("case",) + c1 + (1.2,)]),
                 _with(r, kick=0.6, items=[("case",) + c2 + (2.4,)]),
                 r]
        return 4, 20.0, poses                               # 0.2 s
    if w == 3:
        mx, my = _gun_pt(r, 25.0, 0.0)
        h1, h2, h3 = _gun_pt(r, 5.0, 4.5), _gun_pt(r, 3.0, 9.5), _gun_pt(r, 0.5, 14.0)
        poses = [_with(r, kick=3.2, flash=3.6, ga=-0.16),
                 _with(r, kick=2.2, ga=-0.17, items=[("smoke", mx - 1.5, my, 2.4, 130)]),
                 _with(r, kick=0.8, items=[("smoke", mx - 0.5, my - 0.5, 3.2, 80)]),
                 _with(r, pump=-3.0),
                 _with(r, pump=-6.0, items=[("hull",) + h1 + (1.4,)]),
                 _with(r, pump=-6.0, items=[("hull",) + h2 + (2.3,)]),
                 _with(r, pump=-3.0, items=[("hull",) + h3 + (3.0,)]),
                 _with(r, pump=-0.5),
                 r]
        return 9, 15.0, poses                               # 0.6 s, pump included
    if w == 4:
        c1 = _gun_pt(r, 3.0, 6.5)
        poses = [_with(r, kick=1.8, flash=2.8, ga=-0.15),
                 _with(r, kick=0.8, items=[("case",) + c1 + (1.4,)])]
        return 2, 20.0, poses                               # 0.1 s a round
    # the grenade: pull the pin, swing back, throw
    keys = [(0.0, r),
            (0.15, dict(lhx=4.0, lhy=-11.0, pin=False, held="ring")),
            (0.42, dict(rhx=-9.0, rhy=20.5, twist=0.35, lhx=15.0, lhy=-12.0)),
            (0.7, dict(rhx=26.0, rhy=5.0, twist=-0.45, lhx=4.0, lhy=-17.0)),
            (0.78, dict(rhx=27.0, rhy=3.0, gren=False, held=None)),
            (1.0, dict(rhx=20.0, rhy=-1.0, twist=-0.3, lhx=3.0, lhy=-19.0))]
    return 10, 20.0, [keyed(keys, t) for t in once(10)]     # 0.5 s


def reload_anim(w):
    r = READY[w]
    if w == 1:
        hold = _with(r, rhx=12.5, rhy=6.0, ga=-0.75, twist=-0.04, cyl=1)
        cx, cy = _gun_pt(hold, 4.0, -4.2)
        lhs = [(2.0, -15.5, "cartridge", 4), (7.0, -9.0, "cartridge", 4), (cx - 3.0, cy - 1.5, "cartridge", 4),
               (cx - 2.2, cy - 0.6, None, 5), (7.0, -9.5, None, 5), (2.5, -15.0, None, 5)]
        poses = [_with(hold, lhx=x, lhy=y, held=h, loaded=n) for x, y, h, n in lhs]
        return 6, 15.0, poses                               # 0.4 s a round
    if w == 2:
        pull = _with(r, rhx=11.0, rhy=3.0, ga=-0.5, twist=0.05)
        gx, gy = _gun_pt(pull, -0.5, 3.5)
        sx, sy = _gun_pt(pull, 4.0, -2.2)
        keys = [(0.0, r),
                (0.12, _with(pull, lhat=0.0, lhx=9.0, lhy=-6.0)),
                (0.36, dict(lhx=-2.0, lhy=-15.0, held="mag")),
                (0.55, dict(lhx=gx - 3.0, lhy=gy - 3.5)),
                (0.64, dict(lhx=gx - 1.5, lhy=gy - 1.0, held=None)),
                (0.74, dict(lhx=sx, lhy=sy)),
                (0.83, dict(slide=-3.2, lhx=sx - 3.2 * math.cos(pull["ga"]), lhy=sy + 1.6)),
                (0.9, dict(slide=0.0, lhx=sx - 4.5, lhy=sy - 1.0)),
                (1.0, _with(r, slide=0.0, held=None))]
        poses = [keyed(keys, t) for t in once(12)]
        for k, (dx, dy) in ((2, (0.0, 4.5)), (3, (-1.0, 8.5))):
            x, y = _gun_pt(pull, -0.5 + dx, 3.5 + dy)
            poses[k]["items"] = [("mag", x, y, pull["ga"] + 0.4 * k)]
        return 12, 10.0, poses                              # 1.2 s
    if w == 3:
        load = _with(r, rhx=12.0, rhy=12.0, ga=-0.7, twist=0.3, lhat=0.0)
        px, py = _gun_pt(load, 5.5, -3.2)
        belt = (-2.0, -15.5)
        opening = [_with(r, lhat=1.0),
                   _with(keyed([(0, r), (1, load)], 0.55), lhat=0.6),
                   _with(load, lhx=1.0, lhy=-12.0)]
        cyc = [(0.0, _with(load, lhx=belt[0], lhy=belt[1], held="shell")),
               (0.4, dict(lhx=px - 2.0, lhy=py - 1.5)),
               (0.52, dict(lhx=px, lhy=py + 0.8, held=None)),
               (0.78, dict(lhx=1.5, lhy=-11.0)),
               (0.87, dict(lhx=-1.0, lhy=-14.5, held="shell")),
               (1.0, dict(lhx=belt[0], lhy=belt[1]))]
        poses = opening + [keyed(cyc, t) for t in loop(8)]
        return 11, 16.0, poses                              # opening 0.19 s, 0.5 s a shell
    if w == 4:
        cant = _with(r, rhx=12.0, rhy=12.0, ga=-0.7, twist=0.3)
        mx, my = _gun_pt(cant, 7.5, -4.5)
        hx, hy = _gun_pt(cant, 2.5, 4.0)
        keys = [(0.0, r),
                (0.1, _with(cant, lhat=0.6)),
                (0.18, dict(lhat=0.0, lhx=mx - 1.0, lhy=my - 1.0)),
                (0.26, dict(lhx=mx - 3.0, lhy=my - 6.0, mag=False, held="riflemag")),
                (0.34, dict(lhx=0.0, lhy=-15.5, held=None)),
                (0.45, dict(lhx=-3.0, lhy=-15.0, held="riflemag")),
                (0.58, dict(lhx=mx - 3.0, lhy=my - 5.0)),
                (0.66, dict(lhx=mx - 1.0, lhy=my - 1.5, mag=True, held=None)),
                (0.72, dict(lhx=mx - 0.5, lhy=my + 0.5)),
                (0.8, dict(lhx=hx, lhy=hy)),
                (0.87, dict(bolt=-3.5, lhx=hx - 3.5 * math.cos(cant["ga"]), lhy=hy + 1.5)),
                (0.93, dict(bolt=0.0, lhx=hx - 2.0, lhy=hy - 2.0)),
                (1.0, _with(r, bolt=0.0, mag=True, held=None))]
        poses = [keyed(keys, t) for t in once(16)]
        for k, (dx, dy) in ((5, (-2.0, -9.0)), (6, (-4.0, -13.0))):
            poses[k]["items"] = [("riflemag", mx + dx, my + dy, cant["ga"] + 0.6 * (k - 4))]
        return 16, 9.0, poses                               # 1.78 s
    raise ValueError(w)


def dead_hands():
    a = READY[0]
    b = dict(w=0, tx=-21.0, rx=14.0, lhx=-38.0, lhy=-29.0, rhx=-6.0, rhy=29.5, twist=0.05, lying=1.0)
    poses = []
    for e in DEAD_EASE:
        p = {}
        for k in ("lhx", "lhy", "rhx", "rhy", "twist"):
            p[k] = lerp(a[k], b[k], e)
        p.update(w=0, tx=lerp(-1.0, b["tx"], e), rx=lerp(10.0, b["rx"], e), lying=max(0.0, min(1.0, e)))
        poses.append(p)
    return poses


WEAPON_GROUPS = [("Pusto", 0), ("Revolver", 1), ("Pistol", 2), ("Shotgun", 3), ("Rifle", 4), ("Grenade", 5)]


def hands_anims():
    """[(field, frames, fps, size, [pose per frame])] in catalogue order (28)."""
    out = []
    for name, w in WEAPON_GROUPS:
        out.append((name + "_Stoit", 8, 4.0, ARMS, stand_anim(w)))
        out.append((name + "_Idet", WALK_FRAMES, WALK_FPS, ARMS, walk_anim(w)))
        out.append((name + "_Udar", STRIKE_FRAMES, STRIKE_FPS, ARMS, strike_anim(w)))
        if w > 0:
            n, fps, poses = fire_anim(w)
            out.append((name + "_Fire", n, fps, ARMS, poses))
        if 1 <= w <= 4:
            n, fps, poses = reload_anim(w)
            out.append((name + "_Reload", n, fps, ARMS, poses))
    out.append(("Dead", DEAD_FRAMES, DEAD_FPS, BIG, dead_hands()))
    return out


# --------------------------------------------------------------------------
# Heads

def head_anims(style):
    out = [("Base", 1, 1.0, SMALL, [dict(hx=0.5, hy=0.0, tilt=0.0)])]
    dead = []
    for e in DEAD_EASE:
        hx = lerp(0.5, -41.0, e)
        p = dict(hx=hx, hy=lerp(0.0, -1.5, e), tilt=max(0.0, min(1.0, e)))
        if style.get("hat"):
            k = smooth((e - 0.3) / 0.7)
            p.update(capx=lerp(hx, -42.0, k), capy=lerp(p["hy"], -21.0, k), capa=lerp(0.0, -2.2, k))
        dead.append(p)
    out.append(("Dead", DEAD_FRAMES, DEAD_FPS, BIG, dead))
    return out
