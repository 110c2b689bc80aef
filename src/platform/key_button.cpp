#include "platform/key_button.h"

#include <QPainter>
#include <QPointer>
#include <QStyleOptionButton>

namespace ui {

namespace {

const QColor kRim(96, 96, 96);
const QColor kFocusRim(0, 0, 160);
const QColor kPressedFace(160, 160, 160);

} // namespace

QuickButton::QuickButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // Qt has drawn the button by the time it reports the press or the release, and the work
    // that follows may open a message box: from there on the button draws as usual.
    connect(this, &QAbstractButton::pressed, this, &QuickButton::drawLater);
    connect(this, &QAbstractButton::released, this, &QuickButton::drawLater);
}

// Holds the button's drawing back while Qt handles a press or a release (unless something else
// holds it already).
void QuickButton::holdDrawing() {
    if (!updatesEnabled())
        return;
    holding_ = true;
    setUpdatesEnabled(false);
}

// Ends the hold; the button is drawn at the next paint.
void QuickButton::drawLater() {
    if (!holding_)
        return;
    holding_ = false;
    setUpdatesEnabled(true);
}

template <class Handling> void QuickButton::holdingDrawing(Handling handling) {
    const QPointer<QuickButton> self(this);
    holdDrawing();
    handling();
    if (self)
        drawLater();
}

void QuickButton::mousePressEvent(QMouseEvent* event) {
    holdingDrawing([&] { QPushButton::mousePressEvent(event); });
}

void QuickButton::mouseReleaseEvent(QMouseEvent* event) {
    holdingDrawing([&] { QPushButton::mouseReleaseEvent(event); });
}

void QuickButton::keyPressEvent(QKeyEvent* event) {
    holdingDrawing([&] { QPushButton::keyPressEvent(event); });
}

void QuickButton::keyReleaseEvent(QKeyEvent* event) {
    holdingDrawing([&] { QPushButton::keyReleaseEvent(event); });
}

KeyButton::KeyButton(const QString& caption, QWidget* parent) : QuickButton(caption, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void KeyButton::setFaceColour(const QColor& colour) {
    face_ = colour;
    update();
}

void KeyButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool focused = hasFocus();
    const qreal rim = focused ? 2.0 : 1.0;
    const QRectF face = QRectF(rect()).adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2);
    painter.setPen(QPen(focused ? kFocusRim : kRim, rim));
    painter.setBrush(isDown() ? kPressedFace : face_);
    painter.drawRoundedRect(face, 2, 2);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

} // namespace ui
