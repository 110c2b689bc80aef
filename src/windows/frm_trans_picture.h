// The tour's pointer: a borderless window cut to the shape of a pale yellow arrow pointing
// left, kept above the other windows and dragged by any mouse button.
#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;

class frmTransPicture : public QWidget {
    Q_OBJECT
  public:
    explicit frmTransPicture(QWidget* parent = nullptr);

    // Placement at the pointer, the picture, and the window cut to it.
    void Form_Load();
    // Any button starts a drag of the whole window.
    void Picture1_MouseDown(Qt::MouseButton button, const QPoint& globalPosition);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* Picture1 = nullptr;
    // Where the window system will not run the move itself, we follow the mouse.
    bool dragging_ = false;
    QPoint dragOffset_;
};
