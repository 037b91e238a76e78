#!/usr/bin/python3
"""Preview sheets of the world atlas, drawn from the written data files the
way the game draws them: every floor and object at 1x with its name, the
door and effect animations, and a mock room with walls joined in runs,
corners and T-junctions, doors, turned furniture, cards, markers and fog."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

import atlas_draw as D  # noqa: E402
import check_atlas  # noqa: E402
import common as C  # noqa: E402

CELL = 40
BG = (20, 22, 26, 255)
FONT = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 10)


class Atlas:
    def __init__(self):
        self.textures = check_atlas.load_project(os.path.join(C.ROOT, "data", "qvl.apg"))
        self.anims = {}
        for t in self.textures:
            img = Image.open(os.path.join(C.ROOT, t["name"])).convert("RGBA")
            for a in t["anims"]:
                a["img"] = img
                self.anims.setdefault(a["name"], a)
        cat = check_atlas.read_ini(os.path.join(C.ROOT, "data", "Objects.ini"))
        self.floors = [cat["Floors"][k] for k in sorted(cat["Floors"], key=int)]
        self.objects = [cat["Objects"][k] for k in sorted(cat["Objects"], key=int)]

    def frame(self, name, n=0):
        a = self.anims[name]
        x, y, w, h = check_atlas.frame_rect(a, n, a["img"].size[0])
        return a["img"].crop((int(x), int(y), int(x + w), int(y + h)))

    def prop(self, name, key, default):
        return check_atlas.to_int(self.anims[name]["values"].get(key), default)


def draw_object(canvas, atlas, name, cx, cy, rot=0, frame=0):
    """Place an object the way the game does: turned about the corner by
    quarter turns, drawn from its anchor cell plus the turn offsets."""
    w, h = atlas.prop(name, "Width", 1), atlas.prop(name, "Height", 1)
    ox, oy = {0: (0, 0), 1: (h, 0), 2: (w, h), 3: (0, w)}[rot % 4]
    px, py = (cx + ox) * CELL, (cy + oy) * CELL
    img = D.rotated(atlas.frame(name, frame), rot)
    sw, sh = w * CELL, h * CELL
    shift = {0: (0, 0), 1: (-sh, 0), 2: (-sw, -sh), 3: (0, -sw)}[rot % 4]
    canvas.alpha_composite(img, (px + shift[0], py + shift[1]))


def label(d, x, y, text, fill=(200, 204, 210)):
    d.text((x, y), text, font=FONT, fill=fill)


def sheet(atlas):
    width = 1280
    items = [("floor", n) for n in atlas.floors] + [("object", n) for n in atlas.objects]
    placed = []
    x, y, row_h = 8, 8, 0
    for kind, n in items:
        img = atlas.frame(n)
        w = max(img.size[0], 8 + len(n) * 6)
        if x + w > width - 8:
            x, y, row_h = 8, y + row_h + 8, 0
        placed.append((n, img, x, y))
        x += w + 12
        row_h = max(row_h, img.size[1] + 14)
    out = Image.new("RGBA", (width, y + row_h + 8), BG)
    d = ImageDraw.Draw(out)
    for n, img, x, y in placed:
        d.rectangle([x - 1, y - 1, x + img.size[0], y + img.size[1]], outline=(44, 48, 54))
        out.alpha_composite(img, (x, y))
        label(d, x, y + img.size[1] + 1, n)
    return out


def strips(atlas):
    """Door animations (also turned), animated objects, effects, markers."""
    out = Image.new("RGBA", (1280, 820), BG)
    d = ImageDraw.Draw(out)
    for i, n in enumerate(("Door", "RedDoor", "GreenDoor", "BlueDoor")):
        x = 8 + i * 300
        for f in range(atlas.anims[n]["frames"]):
            out.alpha_composite(atlas.frame(n, f), (x + f * 44, 8))
            out.alpha_composite(D.rotated(atlas.frame(n, f), 1), (x + (f % 3) * 90, 110 + (f // 3) * 50))
        label(d, x, 90, n)
    x, y = 8, 230
    for n in atlas.objects:
        a = atlas.anims[n]
        if a["frames"] > 1 and not n.endswith("Door"):
            step = int(a["w"]) + 4
            if x + a["frames"] * step > 1270:
                x, y = 8, y + 110
            for f in range(a["frames"]):
                out.alpha_composite(atlas.frame(n, f), (x + f * step, y))
            label(d, x, y + int(a["h"]) + 2, n)
            x += a["frames"] * step + 16
    x, y = 8, y + 110
    for n in ("banch", "blood", "buff", "grenade"):
        a = atlas.anims[n]
        for f in range(a["frames"]):
            out.alpha_composite(atlas.frame(n, f), (x + f * (int(a["w"]) + 4), y))
        label(d, x, y + int(a["h"]) + 2, n)
        x += a["frames"] * (int(a["w"]) + 4) + 20
    x, y = 8, y + 70
    for n in ("cursor", "aim", "start", "card white", "card red", "card green", "card blue", "green", "yellow",
              "red", "lift", "grey"):
        img = atlas.frame(n)
        out.alpha_composite(img, (x, y))
        x += img.size[0] + 10
    return out


def blast_strip(atlas):
    a = atlas.anims["boom"]
    out = Image.new("RGBA", (int(a["w"]) * a["frames"], int(a["h"])), (72, 76, 84, 255))
    for f in range(a["frames"]):
        out.alpha_composite(atlas.frame("boom", f), (f * int(a["w"]), 0))
    return out


def mock_room(atlas):
    W, H = 26, 18
    out = Image.new("RGBA", (W * CELL, H * CELL), BG)

    def floor(name, x0, y0, x1, y1):
        fw, fh = atlas.prop(name, "Width", 1), atlas.prop(name, "Height", 1)
        for cy in range(y0, y1 + 1, fh):
            for cx in range(x0, x1 + 1, fw):
                out.alpha_composite(atlas.frame(name), (cx * CELL, cy * CELL))

    floor("CarpetGrey", 1, 1, 9, 16)
    floor("Parquet", 11, 1, 24, 8)
    floor("KitchenTile", 11, 10, 16, 16)
    floor("Concrete", 17, 10, 20, 16)
    floor("Marble", 21, 10, 24, 16)
    floor("LiftFloor", 22, 15, 23, 16)
    floor("CarpetWine", 8, 1, 9, 3)
    floor("WashTile", 1, 14, 3, 16)
    floor("Linoleum", 10, 4, 10, 5)
    floor("Linoleum", 10, 11, 10, 12)
    floor("Linoleum", 16, 9, 17, 9)
    floor("CarpetPattern", 11, 5, 14, 8)

    first, second = [], []

    def put(name, cx, cy, rot=0, frame=0):
        kind = atlas.prop(name, "Type", 0)
        (second if kind in (1, 4) else first).append((name, cx, cy, rot, frame))

    # outer walls: window wall on top, concrete elsewhere; corners at all four ends
    for cx in range(W):
        put("WallWindow" if 0 < cx < W - 1 else "WallConcrete", cx, 0)
        if cx not in (22, 23):
            put("WallConcrete", cx, H - 1)
    for cy in range(1, H - 1):
        put("WallConcrete", 0, cy)
        put("WallConcrete", W - 1, cy)
    # inner plaster wall with two doors, and a T into a brick wall
    for cy in range(1, H - 1):
        if cy in (4, 5, 11, 12):
            continue
        put("WallPlaster", 10, cy)
    put("Door", 10, 4)
    put("RedDoor", 10, 11, frame=5)
    for cx in range(11, W - 1):
        if cx in (16, 17):
            continue
        put("WallBrick" if cx < 20 else "WallGlassBlock", cx, 9)
    put("BlueDoor", 16, 9, rot=1, frame=2)
    put("GreenDoor", 20, 13, rot=2)
    for cy in range(10, 17):
        if cy not in (13, 14):
            put("WallConcrete", 20, cy)
    # a washroom corner in the office
    for cx in range(1, 4):
        put("WallWood", cx, 13)
    put("WallWood", 4, 13)
    put("WallWood", 4, 14)
    put("WallWood", 4, 16)
    # lift doors in the bottom wall of the lobby
    put("LiftDoor", 22, 17)

    # open office
    put("Desk", 1, 1)
    put("Chair", 2, 3)
    put("DeskComputer", 5, 1)
    put("Chair", 6, 3)
    put("DeskCorner", 1, 6, rot=1)
    put("Chair", 2, 7, rot=3)
    put("Computer", 4, 8)
    put("DeskSmall", 7, 6, rot=1)
    put("Chair", 6, 7, rot=1)
    put("Cabinet", 9, 6)
    put("Cabinet", 9, 7)
    put("Cabinet", 9, 8)
    put("Printer", 9, 9)
    put("Copier", 7, 11)
    put("WaterCooler", 9, 14)
    put("Plant", 9, 16)
    put("TrashBin", 5, 10)
    put("Papers", 4, 10)
    put("DeskWreck", 5, 14, rot=2)
    put("ChairWreck", 7, 16)
    for cy in (1, 2, 3):
        put("GlassPartition", 4, cy, rot=1)
    # meeting room
    put("MeetingTable", 13, 2)
    for i, cx in enumerate((14, 15, 16)):
        put("Chair", cx, 1, rot=2)
        put("Chair", cx, 5)
    put("Chair", 12, 3, rot=1)
    put("Chair", 18, 3, rot=3)
    put("Sofa", 20, 1)
    put("CoffeeTable", 21, 3)
    put("Armchair", 23, 4, rot=3)
    put("Palm", 11, 1)
    put("Plant", 24, 1)
    put("Rug", 19, 5)
    put("Shelf", 23, 7, rot=0)
    put("ExecDesk", 11, 6, rot=0)
    put("FloorLamp", 16, 7)
    # kitchen, plant room and lobby
    put("KitchenCounter", 11, 10)
    put("KitchenCounter", 13, 10)
    put("Fridge", 15, 10)
    put("VendingMachine", 11, 16)
    put("Aquarium", 13, 16, rot=0)
    put("Cables", 17, 12)
    put("Cables", 18, 12)
    put("Cables", 19, 12)
    put("ServerRack", 17, 10)
    put("ServerRack", 18, 10)
    put("VentFan", 18, 14)
    put("ElectricPanel", 17, 16)
    put("Safe", 19, 16)
    put("SecurityConsole", 21, 10)
    put("Pillar", 21, 13)
    put("ColumnRound", 23, 12)
    put("RugRound", 13, 12)
    put("DoorMat", 21, 16)
    put("ReceptionDesk", 5, 4, rot=0)

    for n, cx, cy, rot, fr in first:
        draw_object(out, atlas, n, cx, cy, rot, fr)
    for n, cx, cy, rot, fr in second:
        draw_object(out, atlas, n, cx, cy, rot, fr)

    # cards on the floor, effects, markers
    for n, (cx, cy) in (("card white", (2, 15)), ("card red", (8, 10)), ("card green", (15, 14)),
                        ("card blue", (23, 2))):
        out.alpha_composite(atlas.frame(n), (cx * CELL + 5, cy * CELL + 5))

    def centred(n, f, x, y, ang=0.0):
        img = atlas.frame(n, f)
        big = img.rotate(-math.degrees(ang), resample=Image.BICUBIC, expand=True)
        out.alpha_composite(big, (int(x - big.size[0] / 2), int(y - big.size[1] / 2)))

    centred("boom", 2, 15 * CELL, 13 * CELL)
    centred("banch", 1, 10 * CELL, 7.5 * CELL, math.pi)
    centred("blood", 2, 7 * CELL, 13 * CELL, 0.4)
    centred("buff", 2, 3 * CELL, 10 * CELL)
    for f, (x, y) in enumerate(((6, 13), (6.5, 12.6), (7, 12.3), (7.5, 12.1), (8, 12.0), (8.5, 12.1))):
        centred("grenade", f, x * CELL, y * CELL, f * 0.7)
    for n, x, y in (("green", 3, 12), ("yellow", 12.5, 14.5), ("red", 19, 7)):
        centred(n, 0, x * CELL, y * CELL)
    st = atlas.frame("start")
    out.alpha_composite(st, (3 * CELL - 17, 11 * CELL - 4))
    lift = atlas.frame("lift")
    a = lift.split()[3].point(lambda v: v * 0x88 // 255)
    lift.putalpha(a)
    out.alpha_composite(lift, (22 * CELL, 15 * CELL))

    # fog over the far right columns, as the darkness pass draws it
    black = atlas.frame("black")
    for cy in range(H):
        for cx in range(W - 4, W):
            light = max(0, 255 - (cx - (W - 5)) * 60 - (cy % 3) * 10)
            if light < 250:
                sq = black.copy()
                sq.putalpha(255 - light)
                out.alpha_composite(sq, (cx * CELL, cy * CELL))
    # a few people for scale, when the character sets have been made
    man = os.path.join(C.ROOT, "data", "Man.ini")
    if os.path.exists(man):
        ini = check_atlas.read_ini(man)

        def layer(section, x, y, ang):
            s = ini.get(section)
            if not s:
                return
            img = Image.open(os.path.join(C.ROOT, "data", s["Texture"])).convert("RGBA")
            sx, sy, sw, sh = (int(float(s[k])) for k in ("X", "Y", "W", "H"))
            fr = img.crop((sx, sy, sx + sw, sy + sh)).rotate(-math.degrees(ang), resample=Image.BICUBIC, expand=True)
            out.alpha_composite(fr, (int(x - fr.size[0] / 2), int(y - fr.size[1] / 2)))

        for x, y, ang in ((4.0, 4.6, -1.57), (15.5, 6.9, 0.3), (8.0, 9.4, 1.2), (12.0, 13.0, 3.14)):
            for sec in ("Legs_1_Stoit", "Hands_1_Pistol_Stoit", "Head_1_Base"):
                layer(sec, x * CELL, y * CELL, ang)
    # held cards as the player sees them
    for i, n in enumerate(("card red", "card green", "card blue", "card white")):
        out.alpha_composite(atlas.frame(n), (5 + 6 * i, 5))
    centred("aim", 0, 17.3 * CELL, 4.6 * CELL)
    out.alpha_composite(atlas.frame("cursor"), (int(12.2 * CELL), int(13.3 * CELL)))
    return out


def main():
    atlas = Atlas()
    sheet(atlas).save(D.C.preview_path("atlas_sheet.png"))
    strips(atlas).save(D.C.preview_path("atlas_strips.png"))
    blast_strip(atlas).save(D.C.preview_path("atlas_blast.png"))
    mock_room(atlas).save(D.C.preview_path("atlas_room.png"))


if __name__ == "__main__":
    main()
