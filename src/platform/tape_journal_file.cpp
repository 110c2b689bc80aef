#include "platform/tape_journal_file.h"

#include "platform/files.h"

#include <QFile>
#include <QPlainTextEdit>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace ui {

namespace {

constexpr int kFlushDelayMs = 2000;
// Far more than a journal of the largest note page grows to before it is rewritten.
constexpr qint64 kMaxJournalBytes = qint64{1} << 30;

// A flush that waits on a busy disk must not hold up the keys: it runs beside the event loop, one
// at a time, on a copy of the descriptor.
void flushBeside(int fd) {
    static std::atomic<bool> busy{false};
    if (busy.exchange(true))
        return;
    const int copy = ::dup(fd);
    if (copy < 0) {
        busy = false;
        return;
    }
    std::thread([copy] {
        ::fdatasync(copy);
        ::close(copy);
        busy = false;
    }).detach();
}

} // namespace

TapeJournalFile::TapeJournalFile(calc::JournaledTape& tape, QPlainTextEdit* editor) : tape_(tape) {
    flushTimer_.setSingleShot(true);
    QObject::connect(&flushTimer_, &QTimer::timeout, &context_, [this] { flush(); });
    if (editor)
        QObject::connect(editor, &QPlainTextEdit::textChanged, &context_, [this] {
            if (!tape_.changing())
                tape_.markStale();
        });
}

// Only a run that ends in order gets here: a crash, a kill or a power cut never do.
TapeJournalFile::~TapeJournalFile() {
    finish();
}

bool TapeJournalFile::open(const QString& path) {
    path_ = path;
    // A link or anything but a regular file is no journal of ours (and is removed below).
    std::optional<std::string> left;
    if (const auto bytes = ReadWholeFile(path, kMaxJournalBytes))
        left = calc::ReplayJournal(*bytes);
    const bool restored = left && !left->empty();
    if (restored) {
        tape_.setText(*left);
        tape_.moveCaretToEnd();
    }
    tape_.attach(this);
    // The journal then holds the tape as it is now on screen.
    if (restored)
        tape_.rewrite();
    else
        QFile::remove(path);
    return restored;
}

void TapeJournalFile::finish() {
    tape_.attach(nullptr);
    flushTimer_.stop();
    closeFile();
    if (!path_.isEmpty())
        QFile::remove(path_);
}

bool TapeJournalFile::append(std::string_view records) {
    if (fd_ < 0)
        fd_ = ::open(QFile::encodeName(path_).constData(),
                     O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    while (!records.empty()) {
        const ssize_t written = ::write(fd_, records.data(), records.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        records.remove_prefix(static_cast<std::size_t>(written));
    }
    if (!flushTimer_.isActive())
        flushTimer_.start(kFlushDelayMs);
    return true;
}

bool TapeJournalFile::replace(std::string_view journal) {
    closeFile();
    return WriteFileAtomically(path_, journal);
}

void TapeJournalFile::needsRewrite() {
    rewriteWanted_ = true;
    if (!flushTimer_.isActive())
        flushTimer_.start(kFlushDelayMs);
}

void TapeJournalFile::flush() {
    if (rewriteWanted_) {
        rewriteWanted_ = false;
        // A failure wants the rewrite again, at the next change of the tape.
        tape_.rewrite();
        flushTimer_.stop();
    }
    if (fd_ >= 0)
        flushBeside(fd_);
    closeFile();
}

void TapeJournalFile::closeFile() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace ui
