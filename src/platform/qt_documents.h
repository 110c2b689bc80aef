// File dialogs over Qt.
#pragma once

#include "core/desktop.h"

class QWidget;

namespace ui {

class QtFileDialogs final : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> openFile(const FileDialogSettings& settings) override;
    std::optional<std::string> saveFile(const FileDialogSettings& settings) override;

  private:
    QWidget* parent_;
};

} // namespace ui
