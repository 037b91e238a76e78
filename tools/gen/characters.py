#!/usr/bin/python3
"""Builds the people of the building: the legs, hands and head animation sets
in data/Man.ini and one texture per set (data/man_legs_N.png,
data/man_hands_N.png, data/man_head_N.png). Every animation of a set lies on
that set's texture, each on a single row of frames cut down to what its
frames draw. After writing, the
catalogue is read back and checked; preview sheets go to tools/gen/preview/."""
import configparser
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402
from common import (DATA, INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER, STEEL_DARK,  # noqa: E402
                    WOOD_DARK, GREEN_DARK, save_png, preview_path, mix, shade, rng)
from characters_draw import Frame  # noqa: E402
from characters_body import (LEGS_SETS, HANDS_SETS, HEAD_SETS, draw_legs, draw_hands,  # noqa: E402
                             draw_head_pose)
from characters_anim import legs_anims, hands_anims, head_anims, DEAD_FRAMES, DEAD_FPS  # noqa: E402

TEX_WIDTH = {"Legs": 1024, "Hands": 2048, "Head": 1024}
LEGS_FIELDS = ["Stoit", "Sidit", "Idet_Vpered", "Idet_Nazad", "Polzet_Vpered", "Polzet_Nazad", "Dead"]
HANDS_FIELDS = ["Pusto_Stoit", "Pusto_Idet", "Pusto_Udar",
                "Revolver_Stoit", "Revolver_Idet", "Revolver_Udar", "Revolver_Fire", "Revolver_Reload",
                "Pistol_Stoit", "Pistol_Idet", "Pistol_Udar", "Pistol_Fire", "Pistol_Reload",
                "Shotgun_Stoit", "Shotgun_Idet", "Shotgun_Udar", "Shotgun_Fire", "Shotgun_Reload",
                "Rifle_Stoit", "Rifle_Idet", "Rifle_Udar", "Rifle_Fire", "Rifle_Reload",
                "Grenade_Stoit", "Grenade_Idet", "Grenade_Udar", "Grenade_Fire", "Dead"]
HEAD_FIELDS = ["Base", "Dead"]
KINDS = [("Legs", "man_legs_%d.png", LEGS_FIELDS, "Stoit"),
         ("Hands", "man_hands_%d.png", HANDS_FIELDS, "Pusto_Idet"),
         ("Head", "man_head_%d.png", HEAD_FIELDS, "Base")]


def render(anims, draw):
    """Turn [(field, frames, fps, size, poses)] into [(field, frames, fps, size, images)]."""
    out = []
    for field, n, fps, size, poses in anims:
        assert len(poses) == n, field
        imgs = []
        for p in poses:
            f = Frame(size, size)
            draw(f, p)
            imgs.append(f.finish())
        out.append((field, n, fps, size, imgs))
    return out


def trim(anim):
    """Cut away the transparent border all frames of an animation share, as
    much on the right as on the left and at the bottom as at the top, so the
    frame's centre (the hot spot) stays on the same pixel; one clear pixel is
    kept all round for filtering. Returns (field, frames, fps, w, h, images)."""
    field, n, fps, size, imgs = anim
    side, top = size, size
    for im in imgs:
        box = im.getchannel("A").getbbox()
        if box:
            side = min(side, box[0], size - box[2])
            top = min(top, box[1], size - box[3])
    if side == size:
        return field, n, fps, size, size, imgs
    mx, my = max(0, side - 1), max(0, top - 1)
    return field, n, fps, size - 2 * mx, size - 2 * my, [im.crop((mx, my, size - mx, size - my)) for im in imgs]


def pack(anims, tex_w):
    """Shelf packing: each animation keeps to one row, a row is as high as its
    tallest animation, and the texture as high as its rows. Returns the
    texture and {field: (x, y)}."""
    rows = []          # [height, y, used width]
    where = {}
    order = sorted(range(len(anims)), key=lambda i: (-anims[i][4], -anims[i][1] * anims[i][3], i))
    y = 0
    for i in order:
        field, n, fps, w, h, imgs = anims[i]
        need = n * w
        assert need <= tex_w, field
        for row in rows:
            if row[0] >= h and row[2] + need <= tex_w:
                where[field] = (row[2], row[1])
                row[2] += need
                break
        else:
            rows.append([h, y, need])
            where[field] = (0, y)
            y += h
    tex = Image.new("RGBA", (tex_w, y), (0, 0, 0, 0))
    for field, n, fps, w, h, imgs in anims:
        x0, y0 = where[field]
        for k, im in enumerate(imgs):
            tex.paste(im, (x0 + k * w, y0))
    return tex, where


def num(v):
    return ("%d" % v) if float(v).is_integer() else ("%.4f" % v).rstrip("0")


def build():
    """Render every set and write the textures and data/Man.ini."""
    sets = {"Legs": [render(legs_anims(o), lambda f, p, o=o: draw_legs(f, o, p)) for o in LEGS_SETS],
            "Hands": [render(hands_anims(), lambda f, p, o=o: draw_hands(f, o, p)) for o in HANDS_SETS],
            "Head": [render(head_anims(s), lambda f, p, s=s: draw_head_pose(f, s, p)) for s in HEAD_SETS]}
    textures, sections = [], []
    for kind, pattern, fields, _ in KINDS:
        for n, anims in enumerate(sets[kind], start=1):
            assert [a[0] for a in anims] == fields, (kind, n)
            name = pattern % n
            trimmed = [trim(a) for a in anims]
            tex, where = pack(trimmed, TEX_WIDTH[kind])
            save_png(tex, os.path.join(DATA, name))
            textures.append(name)
            for field, frames, fps, w, h, _ in trimmed:
                x, y = where[field]
                sections.append(("%s_%d_%s" % (kind, n, field),
                                 [("X", x), ("Y", y), ("W", w), ("H", h), ("FPS", fps),
                                  ("Frames", frames), ("Texture", name)]))
    lines = []
    for k, name in enumerate(textures, start=1):
        lines += ["[Texture_%d]" % k, "Name=%s" % name, ""]
    for sec, keys in sections:
        lines.append("[%s]" % sec)
        for key, v in keys:
            lines.append("%s=%s" % (key, v if isinstance(v, str) else num(v)))
        lines.append("")
    with open(os.path.join(DATA, "Man.ini"), "w", newline="\n") as fh:
        fh.write("\n".join(lines))
    return sets


# --------------------------------------------------------------------------
# Self-check: read the catalogue back the way the game does and test it.

def frame_rect(x, y, w, h, n, image_w):
    """Texture rectangle of frame n, with the row wrap of the animation class."""
    W = int(round(w))
    cols = image_w // W
    fx, fy = x + n * w, y
    if fx > image_w - w:
        n -= int(round(image_w - x)) // W
        fx = w * (n % cols)
        fy = y + h * (1 + n // cols)
    return fx, fy, fx + w, fy + h


RANGES = {  # field suffix: (shortest, longest) duration in seconds
    "Revolver_Fire": (0.15, 0.25), "Pistol_Fire": (0.15, 0.25), "Shotgun_Fire": (0.5, 0.7),
    "Rifle_Fire": (0.08, 0.12), "Grenade_Fire": (0.4, 0.6),
    "Revolver_Reload": (0.35, 0.45), "Pistol_Reload": (1.0, 1.4), "Rifle_Reload": (1.6, 2.0),
    "Shotgun_Reload": (0.45, 1.2),
}


def check():
    ini = configparser.ConfigParser(interpolation=None)
    ini.optionxform = str
    with open(os.path.join(DATA, "Man.ini")) as fh:
        ini.read_file(fh)
    problems = []
    names, k = [], 1
    while ini.has_section("Texture_%d" % k) and ini.get("Texture_%d" % k, "Name", fallback=""):
        names.append(ini.get("Texture_%d" % k, "Name"))
        k += 1
    sizes = {}
    for nm in names:
        path = os.path.join(DATA, nm)
        if not os.path.exists(path):
            problems.append("missing texture " + nm)
            continue
        sizes[nm] = Image.open(path).size
    expect = {"Legs": len(LEGS_SETS), "Hands": len(HANDS_SETS), "Head": len(HEAD_SETS)}
    dead = set()
    report = []
    for kind, _, fields, test in KINDS:
        n = 1
        while ini.has_section("%s_%d_%s" % (kind, n, test)):
            sec0 = "%s_%d_%s" % (kind, n, test)
            texname = ini.get(sec0, "Texture", fallback="")
            if texname not in sizes:
                problems.append(sec0 + ": texture not listed")
                n += 1
                continue
            tw, th = sizes[texname]
            tex = Image.open(os.path.join(DATA, texname))
            alpha = tex.split()[3]
            for field in fields:
                sec = "%s_%d_%s" % (kind, n, field)
                if not ini.has_section(sec):
                    problems.append(sec + " missing")
                    continue
                v = {key: ini.get(sec, key) for key in ("X", "Y", "W", "H", "FPS", "Frames", "Texture")}
                if v["Texture"] != texname:
                    problems.append(sec + ": texture differs from the set's")
                x, y, w, h, fps = (float(v[key]) for key in ("X", "Y", "W", "H", "FPS"))
                frames = int(v["Frames"])
                dur = frames / fps
                for fr in range(frames):
                    x0, y0, x1, y1 = frame_rect(x, y, w, h, fr, tw)
                    if x0 < 0 or y0 < 0 or x1 > tw or y1 > th:
                        problems.append("%s frame %d outside the texture" % (sec, fr))
                        continue
                    box = alpha.crop((int(x0), int(y0), int(x1), int(y1)))
                    if box.getbbox() is None:
                        problems.append("%s frame %d is empty" % (sec, fr))
                    edge = max(max(box.crop((0, 0, int(w), 1)).getdata()),
                               max(box.crop((0, int(h) - 1, int(w), int(h))).getdata()),
                               max(box.crop((0, 0, 1, int(h))).getdata()),
                               max(box.crop((int(w) - 1, 0, int(w), int(h))).getdata()))
                    if edge > 24:
                        problems.append("%s frame %d touches the frame edge (%d)" % (sec, fr, edge))
                lo, hi = RANGES.get(field, (None, None))
                if field.endswith("_Udar"):
                    lo, hi = 0.3, 0.4
                if field == "Dead":
                    lo, hi = 0.6, 1.0
                    dead.add(dur)
                if lo is not None and not (lo - 1e-6 <= dur <= hi + 1e-6):
                    problems.append("%s lasts %.3f s, outside %.2f..%.2f" % (sec, dur, lo, hi))
                if field == "Shotgun_Reload":
                    shell = (frames - 3) / fps
                    if not (0.35 <= shell <= 0.7):
                        problems.append("%s: %.3f s a shell" % (sec, shell))
                if n == 1 or kind == "Legs":
                    report.append("%-26s %2d frames %5s fps %3dx%-3d %.3f s" % (sec, frames, num(fps), w, h, dur))
            n += 1
        if n - 1 != expect[kind]:
            problems.append("%s: %d sets read, %d made" % (kind, n - 1, expect[kind]))
    if len(dead) != 1:
        problems.append("death animations differ in length: %s" % sorted(dead))
    problems += check_strides()
    return problems, report


def check_strides():
    """A planted foot must move backwards exactly as fast as the body walks."""
    problems = []
    speeds = {"Idet_Vpered": None, "Idet_Nazad": -120.0, "Polzet_Vpered": 150.0, "Polzet_Nazad": -60.0}
    for o in LEGS_SETS:
        for field, n, fps, size, poses in legs_anims(o):
            if field not in speeds:
                continue
            v = speeds[field] if speeds[field] is not None else o["speed"]
            for side in (0, 1):
                for k in range(n):
                    a, b = poses[k]["feet"][side], poses[(k + 1) % n]["feet"][side]
                    if a[2] == 0.0 and b[2] == 0.0:
                        foot_v = -(b[0] - a[0]) * fps
                        if abs(foot_v - v) > 0.5:
                            problems.append("%s %s: planted foot moves at %.1f px/s, body at %.1f"
                                            % (o["name"], field, foot_v, v))
                            break
    return problems


# --------------------------------------------------------------------------
# Previews for the eye

def _font():
    try:
        return ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 11)
    except OSError:
        return ImageFont.load_default()


def sheet(kind, n, anims, scale=2):
    font = _font()
    rows = []
    for field, frames, fps, size, imgs in anims:
        rows.append((field, frames, fps, size, imgs))
    width = 150 + max(len(r[4]) * r[3] * scale for r in rows)
    height = sum(r[3] * scale + 6 for r in rows) + 6
    img = Image.new("RGBA", (width, height), common.rgba(mix(CONCRETE_DARK, INK, 0.5)))
    d = ImageDraw.Draw(img)
    y = 6
    for field, frames, fps, size, imgs in rows:
        d.text((6, y + 4), field, font=font, fill=PAPER)
        d.text((6, y + 18), "%d @ %s = %.2fs" % (frames, num(fps), frames / fps), font=font, fill=CONCRETE_LIGHT)
        for k, im in enumerate(imgs):
            x = 150 + k * size * scale
            d.rectangle((x, y, x + size * scale - 1, y + size * scale - 1), outline=mix(CONCRETE_DARK, INK, 0.2))
            img.alpha_composite(im.resize((size * scale, size * scale), Image.NEAREST), (x, y))
        y += size * scale + 6
    save_png(img.convert("RGB"), preview_path("characters_%s_%d.png" % (kind.lower(), n)))


def floor(w, h):
    """A dark office floor: grey carpet tiles with a faint weave."""
    r = rng("characters-floor")
    img = Image.new("RGBA", (w, h), common.rgba(mix(CONCRETE_DARK, STEEL_DARK, 0.25)))
    d = ImageDraw.Draw(img)
    for ty in range(0, h, 40):
        for tx in range(0, w, 40):
            c = shade(mix(CONCRETE_DARK, STEEL_DARK, 0.25), 0.92 + 0.16 * r.random())
            d.rectangle((tx, ty, tx + 39, ty + 39), fill=c)
            d.line((tx, ty, tx + 39, ty), fill=shade(c, 0.8))
            d.line((tx, ty, tx, ty + 39), fill=shade(c, 0.8))
    return img


def stack(sets, legs, hands, head, lf, hf, hdf, frame=0, hframe=None):
    """One person: the given frame of each layer, stacked as the game draws them."""
    def pick(kind, idx, field, fr):
        for f, n, fps, size, imgs in sets[kind][idx]:
            if f == field:
                return imgs[min(fr, n - 1)]
        raise KeyError(field)
    parts = [pick("Legs", legs, lf, frame), pick("Hands", hands, hf, frame if hframe is None else hframe),
             pick("Head", head, hdf, frame)]
    size = max(p.size[0] for p in parts)
    out = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    for p in parts:
        o = (size - p.size[0]) // 2
        out.alpha_composite(p, (o, o))
    return out


def place(scene, person, x, y, angle):
    im = person.rotate(-math.degrees(angle), resample=Image.BICUBIC, expand=True)
    scene.alpha_composite(im, (int(x - im.size[0] / 2), int(y - im.size[1] / 2)))


ROLES = [  # label, legs, hands, head, weapon group
    ("player", 0, 0, 0, "Pusto"), ("player", 0, 0, 0, "Pistol"), ("player+vest", 0, 4, 0, "Shotgun"),
    ("player+helmet", 0, 0, 5, "Revolver"), ("vest+helmet", 0, 4, 5, "Rifle"), ("grenade", 0, 0, 0, "Grenade"),
    ("staff fair", 0, 0, 1, "Pusto"), ("staff auburn", 0, 0, 2, "Pusto"), ("staff grey", 0, 0, 3, "Pusto"),
    ("guard", 1, 2, 4, "Revolver"), ("police", 1, 1, 6, "Pistol"), ("police", 1, 1, 6, "Shotgun"),
    ("assault", 2, 3, 5, "Rifle"),
]


def scene(sets):
    font = _font()
    cols = 6
    w, h = 90 * cols + 20, 110 * len(ROLES) + 150
    img = floor(w, h)
    d = ImageDraw.Draw(img)
    poses = [("Stoit", "Stoit", 0, 0.0), ("Idet_Vpered", "Idet", 2, 0.8), ("Idet_Vpered", "Idet", 5, 2.4),
             ("Stoit", "Fire", 0, -1.9), ("Sidit", "Udar", 3, 3.6), ("Polzet_Vpered", "Stoit", 1, -0.7)]
    for r, (label, lg, hd, head, grp) in enumerate(ROLES):
        y = 20 + r * 110
        for c, (lf, hf, fr, ang) in enumerate(poses):
            field = grp + "_" + hf
            if hf == "Fire" and grp == "Pusto":
                field = "Pusto_Udar"
            person = stack(sets, lg, hd, head, lf, field, "Base", frame=fr, hframe=0 if hf == "Fire" else None)
            place(img, person, 50 + c * 90, y + 55, ang)
        d.text((6, y), label, font=font, fill=PAPER)
    y = 20 + len(ROLES) * 110
    for c, (lg, hd, head) in enumerate([(0, 0, 0), (1, 2, 4), (1, 1, 6), (2, 3, 5), (0, 4, 5), (0, 0, 2)]):
        person = stack(sets, lg, hd, head, "Dead", "Dead", "Dead", frame=DEAD_FRAMES - 1)
        place(img, person, 50 + c * 90, y + 60, c * 1.1)
    # dim light: the darkness overlay of a cell that has started to fade
    dark = Image.new("RGBA", img.size, (0, 0, 0, 0))
    ImageDraw.Draw(dark).rectangle((w // 2, 0, w, h), fill=(0, 0, 0, 120))
    img.alpha_composite(dark)
    save_png(img.convert("RGB"), preview_path("characters_roles.png"))


def main():
    sets = build()
    problems, report = check()
    if "--quiet" not in sys.argv:
        for line in report:
            print(line)
    if "--no-preview" not in sys.argv:
        for kind, _, _, _ in KINDS:
            for n, anims in enumerate(sets[kind], start=1):
                sheet(kind, n, anims)
        scene(sets)
    for p in problems:
        print("PROBLEM:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
