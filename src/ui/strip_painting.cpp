#include "ui/strip_painting.h"

#include <QEvent>
#include <QImage>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>

namespace ui {

namespace {

// Below the raster engine's threshold for a threaded fill (96 spans).
constexpr int kStripRows = 64;

} // namespace

StripPaintedScrollBar::StripPaintedScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

QStyle::SubControl StripPaintedScrollBar::controlAt(const QPoint& position) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, position, this);
}

// As QScrollBar draws itself, but one strip at a time into a picture of that strip's size: the
// picture's edges bound every fill (a style may replace a painter's clip, never a device's).
void StripPaintedScrollBar::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    if (pressed_ != QStyle::SC_None) {
        option.activeSubControls = pressed_;
        if (!pointerOutsidePressed_)
            option.state |= QStyle::State_Sunken;
    } else {
        option.activeSubControls = hovered_;
    }
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    const QRect area = rect();
    for (int top = area.top(); top <= area.bottom(); top += kStripRows) {
        const QRect strip(area.left(), top, area.width(), std::min(kStripRows, area.bottom() + 1 - top));
        QImage picture((QSizeF(strip.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        picture.fill(palette().color(backgroundRole()));
        {
            QPainter stripPainter(&picture);
            stripPainter.translate(-strip.topLeft());
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &stripPainter, this);
        }
        painter.drawImage(strip.topLeft(), picture);
    }
}

void StripPaintedScrollBar::mousePressEvent(QMouseEvent* event) {
    pressed_ = controlAt(event->position().toPoint());
    pointerOutsidePressed_ = false;
    QScrollBar::mousePressEvent(event);
}

void StripPaintedScrollBar::mouseMoveEvent(QMouseEvent* event) {
    // A dragged slider stays pressed wherever the pointer goes.
    if (pressed_ != QStyle::SC_None && pressed_ != QStyle::SC_ScrollBarSlider) {
        const bool outside = controlAt(event->position().toPoint()) != pressed_;
        if (outside != pointerOutsidePressed_) {
            pointerOutsidePressed_ = outside;
            update();
        }
    }
    QScrollBar::mouseMoveEvent(event);
}

void StripPaintedScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    pressed_ = QStyle::SC_None;
    QScrollBar::mouseReleaseEvent(event);
    update();
}

bool StripPaintedScrollBar::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove: {
        const auto control = controlAt(static_cast<QHoverEvent*>(event)->position().toPoint());
        if (control != hovered_) {
            hovered_ = control;
            update();
        }
        break;
    }
    case QEvent::HoverLeave:
        if (hovered_ != QStyle::SC_None) {
            hovered_ = QStyle::SC_None;
            update();
        }
        break;
    default:
        break;
    }
    return QScrollBar::event(event);
}

} // namespace ui
