// File dialogs and the printer over Qt.
#pragma once

#include <QString>

#include "ui/platform.h"

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

// The system's default printer, or a PDF file when one is named (what the tests read back).
class QtPrinter final : public Printer {
public:
    QtPrinter() = default;
    explicit QtPrinter(QString pdfPath) : pdfPath_(std::move(pdfPath)) {}
    bool available() override;
    bool printText(const std::string& text) override;

private:
    QString pdfPath_;
};

} // namespace ui
