#include "windows/frm_euros.h"

#include "core/converter.h"
#include "core/state_file.h"
#include "platform/accessibility.h"
#include "platform/display_box.h"
#include "platform/files.h"
#include "platform/fit_text.h"
#include "platform/key_button.h"
#include "platform/qt_platform.h"
#include "platform/timer.h"
#include "platform/transfer.h"
#include "platform/twips.h"
#include "platform/widgets.h"
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

template <class Box = QLineEdit>
QLineEdit* makeBox(QWidget* parent, const char* name, const QString& accessibleName, QRect rect,
                   bool readOnly) {
    auto* box = new Box(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessibleName);
    box->setGeometry(rect);
    box->setReadOnly(readOnly);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

void setColours(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setPointSize(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

template <class Button = QPushButton>
QPushButton* makeKey(QWidget* parent, const QString& name, const QString& caption,
                     const QString& accessibleName, QRect rect) {
    auto* key = new Button(caption, parent);
    key->setObjectName(name);
    key->setAccessibleName(accessibleName);
    key->setGeometry(rect);
    key->setAutoDefault(false);
    return key;
}

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
    calculator_ = std::make_unique<calc::Calculator>(calc::CalculatorIo{
        *display_, *keyboardBox_, *tape_, services_.dialogs, services_.clipboard});

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
    return *tape_;
}

void frmEuros::buildWindow() {
    setObjectName(QStringLiteral("frmEuros"));
    setWindowTitle(QStringLiteral("Tirelix"));
    ui::SetAccessibleRole(this, QAccessible::Window);
    setWindowIcon(QIcon(ui::Picture(QStringLiteral(":/assets/icons/tirelix-16.png"))));
    // Fixed single border: a minimise button, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ui::Px(8565), ui::Px(4350));
    // Colours are set through palettes: a style sheet here would send every control of the
    // window through the style-sheet style, a good part of the start-up.
    ui::PaintBackground(this, QColor(0, 48, 96));
}

void frmEuros::buildMenuLabel() {
    Label6 = new QLabel(QStringLiteral("Menu"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setAccessibleName(QStringLiteral("Menu"));
    Label6->setAccessibleDescription(QStringLiteral("Touche F10"));
    Label6->setGeometry(TwipsRect(120, 0, 615, 255));
    setColours(Label6, QPalette::WindowText, Qt::white);
    Label6->installEventFilter(this);
}

void frmEuros::buildConverterPanel() {
    auto* panel = new QFrame(this);
    Picture5 = panel;
    panel->setObjectName(QStringLiteral("Picture5"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ui::PaintBackground(panel, QColor(192, 192, 192));
    panel->setAccessibleName(QStringLiteral("Convertisseur"));
    ui::SetAccessibleRole(panel, QAccessible::Pane);
    panel->setGeometry(TwipsRect(120, 1260, 2355, 2960));

    auto* results = new QFrame(panel);
    Picture3 = results;
    results->setObjectName(QStringLiteral("Picture3"));
    ui::PaintBackground(results, Qt::black);
    results->setAccessibleName(QStringLiteral("Résultats de la conversion"));
    ui::SetAccessibleRole(results, QAccessible::Pane);
    results->setGeometry(TwipsRect(120, 70, 2055, 975));
    Francs =
        makeBox(results, "Francs", QStringLiteral("Francs"), TwipsRect(120, 0, 1815, 360), true);
    Francs->setText(QStringLiteral("0"));
    ui::SetFiguresOnBlack(Francs, Qt::yellow);
    Euros =
        makeBox(results, "Euros", QStringLiteral("Euros"), TwipsRect(120, 445, 1815, 285), true);
    Euros->setText(QStringLiteral("0"));
    ui::SetFiguresOnBlack(Euros, Qt::cyan);
    ui::ShowWholeText(Francs);
    ui::ShowWholeText(Euros);
    // Captions are read-only boxes out of the focus chain.
    Text3 = makeBox(results, "Text3", QStringLiteral("Légende des francs"),
                    TwipsRect(0, 230, 495, 195), true);
    Text3->setText(QStringLiteral("Francs"));
    Text3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::SetFiguresOnBlack(Text3, QColor(255, 255, 160));
    setPointSize(Text3, 7);
    Text3->setFocusPolicy(Qt::NoFocus);
    Text4 = makeBox(results, "Text4", QStringLiteral("Légende des euros"),
                    TwipsRect(0, 680, 615, 195), true);
    Text4->setText(QStringLiteral("Euros"));
    Text4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::SetFiguresOnBlack(Text4, QColor(160, 255, 255));
    setPointSize(Text4, 7);
    Text4->setFocusPolicy(Qt::NoFocus);
    auto* line = new QFrame(results);
    line->setObjectName(QStringLiteral("Line1"));
    ui::SetAccessibleRole(line, QAccessible::Separator);
    line->setGeometry(ui::Px(0), ui::Px(435), ui::Px(2040), 1);
    ui::PaintBackground(line, QColor(128, 128, 128));

    // The lettering pictures are read as the words they show.
    ui::MakePicture(panel, "Image4", QStringLiteral(":/assets/euros_convertisseur.png"),
                    TwipsRect(120, 1215, 1995, 690))
        ->setAccessibleName(QStringLiteral("Euros Convertisseur"));
    Command4 = makeKey<ui::KeyButton>(panel, QStringLiteral("Command4"), QStringLiteral("C"),
                                      QStringLiteral("effacer la conversion"),
                                      TwipsRect(1800, 2040, 375, 375));
    Command4->setToolTip(QStringLiteral("Effacement"));
    ui::MakePicture(panel, "Image5", QStringLiteral(":/assets/taux.png"),
                    TwipsRect(240, 2160, 1545, 210))
        ->setAccessibleName(QStringLiteral("1 Euro = 6.55957 FF"));
    Text1 = makeBox(panel, "Text1", QStringLiteral("Montant à convertir"),
                    TwipsRect(120, 2490, 2055, 285), false);
    Text1->setToolTip(QStringLiteral("Saisir en Euros ou en Francs"));
    Text1->installEventFilter(this);

    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

void frmEuros::buildCalculatorPanel() {
    auto* panel = new QFrame(this);
    Picture1 = panel;
    panel->setObjectName(QStringLiteral("Picture1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ui::PaintBackground(panel, QColor(192, 192, 192));
    panel->setAccessibleName(QStringLiteral("Calculatrice"));
    ui::SetAccessibleRole(panel, QAccessible::Pane);
    panel->setGeometry(TwipsRect(2760, 1260, 5655, 2960));

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
    blocnote->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the tape as it leaves every other control.
    blocnote->setTabChangesFocus(true);
    blocnote->installEventFilter(this);
    blocnote->viewport()->installEventFilter(this);

    ui::MakePicture(panel, "Image1", QStringLiteral(":/assets/calculatrice.png"),
                    TwipsRect(3120, 2520, 1665, 300))
        ->setAccessibleName(QStringLiteral("Calculatrice"));
}

void frmEuros::buildHiddenControls() {
    // Beyond the client area: they work, but the user never sees them.
    Command1 = makeKey(this, QStringLiteral("Command1"), QString(), QStringLiteral("convertir"),
                       TwipsRect(600, 5160, 495, 495));
    Command1->setIcon(QIcon(ui::Picture(QStringLiteral(":/assets/convert.png"))));
    Command1->setIconSize(QSize(32, 32));
    // Out of the Tab chain: its focus converts and hands the focus straight back to Text1,
    // which would keep the keyboard from ever leaving the entry box.
    Command1->setFocusPolicy(Qt::ClickFocus);
    Command1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Etat = new QLabel(this);
    Etat->setObjectName(QStringLiteral("Etat"));
    Etat->setGeometry(TwipsRect(6120, 4800, 4935, 735));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(TwipsRect(8880, 360, 2175, 5130));
    List1->setFocusPolicy(Qt::NoFocus);
    // Every trace line has the same shape: the list then measures one line, not all of them
    // again at each line a download adds.
    List1->setUniformItemSizes(true);
    for (QWidget* unseen : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Etat),
                            static_cast<QWidget*>(List1)})
        ui::HideFromScreenReaders(unseen);

    // Anchor points for the tour's arrow; nothing is drawn there.
    struct Anchor {
        const char* name;
        int left, top;
    };
    const Anchor anchors[] = {{"Picture4", 2400, 3960},  {"Picture6", 2400, 3480},
                              {"Picture7", 2400, 1800},  {"Picture8", 5280, 3960},
                              {"Picture14", 5280, 3480}, {"Picture9", 5280, 3000},
                              {"Picture13", 5280, 2520}, {"Picture10", 5280, 1560},
                              {"Picture11", 8160, 1560}, {"Picture12", 8160, 2760}};
    for (const auto& a : anchors) {
        auto* anchor = new QWidget(this);
        anchor->setObjectName(QString::fromLatin1(a.name));
        anchor->setGeometry(TwipsRect(a.left, a.top, 255, 135));
        anchor->hide();
    }

    // Never given an interval: it never fires.
    new ui::Timer(QStringLiteral("Timer2"), 0, this);
    // Armed by the paperclip after its wink.
    Timer4 = new ui::Timer(QStringLiteral("Timer4"), 0, this);
    connect(Timer4, &ui::Timer::timeout, this, [this] { Timer4_Timer(); });
}

void frmEuros::buildMenu() {
    menu_ = new QMenu(QStringLiteral("Menu"), this);
    menu_->setObjectName(QStringLiteral("menu"));
    // A popup shows no title: readers take its name from here.
    menu_->setAccessibleName(QStringLiteral("Menu"));
    auto item = [this](const char* name, const QString& caption, void (frmEuros::*handler)()) {
        QAction* action = menu_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    auto separator = [this](const char* name) {
        menu_->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    item("load", QStringLiteral("Ouvrir un mémo"), &frmEuros::load_Click);
    item("save", QStringLiteral("Enregistrer le mémo"), &frmEuros::save_Click);
    item("imprimante", QStringLiteral("Imprimer le mémo"), &frmEuros::imprimante_Click);
    separator("barre1");
    Pub = item("Pub", QStringLiteral("Pub Online"), &frmEuros::Pub_Click);
    Pub->setCheckable(true);
    separator("barre4");
    item("Aide", QStringLiteral("Aide sur..."), &frmEuros::Aide_Click);
    item("Apropos", QStringLiteral("À propos de ..."), &frmEuros::Apropos_Click);
    separator("barre2");
    item("Quitter", QStringLiteral("Quitter"), &frmEuros::Quitter_Click);

    // The menu from the keyboard too, under its label, its first item ready for the arrows.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        menu_->popup(Label6->mapToGlobal(QPoint(0, Label6->height())));
        menu_->setActiveAction(menu_->actions().value(0));
    });
}

// Tab goes through the panels as they read, left to right: in each, the entry box first, then
// what it shows, then its keys. The keys follow the pad row by row; the Ticket Note ends the
// chain with its clear key.
void frmEuros::buildKeyboardOrder() {
    QList<QWidget*> chain = {Text1, Francs, Euros, Command4, Text2, TextChiffre};
    for (QPushButton* key : {Num[7], Num[8],  Num[9],          CmdOperation[3], pourcent,
                             Num[4], Num[5],  Num[6],          CmdOperation[2], Command3,
                             Num[1], Num[2],  Num[3],          CmdOperation[1], Command2,
                             Num[0], NumVirg, CmdOperation[4], CmdOperation[0], CmdReset})
        chain << key;
    chain << blocnote << Command5;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

QString frmEuros::statePath(const char* name) const {
    return shared_.programFolder + QLatin1Char('/') + QLatin1String(name);
}

// ---- Load, activation, unload -------------------------------------------------------------

void frmEuros::Form_Load() {
    ClearText1OnFocus = true;
    calculator_->ClearText2OnFocus = true;

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
    return {services_.files, services_.dialogs, services_.printer, *tape_,
            shared_.programFolder.toStdString()};
}

void frmEuros::load_Click() {
    shell::NotePageIo io = notePageIo();
    shell::LoadNotePage(io);
}

void frmEuros::save_Click() {
    shell::NotePageIo io = notePageIo();
    shell::SaveNotePage(io);
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
