// The real main window on the offscreen platform, with recording dialogs and scripted file
// dialogs; the clipboard and the printer (to a PDF file) are the real ones.
#pragma once

#include "calculator_rig.h"
#include "platform/qt_platform.h"
#include "platform/qt_printer.h"
#include "windows/frm_euros.h"
#include "windows/window_object.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

namespace test {

// Answers from a script (nullopt plays Cancel), and remembers what it showed.
struct ScriptedFileDialogs final : ui::FileDialogs {
    using Answer = std::optional<std::string>;
    Answer openFile(const ui::FileDialogSettings& s) override { return next(s); }
    Answer saveFile(const ui::FileDialogSettings& s) override { return next(s); }
    std::deque<Answer> answers;
    std::vector<ui::FileDialogSettings> shown;
    Answer next(const ui::FileDialogSettings& s) {
        shown.push_back(s);
        const Answer a = answers.empty() ? std::nullopt : answers.front();
        answers.erase(answers.begin(), answers.begin() + (answers.empty() ? 0 : 1));
        return a;
    }
};

// The connection check answers what the test says, and counts the questions.
struct FakeConnection final : ui::ConnectionProbe {
    bool IsConnected() override { return ++asked, connected; }
    bool connected = false;
    int asked = 0;
};

// Records the addresses it is asked to open instead of starting a browser.
struct FakeBrowser final : ui::WebBrowser {
    void open(const std::string& address) override { opened.push_back(address); }
    std::vector<std::string> opened;
};

struct MainWindowRig {
    QTemporaryDir folder;
    shell::SharedState shared;
    FakeDialogs dialogs;
    ui::QtClipboard clipboard;
    ScriptedFileDialogs files;
    ui::QtPrinter printer{QString()};
    FakeConnection connection; // offline unless a test says otherwise
    FakeBrowser browser;
    std::unique_ptr<frmEuros> window;

    explicit MainWindowRig(ui::Dialogs* realDialogs = nullptr, ui::Printer* otherPrinter = nullptr,
                           shell::WindowDirectory* windows = nullptr,
                           ui::FileDialogs* realFiles = nullptr) {
        shared.programFolder = folder.path();
        window = std::make_unique<frmEuros>(
            shared, frmEuros::Services{realDialogs ? *realDialogs : dialogs, clipboard,
                                       realFiles ? *realFiles : files,
                                       otherPrinter ? *otherPrinter : printer, connection, browser,
                                       windows});
    }

    void show() {
        window->Form_Load();
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        window->Form_Activate();
    }

    template <class T = QWidget> T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
    QString text(const char* name) const { return box(name)->text(); }
    std::string tape() const { return window->tape().text(); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void clickKeys(std::initializer_list<const char*> names) {
        for (const char* n : names)
            click(n);
    }
    // Gives the focus to a box as the mouse does.
    void focus(const char* name) { QTest::mouseClick(box(name), Qt::LeftButton); }
};

} // namespace test
