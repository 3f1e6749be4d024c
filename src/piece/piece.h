#pragma once
// One piece from one verse: everything every front end shows, plays or writes, built once from
// the verse's lines, its metre state and the settings of every page. The window draws it, plays
// it and exports it; the command line and the batch write it; the writers (piece_files.h, the
// pictures of app/render, the WAV of sound/) are functions of it. Building never throws and is
// linear in the verse.

#include "melody/melody.h"
#include "midi/arrangement.h"
#include "midi/melody_bars.h"
#include "midi/sound_settings.h"
#include "piece/verse_setup.h"
#include "score/score_layout.h"
#include "text/strings.h"
#include "verse/metre.h"
#include "verse/rhymes.h"
#include "verse/syllables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvat {

// The choices of every settings page.
struct PieceSettings {
    MelodySettings melody;
    SoundSettings sound;
    bool lyrics = true;  // the MIDI file carries the syllables under its notes
    bool colour = false; // the score's syllables in their vowel colours
};

// One melody token as it sounds, in the MIDI file's ticks (96 to a quarter note). The MIDI file
// and the MusicXML score sound each note as long as it says: a method that times its notes
// itself sets them here.
struct PieceNote {
    std::int64_t start = 0; // from the piece's start: the lengths of the notes before it
    TokenSound sound;       // its key (0 a rest), its length, whether the boost lets it through
};

struct Piece {
    Lines lines;
    PieceSettings settings;
    // Per line: its stress string (one '0'/'1' per vowel and typed digit, the hand-placed
    // stresses put in) and its rhyme.
    std::vector<std::string> stress;
    std::vector<LineRhyme> rhymes;

    // The melody: one token per vowel letter and a rest after every line; none when no melody
    // can be made, and then `noMelody` says why in one English line.
    std::vector<std::string> tokens;
    std::string noMelody;
    // The centre shift's range the centre-range methods give the window's bar.
    std::pair<int, int> centreRange;
    std::vector<PieceNote> notes; // one per token
    // The bars of a method that times its notes in bars of its own: its time signature, upbeat,
    // key and a chord per bar. None for the methods the settings' time signature bars.
    std::optional<MelodyBars> bars;

    // The notes as the arrangement takes them.
    std::vector<TokenSound> Sounds() const;

    DividedText syllables;     // row k sits under token k
    std::u32string title;      // the first line with text
    MidiWords words;           // the MIDI file's track name and lyrics
    ScoreHeader header;        // the tempo, dynamics and time signature the score prints
    ScoreOptions scoreOptions; // accents and colours; LayoutPiece gives the width

    // The divided text's rows, as views into `syllables`.
    std::vector<std::u32string_view> Rows() const;
    // Whether any token is a note: a melody of rests alone sounds nothing and draws no score.
    bool Sung() const;
    // Why the piece has nothing to sound or draw, empty when it has: no melody, or one of rests.
    std::string Silence() const;
};

// `stress` holds the lines' stress strings with the hand-placed stresses put in
// (verse_setup.h's VerseStress), as the song method and the rhymes read them.
Piece BuildPiece(Lines lines, const MetreState& metre, std::vector<std::string> stress,
                 const PieceSettings& settings);
// The piece of a verse as SetUpVerse leaves it.
Piece BuildPiece(VerseSetup verse, const PieceSettings& settings);

// A piece of melody tokens alone, with no verse under them: no title and no words.
Piece PieceOfTokens(std::vector<std::string> tokens, const PieceSettings& settings = {});

// The score's header as the sound settings leave it: the nearest tempo term and dynamics mark,
// the beats per minute and the time signature.
ScoreHeader HeaderOf(const SoundSettings& sound);

// The lengths the notes of a method that times them are drawn in, the longest of the score's
// three within each; none for the methods whose marks say their lengths.
std::vector<NoteLength> DrawnLengths(const Piece& piece);

// The score laid out for a viewport `width` twips wide (the window's may grow).
ScoreLayout LayoutPiece(const Piece& piece, float width = kViewportTwips);

} // namespace kvat
