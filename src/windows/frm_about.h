// The about box: the program's name, description and version, and a link to the maker's web
// site. Modeless; the one window object brings it forward when it is chosen again.
#pragma once

#include "core/desktop.h"

#include <QDialog>
#include <QString>
#include <array>
#include <string>

class QFrame;
class QLabel;
class QPushButton;

class frmAbout final : public QDialog {
    Q_OBJECT
  public:
    struct Services {
        ui::Dialogs& dialogs;
        ui::ConnectionProbe& connection;
        ui::WebBrowser& browser;
        QString programFolder;
        // The maker's web site: the link shows its host and opens it.
        std::string siteAddress;
    };

    explicit frmAbout(Services services, QWidget* parent = nullptr);

    // No load step of its own.
    void Form_Load() {}

    void cmdOK_Click();
    void Label1_Click();
    void cmdOK_MouseMove();
    void Label1_MouseMove();
    void Form_MouseMove();
    void lblDescription_MouseMove();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Services services_;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QFrame*, 2> Line1{};
    QPushButton* cmdOK = nullptr;
};
