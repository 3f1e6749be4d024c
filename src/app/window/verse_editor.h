#pragma once
// The verse editor. Its text is the verse and the colour of its vowels is the only store of the
// ictuses: red for an ictus, black for none. On "by hand" placement the mouse paints them.

#include "text/strings.h"
#include "verse/colouring.h"

#include <QTextEdit>

class QMenu;

namespace kvat {

class VerseEditor : public QTextEdit {
    Q_OBJECT

public:
    explicit VerseEditor(QWidget* parent = nullptr);

    // The text as its lines; an empty editor holds no line at all.
    Lines VerseLines() const;
    void SetVerse(const Lines& lines);

    // Makes the whole text black and the marked vowels red. Recolouring is not an edit the user
    // can undo, so it leaves no trace in the undo history.
    void ApplyPaint(const VowelPaint& paint);
    // The vowels' colours: per line '1' red, '0' black, 'x' another colour.
    VowelPaint Paint() const;

    // On while the metre list stands on "by hand": the pointer names the vowel under it and a
    // left click paints it.
    void SetHandPlacement(bool on);
    // The vowel under the pointer at its last move; empty when not over a vowel.
    QString HoverVowel() const { return hoverVowel_; }

signals:
    // A vowel was painted or cleared by hand.
    void ictusToggled();
    // Text is to be pasted: from the edit menu, the keyboard or a drop.
    void pasteRequested(const QString& text);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The document position of the character whose cell holds the point, or -1.
    int CharacterAt(const QPoint& viewportPoint) const;
    QString WordAround(int position) const;
    bool IsRed(int position) const;
    void Hover(const QPoint& viewportPoint);

    QMenu* editMenu_; // "Правка", which the right button opens
    bool handPlacement_ = false;
    int hoverPos_ = -1; // the first vowel of the run under the pointer
    QString hoverVowel_;
};

} // namespace kvat
