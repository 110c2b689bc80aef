#include "windows/frm_trombonne.h"

#include "core/placement.h"
#include "platform/accessibility.h"
#include "platform/picture.h"
#include "platform/pop_up.h"
#include "platform/speech_bubble.h"
#include "platform/timer.h"
#include "platform/twips.h"
#include "platform/window_position.h"
#include "windows/frm_bulle.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

using ui::TwipsRect;

constexpr int kEyeTick = 1800;
constexpr int kBubbleDelay = 500;
constexpr int kEyePause = 500;
constexpr int kWinkPause = 100;
constexpr int kClosingDelay = 1000;
// Where the paperclip goes relative to the main window's outer top-left corner.
constexpr int kCornerOffset = 100;

QWidget* loadedWidget(shell::WindowDirectory& windows, shell::WindowKind kind) {
    shell::WindowObject* object = windows.object(kind);
    return object ? object->widget() : nullptr;
}

void unload(shell::WindowDirectory& windows, shell::WindowKind kind) {
    if (shell::WindowObject* object = windows.object(kind))
        object->unload();
}

} // namespace

namespace assistant {

void StartAssistant(shell::WindowDirectory& windows, shell::SharedState& shared) {
    shared.TourQuit = false;
    QWidget* main = loadedWidget(windows, shell::WindowKind::frmEuros);
    shell::WindowObject* object = windows.object(shell::WindowKind::FrmTrombonne);
    if (!object)
        return;
    object->load();
    QWidget* paperclip = object->widget();
    if (main) {
        ui::SetWindowTop(*paperclip, ui::WindowTop(*main) + kCornerOffset);
        ui::SetWindowLeft(*paperclip, ui::WindowLeft(*main) - kCornerOffset);
    }
    paperclip->show();
    paperclip->raise();
}

} // namespace assistant

FrmTrombonne::FrmTrombonne(shell::WindowDirectory& windows, shell::SharedState& shared,
                           QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      windows_(windows), shared_(shared) {
    setObjectName(QStringLiteral("FrmTrombonne"));
    // A title bar with no text: for an empty title, Qt would show the program's name instead.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(ui::Px(1845), ui::Px(1365));
    setAccessibleName(QStringLiteral("Assistant"));
    ui::SetAccessibleRole(this, QAccessible::Window);

    // The frames, placed beyond the client area where they are never seen.
    const QPoint framePlaces[] = {{2160, 240}, {4080, 240}, {2160, 1680}, {4080, 1680}};
    for (int i = 0; i < 4; ++i) {
        auto* frame = new QLabel(this);
        frame->setObjectName(QStringLiteral("Image1_%1").arg(i));
        frame->setPixmap(ui::Picture(QStringLiteral(":/assets/trombone_%1.png").arg(i)));
        frame->setGeometry(TwipsRect(framePlaces[i].x(), framePlaces[i].y(), 1860, 1380));
        ui::HideFromScreenReaders(frame);
        Image1[static_cast<std::size_t>(i)] = frame;
    }

    ImgTrombonne = new QLabel(this);
    ImgTrombonne->setObjectName(QStringLiteral("ImgTrombonne"));
    ImgTrombonne->setAccessibleName(QStringLiteral("Trombone"));
    ImgTrombonne->setAccessibleDescription(QStringLiteral("Un clic ouvre la bulle de l'aide"));
    ImgTrombonne->setGeometry(TwipsRect(0, 0, 1860, 1380));
    ImgTrombonne->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImgTrombonne->installEventFilter(this);
    showFrame(2);

    Timer1 = new ui::Timer(QStringLiteral("Timer1"), 0, this);
    Timer2 = new ui::Timer(QStringLiteral("Timer2"), 0, this);
    Pause = new ui::Timer(QStringLiteral("Pause"), 0, this);
    connect(Timer1, &ui::Timer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &ui::Timer::timeout, this, [this] { Timer2_Timer(); });
    connect(Pause, &ui::Timer::timeout, this, [this] { Pause_Timer(); });
}

void FrmTrombonne::Form_Load() {
    assistant::PlaceAtCursor(*this);
    Timer1->setInterval(kEyeTick);
    Timer2->setInterval(kBubbleDelay);
}

void FrmTrombonne::showFrame(int index) {
    shownFrame_ = index;
    ImgTrombonne->setPixmap(Image1[static_cast<std::size_t>(index)]->pixmap());
}

void FrmTrombonne::ImgTrombonne_Click() {
    OpenBubble();
}

void FrmTrombonne::OpenBubble() {
    auto* object = dynamic_cast<FrmBulleObject*>(windows_.object(shell::WindowKind::FrmBulle));
    if (!object)
        return;
    FrmBulle* bubble = object->get();
    // Placed before it shows, so that it never flashes at the pointer first.
    const assistant::BubblePlacement place =
        assistant::PlaceBubble({ui::WindowLeft(*this), ui::WindowTop(*this), ui::WindowWidth(*this),
                                ui::WindowHeight(*this)},
                               ui::WindowWidth(*bubble), ui::WindowHeight(*bubble));
    ui::SetWindowTop(*bubble, place.top);
    bubble->bubble()->setOrientation(place.verticalOrientation);
    ui::SetWindowLeft(*bubble, place.left);
    bubble->bubble()->setOrientation(place.orientation);
    bubble->bubble()->Refresh();
    bubble->show();
    bubble->raise();
}

void FrmTrombonne::Timer2_Timer() {
    OpenBubble();
    Timer2->setInterval(0);
}

void FrmTrombonne::Timer1_Timer() {
    if (shared_.TourQuit) {
        pause(Stage::BeforeWink, kWinkPause);
        return;
    }
    showFrame(0);
    ImgTrombonne->repaint();
    pause(Stage::EyesHalfOpen, kEyePause);
}

// The pauses keep the frames on screen as long as they were designed to stay, without
// holding up the rest of the program.
void FrmTrombonne::pause(Stage stage, int milliseconds) {
    stage_ = stage;
    Pause->setInterval(0);
    Pause->setInterval(milliseconds);
}

void FrmTrombonne::Pause_Timer() {
    Pause->setInterval(0);
    switch (stage_) {
    case Stage::EyesHalfOpen:
        showFrame(1);
        ImgTrombonne->repaint();
        pause(Stage::EyesOpen, kEyePause);
        return;
    case Stage::BeforeWink:
        // The goodbye of the bubble comes first, whole.
        if (bubbleSayingGoodbye()) {
            pause(Stage::BeforeWink, kWinkPause);
            return;
        }
        showFrame(2);
        showFrame(3);
        if (QWidget* main = loadedWidget(windows_, shell::WindowKind::frmEuros)) {
            if (auto* Timer4 = main->findChild<ui::Timer*>(QStringLiteral("Timer4")))
                Timer4->setInterval(kClosingDelay);
        }
        break;
    case Stage::EyesOpen:
    case Stage::Idle:
        break;
    }
    endPause();
}

void FrmTrombonne::endPause() {
    stage_ = Stage::Idle;
    if (heldClick_) {
        heldClick_ = false;
        ImgTrombonne_Click();
    }
}

bool FrmTrombonne::bubbleSayingGoodbye() const {
    auto* object = dynamic_cast<FrmBulleObject*>(windows_.object(shell::WindowKind::FrmBulle));
    const FrmBulle* bubble = object ? object->ifLoaded() : nullptr;
    return bubble && bubble->isSayingGoodbye();
}

bool FrmTrombonne::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImgTrombonne && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            ImgTrombonne->rect().contains(mouse->position().toPoint())) {
            // During a pause the click waits, as it would have in the queue.
            if (isPaused())
                heldClick_ = true;
            else
                ImgTrombonne_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmTrombonne::closeEvent(QCloseEvent* event) {
    event->accept();
    unload(windows_, shell::WindowKind::frmTransPicture);
    unload(windows_, shell::WindowKind::FrmBulle);
}
