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
            writeBytes(folder.filePath("Prem.eff"), *prem);
        QFile::copy(TIRELIX_ASSETS "/MainTacheG.ico", folder.filePath("MainTacheG.ico"));
        started = program.start();
        held(program.mainWindow());
    }

    template <class W> static W* held(W* w) {
        for (ui::Timer* t : w ? w->template findChildren<ui::Timer*>() : QList<ui::Timer*>())
            t->holdTicks(true);
        return w;
    }
    template <class W> W* loaded(WindowKind kind) {
        shell::WindowObject* object = program.object(kind);
        return held(object ? qobject_cast<W*>(object->widget()) : nullptr);
    }
    template <class W = QWidget> W* child(QWidget* window, const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
    frmEuros* main() const { return program.mainWindow(); }
    FrmTrombonne* paperclip() { return loaded<FrmTrombonne>(WindowKind::FrmTrombonne); }
    FrmBulle* bubble() { return loaded<FrmBulle>(WindowKind::FrmBulle); }
    frmTransPicture* arrow() { return loaded<frmTransPicture>(WindowKind::frmTransPicture); }
    frmPrem* welcome() { return loaded<frmPrem>(WindowKind::frmPrem); }

    void placeMain(int left, int top) {
        ui::SetWindowLeft(*main(), left);
        ui::SetWindowTop(*main(), top);
    }
    void aide() { child<QAction>(main(), "Aide")->trigger(); }
    // The menu item, then the paperclip's bubble timer.
    FrmBulle* openTour() {
        aide();
        paperclip()->Timer2_Timer();
        return bubble();
    }
    void press(const char* button) {
        QTest::mouseClick(child<QPushButton>(bubble(), button), Qt::LeftButton);
    }
    void next() { press("asAssisPopup2"); }
};

} // namespace test
