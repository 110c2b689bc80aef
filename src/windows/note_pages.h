// Note pages: the Ticket Note saved to and loaded from *.cxt files (RTF), and printed.
#pragma once

#include "core/desktop.h"

#include <QObject>
#include <QTimer>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <thread>

namespace calc {
class JournaledTape;
}
namespace ui {
class PlainTextTape;
}

class QString;

namespace shell {

struct NotePageIo {
    ui::FileDialogs& files;
    ui::Dialogs& dialogs;
    ui::Printer& printer;
    ui::PlainTextTape& tape;
    // The same tape's journal, which a page going in by slices passes by.
    calc::JournaledTape& journal;
    std::string programFolder;
    // Where the dialogs open when the state is kept per user, each page chosen making its folder
    // the next one; empty: in the program folder each time.
    QString* pageFolder = nullptr;
};

// Save and load report nothing: a cancelled dialog or a failing file ends the command quietly.
// A save replaces the file atomically, so a failed one leaves the old page whole; a failed load
// leaves the tape as it was. A name saved without an extension gets ".cxt".
//
// The file is read and decoded, or encoded and written, on a thread of its own, and a loaded page
// goes into the tape in slices, so that the window answers all along, whatever the page's size.
// One page at a time: a load or save asked for while one runs is refused with a message. The
// save writes the tape as it was when the command was given.
class NotePages {
  public:
    explicit NotePages(NotePageIo io);
    // Waits for a page being written (it ends whole) or read.
    ~NotePages();
    NotePages(const NotePages&) = delete;
    NotePages& operator=(const NotePages&) = delete;

    void save();
    void load();
    bool busy() const { return busy_; }

  private:
    bool refuseWhileBusy();
    void loadSlice();

    NotePageIo io_;
    bool busy_ = false;
    std::thread worker_;
    // The page being put into the tape, in pieces freed as they go in, and how much of the
    // first piece left is in.
    std::deque<std::string> loading_;
    std::size_t loaded_ = 0;
    QTimer slices_;
    // Results from the worker are delivered through it; it outlives the worker.
    QObject receiver_;
};

// Asks first; prints the whole tape's text.
void PrintNotePage(NotePageIo& io);

} // namespace shell
