// Note pages: the Ticket Note saved to and loaded from *.cxt files (RTF), and printed.
#pragma once

#include "core/desktop.h"

#include <QString>
#include <string>

namespace shell {

struct NotePageIo {
    ui::FileDialogs& files;
    ui::Dialogs& dialogs;
    ui::Printer& printer;
    ui::Tape& tape;
    // Where the dialogs open; each page chosen makes its folder the next one.
    QString& folder;
};

// Save and load report nothing: a cancelled dialog or a failing file ends the command quietly.
// A save replaces the file atomically, so a failed one leaves the old page whole; a failed load
// leaves the tape as it was. A name saved without an extension gets ".cxt".
void SaveNotePage(NotePageIo& io);
void LoadNotePage(NotePageIo& io);
// Asks first; prints the whole tape's text.
void PrintNotePage(NotePageIo& io);

} // namespace shell
