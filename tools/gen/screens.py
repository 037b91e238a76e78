#!/usr/bin/python3
"""Builds the full-screen pictures of the game into data/: the splash, the main
menu with its buttons and switches, the controls, the storey pictures, the
dialogue sheet, the lift shop with its item cards and the closing picture.
They hold words, so they are drawn once in Russian into data/ and once in
every language of data/lang/LINGUAS into data/lang/<code>/, from the game's
own catalogues. Also writes data/Settings.ini. Ends with a self-check of
every picture."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np
from PIL import Image

import common
from common import (INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER, STEEL_DARK, STEEL,
                    STEEL_LIGHT, WOOD_DARK, WOOD, WOOD_LIGHT, GREEN_DARK, GREEN, GREEN_LIGHT,
                    ALARM_RED, AMBER, GLASS, shade, mix, rgba)
import screens_art as art
import screens_tower as tower
import screens_menu
import screens_shop
import translations
from translations import tr

W, H = 800, 590
HINT = "Нажмите любую клавишу"


def hint(img, text=HINT, xy=(786, 580), anchor="rb"):
    art.draw_text(img, xy, tr(text), "sans", 15, shade(PAPER, 0.72), anchor=anchor, shadow=(1, 1, 2, 200),
                  within=(8, W - 8))


# Police and press gather at the entrance as the story goes on.
POLICE_BY_STOREY = {1: 0, 2: 0, 3: 0, 4: 1, 5: 1, 6: 2, 7: 3, 8: 4, 9: 4, 10: 5}


def building_picture(n):
    img, t = tower.scene("dusk", selected=n, police=POLICE_BY_STOREY[n], seed="tower",
                         lamps=(60, 790))
    img = art.vignette(img, 0.45)
    x0, y0, x1, y1 = t.storey_box(n)
    mid = (y0 + y1) / 2
    block_mid = min(max(mid, 96), 440)
    # leader from the picked storey to its caption
    c = art.Canvas(W, H)
    sx = x1 + t.side + 5
    c.line([(sx, mid), (520, mid), (536, block_mid)], rgba(AMBER, 230), 2)
    c.circle(sx, mid, 3.5, fill=AMBER)
    img.alpha_composite(c.image())
    caption = art.title_text(tr("Этаж %d") % n, "sans-bold", 58, (250, 246, 236), shade(PAPER, 0.78))
    art.check_room(tr("Этаж %d") % n, 544, 544 + caption.width, (0, W - 4))
    art.paste(img, caption, (544, block_mid - caption.height + 6), (2, 3, 4, 200))
    lift_indicator(img, 546, block_mid + 18, n)
    hint(img)
    return img


def lift_indicator(img, x, y, n):
    """The row of storey numbers from the lift panel, the current one lit."""
    size, gap = 21, 2
    for k in range(1, 11):
        bx = x + (k - 1) * (size + gap)
        c = art.Canvas(size, size)
        on = k == n
        c.rect(0, 0, size, size, fill=AMBER if on else mix(INK, CONCRETE_DARK, 0.55), radius=4)
        c.rect(0, 0, size, size, outline=shade(AMBER, 0.9) if on else shade(CONCRETE, 0.7), width=1, radius=4)
        art.paste(img, c.image(), (bx, y), (0, 2, 2, 150))
        art.draw_text(img, (bx + size / 2, y + size / 2), str(k), "sans-bold", 13,
                      INK if on else shade(PAPER, 0.75), anchor="mc", shadow=None)


def splash_picture():
    t = tower.Tower(x=258)
    img, t = tower.scene("night", police=0, tower=t, seed="splash", lit_share=0.12, lamps=(120, 680))
    # an alarm light in one window of the top storey
    x0, y0, x1, y1 = t.storey_box(10)
    img.paste(art.add_light(img, art.glow((W, H), x0 + 170, y0 + 22, 120, (255, 40, 30), 150)))
    img.alpha_composite(Image.new("RGBA", (W, H), (0, 0, 0, 120)))
    img = art.vignette(img, 0.7)
    title = art.title_text("QUARVEL", "sans-bold", 120, (250, 248, 242), shade(CONCRETE_LIGHT, 0.9),
                           outline_px=3, spacing=10)
    tx = (W - title.width) // 2
    art.paste(img, title, (tx, 190), (3, 5, 8, 220))
    c = art.Canvas(W, H)
    c.rect(tx + 10, 190 + title.height + 10, tx + title.width - 10, 190 + title.height + 14, fill=ALARM_RED)
    art.paste(img, c.image(), (0, 0), (0, 2, 3, 160))
    art.draw_text(img, (W / 2, 190 + title.height + 32), tr("Десять этажей. Один выход."), "serif", 26,
                  shade(PAPER, 0.92), anchor="ma", shadow=(2, 2, 3, 220), within=(8, W - 8))
    return img


def hero_silhouette(img, x, y, scale, rim):
    """The hero seen from the side, walking off to the right with a shotgun
    hanging from his hand; feet at (x, y)."""
    def P(px, py):
        return (x + px * scale, y + py * scale)
    body = (18, 20, 26)
    c = art.Canvas(W, H)
    # far arm and far leg a touch lighter, so the stride reads
    far = (30, 32, 40)
    c.line([P(-6, -146), P(-12, -120), P(-18, -96)], far, 8 * scale)
    c.line([P(-2, -70), P(-12, -36), P(-26, -6)], far, 11 * scale)
    c.polygon([P(-36, -1), P(-20, -8), P(-16, 0), P(-36, 0)], fill=far)
    # coat
    c.polygon([P(-13, -152), P(11, -152), P(17, -124), P(19, -60), P(-2, -56), P(-21, -60),
               P(-17, -122)], fill=body)
    # near leg
    c.line([P(4, -66), P(14, -36), P(22, -6)], body, 11 * scale)
    c.polygon([P(16, -8), P(34, -4), P(36, 0), P(16, 0)], fill=body)
    # head and collar
    c.polygon([P(-6, -160), P(8, -160), P(9, -150), P(-8, -150)], fill=body)
    c.ellipse(*P(-8, -182), *P(13, -158), fill=body)
    # near arm and the shotgun
    c.line([P(4, -146), P(10, -120), P(16, -96)], body, 8 * scale)
    c.line([P(0, -120), P(50, -30)], body, 4 * scale)
    c.line([P(-2, -124), P(12, -100)], body, 7 * scale)
    img.alpha_composite(c.image())
    # rim light from the dawn behind him
    r = art.Canvas(W, H)
    r.line([P(-13, -150), P(-17, -122), P(-21, -62)], rgba(rim, 210), 1.4)
    r.arc(*P(-8, -182), *P(13, -158), 150, 260, rgba(rim, 230), 1.4)
    r.line([P(-18, -98), P(-12, -120)], rgba(rim, 120), 1.0)
    img.alpha_composite(r.image())


def gameover_picture():
    t = tower.Tower(x=90)
    broken = {(3, 1), (5, 4), (6, 2), (8, 5), (9, 0), (10, 3), (7, 6), (4, 3)}
    img, t = tower.scene("dawn", police=5, tower=t, seed="dawn", lit_share=0.05, broken=broken,
                         lamps=(600,))
    img = art.vignette(img, 0.4)
    hero_silhouette(img, 560, 584, 1.0, (240, 190, 130))
    # closing caption on the sky to the right
    caption = art.title_text(tr("Рабочий день\nокончен"), "sans-bold", 46, (252, 248, 240), shade(PAPER, 0.8))
    art.check_room(tr("Рабочий день\nокончен"), 440, 440 + caption.width, (0, W - 4))
    art.paste(img, caption, (440, 70), (2, 3, 5, 190))
    art.draw_text(img, (444, 70 + caption.height + 16),
                  tr("Он вышел из здания на рассвете\nи растворился в городе.\nБольше его никто не видел."),
                  "serif", 21, (250, 246, 236), shadow=(1, 2, 3, 230), line_gap=27, within=(0, W - 6))
    art.draw_text(img, (444, 320), tr("Конец"), "serif-bold", 30, AMBER, shadow=(1, 2, 3, 230), within=(0, W - 6))
    hint(img, xy=(786, 14), anchor="ra")
    return img


def save(img, name):
    """Full-screen pictures are opaque; the two sprite sheets keep alpha."""
    if name not in ("Menu.png", "Upgrade.png"):
        img = img.convert("RGB")
    common.save_png(img, os.path.join(translations.picture_dir(), name))


def pictures_in_language(code):
    translations.set_language(code)
    pictures = {}
    for n in range(1, 11):
        pictures["Building%d.png" % n] = building_picture(n)
    pictures["Gamin.png"] = splash_picture()
    pictures["GameOver.png"] = gameover_picture()
    pictures["Menu.png"] = screens_menu.menu_texture()
    pictures["Control.png"] = screens_menu.controls_picture()
    pictures["Dialog.png"] = screens_menu.dialog_picture()
    pictures["Upgrade.png"] = screens_shop.shop_texture()
    for name, img in pictures.items():
        save(img, name)
    return len(pictures)


def main():
    written = 0
    for code in translations.languages():
        written += pictures_in_language(code)
    with open(os.path.join(common.DATA, "Settings.ini"), "w", newline="\n") as f:
        f.write("; Engine settings file. The game keeps no user settings here.\n")
    import check_screens
    problems = check_screens.check_all()
    for p in problems:
        print("PROBLEM:", p)
    print("%d pictures written, %d problems" % (written, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
