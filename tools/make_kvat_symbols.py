#!/usr/bin/python3
"""Builds resources/fonts/kvat-symbols/KvatSymbols.ttf, the score's symbol font.

The outlines come from LilyPond's OFL music font (Debian package lilypond-fonts); this
script scales and places them for the score's fixed geometry, composes the notes from a
head, a stem and a flag, merges overlapping contours and writes a TrueType font with a
symbol character map (platform 3, encoding 0): the score's character code c selects the
glyph at 0xF000 + c.

Run with Debian's interpreter, which sees python3-fonttools and python3-booleanoperations:
    /usr/bin/python3 tools/make_kvat_symbols.py [--source FILE.otf] [--output FILE.ttf]
The output is byte-for-byte reproducible from the same source font.
"""

import argparse
import glob
import os
import sys

from booleanOperations.booleanGlyph import BooleanGlyph
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.areaPen import AreaPen
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.recordingPen import RecordingPen
from fontTools.pens.reverseContourPen import ReverseContourPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables._c_m_a_p import cmap_format_4

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.join(HERE, "..", "resources", "fonts", "kvat-symbols", "KvatSymbols.ttf")
SOURCE_GLOB = "/usr/share/lilypond/*/fonts/otf/emmentaler-20.otf"

UNITS_PER_EM = 1000
SYMBOL_BASE = 0xF000

# The score prints the symbols at 14 pt (280 twips to the em) on a staff whose lines are
# 80 twips apart, so one staff space is 80 / 280 em. The source draws a staff space as a
# quarter of its em.
STAFF_SPACE = UNITS_PER_EM * 80 / 280
SOURCE_STAFF_SPACE = 250
MUSIC_SCALE = STAFF_SPACE / SOURCE_STAFF_SPACE

# Where the score puts each symbol's baseline relative to the staff, in units above the
# baseline. The score places text by the top of its cell, which lies 851 units above the
# baseline; these follow from the staff of a 1575-twip view (lines at H/1.7 - 80k).
CELL_TOP = 851
TWIP = UNITS_PER_EM / 280
CLEF_G_LINE = -(1575 / 1.7 - 80 - (1575 / 2.7 - 140 + CELL_TOP / TWIP)) * TWIP
REST_MIDDLE_LINE = (1575 / 2.8 + 70 + CELL_TOP / TWIP - (1575 / 1.7 - 160)) * TWIP
DIGIT_BOTTOM = (1575 / 2.75 + CELL_TOP / TWIP - (1575 / 1.7 - 160)) * TWIP

# Note heads span one staff space, centred on the baseline.
HEAD_HEIGHT = 285
STEM_WIDTH = 30
# Stem ends above (+) or below (-) the baseline; an eighth's stem is longer to make room
# for its flag.
STEM_UP, STEM_UP_FLAGGED = 750, 802
STEM_DOWN, STEM_DOWN_FLAGGED = -756, -889
FLAG_SCALE = 0.72

SHARP_LEFT, SHARP_ADVANCE = -196, 225
SPACE_ADVANCE = 250
SIDE_BEARING = 20

DYNAMICS = {105: "p", 106: "pp", 107: "ppp", 108: "mp", 110: "mf", 111: "f", 112: "ff", 113: "fff"}
DIGIT_NAMES = ["zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]


def find_source(explicit):
    if explicit:
        return explicit
    found = sorted(glob.glob(SOURCE_GLOB))
    if not found:
        sys.exit("make_kvat_symbols: no source font; install lilypond-fonts or pass --source")
    return found[-1]


class Outline:
    """A glyph under construction: cubic contours in our units, merged at the end."""

    def __init__(self, source_glyphs):
        self.source = source_glyphs
        self.pen = RecordingPen()

    def place(self, name, scale, dx=0.0, dy=0.0):
        self.source[name].draw(TransformPen(self.pen, (scale, 0, 0, scale, dx, dy)))

    def rectangle(self, x0, y0, x1, y1):
        # Counter-clockwise, the direction of the source's outer contours.
        self.pen.moveTo((x0, y0))
        self.pen.lineTo((x1, y0))
        self.pen.lineTo((x1, y1))
        self.pen.lineTo((x0, y1))
        self.pen.closePath()

    def bounds(self):
        pen = BoundsPen(None)
        self.pen.replay(pen)
        return pen.bounds


def source_bounds(source_glyphs, name, scale=1.0):
    pen = BoundsPen(source_glyphs)
    source_glyphs[name].draw(pen)
    return tuple(v * scale for v in pen.bounds)


def head_edge(source_glyphs, name, scale, dy, y, side):
    """The head's outline x at height y on the given side: where a stem can join it."""
    band = BooleanGlyph()
    outline = Outline(source_glyphs)
    outline.place(name, scale, 0, dy)
    outline.pen.replay(band.getPen())
    strip = BooleanGlyph()
    pen = strip.getPen()
    pen.moveTo((-1000, y - 0.5))
    pen.lineTo((1000, y - 0.5))
    pen.lineTo((1000, y + 0.5))
    pen.lineTo((-1000, y + 0.5))
    pen.closePath()
    bounds = BoundsPen(None)
    (band & strip).draw(bounds)
    return bounds.bounds[2] if side == "right" else bounds.bounds[0]


def compose_note(source_glyphs, head, flag, stem_end):
    """A head centred on the baseline with a stem to stem_end and an optional flag there."""
    x0, y0, x1, y1 = source_bounds(source_glyphs, head)
    scale = HEAD_HEIGHT / (y1 - y0)
    dy = -(y0 + y1) / 2 * scale
    outline = Outline(source_glyphs)
    outline.place(head, scale, 0, dy)
    # The stem joins the head a little off centre, where the tilted head is widest on
    # that side, so its near corners sit inside the head and the merge leaves no notch.
    join = HEAD_HEIGHT * 0.15
    if stem_end > 0:
        right = head_edge(source_glyphs, head, scale, dy, join, "right")
        outline.rectangle(right - STEM_WIDTH, join, right, stem_end)
        stem_right = right
    else:
        left = head_edge(source_glyphs, head, scale, dy, -join, "left")
        outline.rectangle(left, stem_end, left + STEM_WIDTH, -join)
        stem_right = left + STEM_WIDTH
    if flag:
        outline.place(flag, FLAG_SCALE * MUSIC_SCALE, stem_right, stem_end)
    return outline


def kerning(font):
    """Pair adjustments of the source's kern feature, (left, right) -> units."""
    pairs = {}
    for lookup in font["GPOS"].table.LookupList.Lookup:
        for sub in lookup.SubTable:
            if getattr(sub, "Format", None) != 1 or not hasattr(sub, "PairSet"):
                continue
            for left, pair_set in zip(sub.Coverage.glyphs, sub.PairSet):
                for record in pair_set.PairValueRecord:
                    if record.Value1 is not None:
                        advance = getattr(record.Value1, "XAdvance", 0) or 0
                        pairs[(left, record.SecondGlyph)] = advance
    return pairs


def compose_word(source_glyphs, letters, pairs, dy):
    outline = Outline(source_glyphs)
    x = 0.0
    for i, letter in enumerate(letters):
        outline.place(letter, MUSIC_SCALE, x * MUSIC_SCALE, dy)
        x += source_glyphs[letter].width
        if i + 1 < len(letters):
            x += pairs.get((letter, letters[i + 1]), 0)
    return outline


def build_outlines(source):
    glyphs = source.getGlyphSet()
    pairs = kerning(source)
    s = MUSIC_SCALE
    out = {}

    clef = Outline(glyphs)
    clef.place("clefs.G", s, 0, CLEF_G_LINE)
    out[36] = ("clef.treble", clef)

    notes = [
        (40, "half.stemdown", "noteheads.s1", None, STEM_DOWN),
        (41, "quarter.stemdown", "noteheads.s2", None, STEM_DOWN),
        (42, "eighth.stemdown", "noteheads.s2", "flags.d3", STEM_DOWN_FLAGGED),
        (46, "half.stemup", "noteheads.s1", None, STEM_UP),
        (58, "quarter.stemup", "noteheads.s2", None, STEM_UP),
        (59, "eighth.stemup", "noteheads.s2", "flags.u3", STEM_UP_FLAGGED),
    ]
    for code, name, head, flag, stem_end in notes:
        out[code] = (name, compose_note(glyphs, head, flag, stem_end))

    # Time-signature digits fill the upper or the lower half of the staff.
    for digit, name in enumerate(DIGIT_NAMES):
        outline = Outline(glyphs)
        outline.place(name, s, 0, DIGIT_BOTTOM)
        out[48 + digit] = ("digit." + name, outline)

    rest = Outline(glyphs)
    rest.place("rests.2", s, 0, REST_MIDDLE_LINE)
    out[77] = ("rest.quarter", rest)

    sharp = Outline(glyphs)
    x0 = source_bounds(glyphs, "accidentals.sharp", s)[0]
    sharp.place("accidentals.sharp", s, SHARP_LEFT - x0, 0)
    out[100] = ("sharp", sharp)

    for code, letters in DYNAMICS.items():
        out[code] = ("dynamic." + letters, compose_word(glyphs, list(letters), pairs, 0))
    return out


def to_truetype(outline):
    """Merges overlaps (so any fill rule draws it whole) and converts to quadratics."""
    merged = BooleanGlyph()
    outline.pen.replay(merged.getPen())
    merged = merged.removeOverlap()
    recorded = RecordingPen()
    merged.draw(recorded)
    area = AreaPen()
    recorded.replay(area)
    tt_pen = TTGlyphPen(None)
    # TrueType wants outer contours clockwise, which is a negative area here.
    target = ReverseContourPen(tt_pen) if area.value > 0 else tt_pen
    recorded.replay(Cu2QuPen(target, max_err=0.5, reverse_direction=False))
    return tt_pen.glyph()


def round_outline(outline):
    """Drops floating-point noise, so that the file does not change between runs."""
    rounded = RecordingPen()
    for op, args in outline.pen.value:
        rounded.value.append((op, tuple((round(x, 3), round(y, 3)) for x, y in args)))
    outline.pen = rounded
    return outline


def advance_for(code, outline):
    if code == 100:
        return SHARP_ADVANCE
    return int(round(outline.bounds()[2] + SIDE_BEARING))


def shift_to_bearing(code, outline):
    """Moves a glyph that reaches left of the pen (the tails of the dynamics letters) right,
    to a small bearing; the sharp keeps its negative bearing on purpose."""
    if code == 100:
        return outline
    x0 = outline.bounds()[0]
    if x0 >= 0:
        return outline
    shifted = RecordingPen()
    outline.pen.replay(TransformPen(shifted, (1, 0, 0, 1, SIDE_BEARING - x0, 0)))
    outline.pen = shifted
    return outline


def notdef_glyph():
    """An empty box: the outer contour clockwise, the inner one counter-clockwise."""
    pen = TTGlyphPen(None)
    for points in (((50, 0), (50, 700), (450, 700), (450, 0)),
                   ((100, 50), (400, 50), (400, 650), (100, 650))):
        pen.moveTo(points[0])
        for point in points[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def build_font(source_path):
    source = TTFont(source_path)
    outlines = build_outlines(source)

    order = [".notdef", "space"]
    glyf = {".notdef": notdef_glyph(), "space": TTGlyphPen(None).glyph()}
    metrics = {".notdef": (500, 50), "space": (SPACE_ADVANCE, 0)}
    codes = {0x20: "space"}
    for code in sorted(outlines):
        name, outline = outlines[code]
        outline = shift_to_bearing(code, round_outline(outline))
        glyph = to_truetype(outline)
        glyph.recalcBounds(None)
        order.append(name)
        glyf[name] = glyph
        metrics[name] = (advance_for(code, outline), glyph.xMin if glyph.numberOfContours else 0)
        codes[code] = name

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupGlyf(glyf)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=1457, descent=-980, lineGap=0)
    fb.setupHead(unitsPerEm=UNITS_PER_EM, fontRevision=1.05,
                 created=3850070400, modified=3850070400)  # 2026-01-01: reproducible files
    fb.setupNameTable({
        "copyright": "Copyright (c) 1996-2017 The LilyPond authors. "
                     "Copyright (c) 2026 The Kvat authors.",
        "familyName": "Kvat Symbols",
        "styleName": "Regular",
        "uniqueFontIdentifier": "Kvat Symbols Regular 1.05",
        "fullName": "Kvat Symbols",
        "version": "Version 1.05",
        "psName": "KvatSymbols",
        "description": "Music symbols for the score of Kvat, made from OFL music outlines.",
        "licenseDescription": "This Font Software is licensed under the SIL Open Font "
                              "License, Version 1.1.",
        "licenseInfoURL": "https://openfontlicense.org",
    }, mac=False)
    first, last = min(codes), max(codes)
    fb.setupOS2(
        version=4, usWeightClass=400, usWidthClass=5, fsType=0, achVendID="KVAT",
        fsSelection=0x40, usWinAscent=851, usWinDescent=1350,
        sTypoAscender=851, sTypoDescender=-1350, sTypoLineGap=0,
        usFirstCharIndex=SYMBOL_BASE + first, usLastCharIndex=SYMBOL_BASE + last,
        ulUnicodeRange1=0, ulUnicodeRange2=0, ulUnicodeRange3=0, ulUnicodeRange4=0,
        ulCodePageRange1=1 << 31, ulCodePageRange2=0,  # bit 31: symbol character set
        usDefaultChar=0, usBreakChar=0x20, usMaxContext=0)
    fb.setupPost(keepGlyphNames=True)
    fb.font["cmap"] = character_maps(codes)
    fb.font["maxp"].maxZones = 1
    return fb.font


def character_maps(codes):
    """The symbol map (platform 3, encoding 0) that selects glyph c by code 0xF000 + c.
    FreeType-based renderers, Qt among them, look plain codes up in it as well."""
    sub = cmap_format_4(4)
    sub.platformID, sub.platEncID, sub.language = 3, 0, 0
    sub.cmap = {SYMBOL_BASE + code: name for code, name in codes.items()}
    table = newTable("cmap")
    table.tableVersion = 0
    table.tables = [sub]
    return table


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", help="the OFL music font to take outlines from")
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    font = build_font(find_source(args.source))
    font.recalcTimestamp = False
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    font.save(args.output)
    print(f"make_kvat_symbols: wrote {os.path.normpath(args.output)} "
          f"({os.path.getsize(args.output)} bytes, {len(font.getGlyphOrder())} glyphs)")


if __name__ == "__main__":
    main()
