#include "windows/note_pages.h"

#include "core/rtf.h"
#include "core/tape_journal.h"
#include "core/texts.h"
#include "platform/files.h"
#include "platform/qt_platform.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace shell {

namespace {

// Large enough for years of tape; a bigger file is not a note page.
constexpr qint64 kMaxNotePageBytes = 64 * 1024 * 1024;
// A longer line, or a longer word (a run the line cannot be wrapped in), is not a tape's: laying
// it out holds the window for too long (a 16 KB word about 250 ms, one 20 MB line for seconds and
// hundreds of megabytes), so such a page is refused as a too big one is.
constexpr std::size_t kMaxLineBytes = 16 * 1024;
constexpr std::size_t kMaxWordBytes = 2 * 1024;
// A page longer than this goes a few lines to a paragraph: its lines would take the document
// more memory than their text.
constexpr std::size_t kLinesApart = 100'000;
// The window's time for one slice of a load; it answers between slices.
constexpr std::chrono::milliseconds kSlice{20};

bool pageFolderRemembered(const NotePageIo& io) {
    return io.pageFolder && !io.pageFolder->isEmpty();
}

ui::FileDialogSettings dialogSettings(const NotePageIo& io, const char* title) {
    return {title, "Fichiers supportés", "*.cxt",
            pageFolderRemembered(io) ? io.pageFolder->toStdString() : io.programFolder};
}

// The page the user chose; its folder is the next dialog's (a folder given as the page is no
// page). A link the user picked leads to the page meant: it is read or written where it points.
QString chosenPage(NotePageIo& io, const QString& name) {
    const QFileInfo chosen(name);
    if (pageFolderRemembered(io) && !chosen.isDir())
        *io.pageFolder = QDir::cleanPath(chosen.absolutePath());
    if (!chosen.isSymLink())
        return chosen.filePath();
    return chosen.exists() ? chosen.canonicalFilePath() : chosen.symLinkTarget();
}

// The number of lines of `text`, or nullopt when one is too long for the tape.
std::optional<std::size_t> linesThatFit(std::string_view text) {
    std::size_t lines = 0;
    std::size_t line = 0;
    std::size_t word = 0;
    for (const char c : text) {
        if (c == '\n') {
            ++lines;
            line = word = 0;
        } else if (c != '\r') {
            ++line;
            word = c == ' ' || c == '\t' ? 0 : word + 1;
            if (line > kMaxLineBytes || word > kMaxWordBytes)
                return std::nullopt;
        }
    }
    return lines;
}

// The page's text in pieces of whole lines, and whether it has more lines than kLinesApart.
// The pieces are freed one by one as they go into the tape, so that a big page is not held
// twice, as text and in the tape, until the end.
struct Page {
    std::deque<std::string> pieces;
    bool manyLines = false;
};

// nullopt when the file is not a page the tape can show.
std::optional<Page> readPage(const QString& path) {
    constexpr std::size_t kPiece = 1024 * 1024;
    std::optional<std::string> bytes = ui::ReadWholeFile(path, kMaxNotePageBytes);
    if (!bytes)
        return std::nullopt;
    calc::RtfReadResult read = calc::ReadRtf(*bytes);
    bytes.reset();
    const std::optional<std::size_t> lines = read.ok ? linesThatFit(read.text) : std::nullopt;
    if (!lines)
        return std::nullopt;
    Page page;
    page.manyLines = *lines > kLinesApart;
    const std::string_view text = read.text;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', std::min(text.size(), start + kPiece));
        end = end == std::string_view::npos ? text.size() : end + 1;
        page.pieces.emplace_back(text.substr(start, end - start));
        start = end;
    }
    return page;
}

} // namespace

NotePages::NotePages(NotePageIo io) : io_(std::move(io)) {
    slices_.setInterval(0);
    QObject::connect(&slices_, &QTimer::timeout, &receiver_, [this] { loadSlice(); });
}

NotePages::~NotePages() {
    slices_.stop();
    if (worker_.joinable())
        worker_.join();
}

bool NotePages::refuseWhileBusy() {
    if (!busy_)
        return false;
    io_.dialogs.messageBox({"Une page de note est déjà en cours de lecture ou d'écriture.",
                            std::string(calc::kProgramTitle), ui::Buttons::Ok,
                            ui::Icon::Information});
    return true;
}

void NotePages::save() {
    if (refuseWhileBusy())
        return;
    const auto name = io_.files.saveFile(dialogSettings(io_, "Sauver une page de note"));
    if (!name || name->empty())
        return;
    QString path = QString::fromStdString(*name);
    // Without an extension the page would not show in the dialogs, which offer *.cxt.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".cxt");
    busy_ = true;
    worker_ = std::thread([this, path = chosenPage(io_, path),
                           text = io_.tape.snapshot()]() mutable {
        ui::WriteFileAtomically(path, calc::WriteRtf(ui::PlainTextTape::TapeText(std::move(text))));
        QMetaObject::invokeMethod(
            &receiver_,
            [this] {
                worker_.join();
                busy_ = false;
            },
            Qt::QueuedConnection);
    });
}

void NotePages::load() {
    if (refuseWhileBusy())
        return;
    const auto name = io_.files.openFile(dialogSettings(io_, "Charger une page de note"));
    if (!name || name->empty())
        return;
    busy_ = true;
    const int mark = io_.tape.loadMark();
    worker_ = std::thread([this, mark, path = chosenPage(io_, QString::fromStdString(*name))] {
        auto page = std::make_shared<std::optional<Page>>(readPage(path));
        QMetaObject::invokeMethod(
            &receiver_,
            [this, page, mark] {
                worker_.join();
                if (!*page) {
                    busy_ = false;
                    return;
                }
                loading_ = std::move((*page)->pieces);
                loaded_ = 0;
                std::string kept;
                io_.journal.beneath([&] { kept = io_.tape.startLoad(mark, (*page)->manyLines); });
                std::vector<std::string_view> whole(loading_.begin(), loading_.end());
                whole.push_back(kept);
                io_.journal.startPage(whole);
                slices_.start();
            },
            Qt::QueuedConnection);
    });
}

void NotePages::loadSlice() {
    if (!loading_.empty()) {
        io_.journal.beneath(
            [this] { loaded_ = io_.tape.loadSome(loading_.front(), loaded_, kSlice); });
        if (loaded_ < loading_.front().size())
            return;
        loading_.pop_front();
        loaded_ = 0;
    }
    if (!loading_.empty())
        return;
    slices_.stop();
    io_.journal.endPage();
    busy_ = false;
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
