// Small helpers the window classes share.
#pragma once

#include "platform/picture.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <string_view>

namespace ui {

// The core speaks UTF-8; Qt speaks QString.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A picture control: a label named `name` showing `resource`, at `rect`.
inline QLabel* MakePicture(QWidget* parent, const char* name, const QString& resource, QRect rect) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setPixmap(Picture(resource));
    return label;
}

// Black or white, whichever reads on `ground`: a control that sets its own background sets its
// text colour with it, or a dark desktop theme's light text lands on a light ground.
inline QColor TextColourOn(const QColor& ground) {
    return ground.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

// A plain coloured area: the control fills its background with `colour`, its text readable on it.
inline void PaintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, TextColourOn(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Figures in `text` on black, without the box's frame: the calculator's display and the
// converter's results.
inline void SetFiguresOnBlack(QLineEdit* box, const QColor& text) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::Text, text);
    box->setPalette(palette);
    box->setFrame(false);
}

} // namespace ui
