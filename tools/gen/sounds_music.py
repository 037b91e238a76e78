"""The three music loops: the menu theme, the campaign-screen theme and the
in-play theme. Each is written out note by note and rendered into a circular
buffer the length of the loop, so notes and echoes that ring past the end
come round again at the start, exactly as they will when the game loops it."""
import numpy as np

from sounds_dsp import (SR, bandpass, convolve, env_ar, env_exp, highpass,
                        lowpass, rng, room_ir, samples, spectral, sweep_phase,
                        thump, times, white, lp_gain, hp_gain)

TABLE = 4096


def hz(midi):
    return 440.0 * 2 ** ((midi - 69) / 12.0)


NOTE = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5,
        "F#": 6, "Gb": 6, "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10, "Bb": 10, "B": 11}


def n(name):
    """'A4' -> 69, 'C#5' -> 73."""
    return 12 * (int(name[-1]) + 1) + NOTE[name[:-1]]


# ---------------------------------------------------------------- the loop buffer

class Loop:
    """A stereo circular buffer measured in beats, with a reverb send."""

    def __init__(self, bpm, bars, seed):
        assert (SR * 60) % bpm == 0, "beat must be a whole number of samples"
        self.beat = SR * 60 // bpm
        self.length = bars * 4 * self.beat
        self.dry = np.zeros((self.length, 2))
        self.wet = np.zeros((self.length, 2))
        self.r = rng(seed)

    def sec(self, beats):
        return beats * self.beat / SR

    def _wrap_add(self, buf, sig, start):
        start %= self.length
        pos = 0
        while pos < len(sig):
            i = (start + pos) % self.length
            m = min(len(sig) - pos, self.length - i)
            buf[i:i + m] += sig[pos:pos + m]
            pos += m

    def add(self, sig, at_beat, gain=1.0, pan=0.0, send=0.2):
        """Mix mono sig at a beat position; pan -1 (left) .. 1 (right)."""
        a = (pan + 1) * np.pi / 4
        st = np.stack([sig * np.cos(a), sig * np.sin(a)], axis=1) * gain * np.sqrt(2)
        start = int(round(at_beat * self.beat))
        self._wrap_add(self.dry, st, start)
        if send:
            self._wrap_add(self.wet, st * send, start)

    def echo(self, sig, at_beat, gain, pan, send, delay_beats, feedback, repeats):
        """The sig plus echoes that alternate sides and darken."""
        self.add(sig, at_beat, gain, pan, send)
        g, p, s = gain, pan, sig
        for k in range(1, repeats + 1):
            g *= feedback
            p = -p if p else (0.5 if k % 2 else -0.5)
            s = lowpass(s, 5000 / k)
            self.add(s, at_beat + k * delay_beats, g, p, send)

    def render(self, decay, bright, ir_len=3.0):
        ir = room_ir(self.r, ir_len, decay, bright=bright, predelay=0.02, stereo=True)
        rev = np.stack([convolve(self.wet[:, c], ir[:, c], circular=True)
                        for c in range(2)], axis=1)
        out = self.dry + rev
        # Tame the rumble below the bass and the fizz above the cymbals.
        return spectral(out, lambda f: hp_gain(32, 2)(f) * lp_gain(15000, 2)(f), circular=True)


# ---------------------------------------------------------------- oscillators

def table(amps):
    """One period of sum(amps[k-1] * sin(k x)), k = 1.."""
    spec = np.zeros(TABLE // 2 + 1, complex)
    k = np.arange(1, len(amps) + 1)
    spec[k] = -1j * np.asarray(amps) * TABLE / 2
    return np.fft.irfft(spec, TABLE)


def harmonics(f, shape, cutoff, order=2, brightest=None):
    """Amplitudes of a band-limited saw ('saw'), square ('sq') or triangle
    ('tri') at f Hz, through a low-pass at cutoff."""
    top = int(0.45 * SR / (f * 1.03))
    top = max(1, min(top, 200))
    k = np.arange(1, top + 1)
    if shape == "saw":
        a = 1.0 / k
    elif shape == "sq":
        a = np.where(k % 2 == 1, 1.0 / k, 0.0)
    else:
        a = np.where(k % 2 == 1, 1.0 / k ** 2, 0.0) * np.where((k // 2) % 2 == 0, 1, -1)
    a = a / np.sqrt(1 + (k * f / cutoff) ** (2 * order))
    return a


def play(tab, freq, n, phase=0.0):
    """Read a wavetable at the frequency freq (scalar or per-sample array)."""
    if np.isscalar(freq):
        ph = phase + freq * np.arange(n) / SR
    else:
        ph = phase + np.cumsum(freq) / SR
    x = (ph % 1.0) * TABLE
    i = x.astype(int)
    fr = x - i
    return tab[i] * (1 - fr) + tab[(i + 1) % TABLE] * fr


def vibrato(n, f, depth=0.004, rate=5.0, delay=0.3):
    t = times(n)
    ramp = np.clip((t - delay) / 0.4, 0, 1)
    return f * (1 + depth * ramp * np.sin(2 * np.pi * rate * t))


# ---------------------------------------------------------------- instruments

def pad(midi, dur, r, cutoff=1400, shape="saw", voices=3, detune=0.006,
        attack=0.8, release=1.2):
    f = hz(midi)
    m = samples(dur + release)
    tab = table(harmonics(f, shape, cutoff))
    out = np.zeros(m)
    for v in range(voices):
        d = 1 + detune * (v - (voices - 1) / 2)
        out += play(tab, vibrato(m, f * d, 0.002, 4.0 + v * 0.7, 0.0), m, r.uniform())
    env = env_ar(m, attack, release, hold=max(0.0, dur - attack))
    return out * env / voices


def pluck_bass(midi, dur, bright=1.0, shape="saw", sub=0.5, decay=0.18):
    """A bass note whose filter closes after the attack."""
    f = hz(midi)
    m = samples(dur + 0.05)
    dark = play(table(harmonics(f, shape, 180, 2)), f, m)
    lit = play(table(harmonics(f, shape, 180 + 1800 * bright, 2)), f, m)
    e = env_exp(m, decay * 0.35)
    x = dark + e * (lit - dark) + sub * np.sin(2 * np.pi * f * times(m))
    return x * env_ar(m, 0.003, 0.04, hold=max(0.0, dur - 0.003)) * env_exp(m, decay * 4)


def soft_bass(midi, dur):
    """A round, warm bass for the quiet theme."""
    f = hz(midi)
    m = samples(dur + 0.3)
    t = times(m)
    x = np.sin(2 * np.pi * f * t) + 0.25 * np.sin(4 * np.pi * f * t) + 0.08 * np.sin(6 * np.pi * f * t)
    return x * env_ar(m, 0.02, 0.3, hold=max(0.0, dur - 0.02)) * env_exp(m, 2.5)


def piano(midi, dur, r, bright=1.0):
    """A struck string: slightly stretched partials, upper ones dying first."""
    f = hz(midi)
    m = samples(dur + 1.2)
    t = times(m)
    x = np.zeros(m)
    inh = 0.0003
    for k in range(1, 11):
        fk = f * k * np.sqrt(1 + inh * k * k)
        if fk > 0.45 * SR:
            break
        a = (1.0 / k ** 1.3) * (bright if k > 2 else 1.0)
        x += a * np.sin(2 * np.pi * fk * t + r.uniform(0, 6.28)) * np.exp(-t * (0.7 + 0.45 * k) * (f / 400) ** 0.3)
    ham = bandpass(white(samples(0.02), r), 800, 5000) * env_exp(samples(0.02), 0.003)
    x[:len(ham)] += 0.08 * ham
    return x * env_ar(m, 0.002, 0.6, hold=dur)


def epiano(midi, dur, r, index=1.6):
    """A tine piano: FM with an index that fades after the strike."""
    f = hz(midi)
    m = samples(dur + 0.8)
    t = times(m)
    idx = 0.25 + index * np.exp(-t / 0.25)
    ph = 2 * np.pi * f * t
    x = np.sin(ph + idx * np.sin(ph))
    x += 0.12 * np.sin(2 * np.pi * f * 7.0 * t) * np.exp(-t / 0.04)
    return x * env_exp(m, 1.6, attack=0.002) * env_ar(m, 0.002, 0.5, hold=dur)


def celesta(midi, dur, r):
    f = hz(midi)
    m = samples(dur + 1.5)
    t = times(m)
    x = np.sin(2 * np.pi * f * t) + 0.3 * np.sin(2 * np.pi * f * 4.0 * t) * np.exp(-t / 0.15)
    x += 0.1 * np.sin(2 * np.pi * f * 2.0 * t) * np.exp(-t / 0.4)
    return x * env_exp(m, 0.7, attack=0.001)


def flute(midi, dur, r):
    """A breathy, soft lead with delayed vibrato."""
    f = hz(midi)
    m = samples(dur + 0.25)
    fr = vibrato(m, f, 0.005, 5.0, 0.25)
    tab = table([1.0, 0.28, 0.12, 0.05, 0.02])
    x = play(tab, fr, m, r.uniform())
    breath = bandpass(white(m, r), f * 0.8, f * 3.5, order=4) * 0.04
    env = env_ar(m, 0.07, 0.2, hold=max(0.0, dur - 0.07))
    return (x + breath) * env


def string_lead(midi, dur, r, cutoff=2500, attack=0.3):
    f = hz(midi)
    m = samples(dur + 0.5)
    tab = table(harmonics(f, "saw", cutoff))
    x = 0.5 * play(tab, vibrato(m, f * 1.002, 0.005, 5.3, 0.2), m, r.uniform())
    x += 0.5 * play(tab, vibrato(m, f * 0.998, 0.005, 4.7, 0.25), m, r.uniform())
    return x * env_ar(m, attack, 0.45, hold=max(0.0, dur - attack))


def synth_lead(midi, dur, r, cutoff=1600):
    """A warm square lead for the play theme, with a softened attack."""
    f = hz(midi)
    m = samples(dur + 0.12)
    fr = vibrato(m, f, 0.003, 5.5, 0.2)
    dark = play(table(harmonics(f, "sq", cutoff * 0.5)), fr, m)
    lit = play(table(harmonics(f, "sq", cutoff)), fr, m)
    e = env_exp(m, 0.12)
    x = dark + e * (lit - dark)
    x += 0.5 * play(table(harmonics(f * 1.004, "saw", cutoff * 0.6)), fr * 1.004, m)
    return x * env_ar(m, 0.012, 0.1, hold=max(0.0, dur - 0.012))


def arp_pluck(midi, r, dur=0.2):
    f = hz(midi)
    m = samples(dur + 0.1)
    dark = play(table(harmonics(f, "sq", 600)), f, m)
    lit = play(table(harmonics(f, "sq", 3500)), f, m)
    e = env_exp(m, 0.03)
    return (dark + e * (lit - dark)) * env_exp(m, 0.09, attack=0.002)


# ---------------------------------------------------------------- drums

def kick(r, weight=1.0, tau=0.2):
    m = samples(0.5)
    x = thump(0.5, 115 * weight, 44 * weight, tau, sweep_tau=0.03, attack=0.001)
    x += 0.15 * bandpass(white(m, r), 1000, 5000) * env_exp(m, 0.004)
    return x


def snare(r, tone=185, bright=7000, tau=0.13):
    m = samples(0.45)
    t = times(m)
    body = np.sin(2 * np.pi * tone * t) * env_exp(m, 0.05)
    noise = bandpass(white(m, r), 1200, bright) * env_exp(m, tau, attack=0.001)
    return 0.5 * body + noise / (np.std(noise[:samples(0.05)]) + 1e-9) * 0.3


def hat(r, tau=0.035):
    m = samples(max(0.15, tau * 6))
    return highpass(white(m, r), 6500) * env_exp(m, tau, attack=0.0005)


def shaker(r, dur=0.12):
    m = samples(dur)
    return bandpass(white(m, r), 4000, 11000) * env_ar(m, dur * 0.4, dur * 0.6)


def tick(r, f=3200):
    m = samples(0.06)
    t = times(m)
    x = np.sin(2 * np.pi * f * t) * env_exp(m, 0.006) + 0.4 * highpass(white(m, r), 4000) * env_exp(m, 0.002)
    return x


def timpani(midi, r):
    f = hz(midi)
    m = samples(2.5)
    t = times(m)
    x = np.sin(2 * np.pi * f * t) * env_exp(m, 0.9) + 0.4 * np.sin(2 * np.pi * f * 1.5 * t) * env_exp(m, 0.4)
    x += 0.5 * lowpass(white(m, r), 500) * env_exp(m, 0.05)
    return x * env_ar(m, 0.004, 0.5, hold=1.9)


def tom(midi, r):
    f = hz(midi)
    m = samples(0.6)
    t = times(m)
    fr = f * (1 + 0.4 * np.exp(-t / 0.03))
    x = np.sin(sweep_phase(fr)) * env_exp(m, 0.16)
    x += 0.3 * bandpass(white(m, r), 300, 3000) * env_exp(m, 0.02)
    return x


def swell(r, dur):
    """A cymbal played backwards: noise that grows and stops dead."""
    m = samples(dur)
    t = times(m)
    x = bandpass(white(m, r), 2500, 12000)
    return x * (t / dur) ** 3 * env_ar(m, 0.0, 0.02, hold=dur - 0.02)


# ---------------------------------------------------------------- menu theme

def menu_theme():
    """D minor, 90 beats a minute: a pulsing low ostinato under dark strings,
    a clock ticking, a two-note piano figure; the second half adds the theme."""
    s = Loop(90, 16, "menu_music")
    r = s.r
    chords = [  # (root for the bass, pad voicing), two bars each
        (n("D2"), ["D3", "A3", "D4", "F4"]),
        (n("A#1"), ["D3", "F3", "A#3", "D4"]),
        (n("G1"), ["D3", "G3", "A#3", "D4"]),
        (n("A1"), ["E3", "A3", "C#4", "E4"]),
    ] * 2
    figure = [("D5", "A4"), ("D5", "A#4"), ("D5", "G4"), ("C#5", "A4")] * 2
    accents = [1.0, 0.5, 0.6, 0.9, 0.5, 0.6, 0.9, 0.55]
    octave = [0, 0, 0, 0, 0, 0, 12, 0]
    for c, (root, voicing) in enumerate(chords):
        bar0 = c * 2
        b0 = bar0 * 4
        for v in voicing:
            s.add(pad(n(v), s.sec(8) - 0.2, r, cutoff=1100, attack=1.2, release=1.5),
                  b0, gain=0.11, pan=r.uniform(-0.5, 0.5), send=0.5)
        # The Asus4 leaning into A: a string line that resolves.
        if c % 4 == 3:
            s.add(string_lead(n("D5"), s.sec(3.5), r, attack=0.5), b0, 0.08, 0.3, 0.5)
            s.add(string_lead(n("C#5"), s.sec(4), r, attack=0.2), b0 + 4, 0.08, 0.3, 0.5)
        for bar in range(2):
            for e in range(8):
                at = b0 + bar * 4 + e * 0.5
                note = root + octave[e]
                s.add(pluck_bass(note, s.sec(0.42), bright=0.5 * accents[e], decay=0.2),
                      at, 0.22 * accents[e], 0.0, 0.08)
            hi, lo = figure[c]
            s.add(piano(n(hi), s.sec(1.5), r, 0.7), b0 + bar * 4, 0.16, 0.35, 0.4)
            s.add(piano(n(lo), s.sec(2), r, 0.7), b0 + bar * 4 + 1.5, 0.14, 0.35, 0.4)
        # A low drum on each change of chord.
        s.add(timpani(root + 12, r), b0, 0.28, -0.1, 0.4)
    # Heartbeat under everything, a clock over it.
    for bar in range(16):
        b = bar * 4
        s.add(kick(r, 0.9, 0.15), b, 0.32, 0.0, 0.1)
        s.add(kick(r, 0.85, 0.12), b + 0.75, 0.2, 0.0, 0.1)
        if bar >= 8:
            s.add(kick(r, 0.9, 0.15), b + 2, 0.26, 0.0, 0.1)
            s.add(snare(r, 170, 4000, 0.09), b + 3, 0.14, 0.15, 0.35)
        for e in range(8):
            s.add(tick(r, 3400 if e % 2 == 0 else 2600), b + e * 0.5,
                  0.08 if e % 2 == 0 else 0.06, 0.6 if e % 2 == 0 else -0.6, 0.2)
    # The theme, second half.
    theme = [
        [(0, 1, "A4"), (1, .5, "A#4"), (1.5, .5, "A4"), (2, 1, "F4"), (3, 1, "E4"), (4, 3, "D4")],
        [(0, 1, "D5"), (1, .5, "C5"), (1.5, .5, "A#4"), (2, 1.5, "A4"), (3.5, .5, "F4"), (4, 3, "G4")],
        [(0, 1, "A#4"), (1, .5, "A4"), (1.5, .5, "G4"), (2, 1.5, "D5"), (3.5, .5, "C5"), (4, 2, "A#4"), (6, 2, "A4")],
        [(0, 1, "E5"), (1, .5, "D5"), (1.5, .5, "C#5"), (2, 2, "E4"), (4, 2, "A4"), (6, 1, "C#5"), (7, 1, "E5")],
    ]
    for c, phrase in enumerate(theme):
        b0 = 32 + c * 8
        for at, dur, name in phrase:
            s.echo(string_lead(n(name), s.sec(dur), r, cutoff=2200, attack=0.08),
                   b0 + at, 0.15, -0.15, 0.45, 0.75, 0.3, 2)
            s.add(piano(n(name) - 12, s.sec(dur), r, 0.5), b0 + at, 0.06, -0.3, 0.3)
    # Swells into bar 9 and back round into bar 1.
    for b in (32, 64):
        s.add(swell(r, s.sec(4)), b - 4, 0.05, 0.0, 0.3)
    return s.render(0.45, 2500)


# ---------------------------------------------------------------- screen theme

def screen_theme():
    """A minor, 80 beats a minute: tine piano arpeggios, a warm pad, a soft
    bass and a breathy melody, answered by a celesta in the second half."""
    s = Loop(80, 16, "screen_music")
    r = s.r
    prog = [
        ("A2", ["A3", "C4", "E4", "G4"], ["A3", "E4", "A4", "C5"]),
        ("F2", ["F3", "A3", "C4", "E4"], ["F3", "C4", "E4", "A4"]),
        ("C3", ["G3", "C4", "E4", "G4"], ["C4", "G4", "C5", "E5"]),
        ("G2", ["G3", "B3", "D4", "G4"], ["G3", "D4", "G4", "B4"]),
        ("A2", ["A3", "C4", "E4", "G4"], ["A3", "E4", "A4", "C5"]),
        ("F2", ["F3", "A3", "C4", "E4"], ["F3", "C4", "E4", "A4"]),
        ("D2", ["F3", "A3", "C4", "D4"], ["D4", "F4", "A4", "C5"]),
        ("E2", ["E3", "G#3", "B3", "D4"], ["E3", "B3", "E4", "G#4"]),
        ("F2", ["F3", "A3", "C4", "E4"], ["F3", "C4", "F4", "A4"]),
        ("G2", ["G3", "B3", "D4", "F4"], ["G3", "D4", "G4", "B4"]),
        ("E2", ["E3", "G3", "B3", "D4"], ["E3", "B3", "E4", "G4"]),
        ("A2", ["A3", "C4", "E4", "G4"], ["A3", "E4", "A4", "C5"]),
        ("D2", ["F3", "A3", "C4", "D4"], ["D4", "F4", "A4", "C5"]),
        ("G2", ["G3", "B3", "D4", "F4"], ["G3", "D4", "G4", "B4"]),
        ("F2", ["F3", "A3", "C4", "E4"], ["F3", "C4", "E4", "A4"]),
        ("E2", ["E3", "G#3", "B3", "D4"], ["E3", "B3", "E4", "G#4"]),
    ]
    order = [0, 1, 2, 3, 2, 1, 2, 3]
    for bar, (bass, voicing, arp) in enumerate(prog):
        b0 = bar * 4
        for v in voicing:
            s.add(pad(n(v), s.sec(4), r, cutoff=900, shape="tri", attack=1.0, release=1.5, detune=0.004),
                  b0, 0.09, r.uniform(-0.6, 0.6), 0.6)
        s.add(soft_bass(n(bass), s.sec(2.8)), b0, 0.22, 0.0, 0.1)
        s.add(soft_bass(n(bass) + (7 if bar % 2 else 12), s.sec(0.9)), b0 + 3, 0.14, 0.0, 0.1)
        for e in range(8):
            note = n(arp[order[e]])
            vel = 0.75 if e % 2 else 1.0
            s.add(epiano(note, s.sec(0.6), r, 1.2 + 0.5 * vel), b0 + e * 0.5,
                  0.12 * vel, -0.35 + 0.1 * order[e], 0.45)
    melody = [
        [(2, 1, "E5"), (3, 1, "C5")],
        [(0, 3, "A4"), (3, 1, "C5")],
        [(0, 2, "G4"), (2, 1, "E4"), (3, 1, "G4")],
        [(0, 3, "D5")],
        [(2, 1, "E5"), (3, 1, "A5")],
        [(0, 1.5, "G5"), (1.5, .5, "F5"), (2, 2, "E5")],
        [(0, 1, "D5"), (1, 1, "C5"), (2, 2, "A4")],
        [(0, 2, "B4"), (2, 2, "G#4")],
        [(0, 1, "A4"), (1, 1, "C5"), (2, 2, "F5")],
        [(0, 1, "E5"), (1, 1, "D5"), (2, 2, "B4")],
        [(0, 1, "G4"), (1, 1, "B4"), (2, 1.5, "E5"), (3.5, .5, "D5")],
        [(0, 3, "C5"), (3, .5, "B4"), (3.5, .5, "A4")],
        [(0, 2, "F5"), (2, 1, "E5"), (3, 1, "D5")],
        [(0, 1.5, "D5"), (1.5, .5, "C5"), (2, 2, "B4")],
        [(0, 1, "A4"), (1, 1, "C5"), (2, 2, "E5")],
        [(0, 1, "D5"), (1, 1, "C5"), (2, 2, "B4")],
    ]
    for bar, phrase in enumerate(melody):
        for at, dur, name in phrase:
            b = bar * 4 + at
            s.add(flute(n(name), s.sec(dur) * 0.95, r), b, 0.14, 0.1, 0.55)
            if bar >= 8:
                s.add(celesta(n(name) + 12, s.sec(dur), r), b, 0.08, 0.5, 0.6)
    # A brushed shaker in the second half, barely there.
    for bar in range(8, 16):
        for e in range(4):
            s.add(shaker(r, 0.14), bar * 4 + e + 0.5, 0.05, -0.5, 0.3)
    return s.render(0.55, 3000, ir_len=3.5)


# ---------------------------------------------------------------- play theme

def game_theme():
    """E minor, 112 beats a minute, three eight-bar sections: the pulse, the
    motif, and a lighter break that builds back into the pulse."""
    s = Loop(112, 24, "game_music")
    r = s.r
    a = ["E2", "E2", "C2", "C2", "A1", "A1", "B1", "B1"]
    b = ["E2", "C2", "D2", "B1", "E2", "C2", "A1", "B1"]
    c = ["C2", "C2", "A1", "A1", "E2", "E2", "B1", "B1"]
    roots = [n(x) for x in a + b + c]
    triads = {"E": ["E3", "G3", "B3"], "C": ["E3", "G3", "C4"], "A": ["E3", "A3", "C4"],
              "B": ["D#3", "F#3", "B3"], "D": ["D3", "F#3", "A3"]}
    names = [x[:-1] for x in a + b + c]
    names[11] = "Bm"
    triads["Bm"] = ["D3", "F#3", "B3"]
    pulse = [0, 0, 12, 0, 0, 12, 0, 0, 0, 0, 12, 0, 0, 12, 0, 7]
    accent = [1.0, 0.55, 0.75, 0.55] * 4
    for bar in range(24):
        b0 = bar * 4
        root = roots[bar]
        section = bar // 8
        chord = triads[names[bar]]
        # Bass: sixteenths, lighter in the break's first half.
        for k in range(16):
            if section == 2 and bar < 20 and k % 2:
                continue
            s.add(pluck_bass(root + pulse[k], s.sec(0.2), bright=0.35 + 0.4 * accent[k], decay=0.09, sub=0.6),
                  b0 + k * 0.25, 0.22 * accent[k], 0.0, 0.05)
        for v in chord:
            s.add(pad(n(v) + 12, s.sec(4) - 0.1, r, cutoff=1000, attack=0.3, release=0.6),
                  b0, 0.06, r.uniform(-0.7, 0.7), 0.4)
        # Drums.
        drums = not (section == 2 and bar < 20)
        for q in range(4):
            if drums:
                s.add(kick(r, 1.0, 0.16), b0 + q, 0.45, 0.0, 0.03)
            s.add(hat(r, 0.03), b0 + q + 0.5, 0.09, 0.3, 0.1)
            s.add(hat(r, 0.015), b0 + q + 0.25, 0.045, -0.3, 0.05)
            s.add(hat(r, 0.015), b0 + q + 0.75, 0.045, -0.3, 0.05)
        if drums and section >= 1:
            for q in (1, 3):
                s.add(snare(r, 190, 6000, 0.11), b0 + q, 0.28, 0.05, 0.25)
        if section == 2 and bar < 20:
            s.add(tom(n("E2") if bar % 2 else n("B2"), r), b0 + 2.5, 0.2, -0.3, 0.3)
            s.add(tom(n("G2"), r), b0 + 3.5, 0.16, 0.3, 0.3)
        # Arpeggio in the pulse's second half and all through the break.
        if (section == 0 and bar >= 4) or section == 2:
            tones = [n(x) + 12 for x in chord]
            seq = [0, 1, 2, 1, 0, 2, 1, 2] * 2
            for k in range(16):
                note = tones[seq[k]] + (12 if k in (6, 14) else 0)
                s.add(arp_pluck(note, r), b0 + k * 0.25, 0.14 * accent[k], 0.6 if k % 2 else -0.6, 0.3)
    # The motif over the second section.
    motif = [
        [(0, .75, "E4"), (.75, .75, "G4"), (1.5, 1, "B4"), (2.5, .5, "A4"), (3, .5, "G4"), (3.5, .5, "F#4"),
         (4, 1.5, "E4"), (5.5, .5, "D4"), (6, 2, "E4")],
        [(0, .75, "F#4"), (.75, .75, "A4"), (1.5, 1, "D5"), (2.5, .5, "B4"), (3, .5, "A4"), (3.5, .5, "F#4"),
         (4, 1.5, "B4"), (5.5, .5, "A4"), (6, 2, "F#4")],
        [(0, .75, "E4"), (.75, .75, "G4"), (1.5, 1, "B4"), (2.5, .5, "E5"), (3, .5, "D5"), (3.5, .5, "B4"),
         (4, 1.5, "C5"), (5.5, .5, "B4"), (6, 2, "G4")],
        [(0, .75, "A4"), (.75, .75, "C5"), (1.5, 1, "E5"), (2.5, .5, "D5"), (3, .5, "C5"), (3.5, .5, "B4"),
         (4, 1.5, "B4"), (5.5, .5, "A4"), (6, 2, "D#5")],
    ]
    for ph, phrase in enumerate(motif):
        b0 = 32 + ph * 8
        for at, dur, name in phrase:
            s.echo(synth_lead(n(name), s.sec(dur) * 0.9, r), b0 + at, 0.1, 0.0, 0.3, 0.75, 0.3, 2)
    # A high string pedal and a snare build at the end of the break.
    s.add(string_lead(n("B4"), s.sec(16) - 0.3, r, cutoff=1800, attack=2.0), 80, 0.06, -0.2, 0.5)
    s.add(string_lead(n("F#5"), s.sec(8) - 0.3, r, cutoff=1800, attack=2.0), 88, 0.05, 0.2, 0.5)
    for k in range(16):
        s.add(snare(r, 200, 5000, 0.06), 92 + k * 0.25, 0.03 + 0.07 * k / 15, 0.0, 0.2)
    s.add(swell(r, s.sec(4)), 92, 0.05, 0.0, 0.3)
    return s.render(0.3, 3500, ir_len=2.5)


BARS = {"menu_music": 16, "screen_music": 16, "game_music": 24}

TRACKS = {
    "menu_music": menu_theme,
    "screen_music": screen_theme,
    "game_music": game_theme,
}
