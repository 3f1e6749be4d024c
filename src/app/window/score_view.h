#pragma once
// The score on the main page: the viewport, which the score's scroll bar moves along the score
// one column at a time, the canvas that paints the columns in sight, and the playback marker.
// The score is drawn at a zoom: 1 shows 15 twips of it to a pixel, as the window was designed.

#include "app/window/score_sheet.h"

#include <QWidget>
#include <optional>

class QFrame;

namespace kvat {

class ScoreCanvas : public QWidget {
    Q_OBJECT

public:
    explicit ScoreCanvas(QWidget* parent);
    void SetSheet(ScoreSheet sheet);
    const ScoreSheet& Sheet() const { return sheet_; }

    // The score moved left by `value` columns.
    void SetScroll(int value);
    void SetZoom(double zoom);
    // The width the score is laid out for, in its twips: the staff reaches that far past the
    // last note.
    void SetViewWidth(int twips);
    double Zoom() const { return zoom_; }

    // The marker line at x twips on the score, across the canvas's whole height.
    void SetMarker(int xTwips);
    void ShowMarker(bool shown);

signals:
    // A click on the note of `column`: the user wants to hear the verse from there.
    void columnClicked(int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The score's x in twips shown at the canvas's left edge.
    double LeftTwips() const;
    void PlaceMarker();
    std::optional<int> ColumnAt(double x) const; // the note's column under the point

    ScoreSheet sheet_;
    QFrame* marker_;
    int scroll_ = 0;
    int markerX_ = 0;
    double zoom_ = 1;
};

class ScoreViewport : public QWidget {
    Q_OBJECT

public:
    explicit ScoreViewport(QWidget* parent);
    ScoreCanvas* Canvas() const { return canvas_; }
    void ScrollTo(int value);
    // The width shown, in the score's twips at the canvas's zoom.
    int WidthTwips() const;

signals:
    // The wheel turned with Ctrl held: steps in (positive) or out.
    void zoomRequested(int steps);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    ScoreCanvas* canvas_;
};

} // namespace kvat
