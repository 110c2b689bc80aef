// Pictures of a widget for the drawing tests: what the screen shows of it, and a fresh drawing.
#pragma once

#include <QImage>
#include <QScreen>
#include <QWidget>

namespace test {

// What the screen shows of a widget: its window's last picture, not a fresh drawing.
inline QImage onScreen(QWidget& widget) {
    const QPoint at = widget.mapTo(widget.window(), QPoint());
    return widget.screen()
        ->grabWindow(widget.window()->winId(), at.x(), at.y(), widget.width(), widget.height())
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

// The widget drawn now, as the screen would show it.
inline QImage drawnNow(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace test
