#include "windows/frm_euros.h"

#include "core/converter.h"
#include "core/state_file.h"
#include "core/tape_journal.h"
#include "core/texts.h"
#include "platform/accessibility.h"
#include "platform/display_box.h"
#include "platform/files.h"
#include "platform/fit_text.h"
#include "platform/key_button.h"
#include "platform/qt_platform.h"
#include "platform/tape_journal_file.h"
#include "platform/timer.h"
#include "platform/transfer.h"
#include "platform/twips.h"
#include "platform/widgets.h"
#include "windows/frm_euros_controls.h"
#include "windows/note_pages.h"
#include "windows/window_object.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

using ui::TwipsRect;

const char* const kDigitNames[] = {"zéro", "un",  "deux", "trois", "quatre",
                                   "cinq", "six", "sept", "huit",  "neuf"};
const char* const kOperatorCaptions[] = {"+", "-", "*", "/", "="};
const char* const kOperatorNames[] = {"plus", "moins", "multiplier", "diviser", "égal"};

// Key grid of the calculator panel: column lefts and row tops in twips.
constexpr int kKeyColumns[] = {120, 600, 1080, 1560, 2040};
constexpr int kKeyRows[] = {480, 960, 1440, 1920};
constexpr int kKeySize = 375;

// The state files are one short line; anything longer is not one of ours.
constexpr qint64 kMaxStateFileBytes = 4096;

// Focus that the user or the program moves inside the window. Focus handed back when a window
// is re-activated (after a message box, a dialog, another program) or when a popup menu closes
// is not a focus change.
bool focusMovedInside(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// The helpers every control-building function shares.
using euros_controls::makeBox;
using euros_controls::makeKey;
using euros_controls::makePanel;
using euros_controls::setColours;

} // namespace

frmEuros::frmEuros(shell::SharedState& shared, Services services, QWidget* parent,
                   Controls controls)
    : QWidget(parent), shared_(shared), services_(services) {
    buildWindow();
    if (controls == Controls::Now)
        buildControls();
}

void frmEuros::buildControls() {
    if (calculator_)
        return;
    buildMenuLabel();
    buildBannerStrip();
    buildConverterPanel();
    buildCalculatorPanel();
    buildHiddenControls();
    buildMenu();
    buildKeyboardOrder();
    wirePointerFeedback();

    display_ = std::make_unique<ui::LineEditBox>(TextChiffre);
    keyboardBox_ = std::make_unique<ui::LineEditBox>(Text2);
    tape_ = std::make_unique<ui::PlainTextTape>(blocnote);
    journaledTape_ = std::make_unique<calc::JournaledTape>(*tape_);
    calculator_ = std::make_unique<calc::Calculator>(calc::CalculatorIo{
        *display_, *keyboardBox_, *journaledTape_, services_.dialogs, services_.clipboard});
    notePages_ = std::make_unique<shell::NotePages>(notePageIo());

    // Qt leaves the children made after their window was shown hidden; these show as the window
    // would have shown them, which skips those hidden on purpose.
    if (isVisible()) {
        for (QObject* child : children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (control && !control->isWindow() &&
                !control->testAttribute(Qt::WA_WState_ExplicitShowHide))
                control->show();
        }
    }
}

frmEuros::~frmEuros() = default;

ui::Tape& frmEuros::tape() {
    return *journaledTape_;
}

bool frmEuros::notePageBusy() const {
    return notePages_->busy();
}

void frmEuros::buildCalculatorPanel() {
    auto* panel = makePanel(this, "Picture1", QStringLiteral("Calculatrice"),
                            TwipsRect(2760, 1260, 5655, 2960));
    Picture1 = panel;

    TextChiffre = makeBox<ui::DisplayBox>(panel, "TextChiffre", QStringLiteral("Affichage"),
                                          TwipsRect(120, 60, 2295, 360), true);
    TextChiffre->setText(QStringLiteral("0"));
    ui::ShowWholeText(TextChiffre);

    // Keys, row by row as on the pad.
    const QString row[4][5] = {{"N7", "N8", "N9", "O3", "pourcent"},
                               {"N4", "N5", "N6", "O2", "Command3"},
                               {"N1", "N2", "N3", "O1", "Command2"},
                               {"N0", "NumVirg", "O4", "O0", "CmdReset"}};
    // The operator keys are set in a terminal face: the desktop's fixed-width font, 9 points
    // (asking fontconfig for a "Terminal" family that Linux desktops lack costs start-up time).
    QFont terminal = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    terminal.setPointSize(9);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            const QRect rect = TwipsRect(kKeyColumns[c], kKeyRows[r], kKeySize, kKeySize);
            const QString& id = row[r][c];
            if (id.startsWith(QLatin1Char('N')) && id.size() == 2) {
                const int d = id.at(1).digitValue();
                Num[d] = makeKey(panel, QStringLiteral("Num_%1").arg(d), QString::number(d),
                                 QString::fromUtf8(kDigitNames[d]), rect);
                connect(Num[d], &QPushButton::clicked, this, [this, d] { Num_Click(d); });
            } else if (id.startsWith(QLatin1Char('O'))) {
                const int i = id.at(1).digitValue();
                auto* key = makeKey<ui::KeyButton>(panel, QStringLiteral("CmdOperation_%1").arg(i),
                                                   QString::fromLatin1(kOperatorCaptions[i]),
                                                   QString::fromUtf8(kOperatorNames[i]), rect);
                key->setFont(terminal);
                if (i == 4)
                    static_cast<ui::KeyButton*>(key)->setFaceColour(QColor(192, 192, 192));
                CmdOperation[i] = key;
                connect(key, &QPushButton::clicked, this, [this, i] { CmdOperation_Click(i); });
            }
        }
    }
    auto special = [&](QPushButton*& key, const char* name, const char* caption,
                       const char* accessible, int r, int c, void (frmEuros::*handler)()) {
        key = makeKey<ui::KeyButton>(panel, QString::fromLatin1(name), QString::fromLatin1(caption),
                                     QString::fromUtf8(accessible),
                                     TwipsRect(kKeyColumns[c], kKeyRows[r], kKeySize, kKeySize));
        connect(key, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    special(pourcent, "pourcent", "%", "pourcentage", 0, 4, &frmEuros::pourcent_Click);
    special(Command3, "Command3", "M", "coller le nombre choisi dans le Ticket Note", 1, 4,
            &frmEuros::Command3_Click);
    special(Command2, "Command2", "CT", "effacer avec un titre", 2, 4, &frmEuros::Command2_Click);
    special(NumVirg, "NumVirg", ",", "virgule", 3, 1, &frmEuros::NumVirg_Click);
    special(CmdReset, "CmdReset", "C", "effacer", 3, 4, &frmEuros::CmdReset_Click);
    CmdReset->setToolTip(QStringLiteral("Ligne suivante"));
    Command2->setToolTip(QStringLiteral("Ligne suivante + Texte"));

    for (QObject* child : panel->children())
        if (isKeypadKey(child))
            child->installEventFilter(this);

    Text2 = makeBox(panel, "Text2", QStringLiteral("Saisie au clavier"),
                    TwipsRect(120, 2490, 2295, 285), false);
    Text2->setAlignment(Qt::AlignCenter);
    Text2->setToolTip(QStringLiteral("Touches du  pavé numérique Uniquement"));
    // The box only echoes keys: nothing may be pasted or dropped into it.
    Text2->setContextMenuPolicy(Qt::NoContextMenu);
    Text2->setAcceptDrops(false);
    Text2->installEventFilter(this);

    Label2 = new QLabel(QStringLiteral("Ticket Note"), panel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(TwipsRect(2565, 60, 2895, 300));
    ui::PaintBackground(Label2, QColor(128, 128, 128));
    setColours(Label2, QPalette::WindowText, QColor(224, 224, 224));
    Label2->setIndent(4);

    Command5 = makeKey(panel, QStringLiteral("Command5"), QString(),
                       QStringLiteral("effacer le Ticket Note"), TwipsRect(4920, 90, 375, 255));
    Command5->setIcon(QIcon(ui::Picture(QStringLiteral(":/assets/clear_notes.png"))));
    Command5->setIconSize(QSize(16, 16));
    Command5->setToolTip(QStringLiteral("Effacement des notes"));
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });

    blocnote = new QPlainTextEdit(panel);
    blocnote->setObjectName(QStringLiteral("blocnote"));
    blocnote->setAccessibleName(QStringLiteral("Ticket Note"));
    blocnote->setGeometry(TwipsRect(2565, 360, 2895, 2055));
    // Long lines wrap at the edge, so that a result is always in view.
    blocnote->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    blocnote->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab leaves the tape as it leaves every other control.
    blocnote->setTabChangesFocus(true);
    blocnote->installEventFilter(this);
    blocnote->viewport()->installEventFilter(this);

    ui::MakePicture(panel, "Image1", QStringLiteral(":/assets/calculatrice.png"),
                    TwipsRect(3120, 2520, 1665, 300))
        ->setAccessibleName(QStringLiteral("Calculatrice"));
}

QString frmEuros::statePath(const char* name) const {
    return shared_.programFolder + QLatin1Char('/') + QLatin1String(name);
}

// ---- Load, activation, unload -------------------------------------------------------------

void frmEuros::Form_Load() {
    ClearText1OnFocus = true;
    calculator_->ClearText2OnFocus = true;

    // After the instance check: a second instance must leave the running one's journal alone.
    if (!journal_) {
        journal_ = std::make_unique<ui::TapeJournalFile>(*journaledTape_, blocnote);
        if (journal_->open(statePath("blocnote.jnl")))
            services_.dialogs.messageBox({std::string(calc::kTapeRestoredMessage),
                                          std::string(calc::kProgramTitle), ui::Buttons::Ok,
                                          ui::Icon::Information});
    }

    // A missing, unreadable or broken state file counts as its unset value.
    auto readState = [this](const char* name) -> std::optional<std::string> {
        const auto content = ui::ReadWholeFile(statePath(name), kMaxStateFileBytes);
        return content ? shell::ReadFirstField(*content) : std::nullopt;
    };
    // Prem.eff holding 0 marks a first run: the welcome window, modeless, with this window
    // disabled until it closes.
    if (readState("Prem.eff") == "0")
        showWelcome();

    Pub->setChecked(false);
    PubActive = readState("Pub.eff").value_or("0") == "1";
    Pub->setChecked(PubActive);

    calculator_->TitleRequested = false;
    calculator_->Pasted = false;

    SiteAddress = readState("Site.eff").value_or(std::string());

    startOnlineTimers();
}

void frmEuros::Form_Activate() {
    if (!isEnabled() || !Text1->isEnabled() || !Text1->isVisible())
        return;
    // The window may have handed Text1 its first focus itself, as it activated.
    if (Text1->hasFocus()) {
        Text1_GotFocus();
        return;
    }
    Text1->setFocus(Qt::OtherFocusReason);
    // A window that the desktop has not activated yet (at start, under a window manager) takes
    // the focus without telling the box, and its activation then hands the focus back, which is
    // not a move: the move is the program's all the same.
    if (!Text1->hasFocus() && focusWidget() == Text1)
        Text1_GotFocus();
}

void frmEuros::closeEvent(QCloseEvent* event) {
    event->accept();
    // A normal end: nothing to restore at the next start.
    if (journal_)
        journal_->finish();
    emit unloading();
}

// ---- Events routed to the handlers -----------------------------------------------------------

bool frmEuros::eventFilter(QObject* watched, QEvent* event) {
    if (pointerEvent(watched, event))
        return true;
    const QEvent::Type type = event->type();
    if (watched == Text2) {
        if (type == QEvent::KeyPress)
            return handleKeyboardBoxKey(static_cast<QKeyEvent*>(event));
        // An input method's text is typed text too; what it is still composing shows nothing.
        if (type == QEvent::InputMethod) {
            for (const QChar c : static_cast<QInputMethodEvent*>(event)->commitString())
                typeIntoKeyboardBox(c.unicode());
            return true;
        }
        if (type == QEvent::FocusIn && focusMovedInside(event))
            Text2_GotFocus();
        // The X11 selection paste of the middle button would bypass the key handling.
        if ((type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonPress) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
    } else if (type == QEvent::KeyPress && isKeypadKey(watched)) {
        return handleKeypadKey(static_cast<QKeyEvent*>(event));
    } else if (watched == Text1) {
        if (type == QEvent::FocusIn && focusMovedInside(event))
            Text1_GotFocus();
    } else if (watched == blocnote) {
        if (type == QEvent::FocusOut && focusMovedInside(event))
            blocnote_LostFocus();
    } else if (watched == blocnote->viewport()) {
        if (type == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            blocnote_Click();
    } else if (watched == Command1) {
        if (type == QEvent::FocusIn && focusMovedInside(event))
            Command1_GotFocus();
    } else if (watched == Label6) {
        if (type == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Label6_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool frmEuros::handleKeyboardBoxKey(QKeyEvent* event) {
    char16_t code = 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        code = 13;
        break;
    case Qt::Key_Backspace:
        code = 8;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        if (event->matches(QKeySequence::Paste)) {
            code = 22;
            break;
        }
        const QString text = event->text();
        // Keys without a character (arrows, Home, Delete) edit the box as usual.
        if (text.isEmpty() || text.at(0).unicode() == 0x7f)
            return false;
        // A key may type several characters at once: each is a key of its own.
        for (const QChar c : text)
            typeIntoKeyboardBox(c.unicode());
        return true;
    }
    typeIntoKeyboardBox(code);
    return true;
}

bool frmEuros::isKeypadKey(const QObject* watched) const {
    const auto* key = qobject_cast<const QPushButton*>(watched);
    return key && key->parentWidget() == Picture1 && key != Command5;
}

// A key of the pad that has the focus (after a click on it) types as the keyboard box does,
// without the reset of moving into the box; Space presses the key itself.
bool frmEuros::handleKeypadKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space)
        return false;
    if (event->matches(QKeySequence::Copy)) {
        services_.clipboard.setText(TextChiffre->text().toStdString());
        return true;
    }
    return handleKeyboardBoxKey(event);
}

void frmEuros::typeIntoKeyboardBox(char16_t code) {
    const char16_t insert = Text2_KeyPress(code);
    if (insert == 8)
        Text2->backspace();
    else if (insert >= 32)
        Text2->insert(QString(QChar(insert)));
}

// ---- Calculator ------------------------------------------------------------------------------

void frmEuros::Num_Click(int index) {
    calculator_->Num_Click(index);
}
void frmEuros::NumVirg_Click() {
    calculator_->NumVirg_Click();
}
void frmEuros::CmdOperation_Click(int index) {
    calculator_->CmdOperation_Click(index);
}
void frmEuros::pourcent_Click() {
    calculator_->pourcent_Click();
}
void frmEuros::CmdReset_Click() {
    calculator_->CmdReset_Click();
}
void frmEuros::Command2_Click() {
    calculator_->Command2_Click();
}
void frmEuros::Command3_Click() {
    calculator_->Command3_Click();
}

void frmEuros::Command5_Click() {
    calculator_->Command5_Click();
    // The keyboard box's focus rule then resets the calculator.
    Text2->setFocus(Qt::OtherFocusReason);
}

void frmEuros::blocnote_LostFocus() {
    calculator_->blocnote_LostFocus();
}
void frmEuros::blocnote_Click() {
    calculator_->blocnote_Click();
}

void frmEuros::Text2_GotFocus() {
    Text1HadFocus = false;
    Text2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The banner handing the focus back leaves a calculation under way as it is.
    if (!bannerGivesFocus_)
        calculator_->Text2_GotFocus();
}

char16_t frmEuros::Text2_KeyPress(char16_t keyAscii) {
    return calculator_->Text2_KeyPress(keyAscii);
}

// ---- Converter -------------------------------------------------------------------------------

void frmEuros::Text1_Change() {
    Francs->setText(ui::qs(calc::kClearedResult));
    Euros->setText(ui::qs(calc::kClearedResult));
    Command1_Click();
}

void frmEuros::Text1_GotFocus() {
    Text1HadFocus = true;
    if (ClearText1OnFocus) {
        Text1->clear();
        ClearText1OnFocus = false;
    }
}

void frmEuros::Command1_Click() {
    const calc::Conversion result = calc::ConvertAmount(Text1->text().toStdString());
    if (result.status == calc::ConversionStatus::NotNumeric) {
        services_.dialogs.messageBox({std::string(calc::kNonNumericMessage),
                                      std::string(calc::kNonNumericTitle), ui::Buttons::Ok,
                                      ui::Icon::Stop, true});
    } else if (result.status == calc::ConversionStatus::Converted) {
        Francs->setText(ui::qs(result.francs));
        Euros->setText(ui::qs(result.euros));
    }
    Text1->setFocus(Qt::OtherFocusReason);
}

void frmEuros::Command1_GotFocus() {
    Text1_Change();
}

void frmEuros::Command4_Click() {
    Text1->clear();
    Francs->setText(ui::qs(calc::kClearedResult));
    Euros->setText(ui::qs(calc::kClearedResult));
    Text1->setFocus(Qt::OtherFocusReason);
}

// ---- Menu ------------------------------------------------------------------------------------

void frmEuros::Label6_Click() {
    menu_->popup(QCursor::pos());
}

shell::NotePageIo frmEuros::notePageIo() {
    return {.files = services_.files,
            .dialogs = services_.dialogs,
            .printer = services_.printer,
            .tape = *tape_,
            .journal = *journaledTape_,
            .programFolder = shared_.programFolder.toStdString(),
            .pageFolder = &shared_.notePageFolder};
}

void frmEuros::load_Click() {
    notePages_->load();
}

void frmEuros::save_Click() {
    notePages_->save();
}

void frmEuros::imprimante_Click() {
    shell::NotePageIo io = notePageIo();
    shell::PrintNotePage(io);
}

void frmEuros::Pub_Click() {
    // Flipped from the field, whether or not the action has already toggled its own mark.
    PubActive = !PubActive;
    Pub->setChecked(PubActive);
    ui::WriteFileAtomically(statePath("Pub.eff"), shell::WriteField(PubActive ? "1" : "0"));
}

void frmEuros::Quitter_Click() {
    close();
}
