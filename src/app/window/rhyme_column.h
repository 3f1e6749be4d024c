#pragma once
// The rhymes' column at the verse's left: beside each line its letter of its stanza's scheme as
// verse study writes it (а, Б, В′; х for a line that rhymes with no other). The pointer over a
// letter marks in the editor the rhyming ends of the lines that share its rhyme, and a tool tip
// says what the letter means. The letters are kept with their lines (verse_editor.h), so they
// stay beside them as lines come and go until the next analysis, and the column paints only the
// lines in sight, where the editor has laid them out.

#include "verse/rhymes.h"

#include <QString>
#include <QTextCharFormat>
#include <QWidget>
#include <cstddef>
#include <vector>

namespace kvat {

class VerseEditor;

// What the column shows beside a line and marks when its letter is pointed at.
struct RhymeMark {
    QString letter; // empty for a line without a word
    int group = kNoWord;
    Clausula clausula = Clausula::kNone;
    bool exact = false;
    std::size_t begin = 0, end = 0; // the rhyming characters, in code points as the core counts
};

// One mark per line, from the verse's rhymes.
std::vector<RhymeMark> RhymeMarks(const std::vector<LineRhyme>& rhymes);

// What a letter means: «рифма А, женская, точная», «без рифмы, мужская клаузула».
QString RhymeTip(const RhymeMark& mark);

// The background under the rhyming ends pointed at, and under their letters.
QTextCharFormat RhymeMarkFormat();

class RhymeColumn : public QWidget {
    Q_OBJECT

public:
    explicit RhymeColumn(VerseEditor& editor);

    // Wide enough for a letter with its stroke in the editor's font.
    int WidthWanted() const;
    // The text scrolled under a pointer at rest: the line now under it is the one pointed at.
    void Scrolled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PointAt(int y);

    VerseEditor& editor_;
};

} // namespace kvat
