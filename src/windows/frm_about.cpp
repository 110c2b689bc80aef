#include "windows/frm_about.h"

#include "core/banner.h"
#include "core/build_settings.h"
#include "platform/accessibility.h"
#include "platform/fit_text.h"
#include "platform/hand_pointer.h"
#include "platform/picture.h"
#include "platform/twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {

using ui::TwipsRect;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmAbout::frmAbout(Services services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("À propos de Tirelix"));
    // Fixed dialog frame with a close box; as a dialog of the main window it stays out of the
    // task bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ui::Px(5730), ui::Px(2505));
    setModal(false);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(TwipsRect(240, 240, 540, 540));
    picIcon->setPixmap(ui::Picture(QStringLiteral(":/assets/icons/tirelix-32.png")));
    picIcon->setAlignment(Qt::AlignCenter);
    // The program's icon beside its name says nothing more.
    ui::HideFromScreenReaders(picIcon);

    lblTitle =
        makeLabel(this, "lblTitle", QStringLiteral("Tirelix"), TwipsRect(1050, 240, 3885, 480));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    lblTitle->setFont(titleFont);
    lblVersion = makeLabel(this, "lblVersion",
                           QStringLiteral("Version ") + QString::fromLatin1(shell::kVersion),
                           TwipsRect(1050, 780, 3885, 225));
    lblDescription = makeLabel(this, "lblDescription",
                               QStringLiteral("Euros convertisseur + Calculatrice Notes"),
                               TwipsRect(1050, 1125, 3885, 570));

    // An engraved separator: a grey line over a white one.
    const char* lineColours[] = {"rgb(128, 128, 128)", "rgb(255, 255, 255)"};
    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line1_%1").arg(i));
        line->setGeometry(ui::Px(110), ui::Px(1920) + i, ui::Px(5670) - ui::Px(110), 1);
        line->setStyleSheet(
            QStringLiteral("background-color: %1;").arg(QLatin1String(lineColours[i])));
        ui::SetAccessibleRole(line, QAccessible::Separator);
        Line1[static_cast<std::size_t>(i)] = line;
    }

    const QUrl site(QString::fromStdString(services_.siteAddress));
    Label1 = makeLabel(this, "Label1", site.host(), TwipsRect(1080, 2040, 1935, 255));
    Label1->setWordWrap(false);
    // With a border, a label indents its text by half an "x" from the top and left edges: the
    // fitted line would then lose its underline and descenders at the bottom.
    Label1->setIndent(0);
    // A link the keyboard reaches too: Tab, then Space or Enter.
    Label1->setFocusPolicy(Qt::TabFocus);
    // Blue on the usual light window; a dark desktop theme's dark window takes a light blue.
    const QString linkColour = palette().color(QPalette::Window).lightness() < 128
                                   ? QStringLiteral("rgb(128, 170, 255)")
                                   : QStringLiteral("blue");
    Label1->setStyleSheet(QStringLiteral("QLabel { color: %1; border: 1px solid transparent; }"
                                         "QLabel:focus { border: 1px dotted %1; }")
                              .arg(linkColour));
    ui::SetAccessibleRole(Label1, QAccessible::Link);
    QFont linkFont = Label1->font();
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    // Inside its one-pixel border the line must fit whole, underline and descenders included.
    Label1->setFont(ui::FontFitting(linkFont, Label1->text(), Label1->size() - QSize(2, 2),
                                    Qt::AlignLeft | Qt::AlignTop));
    Label1->setAccessibleName(QStringLiteral("Site web : ") + site.host());

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(4245, 2040, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    // OK holds the focus when the box opens, so that Enter closes it rather than follow the link.
    QWidget::setTabOrder(cmdOK, Label1);
    cmdOK->setFocus();

    // Pointer feedback: the elements with a trigger follow the mouse; the others (title,
    // version, icon) swallow its movements, so that the hand stays over them.
    setMouseTracking(true);
    for (QWidget* w : {static_cast<QWidget*>(cmdOK), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(lblDescription)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    installEventFilter(this);
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::Label1_Click() {
    if (services_.connection.IsConnected()) {
        if (online::IsWebAddress(services_.siteAddress))
            services_.browser.open(services_.siteAddress);
        return;
    }
    services_.dialogs.messageBox({"Vous n'êtes pas connecté à Internet !!!", "INFORMATION...",
                                  ui::Buttons::Ok, ui::Icon::Information, true});
}

void frmAbout::cmdOK_MouseMove() {
    ui::ShowHandPointer(*this, services_.programFolder);
}

void frmAbout::Label1_MouseMove() {
    if (!services_.connection.IsConnected())
        return;
    ui::ShowHandPointer(*this, services_.programFolder);
    Label1->setToolTip(QStringLiteral("Connexion..."));
}

void frmAbout::Form_MouseMove() {
    ui::RestoreDefaultPointer(*this);
}
void frmAbout::lblDescription_MouseMove() {
    ui::RestoreDefaultPointer(*this);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == cmdOK)
            cmdOK_MouseMove();
        else if (watched == Label1)
            Label1_MouseMove();
        else if (watched == lblDescription)
            lblDescription_MouseMove();
        else if (watched == this)
            Form_MouseMove();
        // Unused, the movement would go on to the window's background. A pressed button
        // still follows the mouse.
        if (watched == Label1 || watched == lblDescription)
            return true;
        if (watched == cmdOK)
            return static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton;
        return false;
    }
    if (watched == Label1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
            case Qt::Key_Space:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Label1_Click();
                return true;
            default:
                break;
            }
        }
    }
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Label1->rect().contains(mouse->position().toPoint())) {
            Label1_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // OK is the cancel button too: Escape presses it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
