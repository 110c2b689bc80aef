#include "ui/fit_text.h"

#include <QFontMetricsF>

namespace ui {

namespace {

constexpr qreal kSmallestPoints = 6;
constexpr qreal kStep = 0.25;

bool fits(const QFont& font, const QString& text, const QSize& box, int flags) {
    const QRectF needed =
        QFontMetricsF(font).boundingRect(QRectF(0, 0, box.width(), box.height()), flags, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

QFont FontFitting(const QFont& design, const QString& text, const QSize& box, int flags) {
    QFont font = design;
    for (qreal points = design.pointSizeF(); points > kSmallestPoints; points -= kStep) {
        font.setPointSizeF(points);
        if (fits(font, text, box, flags))
            return font;
    }
    font.setPointSizeF(kSmallestPoints);
    return font;
}

} // namespace ui
