// The song method: the rules every song keeps, over verses of every metre, odd texts, keys and
// ranges; then what the verse decides: the time signature and upbeat, where the stresses fall,
// how rhyming lines end, the cadences and the stanza break; and when there is no song.

#include "melody_support.h"
#include "song_checks.h"

namespace kvat::test {
namespace {

struct Poem {
    const char32_t* text;
    std::vector<std::string> stress;
    int metre;
};

const Poem kTrocheeVerse{
    U"Буря мглою небо кроет,\nВихри снежные крутя;\nТо, как зверь, она завоет,\n"
    U"То заплачет, как дитя.",
    {"10101010", "1010001", "00101010", "0010001"},
    kTrochee};
const Poem kIambicVerse{U"Мой дядя самых честных правил,\nКогда не в шутку занемог,\n"
                        U"Он уважать себя заставил\nИ лучше выдумать не мог.",
                        {"010101010", "01010001", "000101010", "01010001"},
                        kIamb};

Song Sing(const Poem& v, std::vector<int> rhymes = {}, SongSettings settings = {}) {
    std::string why;
    auto song = ComposeSong(Verse(v.text), v.stress, Metre(v.metre), rhymes, settings, &why);
    EXPECT_TRUE(song) << why;
    return song.value_or(Song{});
}

// The sounding tokens of each line that has any.
std::vector<Tokens> LineNotes(const Song& song) {
    std::vector<Tokens> lines;
    Tokens line;
    for (const auto& t : MelodyTokens(song.text)) {
        if (t != "0")
            line.push_back(t);
        else if (!line.empty())
            lines.push_back(std::exchange(line, {}));
    }
    return lines;
}

int Key(const std::string& token) {
    return std::stoi(token.substr(0, 2));
}

TEST(Song, EveryVerseKeepsTheRules) {
    const std::u32string longLine(300, U'а');
    const Poem verses[] = {
        kTrocheeVerse,
        kIambicVerse,
        {U"Однажды в студёную зимнюю пору\nЛошадка, везущая хворосту воз",
         {"010010010010", "01001001001"},
         kAmphibrach},
        {U"\n\nАх!\nв, к, т\n\nla la м1ама\n", {"", "", "1", "", "", "101", ""}, kDactyl},
        {U"Мама", {}, kManualMetre},
        {longLine.c_str(), {std::string(300, '0')}, kAnapaest},
    };
    for (const Poem& v : verses)
        for (int tonic : {0, 6, 11, 14, -1})
            for (const auto mode : {SongMode::kMajor, SongMode::kMinor})
                for (int range = 0; range < kSongRangeCount; ++range) {
                    const SongSettings s{tonic, mode, static_cast<SongRange>(range)};
                    const Song song = Sing(v, {0, 1, 0, 1}, s);
                    EXPECT_EQ(SongFault(Verse(v.text), song, s), "") << v.metre << " " << tonic;
                    EXPECT_EQ(Sing(v, {0, 1, 0, 1}, s).text, song.text);
                }
}

TEST(Song, TimeSignatureAndUpbeatComeFromTheMetre) {
    const std::tuple<Poem, TimeSignature, int> cases[] = {
        {kTrocheeVerse, {2, 4}, 0},
        {kIambicVerse, {2, 4}, 48},
        {{U"Я памятник себе воздвиг нерукотворный", {"0100010100010"}, kIamb}, {4, 4}, 48},
        {{U"Однажды в студёную зимнюю пору", {"010010010010"}, kAmphibrach}, {6, 8}, 48},
        {{U"Ветер над полем гудит", {"1001001"}, kDactyl}, {3, 4}, 0},
        {{U"И пришла я домой", {"001001"}, kAnapaest}, {3, 4}, 192},
    };
    for (const auto& [verse, time, upbeat] : cases) {
        const Song song = Sing(verse);
        EXPECT_EQ(song.time, time) << verse.metre;
        EXPECT_EQ(song.upbeat, upbeat) << verse.metre;
    }
}

// Each line's accented vowels, where the metre would put an unstressed vowel of a word on
// an ictus: the stressed ones are, the others are not (the held last note aside); '.' for a
// vowel of a word of one vowel, which may go either way.
TEST(Song, StressesNotTheMetreDecideTheAccents) {
    const std::pair<Poem, std::string> cases[] = {
        {{U"О госпожа, я стал их узник пленный", {"00010101010"}, kIamb}, ".--+...+-+."},
        {{U"Вихри снежные крутя", {"1010001"}, kTrochee}, "+-+---+"},
        {{U"Выхожу один я на дорогу", {"0010100010"}, kTrochee}, "--+-+..-+."},
    };
    for (const auto& [verse, accents] : cases) {
        const Tokens notes = LineNotes(Sing(verse))[0];
        ASSERT_EQ(notes.size(), accents.size());
        for (std::size_t i = 0; i + 1 < notes.size(); ++i)
            if (accents[i] != '.') {
                EXPECT_EQ(notes[i].ends_with('+'), accents[i] == '+') << verse.stress[0] << i;
            }
    }
}

TEST(Song, RhymingLinesEndInTheSameFigure) {
    auto figure = [](const Tokens& line) {
        const std::size_t n = line.size();
        return std::pair{Key(line[n - 2]) <=> Key(line[n - 3]),
                         Key(line[n - 1]) <=> Key(line[n - 2])};
    };
    for (const auto& [scheme, pairs] :
         {std::pair{std::vector{0, 1, 0, 1}, std::vector<std::pair<int, int>>{{0, 2}, {1, 3}}},
          std::pair{std::vector{0, 0, 1, 1}, std::vector<std::pair<int, int>>{{0, 1}, {2, 3}}}})
        for (const Poem& verse : {kTrocheeVerse, kIambicVerse}) {
            const auto lines = LineNotes(Sing(verse, scheme));
            for (const auto& [a, b] : pairs) EXPECT_EQ(figure(lines[a]), figure(lines[b]));
        }
}

TEST(Song, StanzasCadenceOnTheDominantThenTheTonicAndBreakForABar) {
    const SongSettings dMinor{2, SongMode::kMinor, SongRange::kAlto};
    const Poem twoStanzas{U"Буря мглою небо кроет,\nВихри снежные крутя;\n\nТо, как зверь, она "
                          U"завоет,\nТо заплачет, как дитя.",
                          {"10101010", "1010001", "", "00101010", "0010001"},
                          kTrochee};
    // One stanza: the half cadence (A) on its second line, its other lines on the tonic (D);
    // two stanzas: on the first line of each.
    const std::pair<Poem, std::vector<int>> cases[] = {{kTrocheeVerse, {2, 9, 2, 2}},
                                                       {twoStanzas, {9, 2, 9, 2}}};
    for (const auto& [verse, ends] : cases) {
        const auto lines = LineNotes(Sing(verse, {}, dMinor));
        ASSERT_EQ(lines.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(Key(lines[i].back()) % 12, ends[i]) << i;
    }
    // The break is one bar more.
    const Song one = Sing(kTrocheeVerse, {}, dMinor), two = Sing(twoStanzas, {}, dMinor);
    EXPECT_EQ(two.starts.back() + two.lengths.back() - one.starts.back() - one.lengths.back(),
              MeasureTicks(two.time));
}

TEST(Song, EachRangeKeepsToItsVoice) {
    const std::tuple<SongRange, int, int> ranges[] = {{SongRange::kSoprano, 59, 84},
                                                      {SongRange::kAlto, 52, 77},
                                                      {SongRange::kTenor, 47, 72},
                                                      {SongRange::kBass, 40, 65}};
    for (const auto& [range, low, high] : ranges)
        for (int tonic = 0; tonic < 12; ++tonic)
            for (const auto& line :
                 LineNotes(Sing(kIambicVerse, {}, {tonic, SongMode::kMajor, range})))
                for (const auto& note : line) {
                    EXPECT_GE(Key(note), low) << tonic;
                    EXPECT_LE(Key(note), high) << tonic;
                }
}

TEST(Song, NoSongWithAOneLineReason) {
    const std::pair<Lines, MetreState> cases[] = {
        {{}, Metre(kIamb)},
        {{U""}, Metre(kIamb)},
        {{U"мама"}, Metre(6)},
        {{U"мама", U"мама"}, Metre(kManualMetre, {"01"})},
    };
    for (const auto& [lines, metre] : cases) {
        std::string why;
        EXPECT_FALSE(ComposeSong(lines, {}, metre, {}, {}, &why));
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(why.find('\n'), std::string::npos);
    }
}

} // namespace
} // namespace kvat::test
