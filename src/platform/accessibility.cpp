#include "platform/accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace ui {

namespace {

constexpr const char* kRoleProperty = "tirelixAccessibleRole";
constexpr const char* kHiddenProperty = "tirelixHiddenFromScreenReaders";
constexpr const char* kPressProperty = "tirelixPress";
constexpr const char* kKeysProperty = "tirelixPressKeys";

using Press = std::function<void()>;

class PlainAccessible final : public QAccessibleWidget {
  public:
    PlainAccessible(QWidget* widget, QAccessible::Role role, bool hidden)
        : QAccessibleWidget(widget, role), hidden_(hidden) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        // Readers skip what is neither visible nor showing.
        if (hidden_)
            state.invisible = true;
        state.hasPopup = role() == QAccessible::ButtonMenu;
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (press())
            names.prepend(pressAction());
        return names;
    }
    // Later, as a click comes: the reader's call returns before a menu or a message box opens.
    void doAction(const QString& name) override {
        if (Press run = press(); run && name == pressAction())
            QTimer::singleShot(0, widget(), run);
        else
            QAccessibleWidget::doAction(name);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        const QString keys = widget()->property(kKeysProperty).toString();
        if (name == pressAction() && !keys.isEmpty() && press())
            return {keys};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

  private:
    Press press() const { return qvariant_cast<Press>(widget()->property(kPressProperty)); }

    bool hidden_;
};

// A popup menu is a top-level window that Qt leaves out of the application's windows, though
// the menu names the application as its parent: the open one is read as the last window.
class ProgramAccessible final : public QAccessibleApplication {
  public:
    int childCount() const override {
        return QAccessibleApplication::childCount() + (openMenu() ? 1 : 0);
    }
    QAccessibleInterface* child(int index) const override {
        QMenu* menu = openMenu();
        if (menu && index == QAccessibleApplication::childCount())
            return QAccessible::queryAccessibleInterface(menu);
        return QAccessibleApplication::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        QMenu* menu = openMenu();
        if (menu && child && child->object() == menu)
            return QAccessibleApplication::childCount();
        return QAccessibleApplication::indexOfChild(child);
    }

  private:
    static QMenu* openMenu() {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* menu = qobject_cast<QMenu*>(window); menu && menu->isVisible())
                return menu;
        return nullptr;
    }
};

// The role a hidden control keeps, for tools that list everything.
QAccessible::Role naturalRole(const QWidget* widget) {
    if (qobject_cast<const QAbstractButton*>(widget))
        return QAccessible::Button;
    if (qobject_cast<const QAbstractItemView*>(widget))
        return QAccessible::List;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    return QAccessible::Client;
}

QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    // Qt asks once per class of the object's ancestry, most derived first: the first question
    // is the one to answer, and every widget's first event asks it while the window is built.
    if (object && object == QCoreApplication::instance())
        return new ProgramAccessible;
    if (!object || !object->isWidgetType() ||
        className != QLatin1StringView(object->metaObject()->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const QVariant role = widget->property(kRoleProperty);
    const bool hidden = widget->property(kHiddenProperty).toBool();
    if (!role.isValid() && !hidden)
        return nullptr;
    return new PlainAccessible(
        widget, role.isValid() ? static_cast<QAccessible::Role>(role.toInt()) : naturalRole(widget),
        hidden);
}

// Qt makes a widget's interface at the first question about it, or at the first event about it
// while a reader listens (a name or a caption set), and keeps it: one made before the setting
// gives way to ours.
void renewInterface(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (iface && !dynamic_cast<PlainAccessible*>(iface))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace

void SetAccessibleRole(QWidget* widget, QAccessible::Role role) {
    widget->setProperty(kRoleProperty, static_cast<int>(role));
    renewInterface(widget);
}

void HideFromScreenReaders(QWidget* widget) {
    widget->setProperty(kHiddenProperty, true);
    renewInterface(widget);
}

void SetAccessibleAction(QWidget* widget, QAccessible::Role role, std::function<void()> press,
                         const QString& keys) {
    widget->setProperty(kPressProperty, QVariant::fromValue(Press(std::move(press))));
    widget->setProperty(kKeysProperty, keys);
    SetAccessibleRole(widget, role);
}

void InstallAccessibility() {
    QAccessible::installFactory(&interfaceFor);
    // The application's interface may be older than the factory.
    QAccessibleInterface* program = QAccessible::queryAccessibleInterface(qApp);
    if (program && !dynamic_cast<ProgramAccessible*>(program))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(program));
}

} // namespace ui
