#!/usr/bin/python3
# kvat score -o OUT.musicxml on the whole-verse fixtures, read by xml.etree and held against the
# MIDI file kvat midi writes for the same options, read by mido; MuseScore 3 opens it if present.
import os, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

import mido

KVAT, DATA = sys.argv[1:3]
CASES = [('onegin', '', 1),
         ('winter-evening', '--mezzo 40 --tenor 32 --bass 0 --accompaniment 48 --drums 36,42 '
                            '--time-signature 3/4', 6),
         ('peasant-children', '--method 8 --bass 33 --drums 45,51 --time-signature 12/16', 3),
         ('onegin', '--method 10 --stress dictionary --tonic Eb --mode minor --mezzo 52 '
                    '--accompaniment 0', 3)]
STEPS = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}


def merged(events):  # consecutive rests as one
    out = []
    for k, ticks in events:
        if out and k == 0 == out[-1][0]:
            out[-1][1] += ticks
        else:
            out.append([k, ticks])
    return out


def midi_melody(path):  # a rest is the silence between the melody's notes, and after the last
    events, tick, started, ended = [], 0, {}, 0
    for msg in mido.MidiFile(path).tracks[0]:
        tick += msg.time
        if msg.type == 'note_on' and msg.channel == 0:
            if tick > ended:
                events.append([0, tick - ended])
            started[msg.note] = tick
        elif msg.type == 'note_off' and msg.channel == 0:
            events.append([msg.note, tick - started.pop(msg.note)])
            ended = tick
    events.append([0, tick - ended])
    return merged(events)


def xml_melody(notes):  # tied pieces as one note
    events = []
    for note in notes:
        pitch, ticks = note.find('pitch'), int(note.findtext('duration'))
        if note.find('tie[@type="stop"]') is not None:
            events[-1][1] += ticks
        else:
            events.append([0 if pitch is None else 12 * int(pitch.findtext('octave')) + 12 +
                           STEPS[pitch.findtext('step')] + int(pitch.findtext('alter') or 0), ticks])
    return merged(events)


def check(name, options, parts, out):
    print(name, options, flush=True)
    verse = os.path.join(DATA, name + '.txt')
    for command, extension in (('midi', '.mid'), ('score', '.musicxml')):
        subprocess.run([KVAT, command, verse, '-o', out + extension] + options.split(), check=True)
    root = ET.parse(out + '.musicxml').getroot()
    assert len(root.findall('part')) == len(root.findall('part-list/score-part')) == parts
    time = root.find('part/measure/attributes')
    measure = int(time.findtext('time/beats')) * 4 * int(time.findtext('divisions')) // \
        int(time.findtext('time/beat-type'))
    for part in root.findall('part'):
        assert part.find('.//pitch') is not None or part.find('.//unpitched') is not None
        bars = part.findall('measure')
        for bar in bars:  # an upbeat is the one measure shorter than the time signature
            ticks = sum(int(n.findtext('duration')) for n in bar.findall('note[duration]')
                        if n.find('chord') is None)
            assert ticks == measure or bar is bars[0] and bar.get('implicit') == 'yes' and \
                0 < ticks < measure, (part.get('id'), bar.get('number'))
    notes = root.find('part').findall('measure/note')
    melody, expected = xml_melody(notes), midi_melody(out + '.mid')
    assert melody[:-1] == expected[:-1] and melody[-1][0] == expected[-1][0] == 0, name
    sung = [n for n in notes if n.find('pitch') is not None and n.find('tie[@type="stop"]') is None]
    assert [len(n.findall('lyric')) for n in sung] == [1] * len(root.findall('.//lyric')) != []
    with open(verse, encoding='utf-8') as text:  # every syllable once, in order
        assert ''.join(n.findtext('lyric/text') for n in sung).replace(' ', '') == \
            ''.join(text.read().split())
    if shutil.which('musescore3') and shutil.which('xvfb-run'):
        run = subprocess.run(['xvfb-run', '-a', 'musescore3', '-o', out + '.pdf', out + '.musicxml'],
                             capture_output=True, text=True)
        assert 'not a valid' not in run.stdout + run.stderr and os.path.getsize(out + '.pdf')


with tempfile.TemporaryDirectory() as folder:
    for name, options, parts in CASES:
        check(name, options, parts, os.path.join(folder, name))
