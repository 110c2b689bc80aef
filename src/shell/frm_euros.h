// The main window: converter, calculator and Ticket Note side by side.
#pragma once

#include <QWidget>

class frmEuros : public QWidget {
    Q_OBJECT
public:
    explicit frmEuros(QWidget* parent = nullptr);
};
