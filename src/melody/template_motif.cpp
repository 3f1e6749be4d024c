// Methods 8 and 9: a fixed motif, chosen by the metre, laid over the syllables of each line.

#include "melody/methods.h"
#include "melody/step_table.h"

#include <array>
#include <cstdint>

namespace kvat::melody {
namespace {

// What a motif position does with the running step s, given the base b and the vowel's move
// size d (1 for the hard row, 2 for the soft).
enum class Move : unsigned char {
    kBase,   // b
    kBaseUp, // b + d
    kUp,     // s + d
    kDown,   // s - d
};

struct Motif {
    std::array<Move, 7> cells; // position 0 only opens a line; 1..last repeat
    int last;
};

using M = Move;
// By family: trochee, iamb, and the ternary metres (with the hand-placed pattern).
constexpr Motif kMotifMoves[3] = {
    {{M::kBaseUp, M::kDown, M::kDown, M::kUp, M::kUp}, 4},
    {{M::kBase, M::kUp, M::kDown, M::kDown, M::kUp}, 4},
    {{M::kBaseUp, M::kBase, M::kUp, M::kUp, M::kDown, M::kBaseUp}, 5},
};
constexpr Motif kFolkMoves[3] = {
    {{M::kBaseUp, M::kBase, M::kDown, M::kBase, M::kUp}, 4},
    {{M::kBase, M::kUp, M::kBase, M::kDown, M::kBase}, 4},
    {{M::kBaseUp, M::kBase, M::kUp, M::kBaseUp, M::kBase, M::kUp, M::kBaseUp}, 6},
};

// By metre index 0..5: the motif family, and where a line starts in it (the dactyl and the
// anapaest start past the opening position).
constexpr int kFamily[6] = {0, 1, 2, 2, 2, 2};
constexpr int kFirstPosition[6] = {0, 0, 0, 1, 2, 0};

struct MotifWalker {
    const Motif& motif;
    int metre;
    std::int64_t base;
    Melody& out;
    std::int64_t step = 0;
    int position = 0;

    void StartLine(std::size_t) {
        step = base;
        position = kFirstPosition[metre];
    }
    void Space() {}
    void Vowel(char32_t lower, bool ictus) {
        const int d = IsSoftVowel(lower) ? 2 : 1;
        switch (motif.cells[static_cast<std::size_t>(position)]) {
        case Move::kBase:
            step = base;
            break;
        case Move::kBaseUp:
            step = base + d;
            break;
        case Move::kUp:
            step += d;
            break;
        case Move::kDown:
            step -= d;
            break;
        }
        position = position == motif.last ? 1 : position + 1;
        out.push_back({NoteOfStep(step), ictus ? 1 : 0});
    }
    void EndLine() { out.push_back({}); }
};

Melody MelodyFromMotifs(const Lines& lines, const LineTemplates& templates,
                        const Motif (&motifs)[3], int baseStep, bool lengthen) {
    const int metre = templates.ChosenMetre();
    Melody melody;
    melody.reserve(TokenCount(lines));
    MotifWalker walker{motifs[kFamily[metre]], metre, baseStep, melody};
    WalkVerse(lines, templates, walker);
    LengthenSinglePass(melody, lengthen);
    return melody;
}

} // namespace

Melody MelodyTemplateMotif(const Lines& lines, const LineTemplates& templates, int baseStep,
                           bool lengthen) {
    return MelodyFromMotifs(lines, templates, kMotifMoves, baseStep, lengthen);
}

Melody MelodyTemplateFolk(const Lines& lines, const LineTemplates& templates, int baseStep,
                          bool lengthen) {
    return MelodyFromMotifs(lines, templates, kFolkMoves, baseStep, lengthen);
}

} // namespace kvat::melody
