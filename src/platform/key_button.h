// The main window's keys.
#pragma once

#include <QColor>
#include <QPushButton>

namespace ui {

// Qt draws a button at once when the mouse or the Space key presses or releases it, and sends
// that picture to the display before the button's work runs; the window's next picture, with the
// work's effect, then waits for the display to take the first. A QuickButton is drawn with the
// rest of the window instead, once its work is done.
class QuickButton : public QPushButton {
  public:
    explicit QuickButton(const QString& caption, QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    // Runs Qt's handling of an event with the button's drawing held back.
    template <class Handling> void holdingDrawing(Handling handling);
    void holdDrawing();
    void drawLater();

    bool holding_ = false;
};

// A calculator key: a flat light face with a thin dark rim, darker while pressed, a blue rim
// while it has the keyboard focus. Drawn by itself rather than through a style sheet: a style
// sheet on the window makes every control of it go through the slower style-sheet style at
// start-up.
class KeyButton final : public QuickButton {
  public:
    explicit KeyButton(const QString& caption, QWidget* parent = nullptr);

    // The face's colour at rest (the "=" key is darker than the others).
    void setFaceColour(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor face_{224, 224, 224};
};

} // namespace ui
