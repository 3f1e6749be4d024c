#pragma once
// The score on the main page: the fixed viewport holding the canvas, which grows one column per
// note and is moved left under the viewport by the page's scroll bar, and the playback marker
// on the canvas.

#include "score/score_layout.h"

#include <QWidget>
#include <optional>

class QFrame;

namespace kvat {

class ScoreCanvas : public QWidget {
    Q_OBJECT

public:
    explicit ScoreCanvas(QWidget* parent);
    void SetLayout(ScoreLayout layout);
    const ScoreLayout& Layout() const { return layout_; }

    // The marker line at x twips on the canvas, across its whole height.
    void SetMarker(int xTwips);
    void ShowMarker(bool shown);

signals:
    // A click on the note of `column`: the user wants to hear the verse from there.
    void columnClicked(int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::optional<int> ColumnAt(int x) const; // the note's column under the point
    ScoreLayout layout_;
    QFrame* marker_;
};

class ScoreViewport : public QWidget {
    Q_OBJECT

public:
    explicit ScoreViewport(QWidget* parent);
    ScoreCanvas* Canvas() const { return canvas_; }
    // Moves the canvas's left edge to 1 twip less `value` columns.
    void ScrollTo(int value);

private:
    ScoreCanvas* canvas_;
};

} // namespace kvat
