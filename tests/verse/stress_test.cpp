#include "verse/analysis.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

std::string Stress(const std::u32string& line) {
    return StressStrings({line}).at(0);
}

struct Case {
    std::u32string line;
    std::string stress;
};

class StressRules : public testing::TestWithParam<Case> {};

TEST_P(StressRules, GiveTheLinesStressString) {
    EXPECT_EQ(Stress(GetParam().line), GetParam().stress);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultRules, StressRules,
    testing::Values(Case{U"Ёлка", "10"}, Case{U"лес", "1"}, Case{U"лесу", "01"},
                    Case{U"дорога", "010"}, Case{U"в", ""}, Case{U"и", "0"}, Case{U"через", "00"},
                    Case{U"ЁЖ", "1"},
                    Case{U"всё ещё", "101"}, // "ё" alone decides the stress of its word
                    Case{U"И в лесу", "001"}, Case{U"И в лесу!", "001"}));

// The table replaces " w " left to right without overlap, and lists " у " and " то " twice.
INSTANTIATE_TEST_SUITE_P(
    FunctionWords, StressRules,
    testing::Values(Case{U"не не", "01"}, Case{U"не не не", "010"}, Case{U"у у", "00"},
                    Case{U"у у у у", "0000"}, Case{U"то то", "00"}, Case{U"хотя бы", "000"},
                    Case{U"и, как", "00"}, // commas go before the table is applied
                    Case{U"и— как", "10"}, // a dash hides the function word
                    Case{U"«и» как", "10"},
                    Case{U"лес  и  дом", "101"})); // doubled spaces still separate the words

INSTANTIATE_TEST_SUITE_P(TypedDigits, StressRules,
                         testing::Values(Case{U"соба1ка", "0010"}, Case{U"собака0", "0100"},
                                         Case{U"соба2ка", "010"}, Case{U"со7бака", "0000"},
                                         Case{U"7771", "0001"}, Case{U"0", "1"}));

TEST(StressStrings, OneStringPerLineBlankLinesIncluded) {
    EXPECT_EQ(StressStrings({U"мама мыла раму", U"", U"бвг", U"Ёлка"}),
              (std::vector<std::string>{"010101", "", "", "10"}));
    EXPECT_TRUE(StressStrings({}).empty());
}

} // namespace
} // namespace kvat
