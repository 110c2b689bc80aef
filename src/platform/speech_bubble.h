// The bubble behind the tour's text: a rounded pale yellow balloon whose tail leaves from the
// corner the orientation value names. It also cuts its window to the balloon.
#pragma once

#include <QPainterPath>
#include <QWidget>

class SpeechBubble : public QWidget {
    Q_OBJECT
  public:
    explicit SpeechBubble(QWidget* parent = nullptr);

    int orientation() const { return orientation_; }
    // Takes effect at the next refresh.
    void setOrientation(int value) { orientation_ = value; }
    // Redraws the balloon with the current orientation and reshapes the window to it.
    void Refresh();

    QPainterPath outline() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int orientation_ = 0;
};
