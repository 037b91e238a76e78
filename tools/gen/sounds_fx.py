"""Recipes for the one-shot sound effects: gunshots, gun handling, grenades,
blows, the shop bell, the error buzzer and the backpack. Each recipe returns
mono float samples at an arbitrary level; sounds.py sets the loudness."""
import numpy as np

from sounds_dsp import (SR, bandpass, bump, click, convolve, env_ar, env_exp,
                        fade_in, fade_out, friction, highpass, lowpass,
                        metal_click, modes, place, rng,
                        room_ir, samples, shaped_noise, svf_sweep, sweep_phase,
                        thump, times, trim_silence, white, brown)


def burst(r, dur, lo, hi, tau, attack=0.0003):
    """Band-limited noise with an instant attack and exponential decay. The
    envelope goes on after filtering so the attack stays sharp."""
    n = samples(dur)
    x = bandpass(white(n, r), lo, hi)
    x /= np.std(x) + 1e-12
    return fade_out(x * env_exp(n, tau, attack=attack), dur * 0.2)


def grains(r, dur, rate, tau=0.003, rate_curve=None):
    """An envelope of many tiny random crackles (paper, fabric, debris).
    rate is crackles per second, optionally shaped over time by rate_curve."""
    n = samples(dur)
    p = np.full(n, rate / SR)
    if rate_curve is not None:
        p = p * rate_curve
    hits = (r.uniform(0, 1, n) < p) * r.uniform(0.2, 1.0, n)
    k = env_exp(samples(tau * 6), tau)
    return convolve(hits, k)[:n]


def _norm(x):
    return x / (np.max(np.abs(x)) + 1e-12)


def _with_room(dry, r, dur, decay, bright, wet):
    ir = room_ir(r, dur, decay, bright=bright, predelay=0.004)
    out = dry + wet * convolve(dry, ir)[:len(dry) + len(ir) - 1][:len(dry)]
    return out


def _pad(x, dur):
    n = samples(dur)
    return np.concatenate([x, np.zeros(max(0, n - len(x)))])[:n]


# ---------------------------------------------------------------- gunshots

def revolver_fire():
    r = rng("revolver-fire")
    d = 1.1
    crack = _pad(highpass(white(samples(0.03), r), 1800) * env_exp(samples(0.03), 0.0028), d)
    body = _pad(burst(r, 0.3, 250, 5200, 0.028), d)
    boom = _pad(burst(r, 0.5, 60, 900, 0.085, attack=0.002), d)
    push = _pad(thump(0.4, 150, 48, 0.07), d)
    dry = 1.0 * _norm(crack) + 0.75 * body + 0.5 * boom + 0.9 * push
    wet = _with_room(dry, r, 1.0, 0.22, 3200, 0.5)
    return trim_silence(fade_out(wet, 0.25), -60)


def pistol_fire():
    r = rng("pistol-fire")
    d = 0.7
    crack = _pad(highpass(white(samples(0.02), r), 3000) * env_exp(samples(0.02), 0.0018), d)
    body = _pad(burst(r, 0.2, 900, 7500, 0.014), d)
    snap = _pad(burst(r, 0.25, 350, 2500, 0.035, attack=0.001), d)
    push = _pad(thump(0.2, 230, 95, 0.03, sweep_tau=0.015), d)
    # The slide cycling straight after the shot.
    slide = place(np.zeros(samples(d)), metal_click(r, (2900, 4600, 6900), tau=0.006, dur=0.05), 0.045)[:samples(d)]
    dry = 1.0 * _norm(crack) + 0.7 * body + 0.35 * snap + 0.35 * push + 0.12 * slide
    wet = _with_room(dry, r, 0.7, 0.15, 4200, 0.4)
    return trim_silence(fade_out(wet, 0.2), -60)


def shotgun_fire():
    r = rng("shotgun-fire")
    d = 1.5
    crack = _pad(highpass(white(samples(0.04), r), 1200) * env_exp(samples(0.04), 0.004), d)
    body = _pad(burst(r, 0.5, 120, 3000, 0.05, attack=0.0008), d)
    boom = _pad(burst(r, 0.9, 30, 500, 0.17, attack=0.003), d)
    push = _pad(thump(0.7, 115, 36, 0.14, sweep_tau=0.05), d)
    dry = 0.7 * _norm(crack) + 0.8 * body + 0.8 * boom + 1.2 * push
    wet = _with_room(dry, r, 1.4, 0.33, 2200, 0.55)
    return trim_silence(fade_out(wet, 0.35), -60)


def rifle_fire():
    """Short, so a burst of ten a second stays a row of distinct shots."""
    r = rng("rifle-fire")
    d = 0.2
    crack = _pad(highpass(white(samples(0.015), r), 2200) * env_exp(samples(0.015), 0.0016), d)
    body = _pad(burst(r, d, 300, 6000, 0.011), d)
    pop = _pad(burst(r, d, 150, 1200, 0.022, attack=0.0008), d)
    push = _pad(thump(d, 170, 62, 0.028, sweep_tau=0.018), d)
    dry = 1.0 * _norm(crack) + 0.8 * body + 0.5 * pop + 0.8 * push
    ir = room_ir(r, 0.12, 0.03, bright=3500, predelay=0.003)
    wet = dry + 0.35 * convolve(dry, ir)[:len(dry)]
    wet = wet * np.exp(-np.maximum(times(len(wet)) - 0.06, 0) / 0.035)
    return fade_out(wet, 0.03)


# ---------------------------------------------------------------- gun handling

def hammer_click():
    """Trigger let go, hammer falls on nothing: two dry ticks."""
    r = rng("hammer-click")
    buf = np.zeros(samples(0.14))
    buf = place(buf, 0.35 * metal_click(r, (3300, 5200, 7600), tau=0.004, dur=0.03), 0.004)
    hit = metal_click(r, (1800, 2900, 4300, 6200), tau=0.007, dur=0.06)
    hit += 0.3 * _pad(thump(0.03, 600, 300, 0.006), 0.06)
    buf = place(buf, hit, 0.016)
    return fade_out(buf, 0.02)


def revolver_load():
    """One round pushed into a chamber: brass slides in and seats."""
    r = rng("revolver-load")
    buf = np.zeros(samples(0.3))
    slide = friction(r, 0.09, 2200, 8000, grain=0.003) * env_ar(samples(0.09), 0.03, 0.03, 0.03)
    buf = place(buf, 0.35 * slide, 0.02)
    buf = place(buf, 0.8 * metal_click(r, (3100, 5200, 7400, 9800), tau=0.01, dur=0.07), 0.115)
    buf = place(buf, 0.25 * metal_click(r, (2600, 4100, 6500), tau=0.005, dur=0.04), 0.2)
    return fade_out(buf[:samples(0.3)], 0.04)


def revolver_rrr():
    """The cylinder swung shut: a ratchet spinning down, then the latch."""
    r = rng("revolver-rrr")
    buf = np.zeros(samples(0.62))
    t, gap = 0.01, 0.022
    while t < 0.36:
        c = metal_click(r, (2700, 4300, 6800), tau=0.005, dur=0.03, jitter=0.06)
        buf = place(buf, (0.3 + 0.25 * r.uniform()) * c, t)
        t += gap
        gap *= 1.13
    spin = friction(r, 0.35, 1800, 6000, grain=0.01) * env_ar(samples(0.35), 0.02, 0.2, 0.1)
    buf = place(buf, 0.12 * spin, 0.01)
    latch = metal_click(r, (1300, 2250, 3500, 5200), tau=0.02, dur=0.15)
    latch += 0.5 * _pad(thump(0.05, 400, 180, 0.012), 0.15)
    buf = place(buf, latch, 0.41)
    return fade_out(buf[:samples(0.62)], 0.05)


def _slide(r, dur, lo, hi, grain=0.005):
    x = friction(r, dur, lo, hi, grain=grain)
    return x * env_ar(samples(dur), dur * 0.25, dur * 0.35, dur * 0.4)


def _seat(r, body, tau, low_f, weight):
    """A part locking home: metal ring plus a short knock of the frame."""
    c = metal_click(r, body, tau=tau, dur=0.18)
    knock = _pad(thump(0.06, low_f * 2, low_f, 0.015), 0.18)
    knock += 0.5 * _pad(burst(r, 0.05, 300, 2000, 0.006), 0.18)
    return c + weight * _norm(knock)


def pistol_reload():
    """Magazine out, magazine in, slide racked."""
    r = rng("pistol_reload")
    buf = np.zeros(samples(1.05))
    buf = place(buf, 0.4 * metal_click(r, (3500, 5600, 8000), tau=0.004, dur=0.03), 0.0)
    buf = place(buf, 0.3 * _slide(r, 0.13, 1200, 5000), 0.03)
    buf = place(buf, 0.35 * _slide(r, 0.1, 1000, 4500), 0.37)
    buf = place(buf, 0.9 * _seat(r, (1500, 2600, 3900, 5600), 0.012, 170, 0.7), 0.47)
    buf = place(buf, 0.35 * _slide(r, 0.07, 1500, 6000, grain=0.003), 0.7)
    buf = place(buf, 0.4 * metal_click(r, (2400, 3900, 6100), tau=0.006, dur=0.05), 0.77)
    buf = place(buf, 1.0 * _seat(r, (1350, 2450, 3700, 5900), 0.018, 200, 0.6), 0.85)
    return fade_out(buf[:samples(1.05)], 0.06)


def rifle_reload():
    """Heavier magazine swap, then the charging handle pulled and let go."""
    r = rng("rifle-reload")
    buf = np.zeros(samples(1.55))
    buf = place(buf, 0.45 * metal_click(r, (2900, 4700, 7100), tau=0.005, dur=0.04), 0.0)
    buf = place(buf, 0.35 * _slide(r, 0.18, 700, 3800), 0.03)
    buf = place(buf, 0.3 * _norm(burst(r, 0.06, 200, 1500, 0.01)), 0.22)
    buf = place(buf, 0.4 * _slide(r, 0.14, 600, 3500), 0.6)
    buf = place(buf, 1.0 * _seat(r, (900, 1700, 2800, 4100), 0.015, 130, 1.0), 0.75)
    pull = _slide(r, 0.13, 1300, 5500, grain=0.004)
    pull += 0.4 * friction(r, 0.13, 2500, 7000, grain=0.012)
    buf = place(buf, 0.35 * pull, 1.05)
    buf = place(buf, 0.5 * metal_click(r, (2100, 3600, 5400), tau=0.007, dur=0.05), 1.18)
    buf = place(buf, 1.0 * _seat(r, (1150, 2050, 3300, 4800, 6700), 0.02, 150, 0.8), 1.29)
    return fade_out(buf[:samples(1.55)], 0.08)


def shotgun_open():
    """Pump pulled back: the action unlocks, slides and stops."""
    r = rng("shotgun-open")
    buf = np.zeros(samples(0.36))
    buf = place(buf, 0.45 * metal_click(r, (2000, 3400, 5300), tau=0.005, dur=0.04), 0.0)
    buf = place(buf, 0.4 * _slide(r, 0.12, 500, 3800, grain=0.006), 0.02)
    buf = place(buf, 0.9 * _seat(r, (1100, 2150, 3300, 4700), 0.014, 140, 0.8), 0.14)
    return fade_out(buf[:samples(0.36)], 0.05)


def shotgun_reload():
    """One shell thumbed into the tube past the loading gate."""
    r = rng("shotgun-reload")
    buf = np.zeros(samples(0.32))
    buf = place(buf, 0.3 * metal_click(r, (2500, 3900), tau=0.003, dur=0.03), 0.0)
    push = _slide(r, 0.09, 700, 4500, grain=0.008)
    buf = place(buf, 0.35 * push, 0.01)
    shell = _norm(burst(r, 0.08, 500, 3000, 0.01))
    shell += 0.6 * metal_click(r, (1700, 2800, 4400), tau=0.006, dur=0.08)
    buf = place(buf, 0.8 * shell, 0.1)
    buf = place(buf, 0.25 * metal_click(r, (3600, 5900), tau=0.004, dur=0.03), 0.14)
    return fade_out(buf[:samples(0.32)], 0.05)


def shotgun_close():
    """Pump driven forward: a slide and a heavy lock-up."""
    r = rng("shotgun-close")
    buf = np.zeros(samples(0.38))
    buf = place(buf, 0.4 * _slide(r, 0.1, 550, 4000, grain=0.006), 0.0)
    lock = _seat(r, (950, 1850, 2900, 4300, 6100), 0.018, 120, 1.1)
    buf = place(buf, lock, 0.1)
    buf = place(buf, 0.2 * metal_click(r, (2600, 4200), tau=0.004, dur=0.03), 0.16)
    return fade_out(buf[:samples(0.38)], 0.06)


# ---------------------------------------------------------------- grenades

def grenade_pin_pull():
    """Ring jingles, the pin scrapes out, the spring lever pings free."""
    r = rng("grenade-pin-pull")
    buf = np.zeros(samples(0.7))
    ring = [(3150, 0.09, 1.0), (4720, 0.07, 0.7), (7230, 0.05, 0.5), (9400, 0.04, 0.35)]
    for at, g in ((0.0, 0.5), (0.035, 0.3), (0.16, 0.35)):
        n = samples(0.25)
        tone = modes(n, ring, r, jitter=0.015) * env_exp(n, 0.08, attack=0.0005)
        buf = place(buf, g * (_norm(tone) + 0.6 * click(n, r)), at)
    scrape = friction(r, 0.11, 3000, 10000, grain=0.002) * env_ar(samples(0.11), 0.02, 0.05, 0.04)
    buf = place(buf, 0.4 * scrape, 0.05)
    # The lever's spring: a fading tone that bends down and wobbles.
    n = samples(0.4)
    t = times(n)
    f = 1250 * (1 + 0.2 * np.exp(-t / 0.02)) * (1 + 0.04 * np.sin(2 * np.pi * 23 * t) * np.exp(-t / 0.1))
    spring = np.sin(sweep_phase(f)) + 0.4 * np.sin(sweep_phase(2.76 * f))
    spring *= env_exp(n, 0.09, attack=0.001)
    buf = place(buf, 0.45 * _norm(spring), 0.25)
    buf = place(buf, 0.6 * metal_click(r, (2200, 3700, 5600), tau=0.006, dur=0.05), 0.25)
    return fade_out(buf[:samples(0.7)], 0.08)


def grenade_bounce(seed, f0, weight, bounces):
    """A steel body hitting a hard floor: knock, ring, and smaller rebounds.
    bounces: list of (time s, strength)."""
    r = rng(seed)
    ratios = [1.0, 1.57, 2.31, 2.93, 3.86, 5.21]
    parts = [(f0 * q, 0.11 / (1 + 0.45 * i), 1.0 / (1 + 0.6 * i)) for i, q in enumerate(ratios)]
    buf = np.zeros(samples(0.5))
    for at, s in bounces:
        n = samples(0.45)
        ringing = modes(n, parts, r, jitter=0.02) * env_exp(n, 0.09 * (0.6 + 0.4 * s), attack=0.0004)
        knock = _pad(thump(0.06, 220 * weight, 90 * weight, 0.012), 0.45)
        tick = click(n, r, tau=0.0012)
        hit = 0.6 * _norm(ringing) + weight * 0.8 * _norm(knock) + 0.5 * _norm(tick)
        buf = place(buf, s * hit, at)
    return fade_out(buf[:samples(0.5)], 0.1)


def grenade_floor_1():
    return grenade_bounce("grenade-onto-floor-1", 980, 1.0, [(0.0, 1.0), (0.085, 0.35), (0.15, 0.12)])


def grenade_floor_2():
    return grenade_bounce("grenade-onto-floor-2", 1310, 0.7, [(0.0, 1.0), (0.06, 0.45), (0.11, 0.2), (0.15, 0.08)])


def grenade_floor_3():
    return grenade_bounce("grenade-onto-floor-3", 760, 1.3, [(0.0, 1.0), (0.11, 0.28)])


def grenade_explosion():
    r = rng("grenade-explosion")
    d = 2.3
    n = samples(d)
    t = times(n)
    crack = _pad(highpass(white(samples(0.06), r), 800) * env_exp(samples(0.06), 0.007), d)
    # The blast darkens as it spreads.
    blast = shaped_noise(n, r, lambda tt, f: 1.0 / np.sqrt(1 + (f / (250 + 5500 * np.exp(-tt / 0.12))) ** 4))
    blast *= env_exp(n, 0.3, attack=0.002)
    sub = thump(d, 85, 30, 0.45, sweep_tau=0.09, attack=0.003)
    rumble = brown(n, r, 55) * env_exp(n, 0.75, attack=0.03)
    debris_env = grains(r, d, 90, tau=0.002, rate_curve=np.exp(-t / 0.45) * (t > 0.08))
    debris = bandpass(white(n, r), 1500, 6500) * debris_env
    dry = 0.8 * _norm(crack) + 1.0 * blast + 1.0 * sub + 0.7 * rumble + 0.3 * _norm(debris)
    wet = _with_room(dry, r, 1.6, 0.5, 1500, 0.5)
    return fade_out(wet[:n], 0.5)


# ---------------------------------------------------------------- blows

def hit(seed, f0, f1, tau, slap_lo, slap_hi, slap_tau, slap_gain, crunch=0.0):
    r = rng(seed)
    d = 0.32
    body = _pad(thump(0.25, f0, f1, tau, sweep_tau=0.02, attack=0.001), d)
    slap = _pad(burst(r, 0.15, slap_lo, slap_hi, slap_tau, attack=0.0006), d)
    meat = _pad(burst(r, 0.2, 120, 900, tau * 0.5, attack=0.001), d)
    cloth = _pad(burst(r, 0.2, 1500, 7000, 0.03, attack=0.004), d)
    out = 0.8 * body + slap_gain * slap + 0.45 * meat + 0.12 * cloth
    if crunch:
        c = grains(r, 0.12, 400, tau=0.0015) * bandpass(white(samples(0.12), r), 1200, 5000)
        out = place(out, crunch * _norm(c), 0.008)[:samples(d)]
    return fade_out(out, 0.08)


def hit_1():
    return hit("hit-1", 150, 75, 0.045, 600, 3500, 0.014, 0.9)


def hit_2():
    return hit("hit-2", 115, 55, 0.065, 350, 2300, 0.02, 0.8)


def hit_3():
    return hit("hit-3", 180, 90, 0.035, 1000, 5200, 0.01, 1.0, crunch=0.4)


def hit_x():
    """A swing that meets only air."""
    r = rng("hit-x")
    d = 0.42
    n = samples(d)
    t = times(n)
    centre = 450 + 1300 * np.exp(-0.5 * ((t - 0.17) / 0.07) ** 2)
    x = svf_sweep(white(n, r), centre, 1.6)
    x += 0.35 * svf_sweep(white(n, r), centre * 2.2, 1.2)
    amp = bump(n, 0.17, 0.06) ** 1.2
    return fade_out(fade_in(x * amp, 0.01), 0.05)


# ---------------------------------------------------------------- shop, lift, backpack

def bell():
    """A sale rung up: the register lever clacks, then two bright dings."""
    r = rng("bell-1")
    buf = np.zeros(samples(1.35))
    buf = place(buf, 0.35 * _seat(r, (1900, 3100, 4700), 0.008, 250, 0.5), 0.0)
    for at, f, g in ((0.06, 1318.5, 0.9), (0.19, 1975.5, 0.75)):
        n = samples(1.15)
        parts = [(f, 0.55, 1.0), (f * 2.0, 0.3, 0.35), (f * 3.01, 0.16, 0.18),
                 (f * 4.17, 0.09, 0.12), (f * 5.43, 0.06, 0.08)]
        tone = modes(n, parts, r) * env_exp(n, 10.0, attack=0.0008)
        buf = place(buf, g * (tone + 0.08 * click(n, r)), at)
    return fade_out(buf[:samples(1.35)], 0.3)


def error_buzz():
    """Two short harsh buzzes: refused."""
    n = samples(0.36)
    out = np.zeros(n)
    for at in (0.0, 0.19):
        m = samples(0.15)
        t = times(m)
        f = 118.0
        x = np.zeros(m)
        for k in range(1, 30):
            # Odd-heavy harmonics give the nasal buzzer colour.
            a = (1.0 if k % 2 else 0.45) / k
            x += a * (np.sin(2 * np.pi * f * k * t) + np.sin(2 * np.pi * f * 1.006 * k * t + k))
        x = lowpass(x, 3200) * env_ar(m, 0.004, 0.02, 0.126)
        out = place(out, x, at)[:n]
    return out


def backpack_1():
    """Fabric rustle and two small clinks of gear."""
    r = rng("backpack_1")
    d = 0.55
    n = samples(d)
    rust = bandpass(white(n, r), 900, 8000) * grains(r, d, 700, tau=0.004)
    rust *= env_ar(n, 0.05, 0.2, 0.25)
    buf = 0.8 * _norm(rust)
    buf = place(buf, 0.35 * metal_click(r, (3800, 6100, 8700), tau=0.02, dur=0.1), 0.16)
    buf = place(buf, 0.25 * metal_click(r, (4300, 6900), tau=0.015, dur=0.1), 0.31)
    return fade_out(buf[:n], 0.08)


def backpack_2():
    """A zip drawn open, then a flap."""
    r = rng("backpack_2")
    d = 0.6
    n = samples(d)
    buf = np.zeros(n)
    zl = samples(0.28)
    tz = times(zl)
    rate = 90 + 140 * tz / 0.28
    ph = np.cumsum(rate) / SR
    ticks = np.diff(np.floor(ph), prepend=0.0) > 0
    k = env_exp(samples(0.004), 0.0008)
    zenv = convolve(ticks * r.uniform(0.6, 1.0, zl), k)[:zl]
    zip_ = bandpass(white(zl, r), 1800, 9000) * zenv * env_ar(zl, 0.03, 0.05, 0.2)
    buf = place(buf, 0.8 * _norm(zip_), 0.02)[:n]
    flap = bandpass(white(n, r), 400, 5000) * grains(r, d, 500, tau=0.005)
    flap *= bump(n, 0.42, 0.06)
    buf += 0.5 * _norm(flap)
    return fade_out(buf, 0.08)


def backpack_3():
    """The bag swung onto the shoulder: a soft thud, a buckle, settling rustle."""
    r = rng("backpack_3")
    d = 0.62
    n = samples(d)
    buf = np.zeros(n)
    thud = _pad(thump(0.15, 140, 70, 0.03, attack=0.003), d)
    thud += 0.6 * _pad(_norm(burst(r, 0.15, 200, 2500, 0.03, attack=0.003)), d)
    buf += 0.6 * thud
    buckle = _norm(burst(r, 0.04, 800, 4000, 0.004)) + metal_click(r, (1900, 3300), tau=0.004, dur=0.04)
    buf = place(buf, 0.4 * buckle, 0.12)[:n]
    rust = bandpass(white(n, r), 700, 7000) * grains(r, d, 450, tau=0.005)
    rust *= env_ar(n, 0.08, 0.25, 0.1) * (times(n) > 0.05)
    buf += 0.45 * _norm(rust)
    return fade_out(buf, 0.08)


EFFECTS = {
    "grenade-explosion-1": grenade_explosion,
    "grenade-onto-floor-1": grenade_floor_1,
    "grenade-onto-floor-2": grenade_floor_2,
    "grenade-onto-floor-3": grenade_floor_3,
    "grenade-pin-pull-1": grenade_pin_pull,
    "hammer-click": hammer_click,
    "bell-1": bell,
    "error": error_buzz,
    "backpack_1": backpack_1,
    "backpack_2": backpack_2,
    "backpack_3": backpack_3,
    "hit-1": hit_1,
    "hit-2": hit_2,
    "hit-3": hit_3,
    "hit-x": hit_x,
    "shotgun-fire-1": shotgun_fire,
    "shotgun-open-1": shotgun_open,
    "shotgun-close-1": shotgun_close,
    "shotgun-reload-1": shotgun_reload,
    "revolver-fire": revolver_fire,
    "revolver-load": revolver_load,
    "revolver-rrr": revolver_rrr,
    "pistol-fire": pistol_fire,
    "pistol_reload": pistol_reload,
    "rifle-fire": rifle_fire,
    "rifle-reload": rifle_reload,
}
