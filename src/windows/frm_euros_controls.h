// Helpers that make the main window's controls, shared by the files that build them.
#pragma once

#include "platform/accessibility.h"
#include "platform/key_button.h"
#include "platform/widgets.h"

#include <QFont>
#include <QFrame>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace euros_controls {

template <class Box = QLineEdit>
inline QLineEdit* makeBox(QWidget* parent, const char* name, const QString& accessibleName,
                          QRect rect, bool readOnly) {
    auto* box = new Box(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessibleName);
    box->setGeometry(rect);
    box->setReadOnly(readOnly);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

inline void setColours(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

inline void setPointSize(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

// A grey raised panel of the main window, read by screen readers as a pane of that name.
inline QFrame* makePanel(QWidget* parent, const char* name, const QString& accessibleName,
                         QRect rect) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ui::PaintBackground(panel, QColor(192, 192, 192));
    panel->setAccessibleName(accessibleName);
    ui::SetAccessibleRole(panel, QAccessible::Pane);
    panel->setGeometry(rect);
    return panel;
}

template <class Button = QPushButton>
inline QPushButton* makeKey(QWidget* parent, const QString& name, const QString& caption,
                            const QString& accessibleName, QRect rect) {
    auto* key = new Button(caption, parent);
    key->setObjectName(name);
    key->setAccessibleName(accessibleName);
    key->setGeometry(rect);
    key->setAutoDefault(false);
    return key;
}

} // namespace euros_controls
