#include "ui/qt_documents.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace ui {

namespace {

std::optional<std::string> runDialog(QWidget* parent, const FileDialogSettings& settings,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString::fromStdString(settings.title),
                       QString::fromStdString(settings.initialFolder),
                       QString::fromStdString(settings.filterDescription + " (" +
                                              settings.filterPattern + ")"));
    // The same dialog everywhere; the name is used as typed, and replacing a page asks nothing.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

std::optional<std::string> QtFileDialogs::openFile(const FileDialogSettings& settings) {
    return runDialog(parent_, settings, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileDialogs::saveFile(const FileDialogSettings& settings) {
    return runDialog(parent_, settings, QFileDialog::AcceptSave);
}

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
