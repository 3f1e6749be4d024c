// The words espeak-ng is given for a phrase, and the notes read from the piece.

#include "piece/verse_setup.h"
#include "voice/phrase_text.h"
#include "voice/piece_notes.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

struct TextCase {
    std::vector<std::u32string> lyrics; // as the MIDI lyrics write them, "-" where a word goes on
    std::string spoken;
};

class SpokenWords : public testing::TestWithParam<TextCase> {};

TEST_P(SpokenWords, JoinTheSyllablesAndTheVowellessWords) {
    std::vector<SungNote> notes;
    for (const auto& lyric : GetParam().lyrics) {
        SungNote note;
        note.wordGoesOn = lyric.ends_with(U'-');
        note.syllable = lyric.substr(0, lyric.size() - note.wordGoesOn);
        notes.push_back(note);
    }
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
    struct Expected {
        double start, length;
        int key;
        std::u32string syllable;
        bool goesOn;
        int phrase;
    };
    const Expected expected[] = {{0, 0.25, 60, U"мгло", true, 0},
                                 {0.25, 0.375, 64, U"ю", false, 0},
                                 {0.625, 0.5, 67, U"бур", false, 0},
                                 {1.875, 0.25, 55, U"я", false, 1}};
    ASSERT_EQ(notes.size(), std::size(expected));
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_DOUBLE_EQ(notes[i].start, expected[i].start) << i;
        EXPECT_DOUBLE_EQ(notes[i].length, expected[i].length) << i;
        EXPECT_EQ(notes[i].key, expected[i].key) << i;
        EXPECT_EQ(notes[i].syllable, expected[i].syllable) << i;
        EXPECT_EQ(notes[i].wordGoesOn, expected[i].goesOn) << i;
        EXPECT_EQ(notes[i].phrase, expected[i].phrase) << i;
    }
}

// The file's lyrics are a choice of the MIDI file's; the voice sings the words all the same.
TEST(PieceNotes, SingTheWordsTheFileLeavesOut) {
    for (const bool lyrics : {true, false}) {
        PieceSettings settings;
        settings.lyrics = lyrics;
        const VerseSetup verse = SetUpVerse({U"Мой дядя", U"в лесу"}, StressMode::kRule, {});
        const Piece piece = BuildPiece(verse.lines, verse.metre, settings);
        std::u32string sung;
        for (const SungNote& note : PieceNotes(piece))
            sung += note.syllable + (note.wordGoesOn ? U"" : U" ");
        EXPECT_EQ(sung, U"Мой дядя в лесу ") << lyrics;
    }
}

} // namespace
} // namespace kvat
