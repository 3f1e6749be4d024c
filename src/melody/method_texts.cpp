#include "melody/method_texts.h"

#include "text/strings.h"

#include <cstdlib>

namespace kvat {
namespace {

// The form of a counted noun after a number of the given size, from the smallest size on.
struct CountedForm {
    int from;
    std::u32string_view word;
};

constexpr CountedForm kTones[] = {{1, U"тон"}, {2, U"тона"}, {5, U"тонов"}};
constexpr CountedForm kIctuses[] = {{1, U"икт"}, {2, U"икта"}, {5, U"иктов"}};

template <std::size_t N> std::u32string_view CountedWord(const CountedForm (&forms)[N], int count) {
    std::u32string_view word = forms[0].word;
    for (const auto& form : forms)
        if (count >= form.from) word = form.word;
    return word;
}

std::u32string Digits(long long value) {
    const std::string text = std::to_string(value);
    return std::u32string(text.begin(), text.end());
}

// Half of `value` as the system prints a number: no decimals when it is whole.
std::u32string Half(int value, char32_t decimalSeparator) {
    if (value % 2 == 0) return Digits(value / 2);
    std::u32string text = value < 0 ? U"-" : U"";
    return text + Digits(std::llabs(value) / 2) + decimalSeparator + U"5";
}

} // namespace

std::u32string MethodCaption(std::u32string_view methodName) {
    std::u32string caption = U"Настройки метода: ";
    if (methodName.empty()) return caption;
    caption += ToLower(methodName.front());
    caption += methodName.substr(1);
    return caption;
}

std::u32string KeyText(int value) {
    if (value == 0) return U" Играть не изменяя тона";
    const int count = std::abs(value);
    return U" Играть на " + Digits(count) + U" " + std::u32string(CountedWord(kTones, count)) +
           (value > 0 ? U" выше" : U" ниже");
}

std::u32string ShiftText(int value, char32_t decimalSeparator) {
    if (value == 0) return U" Играть как \"не диезные\"";
    const std::u32string_view word = value == 2 ? U"шаг" : value == 10 ? U"шагов" : U"шага";
    return U" Сместить на " + Half(value, decimalSeparator) + U" " + std::u32string(word);
}

std::u32string CentreText(int value) {
    if (value == 0) return U" Не смещать центр строки";
    return U" Сместить центр на " + Digits(value) + U" " +
           std::u32string(CountedWord(kIctuses, std::abs(value)));
}

} // namespace kvat
