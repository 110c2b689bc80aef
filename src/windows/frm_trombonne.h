// The paperclip assistant: a small tool window with an animated paperclip that opens the
// tour's speech bubble and, once the user has quit the tour, winks and has the main window
// close the assistant.
#pragma once

#include "windows/window_object.h"

#include <QWidget>
#include <array>

class QLabel;

namespace ui {
class Timer;
}

namespace assistant {

// The paperclip beside the main window's top-left corner, shown; the bubble follows.
void StartAssistant(shell::WindowDirectory& windows, shell::SharedState& shared);

} // namespace assistant

class FrmTrombonne : public QWidget {
    Q_OBJECT
  public:
    FrmTrombonne(shell::WindowDirectory& windows, shell::SharedState& shared,
                 QWidget* parent = nullptr);

    void Form_Load();
    void ImgTrombonne_Click();
    // Eye animation; after a quit, the wink and the arming of the main window's Timer4.
    void Timer1_Timer();
    // Opens the bubble once.
    void Timer2_Timer();
    // The end of a pause inside the animation.
    void Pause_Timer();
    // Shows the bubble beside the paperclip.
    void OpenBubble();

    // The frame (Image1 index) ImgTrombonne shows.
    int shownFrame() const { return shownFrame_; }
    bool isPaused() const { return stage_ != Stage::Idle; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class Stage { Idle, EyesHalfOpen, EyesOpen, BeforeWink };
    void showFrame(int index);
    void pause(Stage stage, int milliseconds);
    void endPause();
    bool bubbleSayingGoodbye() const;

    shell::WindowDirectory& windows_;
    shell::SharedState& shared_;
    QLabel* ImgTrombonne = nullptr;
    std::array<QLabel*, 4> Image1{};
    ui::Timer* Timer1 = nullptr;
    ui::Timer* Timer2 = nullptr;
    ui::Timer* Pause = nullptr;
    int shownFrame_ = 2;
    Stage stage_ = Stage::Idle;
    // A click that came during a pause, answered when the pause ends.
    bool heldClick_ = false;
};
