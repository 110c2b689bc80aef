#include "windows/frm_bulle.h"

#include "platform/accessibility.h"
#include "platform/fit_text.h"
#include "platform/pop_up.h"
#include "platform/speech_bubble.h"
#include "platform/timer.h"
#include "platform/twips.h"
#include "platform/widgets.h"
#include "platform/window_position.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {

using ui::TwipsRect;

constexpr int kGoodbyeMilliseconds = 500;

QFont sansSerif(bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

} // namespace

FrmBulle::FrmBulle(FrmBulleObject& object, shell::WindowDirectory& windows,
                   shell::SharedState& shared, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      TourStep(object.TourStep), windows_(windows), shared_(shared) {
    setObjectName(QStringLiteral("FrmBulle"));
    // No title bar to read a title from.
    setAccessibleName(QStringLiteral("Bulle de l'aide"));
    ui::SetAccessibleRole(this, QAccessible::Window);
    setFixedSize(ui::Px(4035), ui::Px(2700));

    Truc1 = new SpeechBubble(this);
    Truc1->setObjectName(QStringLiteral("Truc1"));
    Truc1->setGeometry(TwipsRect(0, 0, 3975, 2655));
    // The balloon behind the text: drawing only.
    ui::HideFromScreenReaders(Truc1);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(600, 600, 3015, 1215));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(sansSerif(true));
    Label1->setStyleSheet(
        QStringLiteral("QLabel { background-color: rgb(255, 255, 192); color: rgb(0, 0, 192); }"));
    setText(assistant::kGreeting);

    const QString buttonStyle = QStringLiteral(
        "QPushButton { background-color: rgb(255, 255, 192); border: 1px solid rgb(112, 112, 80);"
        " border-radius: 4px; color: black; }"
        "QPushButton:hover { background-color: rgb(255, 255, 224); }"
        "QPushButton:pressed { background-color: rgb(232, 232, 160); }"
        "QPushButton:focus { border: 2px solid rgb(0, 0, 192); }");
    auto button = [&](const char* name, int left, std::string_view caption,
                      void (FrmBulle::*handler)()) {
        auto* b = new QPushButton(ui::qs(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(TwipsRect(left, 1920, 855, 375));
        b->setFont(sansSerif(false));
        b->setStyleSheet(buttonStyle);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return b;
    };
    asAssisPopup1 =
        button("asAssisPopup1", 600, assistant::kIdleCaption, &FrmBulle::asAssisPopup1_Click);
    asAssisPopup2 =
        button("asAssisPopup2", 1680, assistant::kNextCaption, &FrmBulle::asAssisPopup2_Click);
    asAssisPopup3 =
        button("asAssisPopup3", 2640, assistant::kQuitCaption, &FrmBulle::asAssisPopup3_Click);
    // Named by what they do, whatever the caption shows ("..." on either end of the tour).
    asAssisPopup1->setAccessibleName(QStringLiteral("Retour"));
    asAssisPopup2->setAccessibleName(QStringLiteral("Suite"));
    asAssisPopup3->setAccessibleName(QStringLiteral("Quitter"));
    // The next button holds the keyboard when the bubble opens.
    asAssisPopup2->setFocus();

    Pause = new ui::Timer(QStringLiteral("Pause"), 0, this);
    connect(Pause, &ui::Timer::timeout, this, [this] { Pause_Timer(); });
}

void FrmBulle::Form_Load() {
    assistant::PlaceAtCursor(*this);
    Truc1->Refresh();
}

void FrmBulle::ShowTourStep() {
    assistant::ShowTourStep(TourStep, *this);
}

void FrmBulle::asAssisPopup1_Click() {
    if (!sayingGoodbye_)
        assistant::TourBack(TourStep, *this);
}

void FrmBulle::asAssisPopup2_Click() {
    if (!sayingGoodbye_)
        ShowTourStep();
}

void FrmBulle::asAssisPopup3_Click() {
    if (sayingGoodbye_)
        return;
    shared_.TourQuit = true;
    setText(assistant::kGoodbye);
    Label1->repaint();
    // The goodbye stays half a second; the bubble takes no input meanwhile, the rest of the
    // program runs on.
    sayingGoodbye_ = true;
    Pause->setInterval(kGoodbyeMilliseconds);
}

void FrmBulle::Pause_Timer() {
    Pause->setInterval(0);
    if (!sayingGoodbye_)
        return;
    if (shell::WindowObject* arrowObject = windows_.object(shell::WindowKind::frmTransPicture))
        arrowObject->unload();
    // Last: this window is gone once it returns.
    if (shell::WindowObject* self = windows_.object(shell::WindowKind::FrmBulle))
        self->unload();
}

bool FrmBulle::eventFilter(QObject* watched, QEvent* event) {
    if (sayingGoodbye_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmBulle::setBackCaption(std::string_view caption) {
    asAssisPopup1->setText(ui::qs(caption));
}
void FrmBulle::setNextCaption(std::string_view caption) {
    asAssisPopup2->setText(ui::qs(caption));
}
void FrmBulle::setText(std::string_view text) {
    const QString shown = ui::qs(text);
    Label1->setFont(ui::FontFitting(sansSerif(true), shown, Label1->contentsRect().size(),
                                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap));
    Label1->setText(shown);
}

QWidget* FrmBulle::arrow() {
    shell::WindowObject* object = windows_.object(shell::WindowKind::frmTransPicture);
    if (!object)
        return nullptr;
    object->load();
    return object->widget();
}

// The anchor is placed in the main window's client area, the main window by its outer corner:
// the arrow lands above and left of the anchor by the title bar and the border.
void FrmBulle::pointArrowAt(std::string_view anchorName) {
    QWidget* pointer = arrow();
    shell::WindowObject* mainObject = windows_.object(shell::WindowKind::frmEuros);
    QWidget* main = mainObject ? mainObject->widget() : nullptr;
    const QWidget* anchor = main ? main->findChild<QWidget*>(ui::qs(anchorName)) : nullptr;
    if (!pointer || !anchor)
        return;
    ui::SetWindowTop(*pointer, anchor->y() * ui::kTwipsPerPixel + ui::WindowTop(*main));
    ui::SetWindowLeft(*pointer, anchor->x() * ui::kTwipsPerPixel + ui::WindowLeft(*main));
}

void FrmBulle::showArrow() {
    if (QWidget* pointer = arrow())
        pointer->show();
}

FrmBulleObject::FrmBulleObject(shell::WindowDirectory& windows, shell::SharedState& shared)
    : slot_([this, &windows, &shared] { return new FrmBulle(*this, windows, shared); }) {}
