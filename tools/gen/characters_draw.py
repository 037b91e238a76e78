"""Drawing kit for the character sprites: a supersampled frame with outlined,
top-lit shapes, plus the body parts, clothes, heads and weapons the people of
the building are built from. Coordinates are frame pixels (1x) relative to the
frame centre; +x is where the character faces, +y is his right-hand side."""
import math
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import (INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER,  # noqa: E402
                    STEEL_DARK, STEEL, STEEL_LIGHT, WOOD_DARK, WOOD, WOOD_LIGHT,
                    GREEN_DARK, GREEN, GREEN_LIGHT, ALARM_RED, AMBER,
                    shade, mix, drop_shadow)

SS = 4  # supersampling factor; frames are drawn large and box-filtered down

SKIN = mix(WOOD_LIGHT, PAPER, 0.42)
SKIN_DARK = shade(SKIN, 0.82)
BRASS = mix(AMBER, PAPER, 0.25)
SHELL_RED = shade(ALARM_RED, 0.8)
GUN_BLACK = mix(INK, STEEL_DARK, 0.45)
GUN_STEEL = mix(CONCRETE_DARK, STEEL_DARK, 0.4)
BLOOD = shade(ALARM_RED, 0.42)
GLASS_BLUE = mix(STEEL_LIGHT, PAPER, 0.4)
NICKEL = mix(CONCRETE_LIGHT, STEEL_LIGHT, 0.3)


def rot(x, y, a):
    c, s = math.cos(a), math.sin(a)
    return x * c - y * s, x * s + y * c


def ellipse_pts(cx, cy, rx, ry, a=0.0, n=36):
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x, y = rot(rx * math.cos(t), ry * math.sin(t), a)
        pts.append((cx + x, cy + y))
    return pts


def capsule_pts(p0, p1, r0, r1=None, n=10):
    """Outline of a thick stroke with round ends, radius r0 at p0 and r1 at p1."""
    if r1 is None:
        r1 = r0
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    a = math.atan2(dy, dx) if (dx or dy) else 0.0
    pts = []
    for i in range(n + 1):
        t = a + math.pi / 2 - math.pi * i / n
        pts.append((p1[0] + r1 * math.cos(t), p1[1] + r1 * math.sin(t)))
    for i in range(n + 1):
        t = a - math.pi / 2 - math.pi * i / n
        pts.append((p0[0] + r0 * math.cos(t), p0[1] + r0 * math.sin(t)))
    return pts


def box_pts(x0, y0, x1, y1, a=0.0, ox=0.0, oy=0.0):
    """Rectangle given in a local frame turned by a and moved to (ox, oy)."""
    out = []
    for x, y in ((x0, y0), (x1, y0), (x1, y1), (x0, y1)):
        rx, ry = rot(x, y, a)
        out.append((ox + rx, oy + ry))
    return out


def shrink(pts, k, cx=None, cy=None):
    if cx is None:
        cx = sum(p[0] for p in pts) / len(pts)
        cy = sum(p[1] for p in pts) / len(pts)
    return [(cx + (x - cx) * k, cy + (y - cy) * k) for x, y in pts]


class Frame:
    """One animation frame under construction, drawn at SS times its size."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def _p(self, pts):
        return [((x + self.w / 2) * SS, (y + self.h / 2) * SS) for x, y in pts]

    def shape(self, pts, col, outline=INK, ow=0.9, lit=0.12, alpha=255):
        """Outlined shape lit from above: a lighter core inside a darker rim."""
        p = self._p(pts)
        if outline is not None and ow > 0:
            oc = tuple(outline) + (alpha,)
            self.d.polygon(p, fill=oc)
            self.d.line(p + [p[0]], fill=oc, width=max(1, int(round(2 * ow * SS))), joint="curve")
        self.d.polygon(p, fill=tuple(col) + (alpha,))
        if lit > 0:
            self.d.polygon(self._p(shrink(pts, 0.72)), fill=tuple(shade(col, 1 + lit * 0.6)) + (alpha,))
            self.d.polygon(self._p(shrink(pts, 0.42)), fill=tuple(shade(col, 1 + lit)) + (alpha,))

    def ellipse(self, cx, cy, rx, ry, col, a=0.0, **kw):
        self.shape(ellipse_pts(cx, cy, rx, ry, a), col, **kw)

    def circle(self, cx, cy, r, col, **kw):
        self.shape(ellipse_pts(cx, cy, r, r), col, **kw)

    def capsule(self, p0, p1, r0, col, r1=None, outline=INK, ow=0.9, lit=0.12, alpha=255):
        self.shape(capsule_pts(p0, p1, r0, r1), col, outline=outline, ow=ow, lit=0, alpha=alpha)
        if lit > 0:
            r1 = r0 if r1 is None else r1
            self.shape(capsule_pts(p0, p1, r0 * 0.5, r1 * 0.5), shade(col, 1 + lit * 0.7),
                       outline=None, lit=0, alpha=alpha)

    def line(self, p0, p1, col, width=0.8, alpha=255):
        self.d.line(self._p([p0, p1]), fill=tuple(col) + (alpha,), width=max(1, int(round(width * SS))))

    def ring(self, cx, cy, r, col, width=0.8):
        p = self._p([(cx - r, cy - r), (cx + r, cy + r)])
        self.d.ellipse(p, outline=tuple(col) + (255,), width=max(1, int(round(width * SS))))

    def clipped(self, draw_fn, clip_pts):
        """Draw into a scratch frame and keep only what falls inside clip_pts."""
        tmp = Frame(self.w, self.h)
        draw_fn(tmp)
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).polygon(self._p(clip_pts), fill=255)
        a = tmp.img.split()[3]
        from PIL import ImageChops
        tmp.img.putalpha(ImageChops.multiply(a, mask))
        self.img.alpha_composite(tmp.img)

    def finish(self, shadow=True):
        img = self.img.resize((self.w, self.h), Image.BOX)
        if shadow:
            img = drop_shadow(img, offset=(1, 1), blur=1.6, opacity=150)
        return img


# --------------------------------------------------------------------------
# Small items

def muzzle_flash(f, x, y, a, size):
    """A star of burning powder at the muzzle, pointing along angle a."""
    pts = []
    spikes = [1.0, 0.35, 0.7, 0.3, 0.55, 0.3, 0.7, 0.35]
    for i, k in enumerate(spikes):
        t = a + 2 * math.pi * i / len(spikes)
        rr = size * k * (1.35 if i == 0 else 1.0)
        pts.append((x + rr * math.cos(t), y + rr * math.sin(t)))
    f.shape(pts, AMBER, outline=shade(ALARM_RED, 0.9), ow=0.5, lit=0)
    f.shape(shrink(pts, 0.5, x, y), PAPER, outline=None, lit=0)


def smoke(f, x, y, r, alpha=120):
    f.shape(ellipse_pts(x, y, r, r * 0.85), CONCRETE_LIGHT, outline=None, lit=0.15, alpha=alpha)


def casing(f, x, y, a, col=BRASS, length=2.6, r=0.9):
    dx, dy = rot(length / 2, 0, a)
    f.capsule((x - dx, y - dy), (x + dx, y + dy), r, col, ow=0.4, lit=0.3)


def shotgun_shell(f, x, y, a):
    dx, dy = rot(2.2, 0, a)
    f.capsule((x - dx, y - dy), (x + dx, y + dy), 1.3, SHELL_RED, ow=0.45, lit=0.25)
    f.circle(x - dx, y - dy, 1.1, BRASS, ow=0.3, lit=0)


def cartridge(f, x, y):
    f.circle(x, y, 1.2, BRASS, ow=0.45, lit=0.3)


def magazine(f, x, y, a, curved=False):
    if curved:
        pts = []
        for i in range(7):
            t = i / 6
            px, py = rot(-1.6 + 0.9 * t * t * 3, -t * 7.5, a)
            pts.append((x + px, y + py))
        for i in range(6, -1, -1):
            t = i / 6
            px, py = rot(1.6 + 0.9 * t * t * 3, -t * 7.5, a)
            pts.append((x + px, y + py))
        f.shape(pts, GUN_BLACK, ow=0.6, lit=0.2)
    else:
        f.shape(box_pts(-1.3, -4.5, 1.3, 0.5, a, x, y), GUN_BLACK, ow=0.5, lit=0.25)


def grenade(f, x, y, a=0.0, pin=True, scale=1.0):
    """The hand grenade: an olive body, a grey lever and the amber pin ring."""
    s = scale
    f.ellipse(x, y, 3.6 * s, 3.0 * s, GREEN, a=a, ow=0.8, lit=0.25)
    for k in (-1.3, 0.0, 1.3):
        px, py = rot(k * s, 0, a)
        f.line((x + px + rot(0, -2.4 * s, a)[0], y + py + rot(0, -2.4 * s, a)[1]),
               (x + px + rot(0, 2.4 * s, a)[0], y + py + rot(0, 2.4 * s, a)[1]),
               GREEN_DARK, width=0.45)
    lx, ly = rot(3.6 * s, 0.0, a)
    f.capsule((x + lx - 1.0, y + ly), (x + lx + 0.8, y + ly), 1.1 * s, CONCRETE_LIGHT, ow=0.5, lit=0.2)
    if pin:
        rx, ry = rot(4.6 * s, -2.2 * s, a)
        f.ring(x + rx, y + ry, 1.7 * s, AMBER, width=0.9)


def pin_ring(f, x, y):
    f.ring(x, y, 1.7, AMBER, width=0.9)


# --------------------------------------------------------------------------
# Weapons. Each is drawn in its own frame: the origin is the grip held by the
# right hand, +x runs along the barrel. Extras move the working parts.

# Guns are drawn oversized, thick handguns most of all, so that each one reads
# at 1x in a dim room: (length, thickness) scale per weapon.
GUN_SCALE = {1: (1.3, 1.75), 2: (1.3, 1.75), 3: (1.1, 1.7), 4: (1.1, 1.7)}


class Gun:
    def __init__(self, f, x, y, a, w=3):
        self.f, self.x, self.y, self.a = f, x, y, a
        self.kx, self.ky = GUN_SCALE.get(w, (1.0, 1.0))

    def at(self, lx, ly):
        px, py = rot(lx * self.kx, ly * self.ky, self.a)
        return self.x + px, self.y + py

    def box(self, x0, y0, x1, y1, col, ow=0.7, lit=0.18):
        self.f.shape([self.at(x0, y0), self.at(x1, y0), self.at(x1, y1), self.at(x0, y1)], col, ow=ow, lit=lit)

    def edge(self, x0, x1, y, col, width=0.5):
        """A thin light line along the top of a part, where the room light glints."""
        self.f.line(self.at(x0, y), self.at(x1, y), col, width=width)

    def poly(self, pts, col, ow=0.7, lit=0.18):
        self.f.shape([self.at(*p) for p in pts], col, ow=ow, lit=lit)


def draw_revolver(f, x, y, a, cyl_out=False, loaded=6):
    g = Gun(f, x, y, a, 1)
    g.poly([(-3.0, -1.6), (1.5, -1.8), (1.5, 1.8), (-3.5, 1.4)], WOOD, ow=0.7)
    g.box(0.5, -1.7, 6.5, 1.7, NICKEL)
    g.box(6.0, -0.95, 14.0, 0.95, NICKEL, lit=0.3)
    g.edge(6.5, 13.6, -0.1, PAPER)
    g.box(12.8, -0.5, 14.0, 0.5, INK, ow=0.3, lit=0)
    if cyl_out:
        cx, cy = g.at(4.0, -4.2)
    else:
        cx, cy = g.at(4.0, 0.0)
    r = 2.7 * g.ky
    f.circle(cx, cy, r, CONCRETE_LIGHT, ow=0.8, lit=0.3)
    for i in range(6):
        t = a + i * math.pi / 3
        hx, hy = cx + r * 0.55 * math.cos(t), cy + r * 0.55 * math.sin(t)
        f.circle(hx, hy, r * 0.24, BRASS if (cyl_out and i < loaded) else INK, outline=None, lit=0)


def draw_pistol(f, x, y, a, slide=0.0):
    g = Gun(f, x, y, a, 2)
    g.box(-2.0, -1.5, 3.0, 1.5, GUN_BLACK)                      # frame and grip top
    g.box(-2.8 + slide, -1.45, 11.5 + slide, 1.45, mix(GUN_BLACK, STEEL, 0.55), lit=0.3)
    g.edge(-2.0 + slide, 10.9 + slide, 0.0, STEEL_LIGHT, width=0.7)
    for k in range(3):
        sx, sy = g.at(-1.6 + slide + k * 0.9, -1.2)
        ex, ey = g.at(-1.6 + slide + k * 0.9, 1.2)
        f.line((sx, sy), (ex, ey), INK, width=0.35)
    g.box(10.7 + slide, -0.45, 11.5 + slide, 0.45, INK, ow=0.2, lit=0)


def draw_shotgun(f, x, y, a, pump=0.0):
    g = Gun(f, x, y, a, 3)
    g.poly([(-12.5, -2.4), (-1.0, -1.4), (1.0, -1.6), (1.0, 1.6), (-1.0, 1.4), (-12.5, 2.6)], WOOD, ow=0.8)
    g.box(-12.8, -2.5, -11.8, 2.7, WOOD_DARK, ow=0.4, lit=0)     # butt pad
    g.box(0.5, -1.8, 9.0, 1.8, GUN_STEEL, lit=0.25)               # receiver
    g.box(8.5, -0.9, 24.5, 0.9, mix(GUN_STEEL, CONCRETE, 0.5), lit=0.35)  # barrel
    g.edge(9.0, 24.0, 0.0, CONCRETE_LIGHT, width=0.55)
    g.box(10.5 + pump, -2.0, 20.0 + pump, 2.0, WOOD_LIGHT, ow=0.8, lit=0.2)  # fore-end
    for k in range(4):
        sx, sy = g.at(14.6 + pump + k * 1.5, -1.7)
        ex, ey = g.at(14.6 + pump + k * 1.5, 1.7)
        f.line((sx, sy), (ex, ey), WOOD_DARK, width=0.4)
    g.box(23.6, -0.35, 24.5, 0.35, CONCRETE_LIGHT, ow=0.2, lit=0)


def draw_rifle(f, x, y, a, mag=True, bolt=0.0):
    g = Gun(f, x, y, a, 4)
    g.poly([(-13.0, -2.3), (-3.0, -1.3), (-1.0, -1.4), (-1.0, 1.4), (-3.0, 1.3), (-13.0, 2.5)],
           GUN_BLACK, ow=0.8)
    g.box(-13.2, -2.4, -12.2, 2.6, INK, ow=0.3, lit=0)
    if mag:
        mx, my = g.at(7.5, -1.0)
        magazine(f, mx, my, a + 0.35, curved=True)
    g.box(-1.5, -1.9, 12.5, 1.9, mix(GUN_BLACK, GREEN_DARK, 0.35), lit=0.25)   # receiver
    g.box(1.0 + bolt, 1.6, 4.0 + bolt, 2.6, CONCRETE, ow=0.4, lit=0)          # charging handle
    g.box(11.5, -2.2, 20.0, 2.2, mix(GREEN_DARK, CONCRETE_DARK, 0.5), lit=0.22)  # handguard
    for k in range(4):
        sx, sy = g.at(12.8 + k * 1.9, -1.6)
        ex, ey = g.at(12.8 + k * 1.9, 1.6)
        f.line((sx, sy), (ex, ey), INK, width=0.45)
    g.box(19.5, -0.8, 25.0, 0.8, GUN_STEEL, lit=0.3)                           # barrel
    g.edge(20.0, 24.6, 0.0, CONCRETE_LIGHT, width=0.5)
    g.box(24.5, -1.25, 27.0, 1.25, GUN_BLACK, ow=0.5, lit=0.2)                 # muzzle brake
    # the optic on top: a short tube with a lens that catches the light
    g.box(1.5, -1.3, 9.5, 1.3, mix(INK, STEEL_DARK, 0.5), ow=0.5, lit=0.4)
    g.edge(2.0, 9.0, 0.0, STEEL, width=0.6)
    lx, ly = g.at(9.4, 0.0)
    f.ellipse(lx, ly, 0.7, 1.5, GLASS_BLUE, a=a, outline=None, lit=0.4)


GUN_DRAW = {1: draw_revolver, 2: draw_pistol, 3: draw_shotgun, 4: draw_rifle}
# Muzzle position in each gun's own frame, for flashes and smoke.
MUZZLE = {1: (14.5, 0.0), 2: (12.0, 0.0), 3: (25.0, 0.0), 4: (27.5, 0.0)}


# --------------------------------------------------------------------------
# Heads, seen from above. tilt 0 is upright (only the crown shows), tilt 1 is
# lying on the back with the face up and the crown towards -x.

HEAD_R = 7.2


def draw_head(f, cx, cy, style, tilt=0.0, ang=0.0):
    r = HEAD_R
    hair = style.get("hair")
    hat = style.get("hat")
    f.ellipse(cx - 0.5, cy - r + 0.4, 1.7, 2.2, SKIN_DARK, ow=0.7, lit=0)
    f.ellipse(cx - 0.5, cy + r - 0.4, 1.7, 2.2, SKIN_DARK, ow=0.7, lit=0)
    if tilt < 0.5:
        f.ellipse(cx + r - 0.2, cy, 1.9, 1.5, SKIN, ow=0.7, lit=0)      # nose
    outline = ellipse_pts(cx, cy, r + 0.3, r, 0.0)
    f.shape(outline, SKIN, lit=0.1)
    if tilt > 0.35:
        k = min(1.0, (tilt - 0.35) / 0.4)
        # closed eyes, brows, nose and mouth of a face turned to the ceiling
        for s in (-1, 1):
            f.line((cx + 0.6, cy + s * 2.0), (cx + 0.6, cy + s * 4.3), shade(SKIN, 0.45), width=0.7,
                   alpha=int(255 * k))
            f.line((cx - 1.6, cy + s * 1.6), (cx - 1.4, cy + s * 4.6), shade(hair or SKIN, 0.8),
                   width=0.9, alpha=int(255 * k))
        f.shape(ellipse_pts(cx + 3.4, cy, 1.9, 1.2), SKIN_DARK, outline=None, lit=0, alpha=int(255 * k))
        f.line((cx + 6.2, cy - 1.8), (cx + 6.2, cy + 1.8), shade(ALARM_RED, 0.55), width=0.8,
               alpha=int(255 * k))
    if hair is not None and not style.get("helmet"):
        off = -1.6 - tilt * 5.6

        def hair_fn(t):
            t.shape(ellipse_pts(cx + off, cy, r + 0.6, r + 0.4), hair, outline=None, lit=0)
            t.shape(ellipse_pts(cx + off - 0.8, cy - 1.0, r * 0.55, r * 0.45), shade(hair, 1.0 + style.get("shine", 0.1)),
                    outline=None, lit=0)
            if style.get("parting") and tilt < 0.5:
                t.line((cx + off + 5, cy - 2.0), (cx + off - 6, cy - 2.6), shade(hair, 0.7), width=0.6)
            if style.get("bald") and tilt < 0.5:
                t.shape(ellipse_pts(cx - 1.8, cy, 3.8, 3.4), SKIN, outline=None, lit=0.2)
        f.clipped(hair_fn, outline)
        if style.get("bun"):
            bx = cx - r - 1.2 - tilt * 2.0
            f.circle(bx, cy, 3.2, hair, ow=0.7, lit=0.2)
    if style.get("helmet"):
        # helmet stays on; when he lies it shows as a dome behind the face
        hx = cx - tilt * 3.5
        if tilt < 0.5:
            f.ellipse(hx, cy, 9.8, 9.3, shade(HELMET, 0.8), ow=1.0, lit=0)       # the rim
            f.ellipse(hx - 0.4, cy, 8.4, 8.0, HELMET, outline=shade(HELMET, 0.6), ow=0.5, lit=0)
            f.ellipse(hx - 1.8, cy - 1.6, 4.2, 3.4, shade(HELMET, 1.22), outline=None, lit=0.1)
            f.shape(box_pts(6.2, -1.8, 9.2, 1.8, 0.0, hx, cy), INK, ow=0.4, lit=0.3)   # front mount
            f.capsule((hx - 7.6, cy - 4.6), (hx - 7.6, cy + 4.6), 1.1, INK, ow=0.4, lit=0.1)  # goggle strap
        else:
            pts = []
            for i in range(19):
                t = math.pi / 2 + math.pi * i / 18
                pts.append((hx + 9.6 * math.cos(t), cy + 9.3 * math.sin(t)))
            for i in range(18, -1, -1):
                t = math.pi / 2 + math.pi * i / 18
                pts.append((hx - 2.6 + 2.2 * math.cos(t), cy + 7.8 * math.sin(t)))
            f.shape(pts, HELMET, ow=1.0, lit=0.1)
            f.line((hx + 0.5, cy - 8.3), (hx + 5.5, cy - 2.6), INK, width=0.7)
            f.line((hx + 0.5, cy + 8.3), (hx + 5.5, cy + 2.6), INK, width=0.7)


HELMET = mix(GREEN_DARK, GREEN, 0.45)


def draw_cap(f, cx, cy, hat, a):
    """A peaked cap seen from above: crown, band colour at the rim, the peak in front."""
    if hat == "guard":
        crown, peak, badge, rx, ry = mix(INK, CONCRETE_DARK, 0.55), INK, AMBER, 8.2, 7.9
    else:
        crown, peak, badge, rx, ry = mix(STEEL_DARK, STEEL, 0.2), INK, AMBER, 9.4, 9.0
    px, py = rot(7.4 if hat == "guard" else 8.2, 0, a)
    f.ellipse(cx + px, cy + py, 3.9, 6.3, peak, a=a, ow=0.8, lit=0.3)
    f.ellipse(cx, cy, rx, ry, crown, a=a, ow=1.0, lit=0.16)
    if hat == "guard":
        # an amber band round the crown marks the security guard
        f.ring(cx, cy, rx - 1.2, AMBER, width=1.1)
    else:
        f.ring(cx, cy, rx - 1.0, STEEL_LIGHT, width=0.7)
        f.ring(cx, cy, rx - 3.2, shade(crown, 1.25), width=0.5)
    bx, by = rot(rx - 2.2, 0, a)
    f.ellipse(cx + bx, cy + by, 1.3, 1.8 if hat == "guard" else 2.1, badge, a=a, ow=0.5, lit=0.3)
