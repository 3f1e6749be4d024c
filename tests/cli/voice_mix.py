#!/usr/bin/python3
"""voice_mix.py INSTRUMENTS.wav VOICE.wav MIX.wav: how far the mix is from the best sum a *
instruments + b * voice of the other two, as the residual's share of the mix's energy, then a
and b. A voice stem shifted by a single sample against the instruments leaves a large residual."""
import array
import sys
import wave


def left(path):
    with wave.open(path) as wav:
        return array.array('h', wav.readframes(wav.getnframes()))[0::2]


i, v, m = (left(p) for p in sys.argv[1:4])
dot = lambda x, y: float(sum(p * q for p, q in zip(x, y)))
ii, vv, iv, im, vm, mm = dot(i, i), dot(v, v), dot(i, v), dot(i, m), dot(v, m), dot(m, m)
det = ii * vv - iv * iv
a, b = (im * vv - vm * iv) / det, (vm * ii - im * iv) / det
residual = mm - 2 * (a * im + b * vm) + a * a * ii + 2 * a * b * iv + b * b * vv
print(residual / mm, a, b)
