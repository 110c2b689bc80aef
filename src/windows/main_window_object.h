// The main window seen as a window object, so that the other windows reach it the way they
// reach each other. The program owns the window; it exists for the whole run.
#pragma once

#include "windows/window_object.h"

#include <QPointer>
#include <QWidget>

namespace shell {

class MainWindowObject final : public WindowObject {
  public:
    void setWindow(QWidget* window) { window_ = window; }
    void load() override {}
    void unload() override {
        if (window_)
            window_->close();
    }
    bool isLoaded() const override { return !window_.isNull(); }
    QWidget* widget() const override { return window_.data(); }

  private:
    QPointer<QWidget> window_;
};

} // namespace shell
