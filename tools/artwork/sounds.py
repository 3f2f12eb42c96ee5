"""The client's sounds: short synthesised effects and two seamless ambience loops, written as
16-bit PCM mono WAVE files with only the "fmt " and "data" chunks.

Every effect rises from silence within a few milliseconds and fades back to silence at its end.
A loop is noise whose slow changes (gusts, loudness) repeat with the loop's length; its last
tenth is cross-faded into its start, so the sample after the last one is the one the noise
would have gone on with.
"""
import math
import struct

from .canvas import seeded

TAU = 2 * math.pi


# ---- Building blocks: lists of floats, one per sample -----------------------------------------
def white(rng, count):
    return [rng.signed() for _ in range(count)]


def lowpass(x, rate, cutoff):
    """One pole; cutoff a number or a function of the sample index."""
    y, out = 0.0, []
    for i, v in enumerate(x):
        fc = cutoff(i) if callable(cutoff) else cutoff
        y += (1 - math.exp(-TAU * fc / rate)) * (v - y)
        out.append(y)
    return out


def highpass(x, rate, cutoff):
    return [a - b for a, b in zip(x, lowpass(x, rate, cutoff))]


def bandpass(x, rate, centre, q):
    """A two-pole resonator of unit gain at its centre (a number or a function of the index)."""
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for i, v in enumerate(x):
        f = centre(i) if callable(centre) else centre
        w = TAU * min(f, 0.45 * rate) / rate
        alpha = math.sin(w) / (2 * q)
        a0 = 1 + alpha
        y = (alpha * v - alpha * x2 + 2 * math.cos(w) * y1 - (1 - alpha) * y2) / a0
        x2, x1, y2, y1 = x1, v, y1, y
        out.append(y)
    return out


def sweep(rate, count, freq, shape=math.sin):
    """An oscillator whose frequency (a function of the time in seconds) may glide."""
    phase, out = 0.0, []
    for i in range(count):
        out.append(shape(phase))
        phase += TAU * freq(i / rate) / rate
    return out


def envelope(rate, count, attack, decay, delay=0.0):
    """Silent until delay, rising over attack seconds, then dying away with time constant decay."""
    out = []
    for i in range(count):
        t = i / rate - delay
        out.append(0.0 if t < 0 else min(1.0, t / attack) * math.exp(-max(0.0, t - attack) / decay))
    return out


def times(*signals):
    return [math.prod(v) for v in zip(*signals)]


def plus(*signals):
    return [sum(v) for v in zip(*signals)]


def scaled(x, k):
    return [k * v for v in x]


def above(x, rate, cutoff):
    """What lies above cutoff: two one-pole high-pass stages, for a steeper edge."""
    return highpass(highpass(x, rate, cutoff), rate, cutoff)


def buzz(phase):
    """A tone with its third and fifth overtones: a siren's or a buzzer's."""
    return math.sin(phase) + 0.3 * math.sin(3 * phase) + 0.1 * math.sin(5 * phase)


def normalised(x, peak):
    top = max(abs(v) for v in x) or 1.0
    return [v * peak / top for v in x]


def faded(x, rate, seconds=0.01):
    """Ends the sound in silence: the last stretch fades out."""
    n = min(len(x), int(rate * seconds))
    return x[:len(x) - n] + [v * (n - 1 - i) / n for i, v in enumerate(x[len(x) - n:])]


# ---- The effects ---------------------------------------------------------------------------------
def fire(rate, n, rng):
    """A paintball marker's pop: a crack of air over a short thump that falls in pitch, then the
    hiss of the gas behind the ball. The thump starts high and ends near 200 Hz, where a small
    speaker still plays it."""
    thump = times(sweep(rate, n, lambda t: 190 + 420 * math.exp(-t / 0.018)), envelope(rate, n, 0.001, 0.035))
    crack = times(bandpass(white(rng, n), rate, 1600, 0.9), envelope(rate, n, 0.0005, 0.012))
    hiss = times(highpass(white(rng, n), rate, 3000), envelope(rate, n, 0.004, 0.07, 0.005))
    return above(plus(thump, scaled(crack, 1.6), scaled(hiss, 0.3)), rate, 140)


def bounce(rate, n, rng):
    """A ball hitting the ground and hopping once more, a little softer."""
    out = [0.0] * n
    for start, level in ((0.0, 1.0), (0.11, 0.45)):
        tok = times(sweep(rate, n, lambda t: 240 + 160 * math.exp(-max(t - start, 0) / 0.02)),
                    envelope(rate, n, 0.001, 0.035, start))
        click = times(bandpass(white(rng, n), rate, 1800, 3), envelope(rate, n, 0.0005, 0.006, start))
        out = plus(out, scaled(plus(tok, scaled(click, 2.0)), level))
    return out


def splat(rate, n, rng):
    """Wet paint hitting: a noise burst whose brightness drains away, then a few drips."""
    body = lowpass(white(rng, n), rate, lambda i: 250 + 3000 * math.exp(-i / rate / 0.05))
    out = times(body, envelope(rate, n, 0.002, 0.08))
    for _ in range(4):
        at = 0.08 + 0.2 * rng.unit()
        drip = times(bandpass(white(rng, n), rate, 700 + 900 * rng.unit(), 6), envelope(rate, n, 0.002, 0.015, at))
        out = plus(out, scaled(drip, 1.5))
    return out


def siren(rising):
    def make(rate, n, rng):
        seconds = n / rate
        low, high = 350.0, 1150.0

        def freq(t):
            k = t / seconds if rising else 1 - t / seconds
            return low * (high / low) ** k * (1 + 0.01 * math.sin(TAU * 6 * t))
        level = [min(1.0, i / (0.03 * rate), (n - 1 - i) / (0.1 * rate)) for i in range(n)]
        # the fifth overtone of the highest note stays below half the rate
        return times(sweep(rate, n, freq, lambda p: math.sin(p) + 0.3 * math.sin(3 * p)), level)
    return make


def step(rate, n, rng):
    """A soft footfall: a dull thud of muffled noise."""
    thud = times(bandpass(white(rng, n), rate, 420, 1.2), envelope(rate, n, 0.004, 0.025))
    low = times(sweep(rate, n, lambda t: 190 - 40 * t / 0.12), envelope(rate, n, 0.004, 0.03))
    return above(plus(scaled(thud, 3.0), scaled(low, 0.3)), rate, 180)


def water(rate, n, rng):
    """A foot in water: a splash of noise and two bubbles that rise in pitch."""
    splash = times(bandpass(white(rng, n), rate, lambda i: 1400 - 700 * i / n, 1.5), envelope(rate, n, 0.003, 0.04))
    out = splash
    for at in (0.025, 0.06):
        blip = times(sweep(rate, n, lambda t, at=at: 500 + 9000 * max(0.0, t - at)), envelope(rate, n, 0.002, 0.012, at))
        out = plus(out, scaled(blip, 0.35))
    return out


def release(rate, n, rng):
    """Robots let loose: a gate's metal clank, then the hiss of the air that held it."""
    clank = plus(*[scaled(times(sweep(rate, n, lambda t, f=f: f), envelope(rate, n, 0.001, d)), a)
                   for f, d, a in ((420, 0.15, 1.0), (1130, 0.09, 0.6), (1790, 0.05, 0.4))])
    hiss = times(bandpass(white(rng, n), rate, 2000, 1.2), envelope(rate, n, 0.05, 0.25, 0.04))
    return plus(clank, scaled(hiss, 1.6))


def throw(rate, n, rng):
    """A whoosh: noise through a band that sweeps up and back down, loudest in the middle."""
    bell = [math.sin(math.pi * i / n) ** 2 for i in range(n)]
    return times(bandpass(white(rng, n), rate, lambda i: 500 + 1600 * math.sin(math.pi * i / n), 2.5), bell)


def buy(rate, n, rng):
    """A purchase: a two-note chime, each note a bell with its overtones."""
    out = [0.0] * n
    for start, f in ((0.0, 1318.5), (0.09, 1760.0)):
        env = envelope(rate, n, 0.002, 0.22, start)
        bell = plus(*[scaled(sweep(rate, n, lambda t, p=p: f * p), a) for p, a in ((1.0, 1.0), (2.0, 0.3), (2.76, 0.15))])
        out = plus(out, times(bell, env))
    return out


def hit(rate, n, rng):
    """Being hit: a heavy impact with a crack, and a buzz that drops away."""
    impact = times(sweep(rate, n, lambda t: 170 + 260 * math.exp(-t / 0.04)), envelope(rate, n, 0.001, 0.07))
    crack = times(bandpass(white(rng, n), rate, 2200, 1.5), envelope(rate, n, 0.0005, 0.015))
    groan = times(sweep(rate, n, lambda t: 600 * math.exp(-t / 0.25), buzz), envelope(rate, n, 0.01, 0.12, 0.03))
    return above(plus(impact, scaled(crack, 2.5), scaled(groan, 0.45)), rate, 150)


def snow(rate, n, rng):
    """A foot pressing into snow: a swarm of tiny crackles over a soft hiss."""
    grains = [0.0] * n
    for _ in range(90):
        at = int(n * (0.5 - 0.5 * math.cos(math.pi * rng.unit())))
        level = rng.signed()
        for k in range(min(40, n - at)):
            grains[at + k] += level * math.exp(-k / (0.0006 * rate)) * (1 if k % 2 == 0 else -1)
    crackle = bandpass(grains, rate, 4000, 1.0)
    hiss = lowpass(white(rng, n), rate, 1200)
    bell = [math.sin(math.pi * i / n) for i in range(n)]
    return times(plus(crackle, scaled(hiss, 0.15)), bell)


def thunder(rate, n, rng):
    """A crack followed by a long rumble that swells and dies away."""
    crack = times(highpass(white(rng, n), rate, 800), envelope(rate, n, 0.003, 0.06))
    brown = lowpass(lowpass(white(rng, n), rate, 190), rate, 240)
    swells = [0.0] * n
    for k in range(4):
        at, width = 0.15 + 0.5 * k * rng.unit() + 0.2 * k, 0.25 + 0.2 * rng.unit()
        for i in range(n):
            swells[i] += math.exp(-((i / rate - at) / width) ** 2) * (1 - 0.15 * k)
    rumble = times(brown, swells, envelope(rate, n, 0.05, 1.3))
    return above(plus(scaled(normalised(crack, 1.0), 0.6), normalised(rumble, 1.0)), rate, 90)


# ---- The loops ------------------------------------------------------------------------------
def looped(x, count, overlap):
    """count samples from x (count + overlap long): the overlap beyond the end is cross-faded,
    with equal power, into the start."""
    out = list(x[:count])
    for i in range(overlap):
        a = (i / overlap) * math.pi / 2
        out[i] = x[i] * math.sin(a) + x[count + i] * math.cos(a)
    return out


def rain(rate, n, rng):
    """Rain: a wash of bright noise with drops pattering into it."""
    total = n + n // 10
    wash = highpass(lowpass(white(rng, total), rate, 5000), rate, 400)
    drops = [0.0] * total
    for _ in range(int(70 * total / rate)):
        at = rng.below(total - 100)
        level = 0.3 + 0.7 * rng.unit()
        for k in range(100):
            drops[at + k] += level * math.exp(-k / (0.002 * rate)) * math.sin(TAU * (2500 + 2000 * level) * k / rate)
    return looped(plus(scaled(wash, 0.6), drops), n, n // 10)


def wind(rate, n, rng):
    """Wind: noise through a band that wanders and gusts, both in step with the loop."""
    total = n + n // 10
    seconds = n / rate
    gust = lambda i: 1 + 0.45 * math.sin(TAU * i / rate / seconds) + 0.2 * math.sin(TAU * 3 * i / rate / seconds + 1)
    centre = lambda i: 380 + 160 * math.sin(TAU * 2 * i / rate / seconds + 0.5) + 90 * math.sin(TAU * 5 * i / rate / seconds)
    howl = bandpass(bandpass(white(rng, total), rate, centre, 5.0), rate, centre, 5.0)
    body = above(lowpass(lowpass(white(rng, total), rate, 420), rate, 420), rate, 170)
    return looped(times(plus(scaled(normalised(howl, 1.0), 0.5), normalised(body, 1.0)),
                        [gust(i) for i in range(total)]), n, n // 10)


# resource name, sample rate, length in seconds, maker, loudness (dBFS: the RMS of its loudest
# tenth of a second), loop. The effects lie within a few dB of each other, the shot and the
# hit a little above the rest; the ambience sits well below them, under the game's own sounds.
SOUNDS = [
    ("FIRE", 22050, 0.30, fire, -13.0, False),
    ("BOUNCE", 11025, 0.25, bounce, -15.0, False),
    ("SPLAT", 11025, 0.35, splat, -14.0, False),
    ("SIREN", 11025, 1.20, siren(True), -13.5, False),
    ("UNSIREN", 11025, 1.20, siren(False), -13.5, False),
    ("STEP", 11025, 0.12, step, -17.0, False),
    ("WATER", 8000, 0.14, water, -16.0, False),
    ("RELEASE", 6000, 0.60, release, -15.0, False),
    ("THROW", 11025, 0.30, throw, -16.0, False),
    ("BUY", 11025, 0.45, buy, -16.0, False),
    ("HITYOU", 22050, 0.40, hit, -13.0, False),
    ("SNOW", 22050, 0.13, snow, -18.0, False),
    ("THUNDER", 11025, 2.50, thunder, -13.0, False),
    ("RAIN", 22050, 2.00, rain, -20.0, True),
    ("WIND", 11025, 4.00, wind, -20.0, True),
]
CEILING = 0.97  # the highest peak, of full scale


def loudness(x, rate):
    """The RMS of the loudest 100 ms (in steps of 5 ms), in dB of full scale (32768)."""
    width, step = max(1, rate // 10), max(1, rate // 200)
    best = 0.0
    for start in range(0, max(1, len(x) - width + 1), step):
        part = x[start:start + width]
        best = max(best, sum(v * v for v in part) / len(part))
    return 10 * math.log10(best or 1e-30) - 20 * math.log10(32768)


def samples(name):
    """The 16-bit samples of one sound, and its rate: brought to its loudness, or lower where
    its peak would pass the ceiling."""
    for sound, rate, seconds, make, level, loop in SOUNDS:
        if sound == name:
            count = round(rate * seconds)
            x = normalised(make(rate, count, seeded("sound", name)), 32767)
            gain = min(10 ** ((level - loudness(x, rate)) / 20), CEILING)
            x = scaled(x, gain)
            if not loop:
                x = faded(x, rate)
            return [int(round(v)) for v in x], rate
    raise KeyError(name)


def wave(name):
    values, rate = samples(name)
    data = struct.pack("<%dh" % len(values), *values)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body
