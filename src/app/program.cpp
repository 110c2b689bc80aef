#include "app/program.h"

#include "platform/accessibility.h"
#include "platform/files.h"
#include "platform/instance_check.h"
#include "platform/qt_french.h"
#include "windows/frm_about.h"
#include "windows/frm_bulle.h"
#include "windows/frm_euros.h"
#include "windows/frm_prem.h"
#include "windows/frm_trans_picture.h"
#include "windows/frm_trombonne.h"
#include "windows/owned_windows.h"
#include "windows/window_slot.h"

#include <QApplication>
#include <QWindow>

Program::Program() {
    ui::InstallAccessibility();
    if (QCoreApplication* application = QCoreApplication::instance())
        ui::UseQtTextsInFrenchAtFirstMenu(*application);
    shared_.programFolder = ui::ProgramFolder();
    shared_.notePageFolder =
        ui::NotePageFolderFor(shared_.programFolder, QCoreApplication::applicationDirPath());
    setWindowObject(
        shell::WindowKind::frmAbout, std::make_unique<shell::WindowSlot<frmAbout>>([this] {
            return new frmAbout(
                frmAbout::Services{dialogs_, connection_, browser_, shared_.programFolder,
                                   main_ ? main_->onlineSettings().defaultSiteAddress
                                         : online::Settings{}.defaultSiteAddress},
                main_.get());
        }));
    // The assistant and the welcome window stand apart from the main window: no Qt parent, so
    // that disabling the main window leaves them working.
    setWindowObject(shell::WindowKind::FrmBulle, std::make_unique<FrmBulleObject>(*this, shared_));
    setWindowObject(
        shell::WindowKind::frmTransPicture,
        std::make_unique<shell::WindowSlot<frmTransPicture>>([] { return new frmTransPicture; }));
    setWindowObject(shell::WindowKind::FrmTrombonne,
                    std::make_unique<shell::WindowSlot<FrmTrombonne>>(
                        [this] { return new FrmTrombonne(*this, shared_); }));
    setWindowObject(shell::WindowKind::frmPrem,
                    std::make_unique<shell::WindowSlot<frmPrem>>(
                        [this] { return new frmPrem(*this, shared_); }));
}

Program::~Program() = default;

shell::WindowObject* Program::object(shell::WindowKind kind) {
    if (kind == shell::WindowKind::frmEuros)
        return &mainObject_;
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
    if (!main_ || !window || window != main_->windowHandle())
        return;
    // A click on the main window that the welcome window holds disabled leaves the keyboard with
    // the welcome window, whose keys (Enter, Escape) go on.
    if (!main_->isEnabled() && bringWelcomeForward())
        return;
    if (fromOwnedWindow)
        main_->Form_Activate();
}

bool Program::bringWelcomeForward() {
    shell::WindowObject* welcome = object(shell::WindowKind::frmPrem);
    if (!welcome || !welcome->isLoaded() || !welcome->widget()->isVisible())
        return false;
    welcome->widget()->raise();
    welcome->widget()->activateWindow();
    return true;
}

int Program::run() {
    return start() ? QApplication::exec() : 0;
}

bool Program::start() {
    // The window alone first: a start that finds another instance makes no control at all.
    main_ = std::make_unique<frmEuros>(
        shared_,
        frmEuros::Services{dialogs_, clipboard_, files_, printer_, connection_, browser_, this},
        nullptr, frmEuros::Controls::Later);
    mainObject_.setWindow(main_.get());
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
    // Shown before its controls are made: the X server maps the window, and a window manager
    // frames it, while they are built. Nothing is painted before the event loop runs, so the
    // first paint shows the whole window.
    main_->show();
    main_->buildControls();
    main_->Form_Load();
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* window) { focusWindowChanged(window); });
    main_->Form_Activate();
    // The welcome window came up while the main window loaded; the main window's activation
    // would take the keyboard that the welcome window's keys need.
    bringWelcomeForward();
    return true;
}
