#pragma once
// The score on the main page: the fixed viewport (Picture2) holding the canvas (Picture1),
// which grows one 800-twip column per note and is moved left under the viewport by the scroll
// bar (HScroll9), and the playback marker (Line6) on the canvas.

#include "score/score_layout.h"

#include <QWidget>

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
    bool MarkerShown() const;
    int MarkerTwips() const { return markerTwips_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScoreLayout layout_;
    QFrame* marker_;
    int markerTwips_ = 1050;
};

class ScoreViewport : public QWidget {
    Q_OBJECT

public:
    explicit ScoreViewport(QWidget* parent);
    ScoreCanvas* Canvas() const { return canvas_; }
    // Moves the canvas's left edge to 1 − 800 × value twips.
    void ScrollTo(int value);

private:
    ScoreCanvas* canvas_;
};

} // namespace kvat
