#include "ui/qt_documents.h"

#include <QFileDialog>

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

} // namespace ui
