// The words espeak-ng is given for a phrase, and the notes read from the piece.

#include "piece/verse_setup.h"
#include "sung_notes.h"
#include "voice/phrase_text.h"
#include "voice/piece_notes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvat {
namespace {

struct TextCase {
    std::vector<std::u32string> lyrics; // as the MIDI lyrics write them, "-" where a word goes on
    std::string spoken;
};

class SpokenWords : public testing::TestWithParam<TextCase> {};

TEST_P(SpokenWords, JoinTheSyllablesAndTheVowellessWords) {
    const auto notes = test::Notes({GetParam().lyrics}, {60});
    const PhraseText text = SpokenText(notes);
    EXPECT_EQ(text.utf8, GetParam().spoken);
    EXPECT_EQ(text.vowels, notes.size()); // a vowel letter per note
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SpokenWords,
    testing::Values(TextCase{{U"Я", U"в ле-", U"су"}, "я влесу"},
                    TextCase{{U"Скор-", U"бя,", U"Сол-", U"нце..."}, "скорбя солнце"},
                    TextCase{{U"мо-", U"я", U"ж по-", U"те-", U"ря"}, "мояж потеря"},
                    TextCase{{U"Я", U"к сер-", U"дцу", U"дверь", U"- бе-", U"спе-", U"чен,"},
                             "я ксердцу дверь беспечен"},
                    // A row of two vowel letters sings on the first of their notes.
                    TextCase{{U"нои", U"", U"дом"}, "нои дом"},
                    TextCase{{U"Ёж", U"и с"}, "ёж ис"}));

TEST(PieceNotes, StartWithTheirTokensAndPartAtRests) {
    PieceSettings settings;
    settings.sound.beatsPerMinute = 120; // a tick lasts 1/192 s
    Piece piece = PieceOfTokens({"60", "64+", "67++", "0", "0+", "55", "0"}, settings);
    piece.words.lyrics = {"мгло-", "ю", "бур", "", "", "я"};
    const auto notes = PieceNotes(piece);
    // Start and length in ms, key, syllable, whether the word goes on, phrase.
    using Note = std::tuple<long, long, int, std::u32string, bool, int>;
    const Note expected[] = {{0, 250, 60, U"мгло", true, 0},
                             {250, 375, 64, U"ю", false, 0},
                             {625, 500, 67, U"бур", false, 0},
                             {1875, 250, 55, U"я", false, 1}};
    ASSERT_EQ(notes.size(), std::size(expected));
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const SungNote& n = notes[i];
        EXPECT_EQ(Note(std::lround(n.start * 1000), std::lround(n.length * 1000), n.key, n.syllable,
                       n.wordGoesOn, n.phrase),
                  expected[i])
            << i;
    }
}

// The file's lyrics are a choice of the MIDI file's; the voice sings the words all the same.
TEST(PieceNotes, SingTheWordsTheFileLeavesOut) {
    const VerseSetup verse = SetUpVerse({U"Мой дядя в лесу"}, StressMode::kRule, {});
    for (const bool lyrics : {true, false}) {
        const Piece piece = BuildPiece(verse, {{}, {}, lyrics});
        EXPECT_EQ(SpokenText(PieceNotes(piece)).utf8, "мой дядя влесу") << lyrics;
    }
}

} // namespace
} // namespace kvat
