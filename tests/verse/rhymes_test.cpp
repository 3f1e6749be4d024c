// Rhymes heard as a reader hears them: pairs of line ends that must and must not rhyme, the
// schemes of real stanzas, and the labels the command line writes.

#include "verse/rhyme_scheme.h"
#include "verse/rhymes.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

// Lines whose stressed vowels are marked with U+0301, read as the marks say: the lines
// without the marks, and their stress strings.
std::pair<Lines, std::vector<std::string>> Marked(const Lines& marked) {
    std::pair<Lines, std::vector<std::string>> verse;
    for (const auto& line : marked) {
        std::u32string& text = verse.first.emplace_back();
        std::string& stress = verse.second.emplace_back();
        for (char32_t c : line) {
            if (c == 0x301 && !stress.empty()) stress.back() = '1';
            if (c == 0x301) continue;
            text.push_back(c);
            if (std::u32string_view(U"аеёиоуыэюяАЕЁИОУЫЭЮЯ").find(c) != std::u32string::npos)
                stress.push_back('0');
        }
    }
    return verse;
}

std::vector<LineRhyme> RhymesOf(const Lines& marked) {
    const auto [lines, stress] = Marked(marked);
    return FindRhymes(lines, stress);
}

enum Heard { kNone, kInexact, kExact };
struct Pair {
    std::u32string first, second;
    Heard heard;
};

class Pairs : public testing::TestWithParam<Pair> {};

TEST_P(Pairs, RhymeAsHeard) {
    const auto rhymes = RhymesOf({GetParam().first, GetParam().second});
    const bool rhyme = rhymes[0].group >= 0 && rhymes[0].group == rhymes[1].group;
    EXPECT_EQ(rhyme, GetParam().heard != kNone);
    EXPECT_EQ(rhymes[0].exact && rhymes[1].exact, GetParam().heard == kExact);
    EXPECT_EQ(rhymes[0].score == 1.0f, GetParam().heard == kExact);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rhymes, Pairs, testing::Values(
    Pair{U"Бу́ря мгло́ю не́бо кро́ет", U"То, как зве́рь, она́ заво́ет", kExact},
    Pair{U"любо́вь", U"кро́вь", kExact}, Pair{U"са́д", U"взгля́д", kExact},   // devoiced, я as а
    Pair{U"мо́й", U"поко́й", kExact}, Pair{U"клю́ч", U"лу́ч", kExact},
    Pair{U"меня́", U"огня́", kExact}, Pair{U"моя́", U"друзья́", kExact},     // the same support
    Pair{U"ничего́", U"торжество́", kExact}, Pair{U"смеё́тся", U"бьё́тся", kExact},
    Pair{U"стра́стный", U"нея́сный", kExact}, Pair{U"со́лнце", U"око́нце", kExact}, // unsaid т, л
    Pair{U"ро́зовый", U"берё́зовый", kExact},                                // dactylic
    Pair{U"стро́го", U"доро́гу", kInexact}, Pair{U"послу́шный", U"доброду́шно", kInexact},
    Pair{U"расти́", U"впереди́", kInexact}, Pair{U"грозу́", U"лазу́рь", kInexact},
    Pair{U"проси́т", U"спроси́ть", kInexact}, Pair{U"поле́т", U"боло́т", kInexact}, // ё unwritten
    Pair{U"меня́", U"тебя́", kNone}, Pair{U"Петра́", U"стрела́", kNone},      // open, no support
    Pair{U"ле́с", U"ча́с", kNone}, Pair{U"до́м", U"до́ма", kNone},
    Pair{U"сло́жено", U"поло́жен", kNone}, Pair{U"но́чь", U"но́с", kNone},
    Pair{U"незабве́нный", U"отпечатлё́нный", kNone}));                      // ё written: е is е
// clang-format on

TEST(Rhymes, NeverOverABlankLineAndNotOnLinesWithoutAWord) {
    const auto rhymes = RhymesOf({U"кро́ет", U" ", U"* * *", U"заво́ет", U"ла́сковый", U"во́ет"});
    EXPECT_EQ(rhymes[0].group, kUnrhymed);
    EXPECT_EQ(rhymes[1].group, kNoWord);
    EXPECT_EQ(rhymes[2].group, kNoWord);
    EXPECT_EQ(rhymes[3].group, 0);
    EXPECT_EQ(rhymes[5].group, 0);
    EXPECT_EQ(rhymes[4].clausula, Clausula::kDactylic);
    EXPECT_EQ((std::pair{rhymes[0].stanza, rhymes[3].stanza}), (std::pair{0, 1}));
}

struct Stanza {
    Lines lines;
    std::u32string scheme, name;
};

class Schemes : public testing::TestWithParam<Stanza> {};

TEST_P(Schemes, OfRealStanzas) {
    const auto schemes = StanzaSchemes(RhymesOf(GetParam().lines));
    ASSERT_EQ(schemes.size(), 1u);
    EXPECT_EQ(schemes[0].scheme, GetParam().scheme);
    EXPECT_EQ(schemes[0].name, GetParam().name);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Classics, Schemes, testing::Values(
    Stanza{{U"Бу́ря мгло́ю не́бо кро́ет,", U"Ви́хри сне́жные крутя́;", U"То, как зве́рь, она́ заво́ет,",
            U"То запла́чет, как дитя́."}, U"АбАб", U"перекрёстная"},
    Stanza{{U"Молчи́, скрыва́йся и таи́", U"И чу́вства и мечты́ свои́ —", U"Пуска́й в душе́вной глубине́",
            U"Встаю́т и захо́дят оне́", U"Безмо́лвно, как звё́зды в ночи́, —", U"Любу́йся и́ми — и молчи́."},
           U"ааббвв", U"парная"},
    Stanza{{U"Не мно́жеством карти́н стари́нных мастеро́в", U"Укра́сить я всегда́ жела́л свою́ оби́тель,",
            U"Чтоб суеве́рно и́м диви́лся посети́тель,", U"Внима́я ва́жному сужде́нью знатоко́в."},
           U"аББа", U"опоясывающая"},
    Stanza{{U"Ты ца́рь: живи́ оди́н. Доро́гою свобо́дной", U"Иди́, куда́ влечё́т тебя́ свобо́дный у́м,",
            U"Усоверше́нствуя плоды́ люби́мых ду́м,", U"Не тре́буя награ́д за по́двиг благоро́дный.",
            U"Они́ в само́м тебе́. Ты са́м свой вы́сший су́д;", U"Все́х стро́же оцени́ть уме́ешь ты́ свой тру́д."},
           U"АббАвв", U""},
    Stanza{{U"На се́вере ди́ком стои́т одино́ко", U"На го́лой верши́не сосна́",
            U"И дре́млет, кача́ясь, и сне́гом сыпу́чим", U"Оде́та, как ри́зой, она́."}, U"ХаХа", U""},
    Stanza{{U"Ту́чки небе́сные, ве́чные стра́нники!", U"Сте́пью лазу́рною, це́пью жемчу́жною",
            U"Мчи́тесь вы, бу́дто как я́ же, изгна́нники", U"С ми́лого се́вера в сто́рону ю́жную."},
           U"А′Б′А′Б′", U"перекрёстная"}));
// clang-format on

TEST(Rhymes, LabelsRunAsSpreadsheetColumns) {
    const std::pair<int, std::string> labels[] = {{kNoWord, ""}, {kUnrhymed, "-"}, {0, "A"},
                                                  {25, "Z"},     {26, "AA"},       {27, "AB"},
                                                  {701, "ZZ"},   {702, "AAA"}};
    for (const auto& [group, label] : labels) EXPECT_EQ(RhymeLabel(group), label) << group;
}

} // namespace
} // namespace kvat
