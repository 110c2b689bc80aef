#include "platform/qt_documents.h"

#include "platform/qt_french.h"

#include <QFileDialog>

namespace ui {

namespace {

std::optional<std::string> runDialog(QWidget* parent, const FileDialogSettings& settings,
                                     QFileDialog::AcceptMode mode) {
    UseQtTextsInFrench();
    QFileDialog dialog(
        parent, QString::fromStdString(settings.title),
        QString::fromStdString(settings.initialFolder),
        QString::fromStdString(settings.filterDescription + " (" + settings.filterPattern + ")"));
    // The same dialog everywhere, showing the filter by its name; the name is used as typed,
    // replacing a page asks nothing, and a name that leads nowhere is the load's own silent
    // failure rather than the dialog's message.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
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
