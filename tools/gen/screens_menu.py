"""The main menu texture (background, button states, sound and music
switches), the controls picture and the dialogue sheet."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np
from PIL import Image

import common
from common import (INK, CONCRETE_DARK, CONCRETE, CONCRETE_LIGHT, PAPER, STEEL_DARK, STEEL,
                    STEEL_LIGHT, WOOD_DARK, WOOD, ALARM_RED, AMBER, GREEN_LIGHT, shade, mix, rgba)
import screens_art as art
import screens_tower as tower
from translations import tr, language

W, H = 800, 590
BUTTON_W, BUTTON_H = 233, 29
MENU_TEX_H = 840

# Screen rows of the menu buttons and where each state sits in the texture.
BUTTONS = {
    "new": dict(label="Новая игра", screen=369, lit=632, normal=None),
    "restart": dict(label="Начать этаж заново", screen=409, lit=807, normal=776),
    "continue": dict(label="Продолжить", screen=449, lit=690, normal=661),
    "controls": dict(label="Управление", screen=488, lit=719, normal=None),
    "exit": dict(label="Выход", screen=530, lit=748, normal=None),
}
LANGUAGE_ICON = dict(screen=(581, 2))
SOUND_ICON = dict(screen=(654, 2), off=(257, 656))
MUSIC_ICON = dict(screen=(727, 2), off=(257, 727))
ICON = 69
BUTTON_EDGE = (8, 10, 15)


def menu_backdrop():
    t = tower.Tower(x=436, width=236, storey_h=42, ground=532)
    img, t = tower.scene("night", tower=t, seed="menu", lit_share=0.18, lamps=(330, 780))
    img = art.vignette(img, 0.5)
    # the left band that carries the title and the buttons
    band = art.hgradient(300, H, [(0, (8, 10, 14)), (0.7, (12, 15, 22)), (1, (12, 15, 22))])
    a = np.clip(np.interp(np.arange(300), [0, 240, 300], [235, 215, 0]), 0, 255).astype(np.uint8)
    band.putalpha(Image.fromarray(np.repeat(a[None, :], H, axis=0), "L"))
    img.alpha_composite(band)
    c = art.Canvas(W, H)
    c.line([(252, 0), (252, H)], rgba(STEEL_LIGHT, 50), 1)
    img.alpha_composite(c.image())
    title = art.title_text("QUARVEL", "sans-bold", 58, (250, 248, 242), shade(CONCRETE_LIGHT, 0.85),
                           outline_px=2, spacing=5)
    art.paste(img, title, (24, 44), (2, 4, 6, 220))
    c = art.Canvas(W, H)
    c.rect(26, 44 + title.height + 8, 26 + title.width - 8, 44 + title.height + 11, fill=ALARM_RED)
    img.alpha_composite(c.image())
    art.draw_text(img, (27, 44 + title.height + 22), tr("Десять этажей.\nОдин выход."), "serif", 20,
                  shade(PAPER, 0.85), line_gap=25, within=(0, 250))
    art.draw_text(img, (26, 340), tr("ГЛАВНОЕ МЕНЮ"), "sans-bold", 13, shade(STEEL_LIGHT, 0.9),
                  spacing=2, shadow=None, within=(0, 250))
    return img


def button(base, label, lit):
    """One 233x29 button over the strip of background it covers."""
    img = base.copy()
    c = art.Canvas(BUTTON_W, BUTTON_H)
    if lit:
        strip = art.hgradient(BUTTON_W, BUTTON_H, [(0, shade(STEEL_LIGHT, 0.95)), (0.55, STEEL),
                                                   (1, shade(STEEL, 0.7))])
        a = np.interp(np.arange(BUTTON_W), [0, BUTTON_W], [245, 150]).astype(np.uint8)
        strip.putalpha(Image.fromarray(np.repeat(a[None, :], BUTTON_H, axis=0), "L"))
        img.alpha_composite(strip)
        c.rect(0, 0, 6, BUTTON_H, fill=(255, 214, 120))
        c.line([(0, 1.5), (BUTTON_W, 1.5)], rgba((210, 226, 240), 140), 1)
        c.polygon([(BUTTON_W - 22, 9), (BUTTON_W - 14, 14.5), (BUTTON_W - 22, 20)], fill=(255, 214, 120))
    else:
        c.rect(0, 0, BUTTON_W, BUTTON_H, fill=rgba(STEEL, 60))
        c.rect(0, 0, 3, BUTTON_H, fill=shade(STEEL_LIGHT, 0.8))
    img.alpha_composite(c.image())
    colour = (255, 255, 255) if lit else shade(PAPER, 0.95)
    art.draw_text(img, (22, BUTTON_H / 2), tr(label), "sans-bold", 19, colour, anchor="lc",
                  shadow=(1, 1, 2, 230), within=(0, BUTTON_W - 28))
    # Every button state starts and ends with the same separator row: the
    # highlighted Exit button and the normal Restart button share a texture
    # row, and the separator makes that row right for both.
    edge = Image.new("RGBA", (BUTTON_W, 1), BUTTON_EDGE + (255,))
    img.paste(edge, (0, 0))
    img.paste(edge, (0, BUTTON_H - 1))
    return img


def speaker_icon(c, cx, cy, colour):
    c.rect(cx - 17, cy - 7, cx - 8, cy + 7, fill=colour, radius=1.5)
    c.polygon([(cx - 9, cy - 7), (cx + 2, cy - 16), (cx + 2, cy + 16), (cx - 9, cy + 7)], fill=colour)
    c.arc(cx - 6, cy - 9, cx + 12, cy + 9, -55, 55, colour, 2.6)
    c.arc(cx - 8, cy - 16, cx + 20, cy + 16, -55, 55, colour, 2.6)


def note_icon(c, cx, cy, colour):
    c.ellipse(cx - 16, cy + 5, cx - 4, cy + 14, fill=colour)
    c.ellipse(cx + 4, cy + 1, cx + 16, cy + 10, fill=colour)
    c.line([(cx - 5, cy + 9), (cx - 5, cy - 13)], colour, 2.6)
    c.line([(cx + 15, cy + 5), (cx + 15, cy - 17)], colour, 2.6)
    c.polygon([(cx - 6.3, cy - 14), (cx + 16.3, cy - 19), (cx + 16.3, cy - 12), (cx - 6.3, cy - 7)],
              fill=colour)


def switch_icon(base, draw_symbol, on):
    """A round switch plate with its symbol; switched off, the symbol dims and
    a red bar crosses it out."""
    img = base.copy()
    c = art.Canvas(ICON, ICON)
    cx = cy = ICON / 2
    c.circle(cx, cy, 29, fill=rgba((16, 19, 26), 225))
    c.circle(cx, cy, 29, outline=rgba(STEEL_LIGHT, 140 if on else 90), width=1.5)
    draw_symbol(c, cx, cy + 1, shade(PAPER, 0.95) if on else shade(CONCRETE, 0.95))
    if not on:
        c.circle(cx, cy, 25, outline=ALARM_RED, width=4)
        c.line([(cx - 17.5, cy - 17.5), (cx + 17.5, cy + 17.5)], ALARM_RED, 4.5)
    art.paste(img, c.image(), (0, 0), (0, 2, 3, 170))
    return img


def language_icon(base):
    """The language switch: the round plate with the code of the language
    the picture is drawn in (every language's menu picture has its own)."""
    img = switch_icon(base, lambda c, cx, cy, colour: None, True)
    art.draw_text(img, (ICON / 2, ICON / 2 + 1), language().upper(), "sans-bold", 22, shade(PAPER, 0.95),
                  anchor="mc", shadow=None, spacing=1, within=(10, ICON - 10))
    return img


def menu_texture():
    bg = menu_backdrop()
    # the switched-on symbols are part of the background
    for spec, symbol in ((SOUND_ICON, speaker_icon), (MUSIC_ICON, note_icon)):
        x, y = spec["screen"]
        bg.paste(switch_icon(bg.crop((x, y, x + ICON, y + ICON)), symbol, True), (x, y))
    x, y = LANGUAGE_ICON["screen"]
    bg.paste(language_icon(bg.crop((x, y, x + ICON, y + ICON))), (x, y))
    tex = Image.new("RGBA", (W, MENU_TEX_H), (0, 0, 0, 0))
    plain = bg.copy()
    for name in ("new", "controls", "exit"):
        b = BUTTONS[name]
        bg.paste(button(bg.crop((0, b["screen"], BUTTON_W, b["screen"] + BUTTON_H)), b["label"], False),
                 (0, b["screen"]))
    tex.paste(bg, (0, 0))
    for name, b in BUTTONS.items():
        crop = plain.crop((0, b["screen"], BUTTON_W, b["screen"] + BUTTON_H))
        tex.paste(button(crop, b["label"], True), (0, b["lit"]))
        if b["normal"] is not None:
            tex.paste(button(crop, b["label"], False), (0, b["normal"]))
    for spec, symbol in ((SOUND_ICON, speaker_icon), (MUSIC_ICON, note_icon)):
        x, y = spec["screen"]
        crop = plain.crop((x, y, x + ICON, y + ICON))
        tex.paste(switch_icon(crop, symbol, False), spec["off"])
    return tex


# ---------------------------------------------------------------- controls

def mouse_drawing(img, x, y):
    """A large mouse seen from above, its two buttons tinted for the callouts."""
    w, h = 120, 180
    shape = art.Canvas(w, h)
    shape.rect(0, 0, w, h, fill=(255, 255, 255), radius=56)
    c = art.Canvas(w, h)
    c.rect(0, 0, w, h, fill=mix(PAPER, (255, 255, 255), 0.2))
    c.rect(0, 0, w / 2, 66, fill=shade(ALARM_RED, 1.35))
    c.rect(w / 2, 0, w, 66, fill=shade(STEEL_LIGHT, 1.15))
    c.line([(w / 2, 0), (w / 2, 66)], shade(PAPER, 0.5), 1.5)
    c.line([(0, 66), (w, 66)], shade(PAPER, 0.5), 1.5)
    c.rect(w / 2 - 6, 18, w / 2 + 6, 46, fill=shade(CONCRETE, 0.8), radius=6)
    face = c.image()
    face.putalpha(shape.image().split()[3])
    rim = art.Canvas(w, h)
    rim.rect(0, 0, w, h, outline=INK, width=1.5, radius=56)
    face.alpha_composite(rim.image())
    art.paste(img, face, (x, y), (0, 5, 6, 180))
    return dict(left=(x + 30, y + 34), right=(x + 90, y + 34), body=(x + w / 2, y + 120))


def controls_picture():
    img = art.vgradient(W, H, [(0, (26, 32, 42)), (1, (14, 17, 23))])
    img = art.grain(img, "controls", 3.0)
    # faint plan grid, as on an office floor plan
    c = art.Canvas(W, H)
    for gx in range(0, W, 40):
        c.line([(gx, 0), (gx, H)], rgba(STEEL_LIGHT, 14), 1)
    for gy in range(0, H, 40):
        c.line([(0, gy), (W, gy)], rgba(STEEL_LIGHT, 14), 1)
    img.alpha_composite(c.image())
    img = art.vignette(img, 0.5)
    art.draw_text(img, (40, 28), tr("Управление"), "sans-bold", 40, PAPER, shadow=(2, 3, 4, 200), within=(0, 600))
    c = art.Canvas(W, H)
    c.rect(42, 82, 300, 85, fill=ALARM_RED)
    img.alpha_composite(c.image())

    text_c = shade(PAPER, 0.95)
    note_c = shade(STEEL_LIGHT, 1.15)

    # Labels left of the keys at x = 470 end before them.
    def label(x, y, title, note=None, right=455):
        art.draw_text(img, (x, y - 2), tr(title), "sans-bold", 21, text_c, anchor="lc", within=(0, right))
        if note:
            art.draw_text(img, (x, y + 19), tr(note), "sans", 15, note_c, anchor="lc", line_gap=18,
                          within=(0, right))

    # movement: the W A S D cluster
    k = 44
    x0, y0 = 52, 112
    art.keycap(img, x0 + k + 4, y0, k, k, "W")
    for i, ch in enumerate("ASD"):
        art.keycap(img, x0 + i * (k + 4), y0 + k + 4, k, k, ch)
    label(x0 + 3 * (k + 4) + 14, y0 + k, "Ходьба", "вперёд, влево, назад, вправо")

    rows = [
        ([("Shift", 92)], "Присесть", "пригнуться за укрытием"),
        ([("R", 44)], "Перезарядка", None),
        ([("1", 44), ("2", 44)], "Смена оружия", "1 — длинное, 2 — короткое"),
        ([("3", 44)], "Граната", "взять гранату в руку"),
        ([("Пробел", 150)], "Лифт и бонусные очки", "в лифте с карточкой — дальше;\nв любом месте — показать очки"),
    ]
    y = 226
    for keys, title, note in rows:
        x = 52
        for text, kw in keys:
            art.keycap(img, x, y, kw, 40, tr(text), size=19 if len(text) > 1 else 22)
            x += kw + 6
        label(214, y + 16, title, note)
        y += 58 if not (note and "\n" in note) else 64

    # the mouse and its callouts, labelled like the keys but to its left
    mx, my = 650, 128
    spots = mouse_drawing(img, mx, my)
    c = art.Canvas(W, H)
    tx = 632
    callouts = [("right", 124, "Удар", "правая кнопка"),
                ("left", 200, "Огонь", "левая кнопка"),
                ("body", 272, "Прицеливание", "прицел следует за мышью")]
    for spot, ty, _, _ in callouts:
        sx, sy = spots[spot]
        if spot == "right":
            c.line([(sx, sy), (sx, ty), (tx + 6, ty)], shade(PAPER, 0.8), 1.5)
        else:
            c.line([(sx, sy), (sx - 16, ty), (tx + 6, ty)], shade(PAPER, 0.8), 1.5)
        c.circle(sx, sy, 3.2, fill=INK)
    img.alpha_composite(c.image())
    # right-aligned to the mouse, clear of the movement keys' labels
    for _, ty, title, note in callouts:
        art.draw_text(img, (tx, ty - 2), tr(title), "sans-bold", 21, text_c, anchor="rc", within=(430, W))
        art.draw_text(img, (tx, ty + 19), tr(note), "sans", 15, note_c, anchor="rc", within=(430, W))

    # the status strip, off unless asked for
    y = 368
    art.keycap(img, 470, y, 44, 40, "H", size=22)
    label(528, y + 16, "Строка состояния", "здоровье, патроны, гранаты, карточки", right=W - 8)

    # system keys at the bottom right
    y = 430
    art.keycap(img, 470, y, 64, 40, "Esc", size=19)
    label(548, y + 16, "Главное меню", "в игре и на экранах между этажами", right=W - 8)
    y += 62
    art.keycap(img, 470, y, 58, 40, "Alt", size=19)
    art.draw_text(img, (536, y + 18), "+", "sans-bold", 22, text_c, anchor="mc")
    art.keycap(img, 548, y, 80, 40, "Enter", size=19)
    label(642, y + 16, "Полный экран", right=W - 8)

    art.draw_text(img, (W / 2, 575), tr("Нажмите любую клавишу, чтобы вернуться в меню"), "sans", 15,
                  shade(PAPER, 0.7), anchor="mb", shadow=(1, 1, 2, 200), within=(8, W - 8))
    return img


# ---------------------------------------------------------------- dialogue

# Text blocks start at y = 156 and step by 32; letters sit on a baseline this
# far below each line top (see the dialogue font).
DIALOG_TOP, DIALOG_STEP, DIALOG_LINES, BASELINE = 156, 32, 12, 23


def dialog_picture():
    img = art.vgradient(W, H, [(0, (30, 26, 24)), (1, (16, 14, 14))])
    wood = art.grain(img, "desk", 5.0, streaks=0.0)
    # desk wood with long horizontal grain
    r = art.np_rng("desk-grain")
    arr = np.asarray(wood, dtype=np.float32).copy()
    rows = np.cumsum(r.normal(0, 1.0, H))
    rows = (rows - rows.mean()) / (rows.std() + 1e-6)
    tint = np.array(WOOD_DARK, dtype=np.float32) * 0.55
    arr[..., :3] = arr[..., :3] * 0.4 + tint + rows[:, None, None] * 4.0
    img = Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGBA")
    img = art.vignette(img, 0.6)

    # the transcript sheet
    sx0, sy0, sx1, sy1 = 18, 66, 782, 562
    sheet = art.vgradient(sx1 - sx0, sy1 - sy0, [(0, (236, 233, 224)), (1, (222, 218, 206))])
    sheet = art.grain(sheet, "sheet", 2.2)
    mask = art.Canvas(sx1 - sx0, sy1 - sy0)
    mask.rect(0, 0, sx1 - sx0, sy1 - sy0, fill=(255, 255, 255), radius=3)
    sheet.putalpha(mask.image().split()[3])
    art.paste(img, sheet, (sx0, sy0), (0, 6, 10, 200))
    c = art.Canvas(W, H)
    # ruled lines under each line of text and the margin
    for i in range(DIALOG_LINES):
        y = DIALOG_TOP + i * DIALOG_STEP + BASELINE + 5
        c.line([(sx0 + 10, y), (sx1 - 10, y)], rgba(STEEL_LIGHT, 70), 1)
    c.line([(31, sy0 + 70), (31, sy1 - 8)], rgba(ALARM_RED, 60), 1)
    c.line([(sx0 + 14, 140), (sx1 - 14, 140)], rgba(STEEL_DARK, 150), 1.5)
    img.alpha_composite(c.image())
    # heading of the transcript
    # the heading ends before the paper clip, its second line before the stamp
    art.draw_text(img, (40, 88), tr("РАСШИФРОВКА ПЕРЕГОВОРОВ"), "sans-bold", 20, STEEL_DARK, shadow=None,
                  spacing=1.5, within=(0, 465))
    art.draw_text(img, (40, 114), tr("Запись службы оперативной связи. Копия."), "serif", 15,
                  shade(STEEL, 0.9), shadow=None, within=(0, 555))
    # a rubber stamp in the corner
    stamp = art.Canvas(200, 56)
    stamp.rect(2, 2, 198, 54, outline=rgba(ALARM_RED, 170), width=2.5, radius=5)
    stamp.rect(7, 7, 193, 49, outline=rgba(ALARM_RED, 120), width=1, radius=3)
    st = stamp.image()
    art.draw_text(st, (100, 28), tr("ДЛЯ СЛУЖЕБНОГО\nПОЛЬЗОВАНИЯ"), "sans-bold", 15, rgba(ALARM_RED, 175),
                  anchor="mm", shadow=None, align="center", line_gap=17, within=(10, 190))
    st = st.rotate(4, resample=Image.BICUBIC, expand=True)
    art.paste(img, st, (560, 74))
    # a paper clip on the top edge
    clip = art.Canvas(40, 70)
    clip.rect(8, 2, 32, 66, outline=shade(CONCRETE_LIGHT, 1.2), width=2.6, radius=11)
    clip.rect(14, 12, 27, 54, outline=shade(CONCRETE_LIGHT, 1.0), width=2.2, radius=6)
    art.paste(img, clip.image(), (470, 44), (1, 2, 2, 150))
    art.draw_text(img, (W / 2, 586), tr("Нажмите любую клавишу"), "sans", 14, shade(PAPER, 0.6),
                  anchor="mb", shadow=(1, 1, 2, 200), within=(8, W - 8))
    return img
