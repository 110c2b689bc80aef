#include "platform/hand_pointer.h"

#include <QCursor>
#include <QDir>
#include <QHash>
#include <QPixmap>
#include <QWidget>

namespace ui {

namespace {

// Where the finger points in the 32 x 32 picture.
constexpr int kHotspotX = 11;
constexpr int kHotspotY = 1;

constexpr const char* kShownProperty = "tirelixHandPointer";
// A control's own pointer (the I-beam of a text box), put back when the arrow returns.
constexpr const char* kOwnCursorProperty = "tirelixOwnCursor";

// The icon does not change while the program runs; a failed read is tried again next time.
QCursor handCursor(const QString& programFolder) {
    static QHash<QString, QCursor> loaded;
    const QString path = QDir(programFolder).filePath(QString::fromLatin1(kHandPointerFile));
    if (const auto it = loaded.constFind(path); it != loaded.constEnd())
        return *it;
    const QPixmap picture(path);
    if (picture.isNull())
        return QCursor(Qt::ArrowCursor);
    return *loaded.insert(path, QCursor(picture, kHotspotX, kHotspotY));
}

template <class F> void forWindowAndControls(QWidget& window, F&& f) {
    f(window);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isWindow())
            f(*child);
    }
}

} // namespace

void ShowHandPointer(QWidget& window, const QString& programFolder) {
    if (HandPointerShown(window))
        return;
    const QCursor hand = handCursor(programFolder);
    window.setProperty(kShownProperty, true);
    forWindowAndControls(window, [&](QWidget& w) {
        if (w.testAttribute(Qt::WA_SetCursor) && !w.property(kOwnCursorProperty).isValid())
            w.setProperty(kOwnCursorProperty, QVariant::fromValue(w.cursor()));
        w.setCursor(hand);
    });
}

void RestoreDefaultPointer(QWidget& window) {
    if (!HandPointerShown(window))
        return;
    window.setProperty(kShownProperty, QVariant());
    forWindowAndControls(window, [](QWidget& w) {
        const QVariant own = w.property(kOwnCursorProperty);
        if (own.isValid()) {
            w.setCursor(own.value<QCursor>());
            w.setProperty(kOwnCursorProperty, QVariant());
        } else {
            w.unsetCursor();
        }
    });
}

bool HandPointerShown(const QWidget& window) {
    return window.property(kShownProperty).toBool();
}

} // namespace ui
