#pragma once
// The score as the window holds it: what its layout is made from, rather than the layout. A
// long verse's layout is hundreds of megabytes, so the window lays out only the columns in
// sight, as they come into sight, and the whole only for an export; what playback reads of
// the whole, the colour list and the scroll range, is kept.

#include "score/score_layout.h"
#include "verse/syllables.h"

#include <string>
#include <vector>

namespace kvat {

struct ScoreSheet {
    std::vector<std::string> tokens;
    DividedText divided; // row k under token k
    ScoreHeader header;
    ScoreOptions options;
    std::vector<NoteLength> lengths;  // the notes' drawn lengths, when not their marks'
    std::vector<ColourValue> colours; // the whole score's colour list
    int scrollMaximum = 0;            // the whole score's
    std::size_t columns = 0;          // the columns the whole layout holds

    // The whole layout.
    ScoreLayout Layout() const;
    // Columns [first, first + count) laid out as the first ones, with the header and staff a
    // layout starts with; the caller moves it 800·first twips right and leaves out the header
    // unless first is 0.
    ScoreLayout LayoutColumns(std::size_t first, std::size_t count) const;
};

// Fills in what is kept of the whole, laying the score out a part at a time.
ScoreSheet MakeScoreSheet(std::vector<std::string> tokens, DividedText divided,
                          const ScoreHeader& header, const ScoreOptions& options,
                          std::vector<NoteLength> lengths = {});

} // namespace kvat
