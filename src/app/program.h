// The program: owns the window objects and the state they share, and runs the start-up.
#pragma once

#include "platform/loader.h"
#include "platform/qt_documents.h"
#include "platform/qt_online.h"
#include "platform/qt_platform.h"
#include "windows/main_window_object.h"
#include "windows/window_object.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <memory>

class frmEuros;
class QWindow;

class Program final : public QObject, public shell::WindowDirectory {
    Q_OBJECT
  public:
    Program();
    ~Program() override;

    // Start-up to the end of the run; the process's exit code.
    int run();
    // The start-up alone: false when another instance refused it.
    bool start();

    // The parts that build the other windows hand their objects over here.
    void setWindowObject(shell::WindowKind kind, std::unique_ptr<shell::WindowObject> object);

    shell::WindowObject* object(shell::WindowKind kind) override;
    frmEuros* mainWindow() const { return main_.get(); }
    shell::SharedState& shared() { return shared_; }

  private:
    bool isOwnedWindow(const QWindow* window) const;
    void focusWindowChanged(QWindow* window);
    // Raises and activates the welcome window when it is on screen; false when it is not.
    bool bringWelcomeForward();

    shell::SharedState shared_;
    ui::QtDialogs dialogs_;
    ui::QtClipboard clipboard_;
    ui::QtFileDialogs files_;
    modules::LazyPrinter printer_;
    modules::LazyConnectionProbe connection_;
    ui::QtWebBrowser browser_;
    std::unique_ptr<frmEuros> main_;
    // The main window as the other windows reach it.
    shell::MainWindowObject mainObject_;
    // The windows the main window owns, created by the parts that build them.
    std::array<std::unique_ptr<shell::WindowObject>, 5> owned_;
    // Whether the window that last had the focus was one of the owned windows.
    bool ownedWindowHadFocus_ = false;
};
