#include "windows/frm_prem.h"

#include "core/state_file.h"
#include "platform/accessibility.h"
#include "platform/files.h"
#include "platform/fit_text.h"
#include "platform/hand_pointer.h"
#include "platform/picture.h"
#include "platform/pop_up.h"
#include "platform/twips.h"
#include "platform/widgets.h"
#include "windows/frm_trombonne.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextDocument>
#include <QToolButton>

namespace {

using ui::TwipsRect;

const char* const kWelcomeText = "Nous vous remercions pour avoir choisi un de nos logiciels. \n"
                                 "Ce premier écran vous propose de commencer par une \n"
                                 "présentation interactive.\n";

QFont sansSerif(double points, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFrame* makeLine(QWidget* parent, const char* name, int top, const QColor& colour) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(ui::Px(120), ui::Px(top), ui::Px(5684 - 120), 1);
    ui::PaintBackground(line, colour);
    ui::SetAccessibleRole(line, QAccessible::Separator);
    return line;
}

} // namespace

frmPrem::frmPrem(shell::WindowDirectory& windows, shell::SharedState& shared, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      windows_(windows), shared_(shared) {
    setObjectName(QStringLiteral("frmPrem"));
    setWindowTitle(QStringLiteral("Démarrage"));
    ui::SetAccessibleRole(this, QAccessible::Window);
    setFixedSize(ui::Px(5985), ui::Px(4425));
    setFont(sansSerif(8.25, false));
    setMouseTracking(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(TwipsRect(240, 240, 540, 540));
    picIcon->setPixmap(ui::Picture(QStringLiteral(":/assets/icons/tirelix-32.png")));
    // The program's icon beside the title says nothing more.
    ui::HideFromScreenReaders(picIcon);

    lblTitle = new QLabel(QStringLiteral("Ecran de démarrage"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(TwipsRect(1080, 240, 3885, 600));
    lblTitle->setFont(ui::FontFitting(sansSerif(18, true), lblTitle->text(),
                                      lblTitle->contentsRect().size(), Qt::AlignLeft));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsRect(600, 1080, 4455, 855));
    Text1->setReadOnly(true);
    Text1->setPlainText(QString::fromUtf8(kWelcomeText));
    Text1->setAccessibleName(QStringLiteral("Message de bienvenue"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background-color: rgb(224, 224, 224); color: black; }"));
    // Each line on a line of its own, as written.
    const int margin =
        2 * static_cast<int>(Text1->document()->documentMargin()) + 2 * Text1->frameWidth();
    Text1->setFont(ui::FontFitting(font(), Text1->toPlainText().trimmed(),
                                   Text1->size() - QSize(margin, margin), Qt::AlignLeft));

    makeLine(this, "Line1_0", 2280, QColor(128, 128, 128));
    makeLine(this, "Line1_1", 2295, QColor(255, 255, 255));

    cmdOK = new QToolButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(2040, 2400, 1860, 1785));
    cmdOK->setText(QStringLiteral("OK"));
    cmdOK->setAccessibleDescription(QStringLiteral("Commencer la présentation interactive"));
    cmdOK->setIcon(QIcon(ui::Picture(QStringLiteral(":/assets/trombone_1.png"))));
    cmdOK->setIconSize(QSize(124, 92));
    cmdOK->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    cmdOK->setFocusPolicy(Qt::StrongFocus);
    cmdOK->setMouseTracking(true);
    cmdOK->installEventFilter(this);
    connect(cmdOK, &QToolButton::clicked, this, [this] { cmdOK_Click(); });

    // A move over these must not reach the background, which brings the arrow back.
    for (QWidget* quiet :
         {static_cast<QWidget*>(picIcon), static_cast<QWidget*>(lblTitle),
          static_cast<QWidget*>(Text1), Text1->viewport(), static_cast<QWidget*>(cmdOK)})
        quiet->setAttribute(Qt::WA_NoMousePropagation);

    // OK is both the default and the cancel button.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                                    QKeySequence(Qt::Key_Escape)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] { cmdOK_Click(); });
    }
    setFocusProxy(cmdOK);
}

void frmPrem::Form_Load() {
    assistant::PlaceAtCursor(*this);
    setMainWindowEnabled(false);
}

void frmPrem::cmdOK_Click() {
    setMainWindowEnabled(true);
    assistant::StartAssistant(windows_, shared_);
    close();
}

void frmPrem::Form_Unload() {
    setMainWindowEnabled(true);
    // A marker that cannot be written costs only a second welcome at the next start.
    ui::WriteFileAtomically(shared_.programFolder + QStringLiteral("/Prem.eff"),
                            shell::WriteField("1"));
}

void frmPrem::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

void frmPrem::cmdOK_MouseMove() {
    ui::ShowHandPointer(*this, shared_.programFolder);
}
void frmPrem::Form_MouseMove() {
    ui::RestoreDefaultPointer(*this);
}

void frmPrem::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool frmPrem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdOK && event->type() == QEvent::MouseMove) {
        cmdOK_MouseMove();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmPrem::setMainWindowEnabled(bool enabled) {
    shell::WindowObject* main = windows_.object(shell::WindowKind::frmEuros);
    if (main && main->widget())
        main->widget()->setEnabled(enabled);
}
