// Note pages: the Ticket Note saved to and loaded from *.cxt files (RTF), and printed.
#pragma once

#include "core/desktop.h"

#include <string>

class QString;

namespace shell {

struct NotePageIo {
    ui::FileDialogs& files;
    ui::Dialogs& dialogs;
    ui::Printer& printer;
    ui::Tape& tape;
    std::string programFolder;
    // Where the dialogs open when the state is kept per user, each page chosen making its folder
    // the next one; null: in the program folder each time.
    QString* pageFolder = nullptr;
};

// Save and load report nothing: a cancelled dialog or a failing file ends the command quietly.
// A save replaces the file atomically, so a failed one leaves the old page whole; a failed load
// leaves the tape as it was. A name saved without an extension gets ".cxt".
void SaveNotePage(NotePageIo& io);
void LoadNotePage(NotePageIo& io);
// Asks first; prints the whole tape's text.
void PrintNotePage(NotePageIo& io);

} // namespace shell
