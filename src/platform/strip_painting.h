// The tape's scroll bars, made cheap for a tape that grows on every key.
//
// Qt's raster engine hands every fill more than 95 rows tall to its thread pool and waits for
// it: for a control as small as a scroll bar, the hand-over costs far more than the drawing. The
// bar is therefore drawn in strips of fewer rows, each done on the spot.
//
// A long tape's range grows by one line at a time, which seldom moves the slider by a pixel: the
// bar is drawn again only when what it shows changes.
#pragma once

#include <QRect>
#include <QScrollBar>
#include <QStyle>
#include <optional>

class QAbstractScrollArea;

namespace ui {

class StripPaintedScrollBar final : public QScrollBar {
  public:
    explicit StripPaintedScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void sliderChange(SliderChange change) override;

  private:
    QStyle::SubControl controlAt(const QPoint& position) const;
    QRect partRect(QStyle::SubControl part) const;

    // What QScrollBar keeps to itself: the part pressed, and the part under the mouse.
    QStyle::SubControl pressed_ = QStyle::SC_None;
    QStyle::SubControl hovered_ = QStyle::SC_None;
    bool pointerOutsidePressed_ = false;

    // What the last change asked to be drawn. A style may show the arrow buttons differently
    // at either end of the range.
    struct Shown {
        QRect slider;
        bool empty = false, atMinimum = false, atMaximum = false;
    };
    std::optional<Shown> shown_;
};

// A scroll area lays its scroll bars out again after every change of their range: it raises
// each bar's holder above the other, which draws both bars again with everything beneath them.
// After this call it does so only when a bar has to appear or go.
void LayOutScrollBarsOnlyWhenShownOrHidden(QAbstractScrollArea* area);

} // namespace ui
