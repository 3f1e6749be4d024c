#pragma once
// The texts of the method settings' labels (the method list's own are in method.h).

#include <array>
#include <string>
#include <string_view>

namespace kvat {

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
