// The real file dialog of the note pages: its texts in French, its filter shown by name, and a
// typed name that does not exist handed back as typed (the load then fails silently).
#include <gtest/gtest.h>

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

#include "ui/qt_documents.h"

namespace {

// Closes the dialog, or a box it opened, if still open a while later, so that a dialog that did
// not accept the name fails the test rather than hangs it.
void closeLeftOpen(QPointer<QFileDialog> dialog, int attempts) {
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
    const ui::FileDialogSettings settings{"Charger une page de note", "Fichiers supportés",
                                          "*.cxt", folder.path().toStdString()};
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

} // namespace
