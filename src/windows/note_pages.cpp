#include "windows/note_pages.h"

#include "core/rtf.h"
#include "core/texts.h"
#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace shell {

namespace {

// Large enough for years of tape; a bigger file is not a note page.
constexpr qint64 kMaxNotePageBytes = 64 * 1024 * 1024;

ui::FileDialogSettings dialogSettings(const NotePageIo& io, const char* title) {
    return {title, "Fichiers supportés", "*.cxt",
            io.pageFolder ? io.pageFolder->toStdString() : io.programFolder};
}

// The page the user chose; its folder is the next dialog's (a folder given as the page is no
// page). A link the user picked leads to the page meant: it is read or written where it points.
QString chosenPage(NotePageIo& io, const QString& name) {
    const QFileInfo chosen(name);
    if (io.pageFolder && !chosen.isDir())
        *io.pageFolder = QDir::cleanPath(chosen.absolutePath());
    if (!chosen.isSymLink())
        return chosen.filePath();
    return chosen.exists() ? chosen.canonicalFilePath() : chosen.symLinkTarget();
}

} // namespace

void SaveNotePage(NotePageIo& io) {
    const auto name = io.files.saveFile(dialogSettings(io, "Sauver une page de note"));
    if (!name || name->empty())
        return;
    QString path = QString::fromStdString(*name);
    // Without an extension the page would not show in the dialogs, which offer *.cxt.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".cxt");
    ui::WriteFileAtomically(chosenPage(io, path), calc::WriteRtf(io.tape.text()));
}

void LoadNotePage(NotePageIo& io) {
    const auto name = io.files.openFile(dialogSettings(io, "Charger une page de note"));
    if (!name || name->empty())
        return;
    const auto bytes =
        ui::ReadWholeFile(chosenPage(io, QString::fromStdString(*name)), kMaxNotePageBytes);
    if (!bytes)
        return;
    const calc::RtfReadResult page = calc::ReadRtf(*bytes);
    if (!page.ok)
        return;
    io.tape.setText(page.text);
}

void PrintNotePage(NotePageIo& io) {
    const ui::Answer answer =
        io.dialogs.messageBox({"Etes-vous certain de vouloir imprimer ?", "Impression de la note",
                               ui::Buttons::YesNo, ui::Icon::Question});
    if (answer != ui::Answer::Yes)
        return;
    const std::string title(calc::kProgramTitle);
    if (!io.printer.available()) {
        io.dialogs.messageBox({"Aucune imprimante n'est installée : le mémo n'a pas été imprimé.",
                               title, ui::Buttons::Ok, ui::Icon::Information});
        return;
    }
    if (!io.printer.printText(io.tape.text() + "\r\n"))
        io.dialogs.messageBox(
            {"L'impression du mémo a échoué.", title, ui::Buttons::Ok, ui::Icon::Stop});
}

} // namespace shell
