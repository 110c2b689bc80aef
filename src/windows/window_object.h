// Each window kind has one object for the whole run. Its on-screen window is created when the
// object is first touched (load) and destroyed when it is closed (unload); the object's own
// fields live on between loads.
#pragma once

#include <QString>

class QWidget;

namespace shell {

class WindowObject {
  public:
    virtual ~WindowObject() = default;
    // Creates the on-screen window and runs its load step; nothing when already loaded.
    virtual void load() = 0;
    // Closes the on-screen window; nothing when it is not loaded.
    virtual void unload() = 0;
    virtual bool isLoaded() const = 0;
    // The on-screen window while loaded, else null.
    virtual QWidget* widget() const = 0;
};

// The kinds, in the order the main window closes the others.
enum class WindowKind { frmAbout, FrmBulle, frmPrem, frmTransPicture, FrmTrombonne, frmEuros };

class WindowDirectory {
  public:
    virtual ~WindowDirectory() = default;
    // Touching a window object loads nothing by itself; callers load() what they show.
    virtual WindowObject* object(WindowKind kind) = 0;
};

// State shared by the windows for the whole run.
struct SharedState {
    bool AlreadyRunning = false;
    bool TourQuit = false;
    QString programFolder;
    // Where the note-page dialogs open next when the state is kept per user; empty: in the
    // program folder each time.
    QString notePageFolder;
};

} // namespace shell
