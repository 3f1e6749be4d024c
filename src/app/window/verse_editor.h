#pragma once
// The verse editor. Its text is the verse and the colour of its vowels is the only store of the
// ictuses: red for an ictus, black for none. The colours an analysis gives are kept with each
// line and laid over the lines in sight only, so a verse of any length recolours at once; on "by
// hand" placement the mouse paints vowels red in the characters' own format, which stays with
// them as the text around them is edited. A plain-text editor, which lays out only the lines
// it shows. The rhymes' column (rhyme_column.h) stands at its left, inside its frame.

#include "app/window/rhyme_column.h"
#include "text/strings.h"
#include "verse/colouring.h"
#include "verse/dictionary_stress.h"

#include <QPlainTextEdit>
#include <optional>

class QMenu;

namespace kvat {

class VerseEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit VerseEditor(QWidget* parent = nullptr);

    // The text as its lines; an empty editor holds no line at all, and a text ending in a line
    // break no empty line after it. Kept until the text changes.
    const Lines& VerseLines() const;
    void SetVerse(const Lines& lines);

    // Makes the whole text black and the marked vowels red. Recolouring is not an edit the user
    // can undo, so it leaves no trace in the undo history.
    void ApplyPaint(const VowelPaint& paint);
    // The vowels' colours: per line '1' red, '0' black, 'x' another colour.
    VowelPaint Paint() const;
    // Underlines the words no stress source knew (unknown_words.h); no edit either.
    void UnderlineUnknown(const std::vector<std::vector<TextSpan>>& words);
    // Whether the character at `position` belongs to an underlined word.
    bool UnknownWordAt(int position) const;

    // On while the metre list stands on "by hand": the pointer names the vowel under it and a
    // left click paints it.
    void SetHandPlacement(bool on);
    // The vowel under the pointer at its last move; empty when not over a vowel.
    QString HoverVowel() const { return hoverVowel_; }

    // The rhymes beside the lines, a mark per line, each kept with its line as the colours are.
    void ShowRhymes(std::vector<RhymeMark> marks);
    void ShowRhymeColumn(bool shown);
    // Lays a background under the rhyming end of `line` and of every line that rhymes with it;
    // -1 takes it away.
    void MarkRhyme(int line);
    // The lines in sight, top down, in the viewport's coordinates, which the column shares.
    struct LineInSight {
        const RhymeMark* rhyme; // none when no analysis gave the line one
        int line;
        int top, bottom; // the whole line, all its rows if it wraps
        int lastRowTop;  // its last row, where the line and its rhyme end
        int rowHeight;
        bool marked;
    };
    std::vector<LineInSight> LinesInSight() const;

signals:
    // A vowel was painted or cleared by hand.
    void ictusToggled();
    // Text is to be pasted: from the edit menu, the keyboard or a drop.
    void pasteRequested(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The document position of the character whose cell holds the point, or -1.
    int CharacterAt(const QPoint& viewportPoint) const;
    QString WordAround(int position) const;
    bool IsRed(int position) const;
    void BuildEditMenu();
    void Hover(const QPoint& viewportPoint);
    void ShowLineColours();
    void ClearOwnColours();
    void OnContentsChange(int from, int removed, int added);
    void PlaceRhymeColumn();

    QMenu* editMenu_; // "Правка", which the right button opens
    mutable std::optional<Lines> lines_;
    bool formatting_ = false; // a change of formats alone leaves the lines as they are
    bool ownColours_ = false; // some characters may be coloured in their own format
    int colouring_ = 0;       // the analysis's colouring; a line showing it holds it as its state
    bool handPlacement_ = false;
    int hoverPos_ = -1; // the first vowel of the run under the pointer
    QString hoverVowel_;
    RhymeColumn* rhymeColumn_ = nullptr;
    int markedLine_ = -1;
    int markedGroup_ = kNoWord; // the marked line's rhyme
};

} // namespace kvat
