// The printer over Qt Print Support. Part of the printing module.
#pragma once

#include "core/desktop.h"

#include <QString>

namespace ui {

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
