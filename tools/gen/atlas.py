#!/usr/bin/python3
"""Builds the world atlas: floor tiles, walls, doors, furniture, effects and
markers, packed onto textures in data/, with the atlas project data/qvl.apg
that names every picture and carries the object properties, and the floor
and object catalogue data/Objects.ini.

The order of the catalogue is stored in every level file: new types go at
the end of FLOORS or OBJECTS, never in between, and names never change."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

import atlas_draw as D  # noqa: E402
import atlas_fx as FX  # noqa: E402
import atlas_objects as O  # noqa: E402
import atlas_tiles as T  # noqa: E402
import common as C  # noqa: E402

CELL = D.CELL
PROPS = ["Type", "Width", "Height", "Size", "Count", "Armor", "Bonus", "Destroy"]
DEFAULTS = {"Type": 0, "Width": 1, "Height": 1, "Size": 60, "Count": 80, "Armor": 0, "Bonus": 0, "Destroy": ""}

# kinds of objects
BREAKABLE, WALL, SOLID, FLAT, DOOR, GLASSY = 0, 1, 2, 3, 4, 5

# ------------------------------------------------------------------ catalogue

FLOORS = [
    # name, width, height (cells), painter
    ("CarpetGrey", 1, 1, T.floor_carpet_grey),
    ("CarpetBlue", 1, 1, T.floor_carpet_blue),
    ("CarpetGreen", 1, 1, T.floor_carpet_green),
    ("CarpetWine", 1, 1, T.floor_carpet_wine),
    ("CarpetPattern", 2, 2, T.floor_carpet_pattern),
    ("Parquet", 2, 2, T.floor_parquet),
    ("Marble", 2, 2, T.floor_marble),
    ("KitchenTile", 1, 1, T.floor_kitchen_tile),
    ("WashTile", 1, 1, T.floor_wash_tile),
    ("Concrete", 1, 1, T.floor_concrete),
    ("RaisedFloor", 1, 1, T.floor_raised),
    ("LiftFloor", 1, 1, T.floor_lift),
    ("Linoleum", 1, 1, T.floor_linoleum),
]


def obj(name, kind, w, h, paint, size, count, armor=0, bonus=0, destroy="", fps=0, loop=4, wreck=None):
    return dict(name=name, kind=kind, w=w, h=h, paint=paint, size=size, count=count, armor=armor,
                bonus=bonus, destroy=destroy, fps=fps, loop=loop, wreck=wreck)


def breakable(name, w, h, paint, size, count, armor, bonus, wreck=(), kind=BREAKABLE, fps=0, vanish=False):
    """A breakable piece of furniture; unless it vanishes, its remains are a
    flat type called name + "Wreck" of the same footprint."""
    return obj(name, kind, w, h, paint, size, count, armor, bonus, "" if vanish else name + "Wreck", fps=fps,
               wreck=None if vanish else wreck)


def tile(fn):
    return lambda: [fn()]


OBJECTS = [
    # walls: full-cell blocks that join any neighbour of the same finish
    obj("WallPlaster", WALL, 1, 1, tile(T.wall_plaster), 200, 100),
    obj("WallConcrete", WALL, 1, 1, tile(T.wall_concrete), 200, 100),
    obj("WallBrick", WALL, 1, 1, tile(T.wall_brick), 200, 100),
    obj("WallGlassBlock", WALL, 1, 1, tile(T.wall_glass_block), 200, 100),
    obj("WallWood", WALL, 1, 1, tile(T.wall_wood), 200, 100),
    obj("WallWindow", WALL, 1, 1, tile(T.wall_window), 200, 100),
    # doors in a vertical wall; the card doors need their coloured card
    obj("Door", DOOR, 1, 2, lambda: O.door_frames("Door"), 200, 100, fps=20, loop=0),
    obj("RedDoor", DOOR, 1, 2, lambda: O.door_frames("RedDoor"), 200, 100, fps=20, loop=0),
    obj("GreenDoor", DOOR, 1, 2, lambda: O.door_frames("GreenDoor"), 200, 100, fps=20, loop=0),
    obj("BlueDoor", DOOR, 1, 2, lambda: O.door_frames("BlueDoor"), 200, 100, fps=20, loop=0),
    # solid things that stop walking and bullets but never break
    obj("Pillar", SOLID, 1, 1, lambda: [O.pillar()], 200, 100),
    obj("ColumnRound", SOLID, 2, 2, lambda: [O.column_round()], 200, 95),
    obj("Safe", SOLID, 1, 1, lambda: [O.safe()], 90, 95),
    obj("ServerRack", SOLID, 1, 2, O.server_rack_frames, 150, 90, fps=5),
    obj("LiftDoor", SOLID, 2, 1, lambda: [O.lift_door()], 200, 100),
    obj("VentFan", SOLID, 2, 2, O.vent_fan_frames, 90, 85, fps=24),
    obj("ElectricPanel", SOLID, 1, 1, lambda: [O.electric_panel()], 150, 95),
    # furniture that breaks
    breakable("DeskSmall", 2, 1, lambda: [O.desk_small()], 55, 70, 20, 1, O.paper_bits),
    breakable("Desk", 3, 2, lambda: [O.desk()], 55, 75, 35, 2, O.paper_bits),
    breakable("DeskComputer", 3, 2, lambda: [O.desk_computer()], 60, 80, 40, 3, O.paper_bits),
    breakable("DeskCorner", 3, 3, lambda: [O.desk_corner()], 55, 75, 45, 3, O.paper_bits),
    breakable("ExecDesk", 4, 2, lambda: [O.exec_desk()], 60, 85, 60, 4, O.paper_bits),
    breakable("MeetingTable", 5, 3, lambda: [O.meeting_table()], 50, 70, 60, 3, O.paper_bits),
    breakable("ReceptionDesk", 4, 2, lambda: [O.reception_desk()], 70, 90, 70, 4, O.paper_bits),
    breakable("Chair", 1, 1, lambda: [O.chair()], 35, 50, 10, 1),
    breakable("Armchair", 2, 2, lambda: [O.armchair()], 45, 70, 25, 2),
    breakable("Sofa", 4, 2, lambda: [O.sofa()], 45, 80, 40, 2),
    breakable("CoffeeTable", 2, 1, lambda: [O.coffee_table()], 30, 60, 5, 1, O.glass_bits, kind=GLASSY),
    breakable("Computer", 1, 1, lambda: [O.computer()], 60, 60, 10, 3, O.sparks),
    breakable("Printer", 1, 1, lambda: [O.printer()], 45, 70, 15, 2, O.paper_bits),
    breakable("Copier", 2, 2, lambda: [O.copier()], 70, 90, 40, 4, O.paper_bits),
    breakable("WaterCooler", 1, 1, lambda: [O.water_cooler()], 100, 55, 8, 1, O.puddle),
    breakable("Plant", 1, 1, lambda: [O.plant()], 90, 35, 5, 1, O.soil),
    breakable("Palm", 2, 2, lambda: [O.palm()], 130, 30, 10, 2, O.soil),
    breakable("Cabinet", 1, 1, lambda: [O.cabinet()], 110, 90, 60, 2, O.paper_bits),
    breakable("Shelf", 2, 1, lambda: [O.shelf()], 140, 85, 50, 2, O.paper_bits),
    breakable("GlassPartition", 1, 1, lambda: [O.glass_partition()], 120, 95, 5, 1, O.glass_bits, kind=GLASSY),
    breakable("VendingMachine", 2, 1, lambda: [O.vending_machine()], 150, 95, 80, 5, O.cans),
    breakable("KitchenCounter", 2, 1, lambda: [O.kitchen_counter()], 60, 90, 50, 2, O.puddle),
    breakable("Fridge", 1, 1, lambda: [O.fridge()], 140, 95, 60, 3),
    breakable("TrashBin", 1, 1, lambda: [O.trash_bin()], 30, 45, 3, 1, vanish=True),
    breakable("FloorLamp", 1, 1, lambda: [O.floor_lamp()], 140, 20, 3, 1, vanish=True),
    breakable("SecurityConsole", 3, 2, O.security_console_frames, 65, 85, 50, 5, O.sparks, fps=2),
    breakable("Aquarium", 3, 1, O.aquarium_frames, 80, 90, 10, 5, O.puddle, kind=GLASSY, fps=4),
    # flat decoration, walked over
    obj("Rug", FLAT, 4, 3, lambda: [O.rug()], 5, 0),
    obj("RugRound", FLAT, 3, 3, lambda: [O.rug_round()], 5, 0),
    obj("Papers", FLAT, 1, 1, lambda: [O.papers()], 5, 0),
    obj("Cables", FLAT, 1, 1, lambda: [O.cables()], 5, 0),
    obj("DoorMat", FLAT, 2, 1, lambda: [O.door_mat()], 5, 0),
]

# the remains of every breakable type, appended in the order above
_WRECK_OF = {}
for _o in list(OBJECTS):
    if _o["destroy"]:
        _WRECK_OF[_o["destroy"]] = _o
        OBJECTS.append(obj(_o["destroy"], FLAT, _o["w"], _o["h"], None, 10, 0))

# ------------------------------------------------------- atlas names (UI, fx)

UI = [
    # name, frames, fps, loop, hot spot
    ("black", lambda: [FX.square((0, 0, 0))], 0, 4, (0, 0)),
    ("grey", lambda: [FX.square((150, 150, 150))], 0, 4, (0, 0)),
    ("lift", lambda: [FX.lift_marker()], 0, 4, (0, 0)),
    ("cursor", lambda: [FX.cursor()], 0, 4, (0, 0)),
    ("aim", lambda: [FX.aim()], 0, 4, (12.5, 12.5)),
    ("start", lambda: [FX.start_marker()], 0, 4, (17, 4)),
    ("card white", lambda: [FX.card("card white")], 0, 4, (0, 0)),
    ("card red", lambda: [FX.card("card red")], 0, 4, (0, 0)),
    ("card green", lambda: [FX.card("card green")], 0, 4, (0, 0)),
    ("card blue", lambda: [FX.card("card blue")], 0, 4, (0, 0)),
    ("green", lambda: [FX.alarm_marker((70, 200, 90))], 0, 4, (8, 8)),
    ("yellow", lambda: [FX.alarm_marker((240, 200, 50))], 0, 4, (8, 8)),
    ("red", lambda: [FX.alarm_marker((230, 50, 40))], 0, 4, (8, 8)),
]

EFFECTS = [
    ("banch", FX.spark_frames, 20, 0),
    ("boom", FX.blast_frames, 16, 0),
    ("buff", FX.debris_frames, 15, 0),
    ("blood", FX.blood_frames, 20, 0),
    ("grenade", FX.grenade_frames, 0, 4),
]

# --------------------------------------------------------------------- output

TEX_UI = "data/tex.png"
TEX_FX = "data/world_fx.png"
TEX_FLOORS = "data/world_floors.png"
TEX_OBJECTS = "data/world_objects.png"
GUTTER = 2


class Anim:
    def __init__(self, name, frames, fps=0, loop=4, hot=(0, 0), props=None, extrude=False):
        self.name, self.frames, self.fps, self.loop, self.hot = name, frames, fps, loop, hot
        self.props = props or {}
        self.extrude = extrude
        self.w, self.h = frames[0].size
        self.x = self.y = 0
        for f in frames:
            assert f.size == (self.w, self.h), name


def pack(anims, width):
    """Shelf packing: every animation keeps its frames on one row; the texture
    is as high as its shelves."""
    order = sorted(range(len(anims)), key=lambda i: (-anims[i].h, -anims[i].w * len(anims[i].frames), i))
    x = y = GUTTER
    shelf_h = 0
    for i in order:
        a = anims[i]
        strip = a.w * len(a.frames)
        if strip + 2 * GUTTER > width:
            raise SystemExit("animation %s is wider than its texture" % a.name)
        if x + strip + GUTTER > width:
            x, y = GUTTER, y + shelf_h + GUTTER
            shelf_h = 0
        a.x, a.y = x, y
        x += strip + GUTTER
        shelf_h = max(shelf_h, a.h)
    return y + shelf_h + GUTTER


def compose(anims, width, height):
    img = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    for a in anims:
        for k, f in enumerate(a.frames):
            x = a.x + k * a.w
            if a.extrude:
                # repeat the tile's border into the gutter so filtering never
                # pulls in the neighbours
                big = f.resize((a.w + 2, a.h + 2), Image.NEAREST)
                big.paste(f, (1, 1))
                big.paste(f.crop((0, 0, a.w, 1)), (1, 0))
                big.paste(f.crop((0, a.h - 1, a.w, a.h)), (1, a.h + 1))
                big.paste(f.crop((0, 0, 1, a.h)), (0, 1))
                big.paste(f.crop((a.w - 1, 0, a.w, a.h)), (a.w + 1, 1))
                img.paste(big, (x - 1, a.y - 1))
            img.paste(f, (x, a.y))
    return img


def fmt(v):
    if isinstance(v, float):
        s = ("%.3f" % v).rstrip("0").rstrip(".")
        return s
    return str(v)


def write_project(pages, path):
    lines = ["[System]", "apg_project_name=Quarvel world atlas", "apg_project_size=%d" % len(pages), ""]
    for i, (tex_name, anims) in enumerate(pages):
        lines += ["[%d]" % i, "tex_name=%s" % tex_name, "tex_size=%d" % len(anims), "pr_size=%d" % len(PROPS)]
        lines += ["%d=%s" % (k, p) for k, p in enumerate(PROPS)]
        lines.append("")
        for j, a in enumerate(anims):
            lines += ["[%d_%d]" % (i, j), "name=%s" % a.name, "x=%d" % a.x, "y=%d" % a.y, "w=%d" % a.w,
                      "h=%d" % a.h]
            if len(a.frames) > 1 or a.fps:
                lines += ["FPS=%s" % fmt(a.fps), "Frames=%d" % len(a.frames)]
            if a.hot != (0, 0):
                lines += ["sx=%s" % fmt(float(a.hot[0])), "sy=%s" % fmt(float(a.hot[1]))]
            if a.loop != 4:
                lines.append("Loop=%d" % a.loop)
            for k, p in enumerate(PROPS):
                v = a.props.get(p, DEFAULTS[p])
                if v != DEFAULTS[p]:
                    lines.append("%d=%s" % (k, v))
            lines.append("")
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines))


def write_catalogue(path):
    lines = ["[Floors]"] + ["%d=%s" % (i + 1, f[0]) for i, f in enumerate(FLOORS)]
    lines += ["", "[Objects]"] + ["%d=%s" % (i + 1, o["name"]) for i, o in enumerate(OBJECTS)]
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


# ------------------------------------------------------------------ building

def finish(kind, sprite):
    """Drop shadow by kind: walls and doors sit in the wall line and get
    none; flat things barely lift off the floor."""
    if kind in (WALL, DOOR):
        return sprite.done()
    if kind == FLAT:
        sprite.shadow(offset=(0, 1), blur=1.0, opacity=70)
    elif kind == GLASSY:
        sprite.shadow(offset=(1, 2), blur=1.5, opacity=90)
    else:
        sprite.shadow(offset=(1, 2), blur=2.0, opacity=150)
    return sprite.done()


def build_objects():
    anims = []
    intact = {}
    for o in OBJECTS:
        if o["paint"] is None:
            continue
        raw = o["paint"]()
        intact[o["name"]] = raw[0].done().copy() if not isinstance(raw[0], Image.Image) else raw[0]
        frames = []
        for r in raw:
            if isinstance(r, Image.Image):
                frames.append(r)
            else:
                frames.append(finish(o["kind"], r))
        anims.append(Anim(o["name"], frames, o["fps"], o["loop"], props=props_of(o), extrude=o["kind"] == WALL))
    for o in OBJECTS:
        if o["paint"] is not None:
            continue
        src = _WRECK_OF[o["name"]]
        w, h = src["w"] * CELL, src["h"] * CELL
        extra = src["wreck"]("", (4, 4, w - 4, h - 4)) if src["wreck"] else None
        img = D.wreck(intact[src["name"]], o["name"], extra=extra)
        anims.append(Anim(o["name"], [img], props=props_of(o)))
    return anims


def props_of(o):
    return {"Type": o["kind"], "Width": o["w"], "Height": o["h"], "Size": o["size"], "Count": o["count"],
            "Armor": o["armor"], "Bonus": o["bonus"], "Destroy": o["destroy"]}


def build():
    ui = [Anim(n, fn(), 0, loop, hot) for n, fn, fps, loop, hot in UI]
    fx = []
    for n, fn, fps, loop in EFFECTS:
        frames = fn()
        w, h = frames[0].size
        fx.append(Anim(n, frames, fps, loop, (w / 2, h / 2)))
    floors = [Anim(n, [fn()], props={"Width": w, "Height": h}, extrude=True) for n, w, h, fn in FLOORS]
    objects = build_objects()
    pages = []
    for tex_name, anims, width in ((TEX_UI, ui, 256), (TEX_FLOORS, floors, 256), (TEX_OBJECTS, objects, 1024),
                                   (TEX_FX, fx, 1024)):
        height = pack(anims, width)
        img = compose(anims, width, height)
        C.save_png(img, os.path.join(C.ROOT, tex_name))
        pages.append((tex_name, anims))
    write_project(pages, os.path.join(C.DATA, "qvl.apg"))
    write_catalogue(os.path.join(C.DATA, "Objects.ini"))
    return pages


if __name__ == "__main__":
    build()
    import atlas_preview
    atlas_preview.main()
    import check_atlas
    problems = check_atlas.main()
    sys.exit(1 if problems else 0)
