// The real boxes and dialogs: the message box stands over the window the user works in and
// answers its letters; the file dialog of the note pages has its texts in French, its filter
// shown by name, and hands back a typed name that does not exist as typed (the load then fails
// silently).
#include "platform/qt_documents.h"
#include "platform/qt_platform.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Closes the dialog, or a box it opened, if still open a while later, so that a dialog that did
// not take what the test gave it fails the test rather than hangs it.
void closeLeftOpen(QPointer<QWidget> dialog, int attempts) {
    QTimer::singleShot(1000, [dialog, attempts] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!dialog || !modal || (modal != dialog && modal->parentWidget() != dialog))
            return;
        ADD_FAILURE() << "left open: " << modal->metaObject()->className();
        modal->close();
        if (attempts > 1)
            closeLeftOpen(dialog, attempts - 1);
    });
}

// Runs `act` on the dialog once it is open.
void whenOpen(std::function<void(QFileDialog*)> act) {
    QTimer::singleShot(20, [act = std::move(act)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        closeLeftOpen(dialog, 4); // before: a box the dialog opens holds `act` in its own loop
        act(dialog);
    });
}

TEST(FileDialog, FrenchTextsFilterByNameAndAnyTypedName) {
    QTemporaryDir folder;
    const ui::FileDialogSettings settings{"Charger une page de note", "Fichiers supportés", "*.cxt",
                                          folder.path().toStdString()};
    ui::QtFileDialogs dialogs;
    for (const bool open : {true, false}) {
        SCOPED_TRACE(open ? "load" : "save");
        QStringList buttons;
        QString filter;
        whenOpen([&](QFileDialog* dialog) {
            for (auto* b : dialog->findChildren<QDialogButtonBox*>().constFirst()->buttons())
                buttons << b->text();
            filter = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(QStringLiteral("absente.cxt"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        const auto chosen = open ? dialogs.openFile(settings) : dialogs.saveFile(settings);
        EXPECT_EQ(chosen.value_or(""), (folder.path() + "/absente.cxt").toStdString());
        EXPECT_EQ(filter, "Fichiers supportés");
        EXPECT_TRUE(buttons.contains(QStringLiteral("Annuler"))) << buttons.join(',').toStdString();
    }
}

TEST(MessageBox, StandsOverTheActiveWindowAndAnswersItsLetters) {
    QWidget main;
    QWidget about;
    for (QWidget* w : {&main, &about}) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    ui::QtDialogs dialogs(&main);
    const ui::Message question{"Etes-vous certain de vouloir imprimer ?", "Impression de la note",
                               ui::Buttons::YesNo, ui::Icon::Question};
    for (const auto& [letter, answer] :
         {std::pair{Qt::Key_N, ui::Answer::No}, std::pair{Qt::Key_O, ui::Answer::Yes}}) {
        // As the desktop does when a box closes: its window is active again.
        about.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
        QWidget* over = nullptr;
        QTimer::singleShot(20, [&, letter = letter] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            over = box->parentWidget();
            closeLeftOpen(box, 1); // the letter did not answer the box
            QTest::keyClick(box, letter);
        });
        EXPECT_EQ(dialogs.messageBox(question), answer);
        EXPECT_EQ(over, &about);
    }
}

} // namespace
