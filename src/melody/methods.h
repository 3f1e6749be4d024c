#pragma once
// The ten methods, one routine per method family. Each walks the verse against its line
// templates and returns the melody with its line-final marks already applied.

#include "melody/interval_text.h"
#include "melody/melody.h"
#include "melody/melody_notes.h"
#include "melody/verse_walk.h"

namespace kvat::melody {

// Methods 0-2: a note of its own for every vowel. Methods 0 and 1 take the fixed pentatonic
// map, the soft row `softShift` semitones higher; method 2 the per-vowel note lists.
Melody MelodyFrequency(const Lines& lines, const LineTemplates& templates,
                       const MelodySettings& settings, int softShift);

// Methods 3 and 4: relative moves on the scale, starting again at every word or every line.
IntervalText WordIntervalText(const Lines& lines, const LineTemplates& templates);
IntervalText LineIntervalText(const Lines& lines, const LineTemplates& templates);
Melody MelodyTonalWord(const Lines& lines, const LineTemplates& templates, int baseStep,
                       bool lengthen);
Melody MelodyTonalLinear(const Lines& lines, const LineTemplates& templates, int baseStep,
                         bool lengthen);

// Methods 5-7: the tonal moves bent by the side of the line's centre a word or syllable is on.
IntervalText PlanarIntervalText(const Lines& lines, const LineTemplates& templates,
                                int centreShift);
IntervalText VolumeIntervalText(const Lines& lines, const LineTemplates& templates,
                                int centreShift);
Melody MelodyTonalPlanar(const Lines& lines, const LineTemplates& templates, int baseStep,
                         int centreShift, bool lengthen);
Melody MelodyTonalVolume(const Lines& lines, const LineTemplates& templates, int baseStep,
                         int centreShift, bool lengthen);
Melody MelodyTonalPseudoVolume(const Lines& lines, const LineTemplates& templates, int baseStep,
                               int centreShift, bool lengthen);

// Methods 8 and 9: a fixed motif per metre repeated through each line.
Melody MelodyTemplateMotif(const Lines& lines, const LineTemplates& templates, int baseStep,
                           bool lengthen);
Melody MelodyTemplateFolk(const Lines& lines, const LineTemplates& templates, int baseStep,
                          bool lengthen);

} // namespace kvat::melody
