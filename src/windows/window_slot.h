// The usual window object: creates its widget on load through a factory, runs the widget's
// Form_Load, and destroys the widget on unload. Fields that must outlive the on-screen window
// (such as a tour's step) belong in the slot's owner, not in the widget.
#pragma once

#include "windows/window_object.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace shell {

template <class Window> class WindowSlot final : public WindowObject {
  public:
    using Factory = std::function<Window*()>;
    explicit WindowSlot(Factory factory) : factory_(std::move(factory)) {}
    ~WindowSlot() override { delete window_.data(); }

    void load() override {
        if (window_)
            return;
        window_ = factory_();
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->Form_Load();
    }
    void unload() override {
        if (!window_)
            return;
        // Its close step runs, then it is gone at once (not at the next event loop turn).
        Window* window = window_.data();
        window->close();
        window_.clear();
        delete window;
    }
    bool isLoaded() const override { return !window_.isNull(); }
    QWidget* widget() const override { return window_.data(); }

    // Touching the window loads it.
    Window* get() {
        load();
        return window_.data();
    }
    Window* ifLoaded() const { return window_.data(); }

  private:
    Factory factory_;
    QPointer<Window> window_;
};

} // namespace shell
