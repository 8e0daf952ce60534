"""The five short sounds, synthesised: soft sine chimes with gentle attacks and decays.
16-bit mono PCM at 22050 Hz, peaks near a quarter of full scale, under half a second each."""
import io
import math
import struct
import wave

RATE = 22050
PEAK = 0.26


def _envelope(t, attack, decay):
    rise = min(1.0, t / attack) if attack > 0 else 1.0
    return rise * math.exp(-t / decay)


def _tone(freq, start, length, attack=0.006, decay=0.09, partials=((1, 1.0), (2, 0.25), (3, 0.08))):
    def voice(t):
        u = t - start
        if u < 0 or u > length:
            return 0.0
        fade = min(1.0, (length - u) / 0.02)
        return _envelope(u, attack, decay) * fade * sum(a * math.sin(2 * math.pi * freq * m * u) for m, a in partials)
    return voice


def _noise_click(start, length, seed=12345):
    """A soft mechanical tick: low-passed pseudo-random noise with a fast decay (fixed seed)."""
    state = seed
    samples = []
    previous = 0.0
    for _ in range(int(length * RATE)):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        previous = 0.6 * previous + 0.4 * (state / 0x3FFFFFFF - 1.0)
        samples.append(previous)

    def voice(t):
        index = int(round((t - start) * RATE))
        if index < 0 or index >= len(samples):
            return 0.0
        return samples[index] * math.exp(-(t - start) / 0.012)
    return voice


def _render(duration, voices):
    count = int(duration * RATE)
    raw = [sum(v(i / RATE) for v in voices) for i in range(count)]
    top = max(abs(x) for x in raw) or 1.0
    frames = bytearray()
    for x in raw:
        frames += struct.pack("<h", int(round(x / top * PEAK * 32767)))
    buffer = io.BytesIO()
    with wave.open(buffer, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))
    return buffer.getvalue()


def all_sounds():
    return {
        # An archive comes near: a rising major third, bright and welcoming.
        550: _render(0.32, [_tone(784.0, 0.0, 0.30), _tone(987.8, 0.07, 0.25)]),
        # A key comes near: a small bell, two inharmonic partials.
        551: _render(0.30, [_tone(1318.5, 0.0, 0.30, decay=0.08, partials=((1, 1.0), (2.76, 0.3), (5.4, 0.1)))]),
        # A key dropped: a lock tick then a settled low fifth.
        552: _render(0.40, [_noise_click(0.0, 0.04), _tone(523.3, 0.035, 0.36, decay=0.11),
                            _tone(784.0, 0.09, 0.30, decay=0.10)]),
        # Another kind of file: a soft low knock, falling.
        553: _render(0.28, [_tone(392.0, 0.0, 0.12, decay=0.05), _tone(311.1, 0.10, 0.17, decay=0.06)]),
        # An error: two falling notes, minor, a little longer.
        554: _render(0.45, [_tone(659.3, 0.0, 0.20, decay=0.10), _tone(523.3, 0.16, 0.28, decay=0.12, partials=((1, 1.0), (2, 0.3), (3, 0.12)))]),
    }
