// The piece's timed notes are where its MIDI file plays them: every sung note starts on its
// key at its tick, read back by mido, whatever the method and the settings.

#include "midi/mido_reader.h"
#include "piece/piece.h"
#include "piece/piece_files.h"
#include "piece/verse_setup.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kvat {
namespace {

Lines VerseFile(const std::string& name) {
    std::ifstream in(std::string(KVAT_TEST_DATA) + "/verse/" + name, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    Lines lines =
        Split(std::u32string_view(DecodeUtf8(bytes).value_or(U"")), std::u32string_view(U"\n"));
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// Under a song the held chord is struck at every bar line and nowhere else, as the bar's
// chord, and the harmony voices sing tones of the chord of the bar they start in.
void ExpectTheBarsChords(const MelodyBars& bars, const test::MidoReading& reading) {
    auto inChord = [&](long tick, int key) {
        const BarChord& chord = bars.chords[bars.ChordIndexAt(tick).value()];
        const int above = ((key - chord.root) % 12 + 12) % 12;
        return above == 0 || above == 7 || above == (chord.minor ? 3 : 4);
    };
    std::vector<long> struck;
    for (int channel = 1; channel < 8; ++channel)
        for (const auto& event : reading.Of("note_on", channel)) {
            EXPECT_TRUE(inChord(event.tick, event.first)) << event;
            if (channel == 4) struck.push_back(event.tick);
        }
    std::vector<long> lines = {0};
    while (lines.size() < struck.size()) lines.push_back(bars.NextBarLine(lines.back()));
    EXPECT_EQ(struck, lines);
    EXPECT_EQ(struck.size(), bars.chords.size());
}

struct Case {
    const char* verse;
    PieceSettings settings;
};

const Case kCases[] = {
    {"winter-evening.txt", {}},
    {"onegin.txt", {.melody = {.method = Method::kTonalWord, .lengthen = false}, .sound = {}}},
    {"peasant-children.txt",
     {.melody = {.method = Method::kTemplateMotif},
      .sound = {.beatsPerMinute = 40, .mezzo = {true, 40}, .accompanimentOn = true}}},
    {"winter-evening.txt",
     {.melody = {.method = Method::kSong, .song = {9, SongMode::kMinor, SongRange::kTenor}},
      .sound = {.mezzo = {true, 52}, .tenor = {true, 52}, .accompanimentOn = true}}},
};

TEST(Piece, EverySungNoteStartsAtItsTickOnItsKeyInTheMidiFile) {
    for (const auto& [verse, settings] : kCases) {
        const VerseSetup setup = SetUpVerse(VerseFile(verse), StressMode::kRule, {});
        const Piece piece = BuildPiece(setup, settings);
        ASSERT_GT(piece.notes.size(), 20u) << verse;
        const auto reading = test::WriteAndReadWithMido("piece.mid", PieceMidi(piece));
        ASSERT_TRUE(reading.accepted) << reading.output;
        std::vector<std::pair<long, int>> expected, played;
        for (const PieceNote& note : piece.notes)
            if (note.sound.note != 0) expected.emplace_back(note.start, note.sound.note);
        for (const auto& event : reading.Of("note_on", 0))
            played.emplace_back(event.tick, event.first);
        EXPECT_EQ(played, expected) << verse;
        if (piece.bars) ExpectTheBarsChords(*piece.bars, reading);
    }
}

} // namespace
} // namespace kvat
