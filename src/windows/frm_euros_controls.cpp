// The main window's controls: the window itself, the menu label, the converter panel, the
// controls beyond the client area, the popup menu and the Tab order. The calculator panel and
// the handlers are in frm_euros.cpp.
#include "windows/frm_euros_controls.h"

#include "platform/accessibility.h"
#include "platform/display_box.h"
#include "platform/fit_text.h"
#include "platform/key_button.h"
#include "platform/timer.h"
#include "platform/twips.h"
#include "platform/widgets.h"
#include "windows/frm_euros.h"

#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

using euros_controls::makeBox;
using euros_controls::makeKey;
using euros_controls::makePanel;
using euros_controls::setColours;
using euros_controls::setPointSize;
using ui::TwipsRect;

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
    Label6->setGeometry(TwipsRect(120, 0, 615, 255));
    setColours(Label6, QPalette::WindowText, Qt::white);
    Label6->installEventFilter(this);
}

void frmEuros::buildConverterPanel() {
    auto* panel = makePanel(this, "Picture5", QStringLiteral("Convertisseur"),
                            TwipsRect(120, 1260, 2355, 2960));
    Picture5 = panel;

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
    const auto caption = [results](const char* name, const QString& description, QRect place,
                                   const QString& text, const QColor& colour) {
        QLineEdit* box = makeBox(results, name, description, place, true);
        box->setText(text);
        box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        ui::SetFiguresOnBlack(box, colour);
        setPointSize(box, 7);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    };
    Text3 = caption("Text3", QStringLiteral("Légende des francs"), TwipsRect(0, 230, 495, 195),
                    QStringLiteral("Francs"), QColor(255, 255, 160));
    Text4 = caption("Text4", QStringLiteral("Légende des euros"), TwipsRect(0, 680, 615, 195),
                    QStringLiteral("Euros"), QColor(160, 255, 255));
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
    // Out of sight, yet a reader reaches the button and the trace; the status label says nothing
    // the trace does not.
    List1->setAccessibleName(QStringLiteral("Trace des transferts"));
    ui::HideFromScreenReaders(Etat);

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
    item("load", QStringLiteral("&Ouvrir un mémo"), &frmEuros::load_Click);
    item("save", QStringLiteral("&Enregistrer le mémo"), &frmEuros::save_Click);
    item("imprimante", QStringLiteral("&Imprimer le mémo"), &frmEuros::imprimante_Click);
    separator("barre1");
    Pub = item("Pub", QStringLiteral("&Pub Online"), &frmEuros::Pub_Click);
    Pub->setCheckable(true);
    separator("barre4");
    item("Aide", QStringLiteral("&Aide sur..."), &frmEuros::Aide_Click);
    item("Apropos", QStringLiteral("À p&ropos de ..."), &frmEuros::Apropos_Click);
    separator("barre2");
    item("Quitter", QStringLiteral("&Quitter"), &frmEuros::Quitter_Click);

    // The menu from the keyboard too, under its label, its first item ready for the arrows.
    // A reader presses the label as the key does.
    const auto underLabel = [this] {
        menu_->popup(Label6->mapToGlobal(QPoint(0, Label6->height())));
        menu_->setActiveAction(menu_->actions().value(0));
    };
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            underLabel);
    ui::SetAccessibleAction(Label6, QAccessible::ButtonMenu, underLabel, QStringLiteral("F10"));
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
