#include "platform/qt_french.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

namespace {

class FirstMenuWatch final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ContextMenu) {
            UseQtTextsInFrench();
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void UseQtTextsInFrench() {
    static bool asked = false;
    if (asked || !QCoreApplication::instance())
        return;
    asked = true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void UseQtTextsInFrenchAtFirstMenu(QCoreApplication& application) {
    application.installEventFilter(new FirstMenuWatch(&application));
}

} // namespace ui
