#include "app/program.h"

#include <QApplication>
#include <QWindow>

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

void Program::setWindowObject(shell::WindowKind kind, std::unique_ptr<shell::WindowObject> object) {
    const auto index = static_cast<std::size_t>(kind);
    if (index < owned_.size())
        owned_[index] = std::move(object);
}

bool Program::isOwnedWindow(const QWindow* window) const {
    if (!window)
        return false;
    for (const auto& object : owned_) {
        QWidget* widget = object ? object->widget() : nullptr;
        if (widget && widget->windowHandle() == window)
            return true;
    }
    return false;
}

// The main window's activation is its coming back to the front from another window of the
// program; message boxes, dialogs and other programs in between do not count.
void Program::focusWindowChanged(QWindow* window) {
    const bool fromOwnedWindow = ownedWindowHadFocus_;
    ownedWindowHadFocus_ = isOwnedWindow(window);
    if (main_ && window && window == main_->windowHandle() && fromOwnedWindow)
        main_->Form_Activate();
}

int Program::run() { return start() ? QApplication::exec() : 0; }

bool Program::start() {
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
        return false;
    }
    main_->Form_Load();
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* window) { focusWindowChanged(window); });
    main_->show();
    main_->Form_Activate();
    return true;
}
