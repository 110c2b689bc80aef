#include "app/program.h"
#include "main_window_rig.h"
#include "windows/frm_euros.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using shell::WindowKind;

class FakeWindow final : public shell::WindowObject {
  public:
    explicit FakeWindow(const char* name) : name_(name) {}
    void load() override {
        if (!widget_) {
            widget_ = std::make_unique<QWidget>();
            widget_->setWindowTitle(QString::fromLatin1(name_));
        }
    }
    void unload() override { widget_.reset(); }
    bool isLoaded() const override { return widget_ != nullptr; }
    QWidget* widget() const override { return widget_.get(); }

  private:
    const char* name_;
    std::unique_ptr<QWidget> widget_;
};

struct ProgramRig {
    Program program;
    std::array<FakeWindow*, 5> fakes{};

    ProgramRig() {
        const std::pair<WindowKind, const char*> kinds[] = {
            {WindowKind::frmAbout, "frmAbout"},
            {WindowKind::FrmBulle, "FrmBulle"},
            {WindowKind::frmPrem, "frmPrem"},
            {WindowKind::frmTransPicture, "frmTransPicture"},
            {WindowKind::FrmTrombonne, "FrmTrombonne"}};
        for (const auto& [kind, name] : kinds) {
            auto fake = std::make_unique<FakeWindow>(name);
            fakes[static_cast<std::size_t>(kind)] = fake.get();
            program.setWindowObject(kind, std::move(fake));
        }
    }
    FakeWindow& fake(WindowKind kind) { return *fakes[static_cast<std::size_t>(kind)]; }
    QLineEdit* box(const char* name) {
        return program.mainWindow()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void activate(QWidget* w) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
};

// The start shows the window before it makes the controls: they must show exactly as in a
// window shown whole, the ones hidden on purpose (the banner, the arrow's anchors) included.
TEST(Program, StartShowsTheControlsAsAWindowShownWhole) {
    test::MainWindowRig whole;
    whole.show();
    ProgramRig rig;
    ASSERT_TRUE(rig.program.start());
    ASSERT_TRUE(rig.program.mainWindow()->isVisible());

    auto controls = [](const QWidget* window) {
        std::vector<std::string> seen;
        for (const QWidget* w : window->findChildren<QWidget*>())
            if (!w->isWindow())
                seen.push_back(w->objectName().toStdString() + '/' + w->metaObject()->className() +
                               (w->isVisible() ? " shown" : " hidden"));
        return seen;
    };
    const auto started = controls(rig.program.mainWindow());
    EXPECT_EQ(started, controls(whole.window.get()));
    EXPECT_GT(started.size(), 50u);
}

TEST(Program, ComingBackFromAnotherWindowOfTheProgramFocusesTheEntryBox) {
    ProgramRig rig;
    ASSERT_TRUE(rig.program.start());
    frmEuros* main = rig.program.mainWindow();
    rig.activate(main);
    QTest::mouseClick(rig.box("Text2"), Qt::LeftButton);
    ASSERT_TRUE(rig.box("Text2")->hasFocus());

    // A window that is not one of the program's windows (a message box, say): no activation.
    QWidget stranger;
    rig.activate(&stranger);
    rig.activate(main);
    EXPECT_TRUE(rig.box("Text2")->hasFocus());

    FakeWindow& about = rig.fake(WindowKind::frmAbout);
    about.load();
    rig.activate(about.widget());
    rig.activate(main);
    EXPECT_TRUE(rig.box("Text1")->hasFocus());
    EXPECT_TRUE(main->Text1HadFocus);
}

// Qt's own editing menu of a text box speaks French, like the rest of the program.
TEST(Program, TheTextBoxesMenuIsInFrench) {
    ProgramRig rig;
    ASSERT_TRUE(rig.program.start());
    QLineEdit* box = rig.box("Text1");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &event);
    QMenu* menu = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible())
            menu = m;
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text();
    menu->close();
    EXPECT_FALSE(items.filter(QStringLiteral("Tout sélectionner")).isEmpty())
        << items.join(',').toStdString();
}

} // namespace
