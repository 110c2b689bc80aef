// The Ticket Note's journal on disk: records appended with write(2) as each key is pressed, so
// that a killed process loses nothing the kernel has been given; flushed to the disk two seconds
// after the first record that follows a flush, so that a power cut loses at most those seconds.
// The file is open only from a key to its flush: an idle program holds no file of its folder
// open for writing. A journal that cannot be written is given up quietly and written whole
// again at the next flush that follows a key.
#pragma once

#include "core/tape_journal.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace ui {

class TapeJournalFile final : public calc::JournalSink {
  public:
    // `editor` shows the tape: what the user types into it, and a note page loaded into it (a
    // document of its own), reach the journal at the next flush.
    TapeJournalFile(calc::JournaledTape& tape, QPlainTextEdit* editor);
    ~TapeJournalFile() override;
    TapeJournalFile(const TapeJournalFile&) = delete;
    TapeJournalFile& operator=(const TapeJournalFile&) = delete;

    // Takes over the journal at `path`: the tape that a run that ended abnormally left there
    // is put back (true), then every change of the tape is journaled.
    bool open(const QString& path);
    // The end of a normal run (also at destruction): the journal goes.
    void finish();

    bool append(std::string_view records) override;
    bool replace(std::string_view journal) override;
    void needsRewrite() override;

  private:
    void closeFile();
    void flush();

    calc::JournaledTape& tape_;
    QString path_;
    int fd_ = -1;
    bool rewriteWanted_ = false;
    QTimer flushTimer_;
    // Ends the connection to the document with this object.
    QObject context_;
};

} // namespace ui
