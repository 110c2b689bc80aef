#include "platform/window_position.h"

#include "platform/twips.h"

#include <QVariant>
#include <QWidget>

namespace ui {

namespace {

constexpr const char* kLeftProperty = "tirelixLeftTwips";
constexpr const char* kTopProperty = "tirelixTopTwips";

int remembered(const QWidget& window, const char* property, int pixels) {
    const QVariant twips = window.property(property);
    if (twips.isValid() && Px(twips.toInt()) == pixels)
        return twips.toInt();
    return pixels * kTwipsPerPixel;
}

} // namespace

// pos() of a top-level window is its frame's position: the outer position.
int WindowLeft(const QWidget& window) {
    return remembered(window, kLeftProperty, window.pos().x());
}
int WindowTop(const QWidget& window) {
    return remembered(window, kTopProperty, window.pos().y());
}
int WindowWidth(const QWidget& window) {
    return window.frameGeometry().width() * kTwipsPerPixel;
}
int WindowHeight(const QWidget& window) {
    return window.frameGeometry().height() * kTwipsPerPixel;
}

void SetWindowLeft(QWidget& window, int twips) {
    window.move(Px(twips), window.pos().y());
    window.setProperty(kLeftProperty, twips);
}

void SetWindowTop(QWidget& window, int twips) {
    window.move(window.pos().x(), Px(twips));
    window.setProperty(kTopProperty, twips);
}

} // namespace ui
