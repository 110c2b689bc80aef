#include "windows/frm_trans_picture.h"

#include "platform/accessibility.h"
#include "platform/picture.h"
#include "platform/pop_up.h"
#include "platform/twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

frmTransPicture::frmTransPicture(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmTransPicture"));
    setAccessibleName(QStringLiteral("Flèche de l'aide"));
    ui::SetAccessibleRole(this, QAccessible::Window);
    setFixedSize(ui::Px(720), ui::Px(705));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Flèche vers la zone expliquée"));
    Picture1->setGeometry(ui::TwipsRect(0, 0, 645, 675));
    Picture1->installEventFilter(this);
}

void frmTransPicture::Form_Load() {
    assistant::PlaceAtCursor(*this);

    const QPixmap arrow = ui::Picture(QStringLiteral(":/assets/arrow.png"));
    Picture1->setPixmap(arrow);
    Picture1->setFrameStyle(QFrame::NoFrame);
    const QSize size = arrow.deviceIndependentSize().toSize();
    Picture1->setGeometry(QRect(QPoint(0, 0), size));

    // Without a shape (a missing or one-colour picture) the window stays rectangular. The mask is
    // in the window's own pixels: a picture drawn for a denser screen is read at that size.
    const QRegion shape = assistant::RegionFromPicture(
        arrow.toImage().scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    if (shape.isEmpty())
        clearMask();
    else
        setMask(shape);
}

void frmTransPicture::Picture1_MouseDown(Qt::MouseButton button, const QPoint& globalPosition) {
    if (QWidget* grabber = mouseGrabber())
        grabber->releaseMouse();
    // Qt hands the window manager a move held by the left button: with another button the
    // manager's move would outlast the release, so those drags are ours.
    QWindow* handle = windowHandle();
    if (button == Qt::LeftButton && handle && handle->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = globalPosition - pos();
}

bool frmTransPicture::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Picture1)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Picture1_MouseDown(static_cast<QMouseEvent*>(event)->button(),
                           static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseMove:
        if (dragging_)
            move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
        return dragging_;
    case QEvent::MouseButtonRelease:
        if (dragging_ && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
            dragging_ = false;
            return true;
        }
        return dragging_;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
