// The tour's speech bubble: a text and three buttons (back, next, quit) on a drawn balloon.
// The step reached lives in the window object and survives the window's closing.
#pragma once

#include "core/tour.h"
#include "windows/window_object.h"
#include "windows/window_slot.h"

#include <QWidget>

class QLabel;
class QPushButton;
class SpeechBubble;

namespace ui {
class Timer;
}

class FrmBulleObject;

class FrmBulle : public QWidget, private assistant::TourView {
    Q_OBJECT
  public:
    FrmBulle(FrmBulleObject& object, shell::WindowDirectory& windows, shell::SharedState& shared,
             QWidget* parent = nullptr);

    void Form_Load();
    // Back, next, quit.
    void asAssisPopup1_Click();
    void asAssisPopup2_Click();
    void asAssisPopup3_Click();
    void ShowTourStep();
    // The end of the goodbye: the arrow and the bubble close.
    void Pause_Timer();

    bool isSayingGoodbye() const { return sayingGoodbye_; }
    SpeechBubble* bubble() const { return Truc1; }

    int& TourStep;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setBackCaption(std::string_view caption) override;
    void setNextCaption(std::string_view caption) override;
    void setText(std::string_view text) override;
    void pointArrowAt(std::string_view anchor) override;
    void showArrow() override;
    QWidget* arrow();

    shell::WindowDirectory& windows_;
    shell::SharedState& shared_;
    SpeechBubble* Truc1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* asAssisPopup1 = nullptr;
    QPushButton* asAssisPopup2 = nullptr;
    QPushButton* asAssisPopup3 = nullptr;
    ui::Timer* Pause = nullptr;
    bool sayingGoodbye_ = false;
};

// The bubble's window object: TourStep starts at 0 with the program and keeps its value for
// the whole run, so a bubble opened again goes on from where the user left it.
class FrmBulleObject final : public shell::WindowObject {
  public:
    FrmBulleObject(shell::WindowDirectory& windows, shell::SharedState& shared);
    void load() override { slot_.load(); }
    void unload() override { slot_.unload(); }
    bool isLoaded() const override { return slot_.isLoaded(); }
    QWidget* widget() const override { return slot_.widget(); }
    FrmBulle* get() { return slot_.get(); }
    FrmBulle* ifLoaded() const { return slot_.ifLoaded(); }

    int TourStep = 0;

  private:
    shell::WindowSlot<FrmBulle> slot_;
};
