#include <QApplication>

#include "shell/frm_euros.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tirelix"));
    frmEuros window;
    window.show();
    return QApplication::exec();
}
