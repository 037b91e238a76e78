#!/usr/bin/python3
"""Checks the fonts and pictures in data/ the way the game will use them and
renders sample screens into tools/gen/preview/ for a look by eye:
dialogue text in both speaker colours, shop text, heads-up text on floors."""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np
from PIL import Image

import common
import translations
from fonts import CODES
from fonts_render import BitmapFont

FULL = (800, 590)

# texture -> minimum size and the sprite rectangles the game cuts from it
PICTURES = {
    "Menu.png": ((800, 836), [(0, 0, 800, 590), (0, 632, 233, 29), (0, 807, 233, 29), (0, 776, 233, 29),
                              (0, 719, 233, 29), (0, 661, 233, 29), (0, 690, 233, 29), (0, 748, 233, 29),
                              (257, 727, 69, 69), (257, 656, 69, 69)]),
    "Upgrade.png": ((800, 937), [(0, 0, 800, 590), (0, 592, 272, 112), (0, 708, 272, 112),
                                 (2, 825, 102, 112), (110, 825, 102, 112), (275, 593, 102, 112),
                                 (381, 709, 102, 112), (275, 709, 102, 112), (380, 594, 102, 112),
                                 (503, 592, 272, 112), (503, 708, 272, 112), (505, 825, 102, 112),
                                 (613, 825, 102, 112)]),
}
for name in ["Control.png", "Dialog.png", "Gamin.png", "GameOver.png"] + \
        ["Building%d.png" % n for n in range(1, 11)]:
    PICTURES[name] = (FULL, [(0, 0) + FULL])

# The highlighted Exit button's last row is the normal Restart button's first
# row; both buttons must end in the same separator line.
SHARED_ROWS = [("Menu.png", (0, 748, 233, 29), (0, 776, 233, 29))]

CHAR_LINE = re.compile(r"^Char=([0-9A-F]{2}),(\d+),(\d+),(\d+),(\d+),(-?\d+),(-?\d+)$")


def overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def check_font(name, want_height):
    problems = []
    path = os.path.join(common.DATA, name + ".fnt")
    with open(path, "rb") as f:
        lines = f.read().decode("ascii").split("\n")
    lines = [l for l in lines if l]
    if lines[:2] != ["[HGEFONT]", "Bitmap=%s.png" % name]:
        problems.append("%s: header lines are %r" % (name, lines[:2]))
    rects = {}
    for line in lines[2:]:
        m = CHAR_LINE.match(line)
        if not m:
            problems.append("%s: malformed line %r" % (name, line))
            continue
        code = int(m.group(1), 16)
        if code in rects:
            problems.append("%s: code %02X twice" % (name, code))
        rects[code] = tuple(int(v) for v in m.groups()[1:])
    font = BitmapFont(path)
    if font.height != want_height:
        problems.append("%s: height %s, want %d" % (name, font.height, want_height))
    missing = [c for c in CODES if c not in rects]
    if missing:
        problems.append("%s: no letter for %s" % (name, " ".join("%02X" % c for c in missing)))
    tex = np.asarray(font.texture)
    th, tw = tex.shape[:2]
    placed = []
    for code, (x, y, w, h, pre, post) in sorted(rects.items()):
        if x < 0 or y < 0 or x + w > tw or y + h > th:
            problems.append("%s: letter %02X outside the texture" % (name, code))
            continue
        ink = tex[y:y + h, x:x + w, 3].max() if w and h else 0
        if code == 0x20 and ink:
            problems.append("%s: the space has pixels" % name)
        if code != 0x20 and not ink:
            problems.append("%s: letter %02X is empty" % (name, code))
        if w + pre + post <= 0:
            problems.append("%s: letter %02X does not advance" % (name, code))
        # one pixel of clear texture around each letter keeps filtering clean
        grown = (x - 1, y - 1, w + 2, h + 2)
        for other_code, other in placed:
            if overlap(grown, other):
                problems.append("%s: letters %02X and %02X touch" % (name, code, other_code))
        placed.append((code, (x, y, w, h)))
    return problems


def check_picture(name, min_size, rects, folder=common.DATA):
    problems = []
    path = os.path.join(folder, name)
    label = os.path.relpath(path, common.DATA)
    if not os.path.exists(path):
        return ["%s: missing" % label]
    img = Image.open(path)
    if img.mode not in ("RGB", "RGBA"):
        problems.append("%s: mode %s" % (label, img.mode))
    w, h = img.size
    if (min_size == FULL and (w, h) != FULL) or w < min_size[0] or h < min_size[1]:
        problems.append("%s: size %dx%d" % (label, w, h))
    arr = np.asarray(img.convert("RGBA"))
    for i, r in enumerate(rects):
        x, y, rw, rh = r
        if x + rw > w or y + rh > h:
            problems.append("%s: rectangle %s outside the texture" % (label, r))
            continue
        part = arr[y:y + rh, x:x + rw].reshape(-1, 4)
        if (part == part[0]).all():
            problems.append("%s: rectangle %s is one flat colour" % (label, r))
        if part[:, 3].mean() < 128:
            problems.append("%s: rectangle %s is mostly transparent" % (label, r))
        for other in rects[:i]:
            if overlap(r, other) and (name, other, r) not in SHARED_ROWS \
                    and (name, r, other) not in SHARED_ROWS:
                problems.append("%s: rectangles %s and %s overlap" % (label, r, other))
    for pic, a, b in SHARED_ROWS:
        if pic == name:
            row = arr[b[1], b[0]:b[0] + b[2]].reshape(-1, 4)
            if not (row == row[0]).all():
                problems.append("%s: the row shared by %s and %s is not one separator colour" % (label, a, b))
    return problems


def check_all():
    problems = check_font("font1", 32) + check_font("font2", 16)
    # every language has the whole set of pictures
    for code in translations.languages():
        translations.set_language(code)
        for name, (size, rects) in PICTURES.items():
            problems += check_picture(name, size, rects, translations.picture_dir())
    translations.set_language("ru")
    if not os.path.exists(os.path.join(common.DATA, "Settings.ini")):
        problems.append("Settings.ini missing")
    return problems


# ---------------------------------------------------------------- samples

DIALOG_SAMPLE = [
    ("A", "— Дежурная часть, слушаю. Говорите, что у вас случилось?"),
    ("B", "— Это офисный центр на Садовой, «Кварвел-Плаза», десятый этаж.\n"
          "Тут стреляют… Наш сотрудник — он с оружием. Ёлки, он идёт сюда!"),
    ("A", "— Спокойно. Назовите номер кабинета. Сколько там людей?"),
    ("B", "— Кабинет № 1017. Человек двадцать, может, больше. Шеф заперся\n"
          "у себя и не отвечает. Охрана не поднимается — лифты стоят.\n"
          "Пришлите хоть кого-нибудь! Щёлкнул замок… Он уже в коридоре."),
    ("A", "— Оставайтесь на линии. Наряд выехал, будет через семь минут."),
    ("B", "— Семь минут?! Да здесь за семь минут… «Подождите», говорите?\n"
          "Хорошо. Жду. Только быстрее, прошу вас, быстрее — ЙЦУКЕН ЪЭЖ."),
]


def dialog_sample():
    bg = Image.open(os.path.join(common.DATA, "Dialog.png")).convert("RGBA")
    font = BitmapFont(os.path.join(common.DATA, "font1.fnt"))
    y = 156
    for speaker, text in DIALOG_SAMPLE:
        font.draw(bg, 53 if speaker == "A" else 40, y, text,
                  0xFFFF0000 if speaker == "A" else 0xFF0000FF)
        y += 32 * (text.count("\n") + 1)
    bg.save(common.preview_path("sample-dialog.png"))


def shop_sample():
    tex = Image.open(os.path.join(common.DATA, "Upgrade.png")).convert("RGBA")
    img = tex.crop((0, 0) + FULL)
    for (sx, sy, w, h), (x, y) in (((0, 592, 272, 112), (25, 34)), ((503, 592, 272, 112), (25, 34)),
                                   ((0, 708, 272, 112), (25, 155)), ((110, 825, 102, 112), (25, 443)),
                                   ((613, 825, 102, 112), (25, 443)), ((380, 594, 102, 112), (464, 316))):
        img.alpha_composite(tex.crop((sx, sy, sx + w, sy + h)), (x, y))
    font = BitmapFont(os.path.join(common.DATA, "font1.fnt"))
    font.draw(img, 616, 29, "Жилет с\nкарманами\nЦена: 250\nРазмер: 40", 0xFF343A4C)
    for text, y in zip(["12450", "60/140", "87/100", "3", "12", "2", "18", "4"],
                       [290, 318, 343, 370, 401, 425, 449, 475]):
        font.draw(img, 650, y, text, 0xFF343A4C)
    img.save(common.preview_path("sample-shop.png"))


def hud_sample():
    font = BitmapFont(os.path.join(common.DATA, "font2.fnt"))
    floors = [(38, 40, 44), (96, 100, 104), (150, 154, 156), (222, 220, 212), (140, 96, 60), (70, 104, 78)]
    img = Image.new("RGBA", (800, 60 * len(floors)), (0, 0, 0, 255))
    for i, f in enumerate(floors):
        img.paste(f + (255,), (0, i * 60, 800, i * 60 + 60))
        font.draw(img, 10, i * 60 + 6, "Жизни 87/100   Автомат 24/30 [3]   Гранат: 2", 0xFFFF2222)
        font.draw(img, 10, i * 60 + 24, "+15 бонус   Этаж 7 — лифт закрыт, нужна белая карточка", 0xFFFFFFFF)
        font.draw(img, 790, i * 60 + 42, "Объект №12 «Стол» (x=14, y=7)", 0xFF22DD22, align=1)
    img.save(common.preview_path("sample-hud.png"))


def main():
    problems = check_all()
    for p in problems:
        print("PROBLEM:", p)
    dialog_sample()
    shop_sample()
    hud_sample()
    print("%d problems; samples in %s" % (len(problems), common.PREVIEW))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
