#include "platform/display_box.h"

#include "platform/widgets.h"

#include <QPainter>

namespace ui {

namespace {

// A one-pixel inset rim of grey: darker above and to the left, lighter below and to the right.
const QColor kShadow(128, 128, 128);
const QColor kLight(192, 192, 192);

} // namespace

DisplayBox::DisplayBox(QWidget* parent) : QLineEdit(parent) {
    SetFiguresOnBlack(this, QColor(0, 255, 0));
    // Room for the rim, which the frameless box leaves to paintEvent().
    setTextMargins(1, 1, 1, 1);
}

void DisplayBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    const QRect r = rect();
    painter.setPen(kShadow);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(kLight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

} // namespace ui
