// The main window's side of the guided tour: the "Aide sur..." item, the closing timer of the
// assistant, and the welcome window of the first start.
#include "platform/timer.h"
#include "windows/frm_euros.h"
#include "windows/frm_trombonne.h"
#include "windows/window_object.h"

void frmEuros::Aide_Click() {
    if (services_.windows)
        assistant::StartAssistant(*services_.windows, shared_);
}

void frmEuros::Timer4_Timer() {
    if (shell::WindowDirectory* windows = services_.windows) {
        for (auto kind : {shell::WindowKind::FrmBulle, shell::WindowKind::frmTransPicture,
                          shell::WindowKind::FrmTrombonne}) {
            if (shell::WindowObject* object = windows->object(kind))
                object->unload();
        }
    }
    Timer4->setInterval(0);
}

void frmEuros::showWelcome() {
    shell::WindowObject* welcome =
        services_.windows ? services_.windows->object(shell::WindowKind::frmPrem) : nullptr;
    if (!welcome)
        return;
    welcome->load();
    welcome->widget()->show();
}
