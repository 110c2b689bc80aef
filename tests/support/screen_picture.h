// Pictures of a widget for the drawing tests: what the screen shows of it, a fresh drawing, and
// how two pictures differ.
#pragma once

#include <QImage>
#include <QScreen>
#include <QWidget>
#include <string>

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

// How two pictures differ: empty when they are the same, else how many pixels differ and where
// the first one is, for a readable failure.
inline std::string difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "sizes differ";
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
    return count == 0 ? std::string()
                      : std::to_string(count) + " pixels, first at " + std::to_string(first.x()) +
                            "," + std::to_string(first.y());
}

} // namespace test
