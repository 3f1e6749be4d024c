#!/usr/bin/python3
"""Reads a MIDI file with mido, a parser that is not ours, and prints what it found: a line
"header <format> <tracks> <ticks per beat>", then per event "<absolute tick> <kind> <channel>
<first> <second>". A file mido rejects, or whose track does not end with exactly one
end-of-track event, gives "error <why>" and exit status 1."""
import sys

import mido

FIELDS = {  # kind printed, then the attributes of channel, first and second
    'note_on': ('note_on', 'channel', 'note', 'velocity'),
    'note_off': ('note_off', 'channel', 'note', 'velocity'),
    'program_change': ('program', 'channel', 'program', None),
    'control_change': ('control', 'channel', 'control', 'value'),
    'time_signature': ('time_signature', None, 'numerator', 'denominator'),
    'set_tempo': ('tempo', None, 'tempo', None),
    'end_of_track': ('end_of_track', None, None, None),
    'track_name': ('track_name', None, None, None),
    'lyrics': ('lyrics', None, None, None),
}


def main(path):
    try:
        midi = mido.MidiFile(path)
        lines = ['header %d %d %d' % (midi.type, len(midi.tracks), midi.ticks_per_beat)]
        for track in midi.tracks:
            if [m.type for m in track].count('end_of_track') != 1 or track[-1].type != 'end_of_track':
                raise ValueError('the track does not end with one end-of-track event')
            tick = 0
            for msg in track:
                tick += msg.time
                kind, *names = FIELDS[msg.type]
                values = [getattr(msg, name) if name else 0 for name in names]
                lines.append(' '.join(str(v) for v in [tick, kind] + values))
    except Exception as error:  # whatever mido raises, or an unexpected event kind
        print('error', repr(error))
        return 1
    print('\n'.join(lines))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
