#pragma once
// The texts of the method list and of the method settings' labels.

#include <array>
#include <string>
#include <string_view>

namespace kvat {

// The method list, in list order: the index is the method number.
inline constexpr std::array<std::u32string_view, 10> kMethodNames = {
    U"Частотный (Велтунов)", U"Частотный (сглаженный)",     U"Частотный (произвольный)",
    U"Тональный (Дымбрин)",  U"Тональный (линейный)",       U"Тональный (плоскостной)",
    U"Тональный (объемный)", U"Тональный (псевдообъемный)", U"Шаблонный (Корбан)",
    U"Шаблонный (народный)",
};

// The settings panel's caption for a method: "Настройки метода: " and the method's list text
// with its first letter lower-cased.
std::u32string MethodCaption(std::u32string_view methodName);

// The text under a method panel's key bar: " Играть на 5 тонов ниже" for -5.
std::u32string KeyText(int value);

// The text under the soft-vowel shift bar, which counts half steps: " Сместить на 0,5 шага" for 1
// with a comma as the decimal separator.
std::u32string ShiftText(int value, char32_t decimalSeparator);

// The text under the line-centre bar, the value with its sign: " Сместить центр на -2 икта".
std::u32string CentreText(int value);

} // namespace kvat
