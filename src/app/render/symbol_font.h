#pragma once
// The score's symbol font "Kvat Symbols": it travels inside the program and is registered
// for this process at start-up. The folder it is written to is private to the user.

#include <QByteArray>
#include <QString>

namespace kvat {

inline constexpr char SymbolFontFamily[] = "Kvat Symbols";
inline constexpr char SymbolFontFileName[] = "KvatSymbols.ttf";

// The font's cell: the score places a glyph by the top of its cell, which lies this many
// ems above the baseline (the font's Windows ascent, 851 of 1000 units). Qt on FreeType
// reports the same ascent; the larger horizontal-header ascender (1457) is not the cell.
inline constexpr double SymbolFontCellAscent = 0.851;

// The font file as the program carries it.
QByteArray EmbeddedSymbolFont();

// The user's own folder for the file: $KVAT_DATA_DIR when set, else the application's
// local data location, else the runtime directory.
QString SymbolFontFolder();

// Writes the font into the folder unless the same font is there already, registers it with
// QFontDatabase (a few attempts), and falls back to registering the embedded bytes. Never
// writes through a symbolic link and never fails start-up: it returns whether the family
// can be drawn with afterwards.
bool InstallSymbolFont(const QString& folder);
bool InstallSymbolFont();

} // namespace kvat
