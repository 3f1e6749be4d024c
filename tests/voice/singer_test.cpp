// The voice sings every note of a phrase at its key and on its time, whatever its words.

#include "sung_notes.h"
#include "voice/singer.h"
#include "voice/voice_range.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

struct SongCase {
    VoiceKind voice;
    std::vector<std::vector<std::u32string>> lines;
    std::vector<int> keys;
    bool fallsBack = false;
};

class SungPhrases : public testing::TestWithParam<SongCase> {};

TEST_P(SungPhrases, SingEveryNoteOnItsTimeAndKeyAndEndInSilence) {
    const auto& c = GetParam();
    const auto written = test::Notes(c.lines, c.keys);
    const auto notes = InVoiceRange(written, c.voice);
    const auto piece = SingPiece(notes, c.voice, test::kRate);
    ASSERT_TRUE(piece);
    const VoiceRange& range = RangeOf(c.voice);
    for (std::size_t i = 0; i < notes.size(); ++i) // moved by octaves into the range, and sung
        EXPECT_TRUE(notes[i].key >= range.lowKey && notes[i].key <= range.highKey &&
                    (notes[i].key - written[i].key) % 12 == 0 && test::SungAt(*piece, notes[i]))
            << "key " << notes[i].key << " at " << notes[i].start;
    const SungNote& last = notes.back();
    EXPECT_LT(static_cast<double>(piece->size()) / test::kRate, last.start + last.length + 0.1);
    bool fellBack = false;
    for (const auto phrase : Phrases(notes)) {
        const auto sung = SingPhrase(phrase, c.voice, test::kRate);
        ASSERT_TRUE(sung);
        fellBack |= sung->fellBack;
        const auto& samples = sung->sound.samples;
        EXPECT_LT(std::abs(samples.front()) + std::abs(samples.back()), 1e-4); // no click
        if (phrase.data() != notes.data() && phrase[0].phrase != phrase.data()[-1].phrase) {
            // the rest before a line is silent
            const auto rest =
                static_cast<std::size_t>((phrase[0].start - 0.7 * test::kRest) * test::kRate);
            EXPECT_LT(std::abs((*piece)[rest]), 1e-3);
        }
    }
    EXPECT_EQ(fellBack, c.fallsBack);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SungPhrases,
    testing::Values(
        SongCase{VoiceKind::kMale,
                 {{U"Я", U"в ле-", U"су"}, {U"ж по-", U"те-", U"ря"}},
                 {48, 55, 52, 60}},
        // Keys past the top of the voice are sung an octave lower, or as far as it takes.
        SongCase{VoiceKind::kFemale, {{U"Сколь-", U"ко", U"сто-", U"ит?"}}, {72, 84, 79, 67}},
        SongCase{VoiceKind::kFemale, {{U"ма", U"ма", U"ма", U"ма"}}, {36, 48, 95, 60}},
        SongCase{VoiceKind::kMale, {{U"ма", U"ма", U"ма", U"ма"}}, {36, 48, 95, 60}},
        SongCase{
            VoiceKind::kMale, {{U"ёж", U"и", U"вью-", U"га"}, {U"съел", U"о-", U"бъём"}}, {45, 57}},
        // espeak-ng 1.51 reads «вответ» with a vowel too many; lyrics of no Russian letter at all.
        SongCase{VoiceKind::kFemale,
                 {{U"всем", U"кри-", U"ти-", U"кам", U"и", U"всем", U"льсте-", U"цам", U"в от-",
                   U"вет"}},
                 {60, 62, 64, 65},
                 true},
        SongCase{VoiceKind::kMale, {{U"la", U"la", U"la"}}, {50, 53}, true},
        // A line too long for one breath is sung in parts.
        SongCase{VoiceKind::kMale, {std::vector<std::u32string>(60, U"ла")}, {50, 52, 55}}));

} // namespace
} // namespace kvat
