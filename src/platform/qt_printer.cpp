#include "platform/qt_printer.h"

#include <QFontDatabase>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace ui {

bool QtPrinter::available() {
    // Without a printer QPrinter silently becomes a PDF printer with no file and prints nothing.
    return !pdfPath_.isEmpty() || !QPrinterInfo::defaultPrinter().isNull();
}

bool QtPrinter::printText(const std::string& text) {
    if (!available())
        return false;
    QPrinter printer(pdfPath_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo());
    if (!pdfPath_.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath_);
    }
    printer.setDocName(QStringLiteral("Ticket Note"));
    QString plain = QString::fromStdString(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextDocument document;
    // A tape lines up like a printed calculator roll.
    document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    document.setPlainText(plain);
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

} // namespace ui
