"""Signal building blocks for the sound generator: noise, envelopes, filters,
resonant bodies, reverberation, loudness, and MP3 encoding and decoding. Everything is numpy and deterministic."""
import os
import subprocess
import tempfile
import wave

import numpy as np

SR = 44100


def seconds(n):
    return n / SR


def samples(sec):
    return int(round(sec * SR))


def times(n):
    return np.arange(n) / SR


def rng(name):
    """A numpy generator seeded from a name, so each sound keeps its own noise."""
    seed = 0
    for ch in name:
        seed = (seed * 131 + ord(ch)) & 0xFFFFFFFF
    return np.random.default_rng(seed)


# ---------------------------------------------------------------- envelopes

def env_exp(n, tau, attack=0.0):
    """Exponential decay with time constant tau (s), optional linear attack."""
    t = times(n)
    e = np.exp(-t / tau)
    if attack > 0:
        e *= np.clip(t / attack, 0.0, 1.0)
    return e


def env_ar(n, attack, release, hold=0.0):
    """Raised-cosine attack, flat hold, raised-cosine release."""
    a, h, r = samples(attack), samples(hold), samples(release)
    e = np.zeros(n)
    if a > 0:
        e[:min(a, n)] = (0.5 - 0.5 * np.cos(np.pi * np.arange(a) / a))[:n]
    e[a:a + h] = 1.0
    if r > 0 and a + h < n:
        m = min(r, n - a - h)
        e[a + h:a + h + m] = (0.5 + 0.5 * np.cos(np.pi * np.arange(r) / r))[:m]
    return e


def bump(n, centre, width):
    """A smooth bell-shaped gain curve centred at `centre` seconds."""
    t = times(n)
    return np.exp(-0.5 * ((t - centre) / width) ** 2)


def fade_out(x, sec):
    """Cosine fade over the last `sec` seconds so a sound ends on silence."""
    m = min(len(x), samples(sec))
    if m > 0:
        x = x.copy()
        x[-m:] *= 0.5 + 0.5 * np.cos(np.pi * np.arange(m) / m)
    return x


def fade_in(x, sec):
    m = min(len(x), samples(sec))
    if m > 0:
        x = x.copy()
        x[:m] *= 0.5 - 0.5 * np.cos(np.pi * np.arange(m) / m)
    return x


# ---------------------------------------------------------------- filters
# Static filters work on the spectrum. One-shot sounds are zero-padded first
# so nothing wraps round; looping music is filtered circularly on purpose.

def _freqs(n):
    return np.fft.rfftfreq(n, 1.0 / SR)


def spectral(x, gain_fn, circular=False, pad=None):
    """Multiply the spectrum of x by gain_fn(freqs). Zero phase."""
    n = len(x)
    if circular:
        m = n
    else:
        extra = pad if pad is not None else 4096
        m = 1 << int(np.ceil(np.log2(n + extra)))
    spec = np.fft.rfft(x, m, axis=0)
    g = gain_fn(_freqs(m))
    if spec.ndim == 2:
        g = g[:, None]
    y = np.fft.irfft(spec * g, m, axis=0)
    return y[:n]


def lp_gain(fc, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (f / fc) ** (2 * order))


def hp_gain(fc, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (fc / np.maximum(f, 1e-3)) ** (2 * order))


def bp_gain(lo, hi, order=2):
    l, h = hp_gain(lo, order), lp_gain(hi, order)
    return lambda f: l(f) * h(f)


def lowpass(x, fc, order=2, **kw):
    return spectral(x, lp_gain(fc, order), **kw)


def highpass(x, fc, order=2, **kw):
    return spectral(x, hp_gain(fc, order), **kw)


def bandpass(x, lo, hi, order=2, **kw):
    return spectral(x, bp_gain(lo, hi, order), **kw)


def onepole_lp(x, fc):
    """Causal one-pole low-pass (no pre-ringing before attacks)."""
    a = np.exp(-2 * np.pi * fc / SR)
    # The impulse response decays geometrically; truncate it where it is
    # negligible and convolve.
    m = int(min(len(x), max(8, np.ceil(np.log(1e-5) / np.log(a)))))
    h = (1 - a) * a ** np.arange(m)
    return np.convolve(x, h)[:len(x)]


def onepole_hp(x, fc):
    return x - onepole_lp(x, fc)


def svf_sweep(x, fc, q):
    """Resonant band-pass whose centre follows the array fc (Hz per sample).
    A state-variable filter; a plain loop, so keep it to short sounds."""
    fcl = np.clip(np.asarray(fc, dtype=float), 20.0, SR * 0.2)
    f = 2.0 * np.sin(np.pi * fcl / SR)
    damp = 1.0 / q
    low = band = 0.0
    out = np.empty(len(x))
    xs = x.tolist()
    fs = f.tolist()
    for i in range(len(xs)):
        fi = fs[i]
        low += fi * band
        high = xs[i] - low - damp * band
        band += fi * high
        out[i] = band
    return out


# ---------------------------------------------------------------- sources

def white(n, r):
    return r.standard_normal(n)


def coloured(n, r, gain_fn):
    """Stationary noise with the spectrum shape gain_fn(freqs)."""
    return spectral(r.standard_normal(n), gain_fn, circular=True)


def brown(n, r, fc=40.0):
    """Deep rumble: white noise through a steep low-pass, then normalised."""
    x = coloured(n, r, lambda f: 1.0 / (1.0 + (f / fc) ** 2))
    return x / (np.std(x) + 1e-12)


def shaped_noise(n, r, shape, hop=256, win=1024):
    """Noise whose spectrum changes over time: shape(t, f) -> magnitude, with
    t the frame times (s, column) and f the bin frequencies (Hz, row)."""
    frames = int(np.ceil(n / hop)) + win // hop + 1
    w = np.hanning(win + 1)[:win]
    f = _freqs(win)
    t = (np.arange(frames) * hop - win // 2) / SR
    mag = shape(np.maximum(t, 0.0)[None, :], f[:, None])
    phase = r.uniform(0, 2 * np.pi, mag.shape)
    spec = mag * np.exp(1j * phase)
    blocks = np.fft.irfft(spec, win, axis=0) * w[:, None]
    out = np.zeros(frames * hop + win)
    for k in range(frames):
        out[k * hop:k * hop + win] += blocks[:, k]
    y = out[win // 2:win // 2 + n]
    return y / (np.std(y) + 1e-12)


def sweep_phase(freq):
    """Phase (radians) of an oscillator whose frequency follows `freq`."""
    return 2 * np.pi * np.cumsum(freq) / SR


def modes(n, partials, r=None, jitter=0.0):
    """A struck resonant body: sum of damped sines. partials is a list of
    (frequency Hz, decay time s, amplitude)."""
    t = times(n)
    y = np.zeros(n)
    for f, tau, a in partials:
        if r is not None and jitter:
            f *= 1 + r.uniform(-jitter, jitter)
        ph = r.uniform(0, 2 * np.pi) if r is not None else 0.0
        y += a * np.sin(2 * np.pi * f * t + ph) * np.exp(-t / tau)
    return y


def thump(dur, f0, f1, tau, sweep_tau=0.03, attack=0.0005):
    """A body hit or muzzle push: a sine that drops from f0 to f1 Hz."""
    n = samples(dur)
    t = times(n)
    freq = f1 + (f0 - f1) * np.exp(-t / sweep_tau)
    return fade_out(np.sin(sweep_phase(freq)) * env_exp(n, tau, attack=attack), dur * 0.2)


def click(n, r, bright=4000.0, tau=0.0015):
    """A very short broadband tick."""
    x = white(n, r) * env_exp(n, tau)
    return onepole_hp(x, bright * 0.3)


def metal_click(r, body=(2400, 3900, 6100, 8300), tau=0.012, level=1.0,
                noise_tau=0.002, dur=0.08, jitter=0.04):
    """A small steel part snapping into place: a tick plus a few ringing modes."""
    n = samples(dur)
    parts = [(f, tau * (1.0 - 0.12 * i), 1.0 / (1 + 0.5 * i))
             for i, f in enumerate(body)]
    y = modes(n, parts, r, jitter) * env_exp(n, tau * 1.5, attack=0.0003)
    y += 1.5 * click(n, r, tau=noise_tau)
    return level * y / (np.max(np.abs(y)) + 1e-12)


def friction(r, dur, lo=1500, hi=7000, grain=0.004, rough=0.6):
    """Metal or plastic sliding on metal: band-limited noise with a grainy
    amplitude that flickers at the speed of the surface texture."""
    n = samples(dur)
    x = bandpass(white(n, r), lo, hi)
    g = np.abs(lowpass(white(n, r), 1.0 / grain / 2.0))
    g = (1 - rough) + rough * g / (np.max(g) + 1e-12)
    y = x * g
    return y / (np.max(np.abs(y)) + 1e-12)


# ---------------------------------------------------------------- mixing

def place(buf, sig, at, gain=1.0):
    """Mix sig into buf starting at `at` seconds (growing buf when needed)."""
    i = samples(at)
    end = i + len(sig)
    if end > len(buf):
        pad = np.zeros((end - len(buf),) + buf.shape[1:])
        buf = np.concatenate([buf, pad])
    buf[i:end] += gain * sig
    return buf


def room_ir(r, dur, decay, bright=4000.0, predelay=0.0, stereo=False):
    """A diffuse room: exponentially decaying noise that darkens as it fades."""
    n = samples(dur)
    t = times(n)
    ch = 2 if stereo else 1
    out = []
    for _ in range(ch):
        x = white(n, r) * np.exp(-t / decay)
        # Split into a bright early part and a dark late part.
        early = highpass(x, 200) * np.exp(-t / (decay * 0.35))
        late = lowpass(x, bright)
        y = 0.4 * early + late
        y = fade_out(y, dur * 0.3)
        pd = samples(predelay)
        y = np.concatenate([np.zeros(pd), y])[:n]
        out.append(y / np.sqrt(np.sum(y ** 2)))
    return np.stack(out, axis=1) if stereo else out[0]


def convolve(x, h, circular=False):
    """FFT convolution. Circular for loops, linear (longer output) otherwise."""
    if circular:
        n = len(x)
        return np.fft.irfft(np.fft.rfft(x, n) * np.fft.rfft(h, n), n)
    m = len(x) + len(h) - 1
    size = 1 << int(np.ceil(np.log2(m)))
    return np.fft.irfft(np.fft.rfft(x, size) * np.fft.rfft(h, size), size)[:m]


def trim_silence(x, floor_db=-70.0, keep=0.02):
    """Drop the inaudible end of a one-shot sound, then fade the last bit."""
    lim = 10 ** (floor_db / 20) * np.max(np.abs(x))
    idx = np.nonzero(np.abs(x) > lim)[0]
    end = min(len(x), (idx[-1] if len(idx) else 0) + samples(keep))
    return fade_out(x[:end], keep)


def soft_limit(x, ceiling):
    """Keep |x| under ceiling with a smooth knee; leaves quiet parts alone."""
    knee = 0.7 * ceiling
    a = np.abs(x)
    over = a > knee
    y = x.copy()
    room = ceiling - knee
    y[over] = np.sign(x[over]) * (knee + room * np.tanh((a[over] - knee) / room))
    return y


# ---------------------------------------------------------------- loudness

def k_weight(x):
    """Rough perceptual weighting: drop the deep bass, lift the presence."""
    return spectral(x, lambda f: hp_gain(60, 2)(f) * (1 + 0.6 * (f > 1500)))


def loudness_db(x, window=0.1):
    """Highest short-term weighted RMS (dB) over sliding windows. Mono or
    stereo (channels summed by power)."""
    if x.ndim == 1:
        x = x[:, None]
    w = np.stack([k_weight(x[:, c]) for c in range(x.shape[1])], axis=1)
    p = np.sum(w ** 2, axis=1) / x.shape[1]
    m = samples(window)
    if len(p) <= m:
        return 10 * np.log10(np.mean(p) + 1e-20)
    c = np.cumsum(np.concatenate([[0.0], p]))
    ms = (c[m:] - c[:-m]) / m
    return 10 * np.log10(np.max(ms) + 1e-20)


def mean_loudness_db(x):
    """Weighted RMS over the whole signal (for music)."""
    if x.ndim == 1:
        x = x[:, None]
    w = np.stack([k_weight(x[:, c]) for c in range(x.shape[1])], axis=1)
    return 10 * np.log10(np.mean(w ** 2) + 1e-20)


def db(x):
    return 20 * np.log10(np.max(np.abs(x)) + 1e-20)


# ---------------------------------------------------------------- MP3 files

def to_pcm16(x):
    return np.clip(np.round(x * 32767), -32768, 32767).astype("<i2")


def encode_mp3(x, path, vbr=4):
    """Encode float samples (mono, or (n, 2) stereo) to MP3. lame's info frame
    records the encoder delay and padding, and gapless decoders (libmpg123,
    lame itself) cut both, so the file decodes to exactly len(x) samples and a
    loop made seamless here stays seamless in the game."""
    stereo = x.ndim == 2
    pcm = to_pcm16(x)
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "in.raw")
        out = os.path.join(tmp, "out.mp3")
        pcm.tofile(raw)
        cmd = ["lame", "--silent", "-r", "-s", "44.1", "--bitwidth", "16",
               "--signed", "--little-endian", "-m", "j" if stereo else "m",
               "-V", str(vbr), "-q", "2", "--noreplaygain", raw, out]
        subprocess.run(cmd, check=True, stderr=subprocess.DEVNULL)
        data = open(out, "rb").read()
    if data.find(b"LAME") < 0:
        raise RuntimeError("no LAME info frame in " + path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def decode_lame(path):
    """Decode with lame's own decoder; returns float samples (n, channels)."""
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "out.wav")
        subprocess.run(["lame", "--silent", "--decode", path, wav], check=True,
                       stderr=subprocess.DEVNULL)
        with wave.open(wav) as w:
            ch = w.getnchannels()
            d = np.frombuffer(w.readframes(w.getnframes()), "<i2")
    return d.reshape(-1, ch) / 32768.0


def decode_mpg123(path):
    """Decode through libmpg123, the decoder the game's mixer uses, which
    honours the info frame's delay and padding. None if the library is absent."""
    import ctypes
    try:
        lib = ctypes.CDLL("libmpg123.so.0")
    except OSError:
        return None
    lib.mpg123_init()
    lib.mpg123_new.restype = ctypes.c_void_p
    err = ctypes.c_int()
    h = ctypes.c_void_p(lib.mpg123_new(None, ctypes.byref(err)))
    if lib.mpg123_open(h, path.encode()) != 0:
        lib.mpg123_delete(h)
        return None
    rate, ch, enc = ctypes.c_long(), ctypes.c_int(), ctypes.c_int()
    lib.mpg123_getformat(h, ctypes.byref(rate), ctypes.byref(ch), ctypes.byref(enc))
    buf = ctypes.create_string_buffer(1 << 16)
    done = ctypes.c_size_t()
    parts = []
    while True:
        res = lib.mpg123_read(h, buf, 1 << 16, ctypes.byref(done))
        parts.append(buf.raw[:done.value])
        if res != 0:
            break
    lib.mpg123_close(h)
    lib.mpg123_delete(h)
    d = np.frombuffer(b"".join(parts), "<i2")
    return d.reshape(-1, ch.value) / 32768.0
