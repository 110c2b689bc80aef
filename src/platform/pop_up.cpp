#include "platform/pop_up.h"

#include "core/placement.h"
#include "core/window_shape.h"
#include "platform/twips.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <cstdlib>

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

void placeAt(QWidget& window, QPoint cursor, QSize outer) {
    QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect();
    constexpr double tpp = ui::kTwipsPerPixel;
    const ScreenMetrics metrics{area.width() * tpp, area.height() * tpp, tpp, tpp};
    const PixelPlacement place = PlaceAtCursor(cursor.x() - area.x(), cursor.y() - area.y(),
                                               outer.width() * tpp, outer.height() * tpp, metrics);
    window.move(area.x() + place.x, area.y() + place.y);
}

// Before a window manager has framed a window, Qt knows only its inside. When the framed window
// is first exposed, its outer size is known, and the placement is made again with it, unless
// the program has placed the window elsewhere since.
class PlaceAgainOnceFramed final : public QObject {
  public:
    PlaceAgainOnceFramed(QWidget& window, QPoint cursor, QSize placedWith)
        : QObject(&window), window_(window), cursor_(cursor), placedWith_(placedWith),
          placedAt_(window.pos()) {
        // The native window is made at the first show; made earlier, a move before the show
        // would place its inside where its frame should go.
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_) {
            if (event->type() == QEvent::Show && window_.windowHandle()) {
                window_.removeEventFilter(this);
                window_.windowHandle()->installEventFilter(this);
            }
            return false;
        }
        if (event->type() == QEvent::Expose && window_.isVisible()) {
            const QSize outer = window_.frameGeometry().size();
            const QPoint shift = window_.pos() - placedAt_;
            const bool stillWherePlaced =
                std::abs(shift.x()) <= outer.width() - placedWith_.width() &&
                std::abs(shift.y()) <= outer.height() - placedWith_.height();
            if (outer != placedWith_ && stillWherePlaced) {
                QMetaObject::invokeMethod(
                    &window_, [w = &window_, c = cursor_, outer] { placeAt(*w, c, outer); },
                    Qt::QueuedConnection);
            }
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
    QPoint cursor_;
    QSize placedWith_;
    QPoint placedAt_;
};

} // namespace

void PlaceAtCursor(QWidget& window) {
    // Changing the flags of a window re-creates it: only when it is not on top already.
    if (!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const QPoint cursor = QCursor::pos();
    const QSize outer = window.frameGeometry().size();
    placeAt(window, cursor, outer);
    if (!window.isVisible() && outer == window.size() &&
        !window.windowFlags().testFlag(Qt::FramelessWindowHint))
        new PlaceAgainOnceFramed(window, cursor, outer);
}

QRegion RegionFromPicture(const QImage& picture) {
    QRegion region;
    for (const PixelRect& run : RegionFromPicture(ImagePixels(picture)))
        region += QRect(run.left, run.top, run.right - run.left, run.bottom - run.top);
    return region;
}

} // namespace assistant
