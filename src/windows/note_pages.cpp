#include "windows/note_pages.h"

#include "core/rtf.h"
#include "core/texts.h"
#include "platform/files.h"

#include <QString>

namespace shell {

namespace {

// Large enough for years of tape; a bigger file is not a note page.
constexpr qint64 kMaxNotePageBytes = 64 * 1024 * 1024;

ui::FileDialogSettings dialogSettings(const NotePageIo& io, const char* title) {
    return {title, "Fichiers supportés", "*.cxt", io.programFolder};
}

} // namespace

void SaveNotePage(NotePageIo& io) {
    const auto path = io.files.saveFile(dialogSettings(io, "Sauver une page de note"));
    if (!path || path->empty())
        return;
    ui::WriteFileAtomically(QString::fromStdString(*path), calc::WriteRtf(io.tape.text()));
}

void LoadNotePage(NotePageIo& io) {
    const auto path = io.files.openFile(dialogSettings(io, "Charger une page de note"));
    if (!path || path->empty())
        return;
    const auto bytes = ui::ReadWholeFile(QString::fromStdString(*path), kMaxNotePageBytes);
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
