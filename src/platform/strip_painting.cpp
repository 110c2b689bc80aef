#include "platform/strip_painting.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QHoverEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <algorithm>
#include <utility>

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
void StripPaintedScrollBar::paintEvent(QPaintEvent* event) {
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
    // Only the rows asked for: an arrow button that changes is drawn alone.
    for (const QRect& asked : event->region()) {
        const QRect rows = asked & rect();
        for (int top = rows.top(); top <= rows.bottom(); top += kStripRows) {
            const QRect strip(rect().left(), top, rect().width(),
                              std::min(kStripRows, rows.bottom() + 1 - top));
            QImage picture((QSizeF(strip.size()) * ratio).toSize(),
                           QImage::Format_ARGB32_Premultiplied);
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
}

QRect StripPaintedScrollBar::partRect(QStyle::SubControl part) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
}

void StripPaintedScrollBar::sliderChange(SliderChange change) {
    const Shown now{partRect(QStyle::SC_ScrollBarSlider), minimum() == maximum(),
                    value() == minimum(), value() == maximum()};
    const std::optional<Shown> before = std::exchange(shown_, now);
    if (!before || before->slider != now.slider || before->empty != now.empty) {
        QScrollBar::sliderChange(change);
        return;
    }
    // The slider stays where it was; a style may still show the arrow at an end the value
    // reaches or leaves differently.
    if (before->atMinimum != now.atMinimum)
        update(partRect(QStyle::SC_ScrollBarSubLine));
    if (before->atMaximum != now.atMaximum)
        update(partRect(QStyle::SC_ScrollBarAddLine));
}

void LayOutScrollBarsOnlyWhenShownOrHidden(QAbstractScrollArea* area) {
    // The area's own handler; a Qt without it lays out in some other way, left as it is.
    if (area->metaObject()->indexOfSlot("_q_showOrHideScrollBars()") < 0)
        return;
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
        QObject::disconnect(bar, SIGNAL(rangeChanged(int, int)), area,
                            SLOT(_q_showOrHideScrollBars()));
        QObject::connect(bar, &QScrollBar::rangeChanged, area, [area, bar](int min, int max) {
            const Qt::ScrollBarPolicy policy = bar->orientation() == Qt::Horizontal
                                                   ? area->horizontalScrollBarPolicy()
                                                   : area->verticalScrollBarPolicy();
            const bool needed =
                policy == Qt::ScrollBarAlwaysOn || (policy == Qt::ScrollBarAsNeeded && max > min);
            // Posted, as the area's own handler is queued: one layout for a whole edit.
            if (needed != bar->isVisibleTo(area))
                QCoreApplication::postEvent(area, new QEvent(QEvent::LayoutRequest));
        });
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
