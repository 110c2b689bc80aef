#include "platform/accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

namespace ui {

namespace {

constexpr const char* kRoleProperty = "tirelixAccessibleRole";
constexpr const char* kHiddenProperty = "tirelixHiddenFromScreenReaders";

class PlainAccessible final : public QAccessibleWidget {
  public:
    PlainAccessible(QWidget* widget, QAccessible::Role role, bool hidden)
        : QAccessibleWidget(widget, role), hidden_(hidden) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        // Readers skip what is neither visible nor showing.
        if (hidden_)
            state.invisible = true;
        return state;
    }

  private:
    bool hidden_;
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

void InstallAccessibility() {
    QAccessible::installFactory(&interfaceFor);
}

} // namespace ui
