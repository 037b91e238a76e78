"""Shared helpers for the data generators: the house palette, seeded randomness,
soft shadows and PNG output. Every generator imports this so the whole game
keeps one look: a clean, slightly dark office thriller."""
import os
import random
import shutil
import subprocess

from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
DATA = os.path.join(ROOT, "data")
SOUND = os.path.join(ROOT, "sound")
PREVIEW = os.path.join(ROOT, "tools", "gen", "preview")

# The house palette (RGB). Concrete greys, steel blue, warm wood, muted greens,
# with red and amber kept for alarms and danger.
INK = (14, 16, 20)              # near-black outlines and deep shadow
CONCRETE_DARK = (52, 56, 60)
CONCRETE = (96, 100, 104)
CONCRETE_LIGHT = (150, 154, 156)
PAPER = (222, 220, 212)         # off-white for text, paper, ceramics
STEEL_DARK = (34, 48, 66)
STEEL = (62, 86, 112)
STEEL_LIGHT = (118, 146, 172)
WOOD_DARK = (92, 60, 38)
WOOD = (140, 96, 60)
WOOD_LIGHT = (184, 136, 90)
GREEN_DARK = (38, 62, 48)
GREEN = (70, 104, 78)
GREEN_LIGHT = (120, 156, 118)
ALARM_RED = (196, 40, 36)
AMBER = (230, 160, 40)
GLASS = (150, 190, 205)


def rng(name):
    """A random generator seeded from a name, so every asset is reproducible."""
    seed = 0
    for ch in name:
        seed = (seed * 131 + ord(ch)) & 0xFFFFFFFF
    return random.Random(seed)


def rgba(rgb, a=255):
    return (rgb[0], rgb[1], rgb[2], a)


def shade(rgb, k):
    """Scale a colour towards black (k < 1) or white (k > 1)."""
    if k <= 1:
        return tuple(max(0, min(255, int(c * k))) for c in rgb)
    return tuple(max(0, min(255, int(c + (255 - c) * (k - 1)))) for c in rgb)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def drop_shadow(img, offset=(3, 4), blur=4, opacity=150):
    """Return img composited over a soft shadow of its own alpha."""
    w, h = img.size
    alpha = img.split()[3]
    shadow = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    mask = Image.new("L", (w, h), 0)
    mask.paste(alpha, offset)
    mask = mask.filter(ImageFilter.GaussianBlur(blur)).point(lambda v: v * opacity // 255)
    shadow.putalpha(mask)
    return Image.alpha_composite(shadow, img)


def save_png(img, path):
    """Save deterministically (no timestamps or text chunks). The game's own
    pictures are recompressed by optipng: the same pixels in fewer bytes, a
    smaller download for the browser version."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, format="PNG", optimize=True)
    if os.path.abspath(path).startswith(DATA + os.sep):
        if not shutil.which("optipng"):
            raise SystemExit("optipng is missing: tools/make-data installs it")
        subprocess.run(["optipng", "-quiet", "-o2", path], check=True)


def preview_path(name):
    os.makedirs(PREVIEW, exist_ok=True)
    return os.path.join(PREVIEW, name)
