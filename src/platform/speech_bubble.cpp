#include "platform/speech_bubble.h"

#include "core/placement.h"

#include <QBitmap>
#include <QPainter>

namespace {

const QColor kBubbleColour(255, 255, 192);
const QColor kEdgeColour(112, 112, 80);
constexpr qreal kRadius = 20;
// Room kept for the tail below (or above) the balloon.
constexpr qreal kTail = 18;

} // namespace

SpeechBubble::SpeechBubble(QWidget* parent) : QWidget(parent) {}

QPainterPath SpeechBubble::outline() const {
    const qreal w = width() - 1;
    const qreal h = height() - 1;
    const bool tailOnTop = orientation_ == assistant::kTailTopRight;
    const QRectF body(0.5, tailOnTop ? kTail : 0.5, w - 1, h - kTail);
    QPainterPath path;
    path.addRoundedRect(body, kRadius, kRadius);

    QPolygonF tail;
    switch (orientation_) {
    case assistant::kTailBottomRight:
        tail << QPointF(w - 70, body.bottom() - 2) << QPointF(w - 4, h)
             << QPointF(w - 40, body.bottom() - 2);
        break;
    case assistant::kTailBottomLeft:
        tail << QPointF(40, body.bottom() - 2) << QPointF(4, h) << QPointF(70, body.bottom() - 2);
        break;
    case assistant::kTailTopRight:
        tail << QPointF(w - 70, body.top() + 2) << QPointF(w - 4, 0.5)
             << QPointF(w - 40, body.top() + 2);
        break;
    default:
        break;
    }
    if (!tail.isEmpty()) {
        QPainterPath tailPath;
        tailPath.addPolygon(tail);
        tailPath.closeSubpath();
        path = path.united(tailPath);
    }
    return path;
}

void SpeechBubble::Refresh() {
    QWidget* window = this->window();
    if (window != this) {
        // The window shows the balloon and nothing around it.
        QBitmap mask(window->size());
        mask.fill(Qt::color0);
        QPainter painter(&mask);
        painter.translate(pos());
        painter.setPen(QPen(Qt::color1, 1));
        painter.setBrush(Qt::color1);
        painter.drawPath(outline());
        painter.end();
        window->setMask(mask);
    }
    update();
}

void SpeechBubble::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kEdgeColour, 1));
    painter.setBrush(kBubbleColour);
    painter.drawPath(outline());
}
