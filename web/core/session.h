#pragma once
// One page's verse and the piece the core makes of it (src/piece, as the window's and kvat's),
// held between the page's calls so that a long verse crosses into WebAssembly once per edit.
// Plain C++ over the core; bindings.cpp shows it to JavaScript. Text positions handed out are
// UTF-16 code units, as the page's strings count.

#include "melody/melody.h"
#include "midi/sound_settings.h"
#include "piece/piece.h"
#include "score/score_layout.h"
#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/rhymes.h"
#include "verse/syllables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvat::web {

// What the verse view draws on one line: the red vowels, the underlined unknown words, and
// beside the line its letter of its stanza's rhyme scheme with what the letter means, and the
// characters marked when the pointer is on a letter of its rhyme.
struct LineMarks {
    std::vector<std::uint32_t> red;     // UTF-16 offsets
    std::vector<std::uint32_t> unknown; // (offset, length) pairs in UTF-16 units
    std::u32string rhyme;               // empty for a line without a word
    std::u32string rhymeTip;
    int rhymeGroup = kNoWord;                   // lines of one group rhyme
    std::uint32_t rhymeBegin = 0, rhymeEnd = 0; // the rhyming characters, in UTF-16 units
};

// The score as flat arrays, one entry (or a fixed group of entries) per layout item.
struct ScoreArrays {
    std::vector<float> geometry;       // x, y, x2, y2, size
    std::vector<std::uint8_t> style;   // kind, role, font, italic | bold << 1
    std::vector<std::uint32_t> colour; // 0xBBGGRR
    std::vector<std::uint32_t> text;   // start, length into `chars`, UTF-16 units
    std::vector<std::int32_t> column;
    std::u16string chars;
};

class Session {
public:
    // The editor's text: lines split at LF, a CR before it dropped. Analyses it afresh; a chosen
    // metre stays chosen unless `followAnalysis`, then it is the analysis's choice.
    void SetVerse(const std::string& utf8, bool followAnalysis);
    void SetStressMode(StressMode mode) { mode_ = mode; }
    void SetDecimalSeparator(char32_t separator) { separator_ = separator; }

    const VerseAnalysis& Analysis() const { return analysis_; }
    std::size_t LineCount() const { return lines_.size(); }
    int Metre() const { return metre_.metre; }
    bool HasMetre() const { return analysis_.metre.has_value(); }
    // Paints the vowels by the metre; the hand-placed pattern starts from all black.
    void ChooseMetre(int metre);
    // With the hand-placed pattern chosen, the vowel at or after `column` of `line` (within its
    // run of vowels) turns red or black again. False when there is none.
    bool ToggleIctus(std::size_t line, std::size_t column);
    LineMarks Marks(std::size_t line) const;

    // The piece and its score. False with `Why()` when no melody can be made.
    bool MakeScore(const MelodySettings& melody, const SoundSettings& sound, bool colour,
                   float viewportTwips);
    const std::string& Why() const { return why_; }
    std::optional<std::pair<int, int>> CentreRange() const { return centreRange_; }
    const std::vector<std::u32string>& Messages() const { return messages_; }
    const ScoreLayout& Layout() const { return layout_; }
    const ScoreArrays& Arrays() const { return arrays_; }
    bool HasSungNote() const;

    // The piece's files, under these sound settings.
    std::vector<std::uint8_t> MidiFile(const SoundSettings& sound, bool lyrics) const;
    std::string MusicXml(const SoundSettings& sound) const;
    // Where each note starts sounding in that MIDI file, in its ticks and in milliseconds; one
    // more entry for the end of the last.
    struct Starts {
        std::vector<double> ticks, ms;
    };
    Starts TokenStarts(const std::vector<std::uint8_t>& midiFile) const;
    std::u32string Title() const;

private:
    void Repaint();
    // The rhymes follow the analysis's stresses, or with the hand-placed metre the vowels painted.
    void FindRhymesAgain();

    Lines lines_;
    StressMode mode_ = StressMode::kRule;
    char32_t separator_ = U',';
    VerseAnalysis analysis_;
    WordStressMemo memo_; // the dictionary's answers, kept from one edit to the next
    MetreState metre_;
    VowelPaint paint_;
    std::vector<LineRhyme> rhymes_;
    std::vector<std::u32string> rhymeLetters_;

    Piece piece_;
    std::optional<std::pair<int, int>> centreRange_;
    std::vector<std::u32string> messages_;
    std::string why_;
    ScoreLayout layout_;
    ScoreArrays arrays_;
};

} // namespace kvat::web
