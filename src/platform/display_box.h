// The calculator's display: green figures on black inside a thin sunken rim. Drawn by itself
// rather than through a style sheet, which would send it through the slower style-sheet style
// at start-up.
#pragma once

#include <QLineEdit>

namespace ui {

class DisplayBox final : public QLineEdit {
  public:
    explicit DisplayBox(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
