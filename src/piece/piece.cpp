#include "piece/piece.h"

#include "midi/midi_file.h"
#include "midi/midi_words.h"
#include "midi/sound_tables.h"
#include "score/melody_token.h"
#include "verse/letters.h"
#include "verse/lyrics.h"

#include <algorithm>

namespace kvat {
namespace {

std::vector<PieceNote> NotesOf(const std::vector<std::string>& tokens) {
    std::vector<PieceNote> notes;
    notes.reserve(tokens.size());
    std::int64_t start = 0;
    for (const std::string& token : tokens) {
        const TokenSound sound = ReadToken(token);
        notes.push_back({start, sound});
        start += sound.ticks;
    }
    return notes;
}

// The song's notes sound as long as it times them; their keys and marks are the tokens'.
std::vector<PieceNote> TimedNotes(const std::vector<std::string>& tokens, const SongTiming& song) {
    std::vector<PieceNote> notes;
    notes.reserve(tokens.size());
    for (std::size_t k = 0; k < tokens.size() && k < song.starts.size(); ++k) {
        TokenSound sound = ReadToken(tokens[k]);
        sound.ticks = song.lengths[k];
        notes.push_back({song.starts[k], sound});
    }
    return notes;
}

MelodyBars BarsOf(const SongTiming& song, const SongSettings& key) {
    MelodyBars bars{song.time.beats,
                    song.time.beatType,
                    song.upbeat,
                    ((key.tonic % 12) + 12) % 12,
                    key.mode == SongMode::kMinor,
                    {}};
    bars.chords.reserve(song.chords.size());
    for (const SongChord& chord : song.chords) bars.chords.push_back({chord.root, chord.minor});
    return bars;
}

// The song method hears the lines that rhyme as the rhymes found them.
std::vector<int> RhymeGroups(const std::vector<LineRhyme>& rhymes) {
    std::vector<int> groups;
    groups.reserve(rhymes.size());
    for (const LineRhyme& rhyme : rhymes) groups.push_back(rhyme.group);
    return groups;
}

bool HasVowel(const Lines& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::u32string& line) {
        return std::any_of(line.begin(), line.end(),
                           [](char32_t c) { return IsVowel(ToLower(c)); });
    });
}

} // namespace

std::vector<std::u32string_view> Piece::Rows() const {
    std::vector<std::u32string_view> rows;
    rows.reserve(syllables.RowCount());
    for (std::size_t k = 0; k < syllables.RowCount(); ++k) rows.push_back(syllables.Row(k));
    return rows;
}

std::vector<TokenSound> Piece::Sounds() const {
    std::vector<TokenSound> sounds;
    sounds.reserve(notes.size());
    for (const PieceNote& note : notes) sounds.push_back(note.sound);
    return sounds;
}

bool Piece::Sung() const {
    return std::any_of(tokens.begin(), tokens.end(), [](const std::string& token) {
        const auto note = ReadScoreToken(token);
        return note && note->value != 0;
    });
}

std::string Piece::Silence() const {
    if (tokens.empty()) return noMelody;
    if (Sung()) return {};
    return HasVowel(lines) ? "every note is a rest" : "the text has no Russian vowels";
}

ScoreHeader HeaderOf(const SoundSettings& sound) {
    const TempoItem& tempo =
        kTempoTable[static_cast<std::size_t>(TempoIndex(sound.beatsPerMinute))];
    const DynamicsItem& dynamics =
        kDynamicsTable[static_cast<std::size_t>(DynamicsIndex(sound.dynamicsPercent))];
    ScoreHeader header;
    header.tempoTerm = std::u32string(tempo.term);
    header.beatsPerMinute = sound.beatsPerMinute;
    header.dynamicsGlyph = static_cast<char32_t>(dynamics.glyph);
    header.numerator = sound.numerator;
    header.denominator = sound.denominator;
    return header;
}

Piece BuildPiece(Lines lines, const MetreState& metre, std::vector<std::string> stress,
                 const PieceSettings& settings) {
    Piece piece;
    piece.lines = std::move(lines);
    piece.settings = settings;
    piece.stress = std::move(stress);
    piece.rhymes = FindRhymes(piece.lines, piece.stress);
    const std::vector<int> groups = RhymeGroups(piece.rhymes);
    if (const auto melody = GenerateMelody(piece.lines, metre, settings.melody, &piece.noMelody,
                                           {piece.stress, groups})) {
        piece.tokens = MelodyTokens(melody->text);
        if (melody->timing) {
            piece.notes = TimedNotes(piece.tokens, *melody->timing);
            piece.bars = BarsOf(*melody->timing, settings.melody.song);
        }
    }
    piece.centreRange = CentreRange(piece.lines);
    if (!piece.bars) piece.notes = NotesOf(piece.tokens);
    piece.syllables = DivideSyllables(piece.lines);
    piece.title = VerseTitle(piece.lines);
    piece.words = VerseWords(piece.title, piece.Rows(), piece.tokens.size(), settings.lyrics);
    piece.header = HeaderOf(settings.sound);
    if (piece.bars) {
        piece.header.numerator = piece.bars->beats;
        piece.header.denominator = piece.bars->beatType;
    }
    piece.scoreOptions.accents = settings.sound.boostPercent > 0;
    piece.scoreOptions.colour = settings.colour;
    return piece;
}

Piece PieceOfTokens(std::vector<std::string> tokens, const PieceSettings& settings) {
    Piece piece;
    piece.settings = settings;
    piece.tokens = std::move(tokens);
    piece.notes = NotesOf(piece.tokens);
    piece.header = HeaderOf(settings.sound);
    piece.scoreOptions.accents = settings.sound.boostPercent > 0;
    piece.scoreOptions.colour = settings.colour;
    return piece;
}

Piece BuildPiece(VerseSetup verse, const PieceSettings& settings) {
    std::vector<std::string> stress = VerseStress(verse);
    return BuildPiece(std::move(verse.lines), verse.metre, std::move(stress), settings);
}

std::vector<NoteLength> DrawnLengths(const Piece& piece) {
    std::vector<NoteLength> lengths;
    if (!piece.bars) return lengths;
    lengths.reserve(piece.notes.size());
    for (const PieceNote& note : piece.notes)
        lengths.push_back(note.sound.ticks >= 2 * kTicksPerQuarter ? NoteLength::kHalf
                          : note.sound.ticks >= kTicksPerQuarter   ? NoteLength::kQuarter
                                                                   : NoteLength::kEighth);
    return lengths;
}

ScoreLayout LayoutPiece(const Piece& piece, float width) {
    const std::vector<std::u32string_view> rows = piece.Rows();
    const std::vector<std::string_view> tokens(piece.tokens.begin(), piece.tokens.end());
    ScoreOptions options = piece.scoreOptions;
    options.viewportWidth = width;
    return LayoutScore(rows, tokens, piece.header, options, DrawnLengths(piece));
}

} // namespace kvat
