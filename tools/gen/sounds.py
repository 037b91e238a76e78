#!/usr/bin/python3
"""Builds every sound and music track in sound/ by synthesis, encodes them to
MP3 with lame and checks the result by decoding it again: length, peak level,
loudness and, for the music, that the loop joins without a click. Pictures of
each waveform and spectrogram go to the preview folder.

    sounds.py            rebuild everything
    sounds.py NAME ...   rebuild only the named sounds (file names without .mp3)
"""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import PREVIEW, SOUND  # noqa: E402
import sounds_dsp as dsp  # noqa: E402
from sounds_fx import EFFECTS  # noqa: E402
from sounds_music import BARS, TRACKS  # noqa: E402

# Short-term weighted loudness every effect is brought to (dB, 100 ms window),
# with small deliberate offsets: the quiet handling noises sit a little under
# the shots, the big guns and the explosion a little over, and the rifle, which
# fires ten times a second, a little under.
EFFECT_LOUDNESS = -17.0
EFFECT_TRIM = {
    "grenade-explosion-1": 2.5,
    "shotgun-fire-1": 1.5,
    "revolver-fire": 1.0,
    "rifle-fire": -1.0,
    "hammer-click": -3.0,
    "revolver-load": -2.0,
    "revolver-rrr": -2.0,
    "pistol_reload": -2.0,
    "rifle-reload": -2.0,
    "shotgun-open-1": -2.0,
    "shotgun-close-1": -1.5,
    "shotgun-reload-1": -2.0,
    "grenade-pin-pull-1": -2.0,
    "backpack_1": -2.0,
    "backpack_2": -2.0,
    "backpack_3": -2.0,
    "bell-1": -2.0,
    "error": -1.5,
    "hit-x": -2.0,
}
# Music sits under the effects: whole-track weighted RMS.
MUSIC_LOUDNESS = -21.0
MUSIC_TRIM = {"menu_music": 0.0, "screen_music": -1.0, "game_music": -0.5}

EFFECT_CEILING = -1.8    # dBFS before encoding
MUSIC_CEILING = -3.5
DECODED_MAX_PEAK = -1.2  # what the decoded file must stay under
EFFECT_VBR = 2
MUSIC_VBR = 4


def gain_db(x, g):
    return x * 10 ** (g / 20.0)


def finish_effect(name, x):
    x = dsp.onepole_hp(x, 20.0)
    target = EFFECT_LOUDNESS + EFFECT_TRIM.get(name, 0.0)
    x = gain_db(x, target - dsp.loudness_db(x))
    ceiling = 10 ** (EFFECT_CEILING / 20)
    if np.max(np.abs(x)) > 0.7 * ceiling:
        x = dsp.soft_limit(x, ceiling)
    return x


def finish_music(name, x):
    target = MUSIC_LOUDNESS + MUSIC_TRIM.get(name, 0.0)
    x = gain_db(x, target - dsp.mean_loudness_db(x))
    ceiling = 10 ** (MUSIC_CEILING / 20)
    if np.max(np.abs(x)) > 0.7 * ceiling:
        x = dsp.soft_limit(x, ceiling)
    return x


def encode_checked(x, path, vbr, decode):
    """Encode, decode, and if the coding overshoot pushes the peak too high,
    lower the level and encode again."""
    for _ in range(4):
        dsp.encode_mp3(x, path, vbr)
        y = decode(path)
        peak = dsp.db(y)
        if peak < DECODED_MAX_PEAK:
            return x, y
        x = gain_db(x, DECODED_MAX_PEAK - 0.3 - peak)
    raise RuntimeError(path + ": peak stays above the limit")


def decode_loop(path):
    y = dsp.decode_mpg123(path)
    if y is None:
        raise RuntimeError("libmpg123 is needed to check the loops")
    return y


def join_report(x, y, bars):
    """How the decoded loop meets itself. Coding noise gathers around attacks,
    and the seam is a bar line like any other, so the coding error just before
    and after the seam is held against the worst at the other bar lines. A gap
    or a click at the seam would stand far above them."""
    err = (y - x).mean(axis=1)
    n = len(err)
    ring = np.concatenate([err, err])
    bar = n // bars
    edge = 1152

    def around(i):
        return np.sqrt(np.mean(ring[i - edge:i + edge] ** 2))

    seam = around(n)
    others = max(around(n + b * bar) for b in range(1, bars))
    mono_x, mono_y = x.mean(axis=1), y.mean(axis=1)
    step_src = abs(mono_x[0] - mono_x[-1])
    step_dec = abs(mono_y[0] - mono_y[-1])
    return seam, others, step_src, step_dec


# ---------------------------------------------------------------- pictures

def spectrogram(x, width, height, hop=None, top=16000.0):
    win = 1024
    if hop is None:
        hop = max(32, len(x) // width)
    x = np.concatenate([np.zeros(win // 2), x, np.zeros(win)])
    frames = (len(x) - win) // hop
    idx = np.arange(win)[None, :] + hop * np.arange(frames)[:, None]
    spec = np.abs(np.fft.rfft(x[idx] * np.hanning(win), axis=1))
    bins = int(top / (dsp.SR / win))
    s = 20 * np.log10(spec[:, :bins] + 1e-9) - 20 * np.log10(win / 4)
    v = np.clip((s + 100) / 100, 0, 1)
    img = Image.fromarray((v.T[::-1] * 255).astype(np.uint8), "L").resize((width, height))
    return img.convert("RGB")


def log_spectrogram(x, width, height, lo=40.0, hi=5000.0):
    """Spectrogram on a musical (log) frequency axis, to read notes off."""
    win = 8192
    hop = max(256, len(x) // width)
    x = np.concatenate([np.zeros(win // 2), x, np.zeros(win)])
    frames = (len(x) - win) // hop
    w = np.hanning(win)
    spec = np.stack([np.abs(np.fft.rfft(x[i * hop:i * hop + win] * w)) for i in range(frames)])
    f = np.fft.rfftfreq(win, 1.0 / dsp.SR)
    rows = lo * (hi / lo) ** (np.arange(height)[::-1] / (height - 1))
    idx = np.clip(np.searchsorted(f, rows), 0, len(f) - 1)
    s = 20 * np.log10(spec[:, idx] + 1e-9) - 20 * np.log10(win / 4)
    v = np.clip((s + 90) / 80, 0, 1)
    img = Image.fromarray((v.T * 255).astype(np.uint8), "L").resize((width, height))
    return img.convert("RGB")


def waveform(x, width, height, colour=(120, 200, 255)):
    img = Image.new("RGB", (width, height), (16, 18, 22))
    d = ImageDraw.Draw(img)
    mid = height // 2
    d.line([(0, mid), (width, mid)], fill=(60, 60, 60))
    # Full scale and the -1 dBFS limit.
    lim = 10 ** (-1 / 20)
    for yy in (mid - lim * mid, mid + lim * mid):
        d.line([(0, yy), (width, yy)], fill=(120, 40, 40))
    cols = np.array_split(x, width)
    for i, c in enumerate(cols):
        if len(c):
            d.line([(i, mid - c.max() * mid), (i, mid - c.min() * mid)], fill=colour)
    return img


def effect_panel(name, y):
    mono = y.mean(axis=1)
    w, h = 420, 190
    img = Image.new("RGB", (w, h), (0, 0, 0))
    img.paste(waveform(mono, w, 70), (0, 14))
    img.paste(spectrogram(mono, w, 100), (0, 88))
    d = ImageDraw.Draw(img)
    d.text((4, 1), "%s  %.2fs  pk %.1f dB" % (name, len(mono) / dsp.SR, dsp.db(mono)), fill=(255, 255, 255))
    return img


def contact_sheet(panels, path):
    cols = 3
    rows = (len(panels) + cols - 1) // cols
    w, h = panels[0].size
    sheet = Image.new("RGB", (cols * w + (cols - 1) * 4, rows * h + (rows - 1) * 4), (60, 60, 60))
    for i, p in enumerate(panels):
        sheet.paste(p, ((i % cols) * (w + 4), (i // cols) * (h + 4)))
    sheet.save(path)


def music_picture(name, x, y, path):
    w = 1400
    mono = y.mean(axis=1)
    img = Image.new("RGB", (w, 560), (0, 0, 0))
    img.paste(waveform(mono, w, 160), (0, 14))
    img.paste(log_spectrogram(mono, w, 200), (0, 178))
    # The seam: the last and first 40 ms of the decoded loop side by side,
    # decoded in blue, source in orange.
    m = dsp.samples(0.04)
    dec = np.concatenate([mono[-m:], mono[:m]])
    src = np.concatenate([x.mean(axis=1)[-m:], x.mean(axis=1)[:m]])
    peak = max(np.max(np.abs(dec)), 1e-6)
    seam = Image.new("RGB", (w, 170), (16, 18, 22))
    d = ImageDraw.Draw(seam)
    for sig, col in ((src, (255, 160, 40)), (dec, (120, 200, 255))):
        pts = [(i * (w - 1) / (len(sig) - 1), 85 - 80 * v / peak) for i, v in enumerate(sig)]
        d.line(pts, fill=col)
    d.line([(w // 2, 0), (w // 2, 170)], fill=(200, 60, 60))
    img.paste(seam, (0, 386))
    d = ImageDraw.Draw(img)
    d.text((4, 1), "%s  %.2fs  pk %.1f dB  (bottom: loop seam, end | start)" % (name, len(mono) / dsp.SR, dsp.db(mono)),
           fill=(255, 255, 255))
    img.save(path)


# ---------------------------------------------------------------- main

def main(selected):
    os.makedirs(SOUND, exist_ok=True)
    os.makedirs(PREVIEW, exist_ok=True)
    rows = []
    panels = []
    for name, recipe in EFFECTS.items():
        if selected and name not in selected:
            continue
        x = finish_effect(name, recipe())
        path = os.path.join(SOUND, name + ".mp3")
        x, y = encode_checked(x, path, EFFECT_VBR, dsp.decode_lame)
        if abs(len(y) - len(x)) > 0:
            raise RuntimeError(name + ": decoded length differs from the source")
        if np.abs(np.mean(y)) > 1e-3:
            raise RuntimeError(name + ": DC offset")
        rows.append((name, len(y) / dsp.SR, dsp.db(y), dsp.loudness_db(y[:, 0]), ""))
        panels.append(effect_panel(name, y))
    if panels:
        contact_sheet(panels, os.path.join(PREVIEW, "sounds-effects.png"))
    for name, compose in TRACKS.items():
        if selected and name not in selected:
            continue
        x = finish_music(name, compose())
        path = os.path.join(SOUND, name + ".mp3")
        x, y = encode_checked(x, path, MUSIC_VBR, decode_loop)
        if len(y) != len(x):
            raise RuntimeError(name + ": decoded loop is %d samples, not %d" % (len(y), len(x)))
        seam, others, step_src, step_dec = join_report(x, y, BARS[name])
        if seam > 2 * others:
            raise RuntimeError(name + ": the loop seam is not clean")
        note = "seam error %.4f (worst other bar line %.4f), seam step %.4f (source %.4f)" % (
            seam, others, step_dec, step_src)
        rows.append((name, len(y) / dsp.SR, dsp.db(y), dsp.mean_loudness_db(y), note))
        music_picture(name, x, y, os.path.join(PREVIEW, "sounds-%s.png" % name))
    lines = ["%-22s %7.3f s  peak %6.2f dBFS  loud %6.1f dB  %s" % row for row in rows]
    with open(os.path.join(PREVIEW, "sounds-report.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
    print("\n".join(lines))


if __name__ == "__main__":
    main(set(sys.argv[1:]))
