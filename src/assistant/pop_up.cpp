#include "assistant/pop_up.h"

#include "assistant/placement.h"
#include "assistant/window_shape.h"
#include "ui/twips.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace assistant {

namespace {

class ImagePixels final : public PixelReader {
  public:
    explicit ImagePixels(const QImage& image) : image_(image) {}
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    std::uint32_t pixel(int x, int y) const override { return image_.pixel(x, y); }

  private:
    const QImage& image_;
};

} // namespace

void PlaceAtCursor(QWidget& window) {
    const QPoint cursor = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect();
    constexpr double tpp = ui::kTwipsPerPixel;
    const ScreenMetrics metrics{area.width() * tpp, area.height() * tpp, tpp, tpp};
    const QSize outer = window.frameGeometry().size();
    const PixelPlacement place = PlaceAtCursor(cursor.x() - area.x(), cursor.y() - area.y(),
                                               outer.width() * tpp, outer.height() * tpp, metrics);
    window.move(area.x() + place.x, area.y() + place.y);
    // Changing the flags of a window re-creates it: only when it is not on top already.
    if (!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

QRegion RegionFromPicture(const QImage& picture) {
    QRegion region;
    for (const PixelRect& run : RegionFromPicture(ImagePixels(picture)))
        region += QRect(run.left, run.top, run.right - run.left, run.bottom - run.top);
    return region;
}

} // namespace assistant
