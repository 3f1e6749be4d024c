#pragma once
// Text between the core's UTF-32 strings and Qt, and the one locale fact the core is told.

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

namespace kvat {

inline QString Q(std::u32string_view text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

// The user's decimal separator, which the core writes into numbers it shows in text.
inline char32_t LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? U'.' : static_cast<char32_t>(point.at(0).unicode());
}

} // namespace kvat
