// Qt's raster engine hands every fill more than 95 rows tall to its thread pool and waits for
// it: for a control as small as a scroll bar, the hand-over costs far more than the drawing. A
// scroll bar that changes on every key (the tape's, whose range grows with each line) is
// therefore drawn in strips of fewer rows, each done on the spot.
#pragma once

#include <QScrollBar>
#include <QStyle>

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

private:
    QStyle::SubControl controlAt(const QPoint& position) const;

    // What QScrollBar keeps to itself: the part pressed, and the part under the mouse.
    QStyle::SubControl pressed_ = QStyle::SC_None;
    QStyle::SubControl hovered_ = QStyle::SC_None;
    bool pointerOutsidePressed_ = false;
};

} // namespace ui
