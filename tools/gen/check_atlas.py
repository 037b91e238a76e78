#!/usr/bin/python3
"""Checks the world atlas as the game will read it: data/qvl.apg and
data/Objects.ini parsed as INI files, the textures they name opened from the
repository root. Prints every problem found; exits 1 if there is any."""
import os
import sys

import numpy as np
from PIL import Image

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))

LOOKED_UP = ["black", "grey", "lift", "cursor", "aim", "start", "card white", "card red", "card green",
             "card blue", "banch", "boom", "buff", "blood", "grenade", "green", "yellow", "red"]
EFFECTS = ["banch", "boom", "buff", "blood"]
DOORS = ["Door", "RedDoor", "GreenDoor", "BlueDoor"]
CELL = 40


def read_ini(path):
    """Sections in file order, keys in file order; names compared as written."""
    sections = {}
    cur = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            t = line.strip()
            if not t or t.startswith(";"):
                continue
            if t.startswith("["):
                cur = sections.setdefault(t[1:t.index("]")].strip(), {})
                continue
            if "=" in t and cur is not None:
                k, v = t.split("=", 1)
                cur.setdefault(k.strip(), v.strip())
    return sections


def to_int(text, default):
    if text is None or text == "":
        return default
    s = text.strip()
    sign = -1 if s.startswith("-") else 1
    s = s.lstrip("+-")
    digits = ""
    for ch in s:
        if not ch.isdigit():
            break
        digits += ch
    return sign * int(digits) if digits else 0


def load_project(path):
    ini = read_ini(path)
    textures = []
    for i in range(to_int(ini.get("System", {}).get("apg_project_size"), 0)):
        sec = ini.get(str(i), {})
        props = [sec.get(str(k), "") for k in range(to_int(sec.get("pr_size"), 0))]
        anims = []
        for j in range(to_int(sec.get("tex_size"), 0)):
            s = ini.get("%d_%d" % (i, j), {})
            anims.append(dict(
                name=s.get("name", "Error"),
                x=float(s.get("x", 0)), y=float(s.get("y", 0)), w=float(s.get("w", 1)), h=float(s.get("h", 1)),
                fps=float(s.get("FPS", 0)), frames=to_int(s.get("Frames"), 1),
                sx=float(s.get("sx", 0)), sy=float(s.get("sy", 0)), loop=to_int(s.get("Loop"), 4),
                values={props[k]: s.get(str(k), "") for k in range(len(props))}))
        textures.append(dict(name=sec.get("tex_name", "Error"), anims=anims))
    return textures


def frame_rect(a, n, image_w):
    """Where frame n lies on the texture, with the row wrap of the drawing
    classes: frames that do not fit continue at the left edge below."""
    x, y, w, h = a["x"], a["y"], a["w"], a["h"]
    W = int(round(w))
    cols = image_w // W
    fx, fy = x + n * w, y
    if fx > image_w - w:
        n = n - int(round(image_w - x)) // W
        fx = w * (n % cols)
        fy = y + h * (1 + n // cols)
    return fx, fy, w, h


def seam_ratio(img):
    """How much a tile's wrap-around step differs from the largest step
    between two neighbouring columns (rows) inside it: a seamless tile stays
    at or below 1, a visible seam goes well above."""
    a = np.asarray(img.convert("RGB")).astype(np.float32)
    worst = 0.0
    for b in (a, a.transpose(1, 0, 2)):
        inner = np.abs(np.diff(b, axis=1)).mean(axis=(0, 2)).max() + 1.0
        edge = np.abs(b[:, 0] - b[:, -1]).mean()
        worst = max(worst, edge / inner)
    return worst


def check(root=ROOT):
    problems = []

    def bad(msg):
        problems.append(msg)

    textures = load_project(os.path.join(root, "data", "qvl.apg"))
    by_name = {}
    images = {}
    for t in textures:
        path = os.path.join(root, t["name"])
        if not os.path.exists(path):
            bad("texture %s is missing" % t["name"])
            continue
        img = Image.open(path).convert("RGBA")
        images[t["name"]] = img
        iw, ih = img.size
        for a in t["anims"]:
            if a["name"] in by_name:
                bad("name %r is used twice" % a["name"])
                continue
            a["tex"] = t["name"]
            by_name[a["name"]] = a
            for n in range(a["frames"]):
                fx, fy, w, h = frame_rect(a, n, iw)
                if fx < 0 or fy < 0 or fx + w > iw or fy + h > ih:
                    bad("%s frame %d (%g,%g %gx%g) leaves %s" % (a["name"], n, fx, fy, w, h, t["name"]))
    if not os.path.exists(os.path.join(root, "data", "tex.png")):
        bad("data/tex.png is missing")

    for n in LOOKED_UP:
        if n not in by_name:
            bad("atlas has no %r" % n)
    for n in EFFECTS:
        a = by_name.get(n)
        if not a:
            continue
        if a["loop"] & 4:
            bad("effect %s loops" % n)
        if a["fps"] <= 0 or not (0.2 <= a["frames"] / a["fps"] <= 0.6):
            bad("effect %s lasts %s" % (n, a["frames"] / a["fps"] if a["fps"] else "forever"))
        if (a["sx"], a["sy"]) != (a["w"] / 2, a["h"] / 2):
            bad("effect %s is not centred" % n)
    g = by_name.get("grenade")
    if g and (g["frames"] != 6 or g["fps"] != 0 or (g["sx"], g["sy"]) != (g["w"] / 2, g["h"] / 2)):
        bad("grenade needs 6 still frames centred on their middle")
    for n in ("green", "yellow", "red", "aim"):
        a = by_name.get(n)
        if a and (a["sx"], a["sy"]) != (a["w"] / 2, a["h"] / 2):
            bad("%s is not centred" % n)
    for n in ("black", "grey"):
        a = by_name.get(n)
        if a and (a["w"], a["h"]) != (CELL, CELL):
            bad("%s is not one cell" % n)
    a = by_name.get("black")
    if a and a.get("tex") in images:
        px = np.asarray(images[a["tex"]].crop((int(a["x"]), int(a["y"]), int(a["x"] + a["w"]), int(a["y"] + a["h"]))))
        if px[:, :, :3].max() != 0 or px[:, :, 3].min() != 255:
            bad("black is not opaque black")

    cat = read_ini(os.path.join(root, "data", "Objects.ini"))

    def listed(section):
        names = []
        sec = cat.get(section, {})
        k = 1
        while sec.get(str(k)):
            names.append(sec[str(k)])
            k += 1
        if len(sec) != len(names):
            bad("%s has keys after a gap" % section)
        return names

    floors, objects = listed("Floors"), listed("Objects")
    for names in (floors, objects):
        for n in names:
            if names.count(n) > 1:
                bad("type %s listed twice" % n)
            if " " in n:
                bad("type name %r has a space" % n)

    def prop(a, key, default):
        return to_int(a["values"].get(key), default) if key != "Destroy" else a["values"].get(key, "")

    big_floors = 0
    for n in floors:
        a = by_name.get(n)
        if not a:
            bad("floor %s has no picture" % n)
            continue
        w, h = prop(a, "Width", 1), prop(a, "Height", 1)
        big_floors += w * h > 1
        if (a["w"], a["h"]) != (w * CELL, h * CELL) or (a["sx"], a["sy"]) != (0, 0):
            bad("floor %s is %gx%g, not %dx%d cells with its hot spot at the corner" % (n, a["w"], a["h"], w, h))
        elif a.get("tex") in images:
            tile = images[a["tex"]].crop((int(a["x"]), int(a["y"]), int(a["x"] + a["w"]), int(a["y"] + a["h"])))
            if np.asarray(tile)[:, :, 3].min() != 255:
                bad("floor %s has holes" % n)
            if seam_ratio(tile) > 1.25:
                bad("floor %s shows a seam (%.2f)" % (n, seam_ratio(tile)))
    if len(floors) < 10 or big_floors < 2:
        bad("want at least 10 floors, 2 of them bigger than a cell")

    kinds = {}
    animated = 0
    for n in objects:
        a = by_name.get(n)
        if not a:
            bad("object %s has no picture" % n)
            continue
        kind, w, h = prop(a, "Type", 0), prop(a, "Width", 1), prop(a, "Height", 1)
        kinds[n] = (kind, w, h)
        if (a["w"], a["h"]) != (w * CELL, h * CELL) or (a["sx"], a["sy"]) != (0, 0):
            bad("object %s is %gx%g, not its %dx%d footprint with the hot spot at the corner" % (n, a["w"], a["h"], w, h))
        count = prop(a, "Count", 80)
        if not 0 <= count <= 100:
            bad("object %s hit chance %d" % (n, count))
        if kind in (0, 5) and (prop(a, "Armor", 0) <= 0 or not 1 <= prop(a, "Bonus", 0) <= 5):
            bad("breakable %s needs armour and a bonus of 1 to 5" % n)
        if kind == 1 and a.get("tex") in images:
            tile = images[a["tex"]].crop((int(a["x"]), int(a["y"]), int(a["x"] + a["w"]), int(a["y"] + a["h"])))
            if np.asarray(tile)[:, :, 3].min() != 255:
                bad("wall %s has holes" % n)
            if seam_ratio(tile) > 1.25:
                bad("wall %s shows a seam (%.2f)" % (n, seam_ratio(tile)))
        if a["frames"] > 1 and kind != 4:
            animated += 1
            if a["fps"] <= 0 or a["loop"] != 4:
                bad("animated %s must loop forward at a speed" % n)
    for n in DOORS:
        if n not in kinds:
            bad("door %s is missing" % n)
            continue
        a = by_name[n]
        if kinds[n] != (4, 1, 2):
            bad("door %s must be kind 4 and 1x2 cells" % n)
        if a["frames"] < 3 or a["loop"] != 0 or a["fps"] <= 0 or not 0.15 <= a["frames"] / a["fps"] <= 0.6:
            bad("door %s needs a short forward opening animation" % n)
    for n in objects:
        a = by_name.get(n)
        d = prop(a, "Destroy", "") if a else ""
        if not d:
            continue
        if d not in kinds:
            bad("%s breaks into %s, which is not a type" % (n, d))
        elif kinds[d][0] != 3 or kinds[d][1:] != kinds[n][1:]:
            bad("%s breaks into %s, which is not flat remains of the same footprint" % (n, d))
    if len(objects) < 40 or animated < 3:
        bad("want at least 40 object types and 3 animated ones (have %d, %d)" % (len(objects), animated))
    return problems


def main():
    problems = check()
    for p in problems:
        print("atlas check:", p)
    return problems


if __name__ == "__main__":
    sys.exit(1 if main() else 0)
