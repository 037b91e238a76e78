"""Reads a bitmap font description the way the game does and draws text with it,
so the generators can check the fonts and preview text on the screens."""
import os
import re

import numpy as np
from PIL import Image


class BitmapFont:
    def __init__(self, path):
        with open(path, "rb") as f:
            raw = f.read().decode("latin-1")
        lines = [l for l in re.split(r"[\r\n]", raw) if l]
        if not lines or lines[0] != "[HGEFONT]":
            raise ValueError("%s: first line is not [HGEFONT]" % path)
        self.texture = None
        self.letters = {}
        self.height = 0
        for line in lines[1:]:
            if line.startswith("Bitmap"):
                name = line.split("=", 1)[1].strip()
                self.texture = Image.open(os.path.join(os.path.dirname(path), name)).convert("RGBA")
            elif line.startswith("Char"):
                if self.texture is None:
                    raise ValueError("%s: Char before Bitmap" % path)
                rest = line.split("=", 1)[1].lstrip()
                if rest.startswith('"'):
                    code = ord(rest[1].encode("latin-1").decode("latin-1"))
                    nums = rest[3:].lstrip(",")
                else:
                    head, nums = rest.split(",", 1)
                    code = int(head.strip(), 16)
                    if code > 255:
                        continue
                x, y, w, h, pre, post = [int(v) for v in nums.split(",")]
                self.letters[code] = (x, y, w, h, pre, post)
                self.height = max(self.height, h)

    def letter(self, code):
        return self.letters.get(code, self.letters.get(ord("?")))

    def string_width(self, data):
        best = 0
        for part in data.split(b"\n"):
            width = 0
            for code in part:
                if code == 13:
                    continue
                l = self.letter(code)
                if l:
                    width += l[2] + l[4] + l[5]
            best = max(best, width)
        return best

    def draw(self, canvas, x, y, text, colour, align=0):
        """Draw cp1251 text onto an RGBA PIL image with the game's rules:
        colour multiplies the letters, "\\n" steps one font height."""
        data = text.encode("cp1251") if isinstance(text, str) else text
        tint = np.array([(colour >> 16) & 255, (colour >> 8) & 255, colour & 255,
                         (colour >> 24) & 255], dtype=np.float32) / 255.0
        tex = np.asarray(self.texture, dtype=np.float32)
        for row, part in enumerate(data.split(b"\n")):
            line_w = self.string_width(part)
            px = x if align == 0 else (x - line_w if align == 1 else x - int(round(line_w / 2)))
            py = y + row * int(round(self.height))
            for code in part:
                l = self.letter(code)
                if not l:
                    continue
                lx, ly, w, h, pre, post = l
                px += pre
                glyph = tex[ly:ly + h, lx:lx + w] * tint
                img = Image.fromarray(np.clip(glyph + 0.5, 0, 255).astype(np.uint8), "RGBA")
                canvas.alpha_composite(img, (int(px), int(py)))
                px += w + post
