#include "app/program.h"

#include <QApplication>

#include "shell/frm_euros.h"
#include "shell/instance_check.h"
#include "shell/owned_windows.h"
#include "ui/files.h"

Program::Program() { shared_.programFolder = ui::ProgramFolder(); }

Program::~Program() = default;

shell::WindowObject* Program::object(shell::WindowKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < owned_.size() ? owned_[index].get() : nullptr;
}

int Program::run() {
    main_ = std::make_unique<frmEuros>(shared_,
                                       frmEuros::Services{dialogs_, clipboard_, files_, printer_});
    dialogs_.setParentWidget(main_.get());
    files_.setParentWidget(main_.get());
    connect(main_.get(), &frmEuros::unloading, this, [this] { shell::CloseOwnedWindows(*this); });

    // The hidden main window must exist on the desktop, titled, for the scan to count it.
    main_->winId();
    shared_.AlreadyRunning = shell::CheckAlreadyRunning(*main_, main_->windowTitle());
    if (shared_.AlreadyRunning) {
        main_->close();
        return 0;
    }
    main_->Form_Load();
    main_->show();
    main_->Form_Activate();
    return QApplication::exec();
}
