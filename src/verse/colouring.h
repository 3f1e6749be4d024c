#pragma once
// Ictus colours in the editor. The red vowels are the only store of hand-placed ictuses, so the
// colours travel as "paint": per line one character per vowel, '1' red, '0' black, and any
// other character a vowel in some other colour.

#include "text/strings.h"
#include "verse/metre.h"

#include <string>
#include <vector>

namespace kvat {

using VowelPaint = std::vector<std::string>;

// The paint a classical metre (0..4) gives: each line consumes the metre's template vowel by
// vowel from its start (trochee without its two leading '0'); vowels past the template's end
// are red. Metre 5 paints nothing: the user does.
VowelPaint ColourIctuses(const Lines& lines, const MetreTemplateList& templates, int metre);

// The editor positions of the red vowels, counting every character once and every line break
// once.
std::vector<std::size_t> RedPositions(const Lines& lines, const VowelPaint& paint);

// The hand-placed pattern read back from the paint: per line its '0'/'1' marks (a vowel in any
// other colour adds nothing, a missing mark is black), lines joined by CR LF CR LF, and a final
// CR LF.
std::string ReadManualIctuses(const Lines& lines, const VowelPaint& paint);

// The stress strings with the hand-placed ictuses put in: a line whose paint has a red vowel
// is stressed on its red vowels alone; the other lines, and typed 1, 0 and 7, keep `stress`.
std::vector<std::string> HandPlacedStress(const Lines& lines, std::vector<std::string> stress,
                                          const VowelPaint& paint);

} // namespace kvat
