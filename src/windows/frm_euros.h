// The main window: converter, calculator and Ticket Note side by side, the banner strip, and
// the popup menu behind "Menu". Handlers carry the names of the controls' events; what they
// decide lives in the core.
#pragma once

#include "core/calculator.h"
#include "core/desktop.h"
#include "core/settings.h"

#include <QWidget>
#include <array>
#include <memory>
#include <string>

class QAction;
class QMovie;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class LineEditBox;
class PlainTextTape;
class TapeJournalFile;
class Timer;
} // namespace ui

namespace calc {
class JournaledTape;
}

namespace shell {
struct SharedState;
struct NotePageIo;
class NotePages;
class WindowDirectory;
} // namespace shell

namespace online {
class Transfer;
}

class frmEuros : public QWidget {
    Q_OBJECT
  public:
    struct Services {
        ui::Dialogs& dialogs;
        ui::Clipboard& clipboard;
        ui::FileDialogs& files;
        ui::Printer& printer;
        ui::ConnectionProbe& connection;
        ui::WebBrowser& browser;
        // The other windows (the about box); none in tests that do not open them.
        shell::WindowDirectory* windows = nullptr;
    };

    // Later: the window alone (title, icon, size), so that the start can ask the desktop for
    // another instance before any control is made; buildControls() then completes it.
    enum class Controls { Now, Later };

    frmEuros(shell::SharedState& shared, Services services, QWidget* parent = nullptr,
             Controls controls = Controls::Now);
    ~frmEuros() override;

    // Makes the controls of a window made with Controls::Later, shown or not yet; does nothing
    // once they exist.
    void buildControls();

    // Load step after the instance check: the flags and the three state files.
    void Form_Load();
    // The main window came back to the front from another window of the program.
    void Form_Activate();

    // Calculator keys.
    void Num_Click(int index);
    void NumVirg_Click();
    void CmdOperation_Click(int index);
    void pourcent_Click();
    void CmdReset_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();

    // Ticket Note and keyboard box.
    void blocnote_LostFocus();
    void blocnote_Click();
    void Text2_GotFocus();
    // The character code the box inserts (0: dropped).
    char16_t Text2_KeyPress(char16_t keyAscii);

    // Converter.
    void Text1_Change();
    void Text1_GotFocus();
    void Command1_Click();
    void Command1_GotFocus();
    void Command4_Click();

    // Popup menu.
    void Label6_Click();
    void load_Click();
    void save_Click();
    void imprimante_Click();
    void Pub_Click();
    void Apropos_Click();
    // The guided tour (frm_euros_assistant.cpp).
    void Aide_Click();
    // Closes the assistant's windows, once, after the paperclip's wink.
    void Timer4_Timer();
    void Quitter_Click();

    // Banner strip, download and its trace.
    void Timer1_Timer();
    void Timer3_Timer();
    void Inet1_StateChanged(int state);
    void Image2_Click();
    void Image2_MouseMove();
    // Where the download fetches from, what the coin opens, the fetch time limit.
    online::Settings& onlineSettings() { return online_; }
    bool downloadRunning() const;

    calc::Calculator& calculator() { return *calculator_; }
    ui::Tape& tape();
    // A note page is being read or written.
    bool notePageBusy() const;
    QMenu* menu() const { return menu_; }

    bool ClearText1OnFocus = true;
    bool Text1HadFocus = false;
    bool PubActive = false;
    std::string SiteAddress;

  signals:
    // The window is closing: the program closes the windows it owns.
    void unloading();
    // A download tick's transfers are over; `replaced` when both files were replaced.
    void downloadEnded(bool replaced);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWindow();
    void buildMenuLabel();
    void buildConverterPanel();
    void buildCalculatorPanel();
    void buildBannerStrip();
    void buildHiddenControls();
    void buildMenu();
    void buildKeyboardOrder();
    QString statePath(const char* name) const;
    shell::NotePageIo notePageIo();
    bool handleKeyboardBoxKey(QKeyEvent* event);
    bool isKeypadKey(const QObject* watched) const;
    bool handleKeypadKey(QKeyEvent* event);
    // One character typed into the keyboard box, through Text2_KeyPress.
    void typeIntoKeyboardBox(char16_t code);

    // Banner strip and download (frm_euros_online.cpp).
    void wirePointerFeedback();
    bool pointerEvent(QObject* watched, QEvent* event);
    void startOnlineTimers();
    bool loadBanner(const QString& path);
    void emptyBanner();
    void showAnimation(bool shown);
    void fetchSiteFile();
    void fetchBanner();
    void endDownload(bool replaced);
    void appendTrace(const QString& line);
    // The first-run welcome (frm_euros_assistant.cpp).
    void showWelcome();

    shell::SharedState& shared_;
    Services services_;
    // The banner's tick is handing the focus back: no move of the user's.
    bool bannerGivesFocus_ = false;

    // Converter panel.
    QWidget* Picture5 = nullptr;
    QWidget* Picture3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Francs = nullptr;
    QLineEdit* Euros = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command1 = nullptr;

    // Calculator panel.
    QWidget* Picture1 = nullptr;
    QLineEdit* TextChiffre = nullptr;
    QLineEdit* Text2 = nullptr;
    QPlainTextEdit* blocnote = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QPushButton*, 10> Num{};
    std::array<QPushButton*, 5> CmdOperation{};
    QPushButton* NumVirg = nullptr;
    QPushButton* pourcent = nullptr;
    QPushButton* CmdReset = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;

    // Banner strip and the rest.
    QWidget* Picture2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Etat = nullptr;
    QListWidget* List1 = nullptr;
    QMenu* menu_ = nullptr;
    QAction* Pub = nullptr;
    QLabel* Gif89a1 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image2 = nullptr;
    ui::Timer* Timer1 = nullptr;
    ui::Timer* Timer3 = nullptr;
    ui::Timer* Timer4 = nullptr;
    // Created at the first download, not with the window.
    std::unique_ptr<online::Transfer> Inet1;
    // The banner file playing in Gif89a1 (owns the bytes it plays from).
    QMovie* bannerMovie_ = nullptr;
    online::Settings online_;

    std::unique_ptr<ui::LineEditBox> display_;
    std::unique_ptr<ui::LineEditBox> keyboardBox_;
    std::unique_ptr<ui::PlainTextTape> tape_;
    // What the calculator and the note pages write to: the tape, and its journal once loaded.
    std::unique_ptr<calc::JournaledTape> journaledTape_;
    std::unique_ptr<ui::TapeJournalFile> journal_;
    std::unique_ptr<calc::Calculator> calculator_;
    // Last: its worker may still use the tape while it is destroyed.
    std::unique_ptr<shell::NotePages> notePages_;
};
