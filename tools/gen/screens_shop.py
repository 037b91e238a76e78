"""The lift shop texture: the background with every good on its card, the
stock column and the exit button, and below it the cards of owned and carried
weapons and of worn gear, each at its fixed place in the texture."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np
from PIL import Image

from common import (INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER, STEEL_DARK, STEEL,
                    STEEL_LIGHT, GREEN_DARK, GREEN, GREEN_LIGHT, ALARM_RED, AMBER, shade, mix, rgba)
import screens_art as art
import screens_items as items
from translations import tr

W, H = 800, 590
TEX_H = 940
LONG_W, SMALL_W, CARD_H = 272, 102, 112

# Goods on the background: item, screen top-left, card width, tag text, kind.
# Weapons and gear change state; ammunition and healing are always on sale.
GOODS = [
    ("rifle", (25, 34), LONG_W, "Автомат", "weapon"),
    ("shotgun", (25, 155), LONG_W, "Дробовик", "weapon"),
    ("pistol", (25, 321), SMALL_W, "Пистолет", "weapon"),
    ("revolver", (25, 443), SMALL_W, "Револьвер", "weapon"),
    ("rifle_magazine", (304, 34), SMALL_W, "Магазин", "stock"),
    ("shell", (304, 155), SMALL_W, "Патрон", "stock"),
    ("pistol_magazine", (135, 321), SMALL_W, "Магазин", "stock"),
    ("revolver_round", (135, 443), SMALL_W, "Патрон", "stock"),
    ("grenade", (293, 316), SMALL_W, "Граната", "stock"),
    ("first_aid", (293, 451), SMALL_W, "Лечение", "stock"),
    ("helmet", (464, 26), SMALL_W, "Каска", "gear"),
    ("bulletproof_vest", (464, 163), SMALL_W, "Бронежилет", "gear"),
    ("knuckles", (464, 316), SMALL_W, "Кастет", "gear"),
    ("pocket_vest", (464, 451), SMALL_W, "Жилет с\nкарманами", "gear"),
]

# Where the owned / worn / carried cards sit in the texture.
OWNED_AT = {"rifle": (0, 592), "shotgun": (0, 708), "pistol": (2, 825), "revolver": (110, 825),
            "helmet": (275, 593), "pocket_vest": (381, 709), "bulletproof_vest": (275, 709),
            "knuckles": (380, 594)}
CARRIED_AT = {"rifle": (503, 592), "shotgun": (503, 708), "pistol": (505, 825), "revolver": (613, 825)}

WORN_TEXT = {"helmet": "На голове", "bulletproof_vest": "Надет", "knuckles": "На руке",
             "pocket_vest": "Надет"}
# The tags whose word alone is ambiguous are translated in their context,
# as the shop's own texts are.
TAG_CONTEXT = {"rifle_magazine": "ammunition", "pistol_magazine": "ammunition", "shell": "shotgun",
               "revolver_round": "revolver"}

CARRIED_TEXT = {"rifle": "На ремне", "shotgun": "На ремне", "pistol": "В кармане",
                "revolver": "В кармане"}

# Stock column: the numbers are printed at x = 650 on these line tops by the
# game's shop font, whose digits sit 7..23 pixels below the line top.
STOCK_ROWS = [("star", 290), ("pouch", 318), ("heart", 343), ("rifle_magazine", 370),
              ("shell", 401), ("pistol_magazine", 425), ("revolver_round", 449), ("grenade", 475)]
DIGIT_TOP, DIGIT_BOTTOM = 7, 23
DESCRIPTION_AT = (616, 29)
EXIT_BOX = (608, 530, 790, 574)

FACES = {
    "dim": ((46, 52, 62), (36, 41, 50)),
    "stock": ((84, 96, 112), (64, 74, 88)),
    "owned": ((112, 128, 146), (82, 96, 112)),
}


def tag_height(label):
    return 19 if "\n" not in label else 32


def tag_text(name):
    label = dict((g[0], g[3]) for g in GOODS)[name]
    return tr(label, TAG_CONTEXT.get(name))


def item_box(name, w):
    kind = dict((g[0], g[4]) for g in GOODS)[name]
    bottom = CARD_H - 9 - tag_height(tag_text(name))
    if w == LONG_W:
        return 10, 8, w - 10, bottom
    if kind == "stock":
        return 8, 8, w - 8, bottom
    return 8, 22, w - 8, bottom


def card_face(w, h, state):
    top, bottom = FACES[state]
    face = art.vgradient(w, h, [(0, top), (1, bottom)])
    face = art.grain(face, "card-%s-%d" % (state, w), 2.0)
    shape = art.Canvas(w, h)
    shape.rect(0, 0, w, h, fill=(255, 255, 255), radius=7)
    face.putalpha(shape.image().split()[3])
    c = art.Canvas(w, h)
    c.rect(1, 1, w - 1, h - 1, outline=rgba(shade(top, 1.4), 120), width=1, radius=6)
    c.rect(0, 0, w, h, outline=rgba(INK, 200), width=1.2, radius=7)
    face.alpha_composite(c.image())
    return face


def tag(card, text, bright):
    """The good's name across the card's foot; a name of two lines in a
    smaller letter."""
    w, h = card.size
    top = h - 6 - tag_height(text)
    c = art.Canvas(w, h)
    c.rect(6, top, w - 6, h - 6, fill=rgba(INK, 120 if bright else 90), radius=4)
    card.alpha_composite(c.image())
    colour = (255, 255, 255) if bright else shade(PAPER, 0.55)
    shadow = (1, 1, 1, 200) if bright else None
    middle = (top + h - 6) / 2
    if "\n" in text:
        art.draw_text(card, (w / 2, middle), text, "sans-bold", 12, colour, anchor="mm", line_gap=13,
                      align="center", shadow=shadow, within=(8, w - 8))
    else:
        art.draw_text(card, (w / 2, middle), text, "sans-bold", 14, colour, anchor="mc", shadow=shadow,
                      within=(8, w - 8))


def tick(c, x, y, colour, s=1.0):
    c.line([(x, y + 4 * s), (x + 3 * s, y + 7 * s), (x + 9 * s, y)], colour, 2.0)


def pill(card, text, green):
    """The status badge in the card's top-right corner."""
    w, _ = card.size
    text = tr(text)
    f = art.font("sans-bold", 12)
    tw = int(np.ceil(f.getlength(text)))
    pw = tw + (26 if green else 14)
    x0, y0 = w - pw - 5, 5
    art.check_room(text, x0, x0 + pw, (5, w - 5))
    c = art.Canvas(w, 24)
    if green:
        c.rect(x0, y0, x0 + pw, y0 + 16, fill=(56, 132, 72), radius=8)
        c.rect(x0, y0, x0 + pw, y0 + 16, outline=(150, 214, 140), width=1, radius=8)
        tick(c, x0 + 6, y0 + 4.5, (255, 255, 255), 0.9)
    else:
        c.rect(x0, y0, x0 + pw, y0 + 16, fill=rgba(CONCRETE_DARK, 235), radius=8)
        c.rect(x0, y0, x0 + pw, y0 + 16, outline=rgba(CONCRETE_LIGHT, 150), width=1, radius=8)
    art.paste(card, c.image(), (0, 0), (0, 1, 1, 160))
    art.draw_text(card, (x0 + (19 if green else 7), y0 + 8), text, "sans-bold", 12,
                  (255, 255, 255) if green else shade(PAPER, 0.9), anchor="lc", shadow=None)


def card(name, w, state, badge=None, green=False, frame=False):
    """One card: 'dim' shows the painted outline of a good not yet owned,
    'stock' and 'owned' show the good itself."""
    face = card_face(w, CARD_H, "owned" if state == "owned" else state)
    x0, y0, x1, y1 = item_box(name, w)
    if state == "dim":
        sil = items.silhouette(name, x1 - x0, y1 - y0, (26, 30, 37), rgba(STEEL_LIGHT, 110))
        face.alpha_composite(sil, (x0, y0))
    else:
        art.paste(face, items.item_layer(name, x1 - x0, y1 - y0), (x0, y0), (2, 3, 3, 150))
    tag(face, tag_text(name), state != "dim")
    if frame:
        c = art.Canvas(w, CARD_H)
        c.rect(1, 1, w - 1, CARD_H - 1, outline=(120, 210, 120), width=2.4, radius=6)
        face.alpha_composite(c.image())
    if badge:
        pill(face, badge, green)
    return face


def stock_icon(name, size=28):
    return items.item_layer(name, size, size, margin=1)


def backdrop():
    """Brushed steel walls of the lift, a handrail and the right-hand column."""
    img = art.vgradient(W, H, [(0, (62, 70, 82)), (1, (40, 46, 56))])
    img = art.grain(img, "lift-wall", 2.5, streaks=5.0)
    c = art.Canvas(W, H)
    for x in (0, 290, 452, 598):
        c.line([(x, 0), (x, H)], rgba(INK, 120), 1.5)
        c.line([(x + 1.5, 0), (x + 1.5, H)], rgba((255, 255, 255), 25), 1)
    # handrail between the two rows of cards
    c.rect(0, 284, 598, 296, fill=shade(CONCRETE_LIGHT, 0.95), radius=6)
    c.rect(0, 285, 598, 289, fill=rgba((255, 255, 255), 80), radius=2)
    for x in (60, 270, 420, 560):
        c.rect(x - 5, 294, x + 5, 306, fill=shade(CONCRETE_LIGHT, 0.7), radius=2)
    img.alpha_composite(art.Canvas(W, H).image())
    art.paste(img, c.image(), (0, 0), (0, 4, 4, 150))
    # the right column is a darker service panel
    right = art.vgradient(200, H, [(0, (30, 35, 44)), (1, (22, 26, 33))])
    img.alpha_composite(art.grain(right, "lift-panel", 2.0), (600, 0))
    img = art.vignette(img, 0.35)
    for text, x, right in (("ОРУЖИЕ", 27, 288), ("ПАТРОНЫ", 306, 450), ("СНАРЯЖЕНИЕ", 466, 596)):
        art.draw_text(img, (x, 16), tr(text), "sans-bold", 12, shade(STEEL_LIGHT, 1.1), anchor="lc",
                      spacing=1.5, shadow=(1, 1, 1, 200), within=(0, right))
    return img


def light_panel(img, box):
    x0, y0, x1, y1 = box
    face = art.vgradient(x1 - x0, y1 - y0, [(0, (232, 230, 222)), (1, (214, 212, 204))])
    face = art.grain(face, "panel-%d" % y0, 1.6)
    shape = art.Canvas(x1 - x0, y1 - y0)
    shape.rect(0, 0, x1 - x0, y1 - y0, fill=(255, 255, 255), radius=6)
    face.putalpha(shape.image().split()[3])
    c = art.Canvas(x1 - x0, y1 - y0)
    c.rect(0, 0, x1 - x0, y1 - y0, outline=rgba(INK, 220), width=1.2, radius=6)
    face.alpha_composite(c.image())
    art.paste(img, face, (x0, y0), (0, 3, 4, 170))


def right_column(img):
    # description: the hovered good's text is printed at DESCRIPTION_AT
    light_panel(img, (606, 16, 794, 204))
    art.draw_text(img, (700, 216), tr("СНАБЖЕНИЕ"), "sans-bold", 20, PAPER, anchor="ma", spacing=2,
                  within=(606, 794))
    art.draw_text(img, (700, 241), tr("наведите курсор на товар;\nщелчок — купить или взять"), "sans", 13,
                  shade(STEEL_LIGHT, 1.1), anchor="ma", line_gap=16, align="center", within=(606, 794))
    # stock column
    light_panel(img, (606, 280, 794, 514))
    c = art.Canvas(W, H)
    for (_, y), (_, y_next) in zip(STOCK_ROWS, STOCK_ROWS[1:]):
        sep = (y + DIGIT_BOTTOM + y_next + DIGIT_TOP) / 2 + 0.5
        c.line([(614, sep), (786, sep)], rgba(STEEL, 60), 1)
    img.alpha_composite(c.image())
    for name, y in STOCK_ROWS:
        icon = stock_icon(name, 26)
        cy = y + (DIGIT_TOP + DIGIT_BOTTOM) / 2
        art.paste(img, icon, (618, cy - 13), (1, 1, 1, 110))
    # leave the lift
    x0, y0, x1, y1 = EXIT_BOX
    b = art.Canvas(x1 - x0, y1 - y0)
    b.rect(0, 0, x1 - x0, y1 - y0, fill=(58, 120, 76), radius=7)
    b.rect(0, 0, x1 - x0, (y1 - y0) / 2, fill=rgba((255, 255, 255), 28), radius=7)
    b.rect(0, 0, x1 - x0, y1 - y0, outline=(150, 214, 150), width=1.2, radius=7)
    # an open doorway with an arrow stepping out of it
    b.rect(12, 10, 28, 34, outline=(200, 236, 200), width=2, radius=1.5)
    b.line([(22, 22), (38, 22)], (255, 255, 255), 2.6)
    b.polygon([(35, 16.5), (42, 22), (35, 27.5)], (255, 255, 255))
    art.paste(img, b.image(), (x0, y0), (0, 3, 4, 170))
    art.draw_text(img, (x0 + 52, (y0 + y1) / 2), tr("Выйти из лифта"), "sans-bold", 18, (255, 255, 255),
                  anchor="lc", shadow=(1, 1, 2, 200), within=(x0, x1 - 6))


def shop_texture():
    bg = backdrop()
    for name, (x, y), w, label, kind in GOODS:
        state = "stock" if kind == "stock" else "dim"
        art.paste(bg, card(name, w, state), (x, y), (0, 4, 5, 170))
    right_column(bg)
    tex = Image.new("RGBA", (W, TEX_H), (0, 0, 0, 0))
    tex.paste(bg, (0, 0))
    goods = dict((g[0], (g[2], g[4])) for g in GOODS)
    for name, at in OWNED_AT.items():
        w, kind = goods[name]
        if kind == "gear":
            face = card(name, w, "owned", WORN_TEXT[name], green=True)
        else:
            face = card(name, w, "owned", "В лифте")
        tex.paste(face, at)
    for name, at in CARRIED_AT.items():
        w, _ = goods[name]
        tex.paste(card(name, w, "owned", CARRIED_TEXT[name], green=True, frame=True), at)
    return tex
