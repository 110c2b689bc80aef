// The real program on the offscreen platform, its folder a temporary one, with the assistant's
// clocks held: the tests run the tick handlers themselves.
#pragma once

#include "app/program.h"
#include "platform/timer.h"
#include "platform/window_position.h"
#include "test_files.h"
#include "windows/frm_bulle.h"
#include "windows/frm_euros.h"
#include "windows/frm_prem.h"
#include "windows/frm_trans_picture.h"
#include "windows/frm_trombonne.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace test {

using shell::WindowKind;

struct AssistantRig {
    QTemporaryDir folder;
    Program program;
    bool started = false;

    // `prem`: the bytes of Prem.eff at start, none for no file.
    explicit AssistantRig(std::optional<QByteArray> prem = QByteArray("\"1\"\r\n")) {
        program.shared().programFolder = folder.path();
        if (prem)
            writeBytes(folder.filePath(QStringLiteral("Prem.eff")), *prem);
        QFile::copy(QStringLiteral(TIRELIX_ASSETS "/MainTacheG.ico"),
                    folder.filePath(QStringLiteral("MainTacheG.ico")));
        started = program.start();
        holdClocks(program.mainWindow());
    }

    QByteArray readFile(const char* name) const {
        return readBytes(folder.filePath(QString::fromLatin1(name)));
    }

    static void holdClocks(QWidget* window) {
        if (!window)
            return;
        for (ui::Timer* t : window->findChildren<ui::Timer*>())
            t->holdTicks(true);
    }

    frmEuros* main() const { return program.mainWindow(); }
    template <class W> W* loaded(WindowKind kind) {
        shell::WindowObject* object = program.object(kind);
        W* w = object ? qobject_cast<W*>(object->widget()) : nullptr;
        holdClocks(w);
        return w;
    }
    FrmTrombonne* paperclip() { return loaded<FrmTrombonne>(WindowKind::FrmTrombonne); }
    FrmBulle* bubble() { return loaded<FrmBulle>(WindowKind::FrmBulle); }
    frmTransPicture* arrow() { return loaded<frmTransPicture>(WindowKind::frmTransPicture); }
    frmPrem* welcome() { return loaded<frmPrem>(WindowKind::frmPrem); }

    void placeMain(int left, int top) {
        ui::SetWindowLeft(*main(), left);
        ui::SetWindowTop(*main(), top);
    }
    void aide() { main()->findChild<QAction*>(QStringLiteral("Aide"))->trigger(); }
    // The menu item, then the paperclip's bubble timer.
    FrmBulle* openTour() {
        aide();
        paperclip()->Timer2_Timer();
        return bubble();
    }
    void press(const char* button) {
        QTest::mouseClick(bubble()->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    void next() { press("asAssisPopup2"); }
    void back() { press("asAssisPopup1"); }
    QString bubbleText() { return bubble()->findChild<QLabel*>(QStringLiteral("Label1"))->text(); }
    QString caption(const char* button) {
        return bubble()->findChild<QPushButton*>(QString::fromLatin1(button))->text();
    }
    QString mainText(const char* box) {
        return main()->findChild<QLineEdit*>(QString::fromLatin1(box))->text();
    }
    void clickMain(const char* key) {
        QTest::mouseClick(main()->findChild<QPushButton*>(QString::fromLatin1(key)),
                          Qt::LeftButton);
    }
    ui::Timer* timer(QWidget* window, const char* name) {
        return window->findChild<ui::Timer*>(QString::fromLatin1(name));
    }
};

} // namespace test
