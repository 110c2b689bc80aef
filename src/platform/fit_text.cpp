#include "platform/fit_text.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>

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

void ShowWholeText(QLineEdit* box) {
    const QFont design = box->font();
    QObject::connect(box, &QLineEdit::textChanged, box, [box, design](const QString& text) {
        const int frameWidth =
            box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box)
                            : 0;
        const QMargins margins = box->textMargins();
        // A line edit keeps two pixels clear on either side of its text.
        const int room =
            box->contentsRect().width() - margins.left() - margins.right() - 2 * frameWidth - 2 * 2;
        const QFont wanted = QFontMetricsF(design).horizontalAdvance(text) <= room
                                 ? design
                                 : FontFitting(design, text, QSize(room, 1 << 20),
                                               Qt::AlignRight | Qt::TextSingleLine);
        if (wanted != box->font())
            box->setFont(wanted);
    });
}

} // namespace ui
