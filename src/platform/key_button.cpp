#include "platform/key_button.h"

#include "platform/widgets.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace ui {

namespace {

const QColor kRim(96, 96, 96);
const QColor kFocusRim(0, 0, 160);
const QColor kPressedFace(160, 160, 160);

} // namespace

KeyButton::KeyButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFaceColour(face_);
}

void KeyButton::setFaceColour(const QColor& colour) {
    face_ = colour;
    // The caption goes with the face, whatever colour the desktop gives button texts.
    QPalette caption = palette();
    caption.setColor(QPalette::Active, QPalette::ButtonText, ui::TextColourOn(colour));
    caption.setColor(QPalette::Inactive, QPalette::ButtonText, ui::TextColourOn(colour));
    caption.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    setPalette(caption);
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
