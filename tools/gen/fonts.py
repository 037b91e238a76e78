#!/usr/bin/python3
"""Builds the two bitmap fonts of the game: data/font1 (dialogue and shop text,
32-pixel lines) and data/font2 (heads-up display and editor, 16-pixel lines).

Each font is a text description ("[HGEFONT]", the texture name, one Char line
per letter: hexadecimal Windows-1251 code, x, y, width, height, pre, post) and
one PNG of white letters with an antialiased edge and a thin dark outline.
The game tints letters by multiplying the vertex colour, so white takes any
colour and the outline stays dark over light and dark floors alike."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np
from PIL import Image, ImageDraw, ImageFont

import common

PARATYPE = "/usr/share/fonts/truetype/paratype"
DEJAVU = "/usr/share/fonts/truetype/dejavu"

# Every byte the texts of the game use: printable ASCII, the Russian alphabet,
# Ё/ё and the typographic punctuation of the story and shop texts.
EXTRA_CODES = [0x84, 0x85, 0x91, 0x92, 0x93, 0x94, 0x96, 0x97, 0xA8, 0xAB, 0xB8, 0xB9, 0xBB]
CODES = sorted(set(range(0x20, 0x7F)) | set(range(0xC0, 0x100)) | set(EXTRA_CODES))

# name, font file, size, line height, baseline from the line top, outline
# strength (0..1), horizontal gap added to every advance.
FONTS = [
    dict(name="font1", file=os.path.join(PARATYPE, "PTS55F.ttf"), size=23,
         line=32, baseline=23, outline=0.55, tracking=0),
    dict(name="font2", file=os.path.join(DEJAVU, "DejaVuSans-Bold.ttf"), size=12,
         line=16, baseline=12, outline=1.0, tracking=0),
]

PAD = 2          # spacing between letters in the texture
TEX_WIDTH = 512


def char_of(code):
    return bytes([code]).decode("cp1251")


def glyph_mask(font, ch, cfg):
    """Alpha of one letter on a line-high strip, with its pen origin.

    Returns (mask as float array, origin x inside the strip, advance)."""
    left, top, right, bottom = font.getbbox(ch, anchor="ls")
    margin = 3
    width = max(1, right - left) + 2 * margin
    img = Image.new("L", (width, cfg["line"]), 0)
    ox = margin - left
    img_draw = ImageDraw.Draw(img)
    img_draw.text((ox, cfg["baseline"]), ch, fill=255, font=font, anchor="ls")
    advance = font.getlength(ch)
    return np.asarray(img, dtype=np.float32) / 255.0, ox, advance


def outlined(mask, strength):
    """White letter over a one-pixel dark rim; returns an RGBA uint8 array."""
    h, w = mask.shape
    padded = np.pad(mask, 1)
    rim = np.zeros_like(mask)
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            if dx == 0 and dy == 0:
                continue
            k = 1.0 if dx == 0 or dy == 0 else 0.7
            rim = np.maximum(rim, k * padded[1 + dy:1 + dy + h, 1 + dx:1 + dx + w])
    rim *= strength
    alpha = mask + rim * (1.0 - mask)
    ink = np.array(common.INK, dtype=np.float32)
    with np.errstate(invalid="ignore", divide="ignore"):
        white_share = np.where(alpha > 0, mask / alpha, 1.0)
    rgb = ink[None, None, :] * (1.0 - white_share[..., None]) + 255.0 * white_share[..., None]
    out = np.zeros((h, w, 4), dtype=np.uint8)
    out[..., :3] = np.clip(rgb + 0.5, 0, 255).astype(np.uint8)
    out[..., 3] = np.clip(alpha * 255 + 0.5, 0, 255).astype(np.uint8)
    out[out[..., 3] == 0, :3] = 255   # keep empty texels white so filtering never darkens
    return out


def crop_columns(rgba):
    """Column range holding any pixel; None for an empty letter."""
    cols = np.nonzero(rgba[..., 3].max(axis=0))[0]
    if len(cols) == 0:
        return None
    return int(cols[0]), int(cols[-1]) + 1


def build_font(cfg):
    font = ImageFont.truetype(cfg["file"], cfg["size"])
    line = cfg["line"]
    glyphs = []
    for code in CODES:
        ch = char_of(code)
        mask, ox, advance = glyph_mask(font, ch, cfg)
        adv = int(round(advance)) + cfg["tracking"]
        if ch == " ":
            glyphs.append(dict(code=code, img=None, width=adv, pre=0, post=0))
            continue
        rgba = outlined(mask, cfg["outline"])
        span = crop_columns(rgba)
        x0, x1 = span
        img = rgba[:, x0:x1]
        pre = x0 - ox                       # ink start relative to the pen
        width = x1 - x0
        post = adv - pre - width
        glyphs.append(dict(code=code, img=img, width=width, pre=pre, post=post))

    # Shelf packing: one row per line height, letters in code order.
    x, y = PAD, PAD
    for g in glyphs:
        if x + g["width"] + PAD > TEX_WIDTH:
            x, y = PAD, y + line + PAD
        g["x"], g["y"] = x, y
        x += g["width"] + PAD
    height = y + line + PAD
    tex = np.zeros((height, TEX_WIDTH, 4), dtype=np.uint8)
    tex[..., :3] = 255
    for g in glyphs:
        if g["img"] is not None:
            tex[g["y"]:g["y"] + line, g["x"]:g["x"] + g["width"]] = g["img"]
    return glyphs, Image.fromarray(tex, "RGBA")


def write_font(cfg):
    glyphs, tex = build_font(cfg)
    name = cfg["name"]
    common.save_png(tex, os.path.join(common.DATA, name + ".png"))
    lines = ["[HGEFONT]", "Bitmap=%s.png" % name]
    for g in glyphs:
        lines.append("Char=%02X,%d,%d,%d,%d,%d,%d" % (
            g["code"], g["x"], g["y"], g["width"], cfg["line"], g["pre"], g["post"]))
    with open(os.path.join(common.DATA, name + ".fnt"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    return len(glyphs), tex.size


def main():
    for cfg in FONTS:
        count, size = write_font(cfg)
        print("%s: %d letters, texture %dx%d" % (cfg["name"], count, size[0], size[1]))


if __name__ == "__main__":
    main()
