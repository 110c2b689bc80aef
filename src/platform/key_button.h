// The main window's keys.
#pragma once

#include <QColor>
#include <QPushButton>

namespace ui {

// A calculator key: a flat light face with a thin dark rim, darker while pressed, a blue rim
// while it has the keyboard focus. Drawn by itself rather than through a style sheet: a style
// sheet on the window makes every control of it go through the slower style-sheet style at
// start-up.
class KeyButton final : public QPushButton {
  public:
    explicit KeyButton(const QString& caption, QWidget* parent = nullptr);

    // The face's colour at rest (the "=" key is darker than the others); the caption takes black
    // or white to match.
    void setFaceColour(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor face_{224, 224, 224};
};

} // namespace ui
