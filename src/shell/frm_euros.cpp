#include "shell/frm_euros.h"

frmEuros::frmEuros(QWidget* parent) : QWidget(parent) {
    setObjectName("frmEuros");
    setWindowTitle(QStringLiteral("Tirelix"));
    resize(640, 400);
}
