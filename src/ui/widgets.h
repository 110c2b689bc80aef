// Small helpers the window classes share.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QString>

#include <string_view>

#include "ui/picture.h"

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

} // namespace ui
