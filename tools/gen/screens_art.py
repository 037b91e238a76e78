"""Drawing helpers for the full-screen pictures: a supersampled vector canvas,
gradients, grain, panels, key caps and text with soft shadows."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

import common
from common import INK, PAPER, shade, mix, rgba

SS = 4  # supersampling factor of the vector canvas

PARATYPE = "/usr/share/fonts/truetype/paratype"
DEJAVU = "/usr/share/fonts/truetype/dejavu"
FACES = {
    "sans": os.path.join(PARATYPE, "PTS55F.ttf"),
    "sans-bold": os.path.join(PARATYPE, "PTS75F.ttf"),
    "narrow-bold": os.path.join(PARATYPE, "PTN77F.ttf"),
    "serif": os.path.join(PARATYPE, "PTF55F.ttf"),
    "serif-bold": os.path.join(PARATYPE, "PTF75F.ttf"),
    "mono": os.path.join(PARATYPE, "PTM55F.ttf"),
    "mono-bold": os.path.join(PARATYPE, "PTM75F.ttf"),
    "dejavu-bold": os.path.join(DEJAVU, "DejaVuSans-Bold.ttf"),
}
_font_cache = {}


def font(face, size):
    key = (face, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FACES[face], size)
    return _font_cache[key]


def np_rng(name):
    return np.random.default_rng(common.rng(name).getrandbits(32))


def col(c, a=255):
    return c if len(c) == 4 else rgba(c, a)


class Canvas:
    """An RGBA drawing surface in picture pixels, drawn at SS times the size
    and reduced at the end, so every edge is antialiased."""

    def __init__(self, w, h, bg=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), col(bg))
        self.draw = ImageDraw.Draw(self.img)

    @staticmethod
    def _pts(pts):
        return [(x * SS, y * SS) for x, y in pts]

    def polygon(self, pts, fill, outline=None, width=1.0):
        self.draw.polygon(self._pts(pts), fill=col(fill))
        if outline is not None:
            self.line(list(pts) + [pts[0]], outline, width)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0, radius=0):
        box = [x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1]
        w = int(round(width * SS)) if outline is not None else 0
        self.draw.rounded_rectangle(box, radius=radius * SS,
                                    fill=col(fill) if fill is not None else None,
                                    outline=col(outline) if outline is not None else None,
                                    width=w)

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        w = int(round(width * SS)) if outline is not None else 0
        self.draw.ellipse([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1],
                          fill=col(fill) if fill is not None else None,
                          outline=col(outline) if outline is not None else None, width=w)

    def circle(self, cx, cy, r, fill=None, outline=None, width=1.0):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline, width)

    def line(self, pts, fill, width=1.0):
        self.draw.line(self._pts(pts), fill=col(fill), width=max(1, int(round(width * SS))),
                       joint="curve")
        r = width * SS / 2
        if r >= 2:
            for x, y in (pts[0], pts[-1]):
                self.draw.ellipse([x * SS - r, y * SS - r, x * SS + r, y * SS + r], fill=col(fill))

    def arc(self, x0, y0, x1, y1, start, end, fill, width=1.0):
        self.draw.arc([x0 * SS, y0 * SS, x1 * SS, y1 * SS], start, end, fill=col(fill),
                      width=max(1, int(round(width * SS))))

    def image(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def vgradient(w, h, stops):
    """Vertical gradient; stops is a list of (position 0..1, rgb)."""
    ys = np.linspace(0.0, 1.0, h)
    out = np.zeros((h, 3), dtype=np.float32)
    pos = [s[0] for s in stops]
    for c in range(3):
        out[:, c] = np.interp(ys, pos, [s[1][c] for s in stops])
    arr = np.repeat(out[:, None, :], w, axis=1)
    alpha = np.full((h, w, 1), 255, dtype=np.float32)
    return Image.fromarray(np.concatenate([arr, alpha], axis=2).round().astype(np.uint8), "RGBA")


def hgradient(w, h, stops):
    return vgradient(h, w, stops).transpose(Image.TRANSPOSE)


def grain(img, name, amount=6.0, streaks=0.0):
    """Add fine noise (and optional vertical brushed streaks) to an RGBA image."""
    r = np_rng(name)
    arr = np.asarray(img, dtype=np.float32).copy()
    h, w = arr.shape[:2]
    noise = r.normal(0.0, amount, (h, w))
    if streaks:
        cols = r.normal(0.0, streaks, (1, w))
        noise = noise + np.repeat(cols, h, axis=0)
    arr[..., :3] += noise[..., None]
    return Image.fromarray(np.clip(arr, 0, 255).round().astype(np.uint8), "RGBA")


def vignette(img, strength=0.55, power=2.2):
    arr = np.asarray(img, dtype=np.float32).copy()
    h, w = arr.shape[:2]
    yy, xx = np.mgrid[0:h, 0:w]
    d = np.sqrt(((xx - w / 2) / (w / 2)) ** 2 + ((yy - h / 2) / (h / 2)) ** 2) / np.sqrt(2)
    k = 1.0 - strength * d ** power
    arr[..., :3] *= k[..., None]
    return Image.fromarray(np.clip(arr, 0, 255).round().astype(np.uint8), "RGBA")


def glow(size, cx, cy, radius, colour, alpha=255):
    """A soft round light as its own RGBA layer."""
    w, h = size
    yy, xx = np.mgrid[0:h, 0:w]
    d = np.sqrt((xx - cx) ** 2 + (yy - cy) ** 2) / radius
    a = np.clip(1.0 - d, 0, 1) ** 2 * alpha
    arr = np.zeros((h, w, 4), dtype=np.uint8)
    arr[..., 0], arr[..., 1], arr[..., 2] = colour
    arr[..., 3] = a.round().astype(np.uint8)
    return Image.fromarray(arr, "RGBA")


def add_light(img, layer):
    """Additive blend of a light layer (its alpha is the intensity)."""
    base = np.asarray(img, dtype=np.float32)
    l = np.asarray(layer, dtype=np.float32)
    out = base.copy()
    out[..., :3] = base[..., :3] + l[..., :3] * (l[..., 3:4] / 255.0)
    return Image.fromarray(np.clip(out, 0, 255).round().astype(np.uint8), "RGBA")


def paste(dst, src, xy, shadow=None):
    """Composite src onto dst at integer xy, optionally with a soft shadow
    (shadow = (dx, dy, blur, opacity))."""
    x, y = int(round(xy[0])), int(round(xy[1]))
    if shadow:
        dx, dy, blur, opacity = shadow
        pad = blur * 3 + max(abs(dx), abs(dy))
        big = Image.new("RGBA", (src.width + 2 * pad, src.height + 2 * pad), (0, 0, 0, 0))
        big.paste(src, (pad, pad))
        big = common.drop_shadow(big, offset=(dx, dy), blur=blur, opacity=opacity)
        _composite_clipped(dst, big, x - pad, y - pad)
    else:
        _composite_clipped(dst, src, x, y)


def _composite_clipped(dst, src, x, y):
    sx0, sy0 = max(0, -x), max(0, -y)
    sx1, sy1 = min(src.width, dst.width - x), min(src.height, dst.height - y)
    if sx1 <= sx0 or sy1 <= sy0:
        return
    dst.alpha_composite(src.crop((sx0, sy0, sx1, sy1)), (x + sx0, y + sy0))


def text_layer(text, face, size, fill, spacing=0, line_gap=None, align="left"):
    """Text as a tight RGBA layer (multi-line allowed); returns (image, ascent offset)."""
    f = font(face, size)
    lines = text.split("\n")
    gap = line_gap if line_gap is not None else int(size * 1.25)
    widths = []
    for line in lines:
        if spacing:
            widths.append(int(sum(f.getlength(c) + spacing for c in line) - spacing) if line else 0)
        else:
            widths.append(int(np.ceil(f.getlength(line))))
    asc, desc = f.getmetrics()
    w = max(widths) + 8
    h = gap * (len(lines) - 1) + asc + desc + 8
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for i, line in enumerate(lines):
        x = 4
        if align == "center":
            x = 4 + (max(widths) - widths[i]) // 2
        elif align == "right":
            x = 4 + max(widths) - widths[i]
        y = 4 + i * gap
        if spacing:
            for c in line:
                d.text((x, y), c, font=f, fill=col(fill))
                x += f.getlength(c) + spacing
        else:
            d.text((x, y), line, font=f, fill=col(fill))
    return img


def draw_text(dst, xy, text, face, size, fill, anchor="la", shadow=(1, 2, 2, 170),
              spacing=0, line_gap=None, align="left", within=None):
    """Draw text anchored at xy: anchor is two letters, horizontal l/m/r and
    vertical a (top of the letters' box), m (its middle), b (its bottom),
    s (baseline of the first line) or c (middle of its capitals). within
    (left, right) is the room the text has; a text wider than that (a long
    translation) stops the build."""
    layer = text_layer(text, face, size, fill, spacing, line_gap, align)
    bbox = layer.getbbox()
    if bbox is None:
        return None
    x, y = xy
    if anchor[1] in "sc":
        # keep the line's own vertical metrics: y is the baseline, or the
        # middle of the capitals
        f = font(face, size)
        if anchor[1] == "c":
            y += -f.getbbox("Н", anchor="ls")[1] / 2
        layer = layer.crop((bbox[0], 0, bbox[2], layer.height))
        y -= 4 + f.getmetrics()[0]
    else:
        layer = layer.crop(bbox)
    if anchor[0] == "m":
        x -= layer.width / 2
    elif anchor[0] == "r":
        x -= layer.width
    if anchor[1] == "m":
        y -= layer.height / 2
    elif anchor[1] == "b":
        y -= layer.height
    box = (int(round(x)), int(round(y)), int(round(x)) + layer.width, int(round(y)) + layer.height)
    check_room(text, box[0], box[2], within)
    paste(dst, layer, (x, y), shadow)
    return box


def check_room(text, left, right, within):
    """Stops the build when text drawn from left to right leaves its room."""
    if within and (left < within[0] or right > within[1]):
        raise ValueError("%r takes x %d..%d, beyond its room %d..%d" % (text, left, right, within[0], within[1]))


def panel(dst, box, fill, radius=6, edge=None, shadow=(0, 3, 5, 140), inner_light=True):
    """A rounded panel with a soft drop shadow and a faint top highlight."""
    x0, y0, x1, y1 = box
    c = Canvas(x1 - x0, y1 - y0)
    c.rect(0, 0, x1 - x0, y1 - y0, fill=fill, radius=radius)
    if inner_light:
        c.rect(1, 1, x1 - x0 - 1, y1 - y0 - 1, outline=rgba(shade(fill[:3], 1.25), 90),
               width=1, radius=max(0, radius - 1))
    if edge is not None:
        c.rect(0, 0, x1 - x0, y1 - y0, outline=edge, width=1, radius=radius)
    paste(dst, c.image(), (x0, y0), shadow)


def keycap(dst, x, y, w, h, label, size=22, face="sans-bold", wide_label=False):
    """A keyboard key seen from above: light top face over a darker base."""
    c = Canvas(w, h)
    c.rect(0, 0, w, h, fill=shade(PAPER, 0.62), radius=7)
    c.rect(2, 1, w - 2, h - 6, fill=mix(PAPER, (255, 255, 255), 0.25), radius=6)
    c.rect(2, 1, w - 2, h - 6, outline=rgba(shade(PAPER, 0.8), 255), width=1, radius=6)
    c.rect(0, 0, w, h, outline=INK, width=1.2, radius=7)
    img = c.image()
    paste(dst, img, (x, y), (0, 3, 3, 170))
    if label:
        draw_text(dst, (x + w / 2, y + (h - 5) / 2), label, face, size, INK, anchor="mc",
                  shadow=None)


def to_rgb(img):
    return img.convert("RGB")


def title_text(text, face, size, top, bottom, outline=INK, outline_px=2, spacing=0):
    """Large lettering filled with a vertical gradient and ringed with a dark
    outline; returns a tight RGBA layer."""
    mask = text_layer(text, face, size, (255, 255, 255), spacing)
    mask = mask.crop(mask.getbbox())
    pad = outline_px + 2
    big = Image.new("RGBA", (mask.width + 2 * pad, mask.height + 2 * pad), (0, 0, 0, 0))
    big.paste(mask, (pad, pad))
    alpha = big.split()[3]
    ring = alpha.filter(ImageFilter.MaxFilter(2 * outline_px + 1)).filter(ImageFilter.GaussianBlur(0.6))
    fill = vgradient(big.width, big.height, [(0, top), (0.55, mix(top, bottom, 0.55)), (1, bottom)])
    out = Image.new("RGBA", big.size, col(outline))
    out.putalpha(ring)
    fill.putalpha(alpha)
    out.alpha_composite(fill)
    return out
