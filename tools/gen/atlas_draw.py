"""Drawing kit for the world atlas: antialiased shapes on sprites of an exact
pixel size, tileable textures, bevelled boxes, soft shadows and wreckage.

Shapes are rasterised at SS times the size and box-filtered down, so edges
stay crisp but not jagged. Coordinates are in final pixels; a rectangle
(x0, y0, x1, y1) covers the pixels x0 <= x < x1, y0 <= y < y1."""
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common as C  # noqa: E402

SS = 4
CELL = 40


# --------------------------------------------------------------- randomness

def seed_of(name):
    seed = 0
    for ch in name:
        seed = (seed * 131 + ord(ch)) & 0x7FFFFFFF
    return seed


def nprng(name):
    """Legacy generator: its stream never changes between numpy versions."""
    return np.random.RandomState(seed_of(name))


# ------------------------------------------------------------------ textures

def pnoise(w, h, scale, name):
    """Smooth noise in [-1, 1] that repeats with period (w, h)."""
    r = nprng(name)
    white = r.normal(size=(h, w))
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.fftfreq(w)[None, :]
    filt = np.exp(-(fx * fx + fy * fy) * (scale * scale) * 2.0 * math.pi * math.pi)
    out = np.real(np.fft.ifft2(np.fft.fft2(white) * filt))
    out -= out.mean()
    m = np.abs(out).max()
    return out / m if m > 0 else out


def flat(w, h, rgb):
    a = np.empty((h, w, 3), np.float32)
    a[:, :] = rgb
    return a


def modulate(tex, amount):
    """tex (h, w, 3) brightened/darkened by amount (h, w) in [-1, 1]."""
    a = amount[:, :, None]
    up = tex + (255.0 - tex) * np.clip(a, 0, None)
    return np.where(a >= 0, up, tex * (1.0 + a))


def wood(w, h, base, name, vertical=False, plank=0, contrast=1.0):
    """Wood grain running along x (or y), optionally cut into planks of the
    given width with staggered joints. Repeats with period (w, h)."""
    if vertical:
        return wood(h, w, base, name, False, plank, contrast).transpose(1, 0, 2).copy()
    r = nprng(name)
    ys = np.arange(h)[:, None].astype(np.float32)
    warp = pnoise(w, h, 6.0, name + "w") * 2.5
    grain = np.sin((ys + warp) * (2 * math.pi / 3.3)) * 0.5
    fine = pnoise(w, h, 0.8, name + "f") * 0.5
    streak = pnoise(w, h, 3.0, name + "s") * 0.6
    amount = (grain * 0.10 + fine * 0.08 + streak * 0.10) * contrast
    if plank:
        rows = (np.arange(h) // plank)
        tone = r.uniform(-0.10, 0.10, size=rows.max() + 1)
        amount = amount + tone[rows][:, None]
        edge = (np.arange(h) % plank == 0)
        amount = amount - edge[:, None] * 0.28
        offs = r.randint(0, w, size=rows.max() + 1)
        for i in range(rows.max() + 1):
            x = offs[i]
            sel = rows == i
            amount[sel, x] -= 0.28
    return modulate(flat(w, h, base), amount)


def speckle(w, h, name, density, strength):
    r = nprng(name)
    s = (r.random_sample((h, w)) < density) * r.uniform(-1, 1, size=(h, w))
    return s * strength


# --------------------------------------------------------------- the sprite

class Sprite:
    """An RGBA picture of fixed pixel size built from antialiased shapes."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w, h), (0, 0, 0, 0))

    # masks ------------------------------------------------------------
    def _mask(self, draw_fn):
        m = Image.new("L", (self.w * SS, self.h * SS), 0)
        draw_fn(ImageDraw.Draw(m))
        return m.resize((self.w, self.h), Image.BOX)

    @staticmethod
    def _box(x0, y0, x1, y1):
        return [x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1]

    def m_rect(self, x0, y0, x1, y1, r=0):
        if r > 0:
            return self._mask(lambda d: d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * SS, fill=255))
        return self._mask(lambda d: d.rectangle(self._box(x0, y0, x1, y1), fill=255))

    def m_ellipse(self, x0, y0, x1, y1):
        return self._mask(lambda d: d.ellipse(self._box(x0, y0, x1, y1), fill=255))

    def m_circle(self, cx, cy, r):
        return self.m_ellipse(cx - r, cy - r, cx + r, cy + r)

    def m_poly(self, pts):
        return self._mask(lambda d: d.polygon([(x * SS, y * SS) for x, y in pts], fill=255))

    def m_line(self, pts, width):
        def fn(d):
            p = [(x * SS, y * SS) for x, y in pts]
            d.line(p, fill=255, width=max(1, int(round(width * SS))), joint="curve")
            r = width * SS / 2
            for x, y in (p[0], p[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return self._mask(fn)

    def m_arc(self, cx, cy, r, a0, a1, width):
        def fn(d):
            d.arc([(cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS], a0, a1,
                  fill=255, width=max(1, int(round(width * SS))))
        return self._mask(fn)

    # painting ---------------------------------------------------------
    def paint(self, mask, src, alpha=255):
        """Composite a flat colour or an (h, w, 3) texture through a mask."""
        if isinstance(src, np.ndarray):
            layer = Image.fromarray(np.clip(src, 0, 255).astype(np.uint8), "RGB").convert("RGBA")
        else:
            layer = Image.new("RGBA", (self.w, self.h), tuple(src[:3]) + (255,))
        if alpha != 255:
            mask = mask.point(lambda v: v * alpha // 255)
        layer.putalpha(mask)
        self.img = Image.alpha_composite(self.img, layer)

    def rect(self, x0, y0, x1, y1, src, r=0, alpha=255):
        self.paint(self.m_rect(x0, y0, x1, y1, r), src, alpha)

    def ellipse(self, x0, y0, x1, y1, src, alpha=255):
        self.paint(self.m_ellipse(x0, y0, x1, y1), src, alpha)

    def circle(self, cx, cy, r, src, alpha=255):
        self.paint(self.m_circle(cx, cy, r), src, alpha)

    def poly(self, pts, src, alpha=255):
        self.paint(self.m_poly(pts), src, alpha)

    def line(self, pts, width, src, alpha=255):
        self.paint(self.m_line(pts, width), src, alpha)

    def arc(self, cx, cy, r, a0, a1, width, src, alpha=255):
        self.paint(self.m_arc(cx, cy, r, a0, a1, width), src, alpha)

    def box(self, x0, y0, x1, y1, src, r=1.5, edge=None, light=1.22, dark=0.72, bevel=1.0):
        """A raised box seen from above: dark rim, bevelled highlight on the
        top-left edges and shade on the bottom-right ones."""
        base = src if not isinstance(src, np.ndarray) else tuple(int(v) for v in src.reshape(-1, 3).mean(0))
        rim = edge if edge is not None else C.shade(base, 0.42)
        self.rect(x0, y0, x1, y1, rim, r)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, C.shade(base, dark), max(0, r - 1))
        self.rect(x0 + 1, y0 + 1, x1 - 1 - bevel, y1 - 1 - bevel, C.shade(base, light), max(0, r - 1))
        self.rect(x0 + 1 + bevel, y0 + 1 + bevel, x1 - 1 - bevel, y1 - 1 - bevel, src, max(0, r - 1.5))

    def shadow(self, offset=(1, 2), blur=2.0, opacity=140):
        self.img = C.drop_shadow(self.img, offset=offset, blur=blur, opacity=opacity)

    def glow(self, cx, cy, r, rgb, alpha=120):
        """Soft additive-looking light spot (a blurred translucent disc)."""
        m = Image.new("L", (self.w, self.h), 0)
        ImageDraw.Draw(m).ellipse([cx - r / 2, cy - r / 2, cx + r / 2, cy + r / 2], fill=255)
        m = m.filter(ImageFilter.GaussianBlur(r / 3))
        self.paint(m, rgb, alpha)

    def texture_over(self, tex_amount, mask=None, region=None):
        """Darken/brighten the existing pixels by an (h, w) amount array."""
        a = np.asarray(self.img).astype(np.float32)
        rgb = modulate(a[:, :, :3], tex_amount)
        if mask is not None:
            k = np.asarray(mask).astype(np.float32)[:, :, None] / 255.0
            rgb = a[:, :, :3] * (1 - k) + rgb * k
        a[:, :, :3] = rgb
        self.img = Image.fromarray(np.clip(a, 0, 255).astype(np.uint8), "RGBA")

    def done(self):
        return self.img


def rotated(img, quarter_turns):
    """The picture turned clockwise on screen by quarter turns."""
    q = quarter_turns % 4
    if q == 0:
        return img
    return img.transpose({1: Image.ROTATE_270, 2: Image.ROTATE_180, 3: Image.ROTATE_90}[q])


# ------------------------------------------------------------------ wreckage

def wreck(img, name, debris=(90, 86, 80), extra=None, piece=13, darken=0.7):
    """Remains of a broken object of the same footprint: the intact picture
    (without its shadow) split into shards that are shifted, turned a little,
    darkened and partly lost, with scattered chips and a film of dust."""
    r = nprng(name)
    w, h = img.size
    src = np.asarray(img).astype(np.float32)
    alpha = src[:, :, 3]
    ys, xs = np.nonzero(alpha > 40)
    out = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    if len(xs):
        x0, x1, y0, y1 = xs.min(), xs.max(), ys.min(), ys.max()
        n = max(4, int((x1 - x0 + 1) * (y1 - y0 + 1) / (piece * piece)))
        sx = r.uniform(x0, x1 + 1, n)
        sy = r.uniform(y0, y1 + 1, n)
        gy, gx = np.mgrid[0:h, 0:w]
        # splinters run along the longer side of the object
        kx, ky = (0.35, 1.0) if x1 - x0 >= y1 - y0 else (1.0, 0.35)
        d = kx * (gx[None] - sx[:, None, None]) ** 2 + ky * (gy[None] - sy[:, None, None]) ** 2
        ds = np.sort(d, axis=0)
        owner = np.argmin(d, axis=0)
        crack = (np.sqrt(ds[1]) - np.sqrt(ds[0])) < 0.7
        grey = src[:, :, :3].mean(2, keepdims=True)
        faded = src.copy()
        faded[:, :, :3] = src[:, :, :3] * 0.75 + grey * 0.25
        for i in range(n):
            if r.random_sample() < 0.1:
                continue
            sel = (owner == i) & ~crack
            if not sel.any():
                continue
            piece_px = faded.copy()
            k = r.uniform(darken - 0.08, darken + 0.12)
            piece_px[:, :, :3] *= k
            piece_px[:, :, 3] *= sel
            patch = Image.fromarray(np.clip(piece_px, 0, 255).astype(np.uint8), "RGBA")
            cy, cx = np.nonzero(sel)
            patch = patch.rotate(r.uniform(-9, 9), resample=Image.BICUBIC, center=(cx.mean(), cy.mean()),
                                 translate=(r.uniform(-3, 3), r.uniform(-3, 3)))
            out = Image.alpha_composite(out, patch)
    sp = Sprite(w, h)
    sp.img = out
    if len(xs):
        # dust settling over the patch
        dust = (pnoise(w, h, 4.0, name + "dust") * 0.5 + 0.5)
        m = Image.new("L", (w, h), 0)
        ImageDraw.Draw(m).rectangle([x0 - 1, y0 - 1, x1 + 1, y1 + 1], fill=255)
        m = m.filter(ImageFilter.GaussianBlur(2.5))
        dm = (np.asarray(m).astype(np.float32) * dust * 0.28).astype(np.uint8)
        sp.paint(Image.fromarray(dm, "L"), (150, 146, 138))
    if extra:
        extra(sp, r)
    # chips and splinters
    for _ in range(int(8 + w * h / 200)):
        cx, cy = r.uniform(3, w - 3), r.uniform(3, h - 3)
        s = r.uniform(0.6, 1.6)
        a = r.uniform(0, math.pi)
        pts = [(cx + math.cos(a + k * 2.1) * s * r.uniform(0.6, 1.4),
                cy + math.sin(a + k * 2.1) * s * r.uniform(0.6, 1.4)) for k in range(3)]
        sp.poly(pts, C.shade(debris, r.uniform(0.6, 1.3)))
    sp.shadow(offset=(1, 1), blur=1.0, opacity=110)
    return sp.done()
