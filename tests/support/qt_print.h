#pragma once
// GoogleTest shows Qt's strings as their text, not as the bytes of their characters.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
