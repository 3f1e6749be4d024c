#include "piece/piece.h"

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
    if (const auto melody = GenerateMelody(piece.lines, metre, settings.melody, &piece.noMelody))
        piece.tokens = MelodyTokens(melody->text);
    piece.centreRange = CentreRange(piece.lines);
    piece.notes = NotesOf(piece.tokens);
    piece.syllables = DivideSyllables(piece.lines);
    piece.title = VerseTitle(piece.lines);
    piece.words = VerseWords(piece.title, piece.Rows(), piece.tokens.size(), settings.lyrics);
    piece.header = HeaderOf(settings.sound);
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

ScoreLayout LayoutPiece(const Piece& piece, float width) {
    const std::vector<std::u32string_view> rows = piece.Rows();
    const std::vector<std::string_view> tokens(piece.tokens.begin(), piece.tokens.end());
    ScoreOptions options = piece.scoreOptions;
    options.viewportWidth = width;
    return LayoutScore(rows, tokens, piece.header, options);
}

} // namespace kvat
