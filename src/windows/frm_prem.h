// The welcome window of the first start: it offers the guided tour once, keeps the main window
// out of reach while it is open, and records in Prem.eff that it has been shown.
#pragma once

#include "windows/window_object.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QToolButton;

class frmPrem : public QWidget {
    Q_OBJECT
  public:
    frmPrem(shell::WindowDirectory& windows, shell::SharedState& shared, QWidget* parent = nullptr);

    void Form_Load();
    // OK, Enter and Escape: the tour starts and the window closes.
    void cmdOK_Click();
    // Whatever closes the window.
    void Form_Unload();
    void cmdOK_MouseMove();
    void Form_MouseMove();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setMainWindowEnabled(bool enabled);

    shell::WindowDirectory& windows_;
    shell::SharedState& shared_;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QToolButton* cmdOK = nullptr;
};
