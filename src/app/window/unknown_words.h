#pragma once
// The words no stress source knew, underlined in the editor for the poet to check. The
// underline is a format of its own beside the colour, so the red ictuses and the hand placement
// that reads them see nothing of it.

#include "verse/dictionary_stress.h"

#include <vector>

class QTextDocument;
class QPlainTextEdit;

namespace kvat {

// Clears every underline, then underlines the given words; spans count characters of a line as
// the core does, one per code point. Like recolouring, it is no edit to undo.
void UnderlineUnknownWords(QTextDocument& document,
                           const std::vector<std::vector<TextSpan>>& words);

// What is typed into or beside an underlined word takes no underline: the mark is the last
// analysis's word on a word, and a word being typed is not yet analysed.
void TypeWithoutUnderline(QPlainTextEdit& editor);

} // namespace kvat
