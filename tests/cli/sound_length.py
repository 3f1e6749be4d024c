#!/usr/bin/python3
"""Prints, for each file named, what readers that are not ours find: a MIDI file's length in
seconds (mido); a 16-bit WAV file's length in seconds, its peak over the first half second and
its peak over the whole file (Python's wave module)."""
import array
import sys
import wave

import mido

for path in sys.argv[1:]:
    if path.endswith('.mid'):
        print(mido.MidiFile(path).length)
        continue
    with wave.open(path) as wav:
        rate, frames = wav.getframerate(), wav.getnframes()
        samples = array.array('h', wav.readframes(frames))
    start = samples[:rate // 2 * wav.getnchannels()]
    print(frames / rate, max(map(abs, start), default=0), max(map(abs, samples), default=0))
