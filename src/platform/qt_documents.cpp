#include "platform/qt_documents.h"

#include "platform/qt_french.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace ui {

namespace {

// Qt's own dialog reads double quotes in the typed name as a list of files, each relative to the
// folder shown, so that `memo "Site.eff".cxt` would pick Site.eff there. A name with quotes is
// taken here as typed, whole.
class ExactNameDialog final : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

    QString chosen() const { return typed_.isEmpty() ? selectedFiles().value(0) : typed_; }

    void accept() override {
        typed_.clear();
        // The name box is the one line edit of Qt's own dialog; a native dialog has none.
        const auto boxes = findChildren<QLineEdit*>();
        const QString text = boxes.size() == 1 ? boxes.constFirst()->text() : QString();
        if (!text.contains(QLatin1Char('"'))) {
            QFileDialog::accept();
            return;
        }
        const QString path = directory().absoluteFilePath(text);
        // As for any name: a folder is opened, not chosen.
        if (QFileInfo(path).isDir()) {
            setDirectory(path);
            boxes.constFirst()->clear();
            return;
        }
        typed_ = path;
        QDialog::accept();
    }

  private:
    QString typed_;
};

std::optional<std::string> runDialog(QWidget* parent, const FileDialogSettings& settings,
                                     QFileDialog::AcceptMode mode) {
    UseQtTextsInFrench();
    ExactNameDialog dialog(
        parent, QString::fromStdString(settings.title),
        QString::fromStdString(settings.initialFolder),
        QString::fromStdString(settings.filterDescription + " (" + settings.filterPattern + ")"));
    // The desktop's own dialog where it has one. The filter shows by its name; the name is used
    // as typed, replacing a page asks nothing, and a name that leads nowhere is the load's own
    // silent failure rather than the dialog's message.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
        return std::nullopt;
    return dialog.chosen().toStdString();
}

} // namespace

std::optional<std::string> QtFileDialogs::openFile(const FileDialogSettings& settings) {
    return runDialog(parent_, settings, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileDialogs::saveFile(const FileDialogSettings& settings) {
    return runDialog(parent_, settings, QFileDialog::AcceptSave);
}

} // namespace ui
