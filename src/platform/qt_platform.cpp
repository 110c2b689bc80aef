#include "platform/qt_platform.h"

#include "core/texts.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace ui {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// CR LF (and a lone LF or CR) become the document's paragraph breaks.
QString toDocumentText(std::string_view text) {
    QString s = fromUtf8(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// Each paragraph costs the document about 130 bytes besides its text, more than a tape line's
// text: the lines of a piece are joined by line separators, up to kJoined lines or kJoinedChars
// characters a paragraph. The piece's last break stays a paragraph break.
void joinLines(QString& s) {
    constexpr int kJoined = 32;
    constexpr qsizetype kJoinedChars = 2048;
    int lines = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != QLatin1Char('\n'))
            continue;
        if (++lines < kJoined && i - start < kJoinedChars) {
            s[i] = QChar::LineSeparator;
        } else {
            lines = 0;
            start = i + 1;
        }
    }
}

// The document's paragraph and line separators become CR LF; every other character stays as it
// is (Qt's toPlainText() would turn no-break spaces into spaces). One pass over the UTF-8:
// QString's replace() of a character by two takes seconds on a tape of a million lines.
std::string toTapeText(QString s) {
    const QByteArray utf8 = s.toUtf8();
    s = QString();
    const std::string_view in(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    std::string text;
    text.reserve(in.size() + in.size() / 16);
    // U+2028 and U+2029 in UTF-8: E2 80 A8 and E2 80 A9.
    constexpr std::string_view kLine = "\xE2\x80\xA8";
    constexpr std::string_view kParagraph = "\xE2\x80\xA9";
    std::size_t from = 0;
    for (std::size_t at = in.find_first_of("\n\xE2"); at != std::string_view::npos;
         at = in.find_first_of("\n\xE2", from)) {
        text.append(in.substr(from, at - from));
        const std::string_view here = in.substr(at, 3);
        if (in[at] == '\n' || here == kLine || here == kParagraph) {
            text += "\r\n";
            from = at + (in[at] == '\n' ? 1 : 3);
        } else {
            text += in[at];
            from = at + 1;
        }
    }
    text.append(in.substr(from));
    return text;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Stop:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

// A box stands over the program's window the user works in (the about box opens one too), so
// that closing it gives that window the keyboard back.
QWidget* QtDialogs::owner() const {
    QWidget* active = QApplication::activeWindow();
    return active ? active : parent_;
}

Answer QtDialogs::messageBox(const Message& message) {
    QMessageBox box(qtIcon(message.icon), fromUtf8(message.title), fromUtf8(message.text),
                    QMessageBox::NoButton, owner());
    // X11 has no system-modal boxes; modal to the whole program is the nearest.
    box.setWindowModality(Qt::ApplicationModal);
    if (message.buttons == Buttons::YesNo) {
        // O and N answer, as in every French yes-or-no box.
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("&Non"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

std::optional<std::string> QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
    QInputDialog dialog(owner());
    dialog.setWindowTitle(fromUtf8(title));
    dialog.setLabelText(fromUtf8(prompt));
    dialog.setTextValue(fromUtf8(defaultText));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtClipboard::text() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return std::nullopt;
    return clipboard->text().toStdString();
}

void QtClipboard::setText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(fromUtf8(text));
}

void QtClipboard::clear() {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

std::string LineEditBox::text() const {
    return edit_->text().toStdString();
}

void LineEditBox::setText(std::string_view text) {
    const QString s = fromUtf8(text);
    if (edit_->text() != s)
        edit_->setText(s);
}

PlainTextTape::PlainTextTape(QPlainTextEdit* edit) : edit_(edit) {
    // Undo would keep every key's edit for the whole run.
    edit_->setUndoRedoEnabled(false);
    freeing_.setInterval(0);
    QObject::connect(&freeing_, &QTimer::timeout, [this] { freeSome(); });
}

PlainTextTape::~PlainTextTape() = default;

bool PlainTextTape::empty() const {
    return edit_->document()->isEmpty();
}

std::string PlainTextTape::tail(std::size_t count) const {
    // Each document character is at least one tape character, so `count` of them suffice.
    QTextCursor cursor(edit_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, static_cast<int>(count));
    const std::string text = toTapeText(cursor.selectedText());
    // Trim to `count` code points from the end.
    std::size_t pos = text.size();
    for (std::size_t n = 0; n < count && pos > 0; ++n) {
        --pos;
        while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            --pos;
    }
    return text.substr(pos);
}

void PlainTextTape::append(std::string_view text) {
    QTextCursor cursor(edit_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(toDocumentText(text));
}

void PlainTextTape::chop(std::size_t count) {
    QTextDocument* doc = edit_->document();
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    int position = cursor.position();
    while (count > 0 && position > 0) {
        const QChar c = doc->characterAt(position - 1);
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            // One break is CR LF: two tape characters.
            count = count >= 2 ? count - 2 : 0;
            --position;
        } else if (c.isLowSurrogate() && position > 1 &&
                   doc->characterAt(position - 2).isHighSurrogate()) {
            --count;
            position -= 2;
        } else {
            --count;
            --position;
        }
    }
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void PlainTextTape::moveCaretToEnd() {
    QTextCursor cursor = edit_->textCursor();
    cursor.movePosition(QTextCursor::End);
    edit_->setTextCursor(cursor);
    edit_->ensureCursorVisible();
}

std::string PlainTextTape::text() const {
    return toTapeText(edit_->document()->toRawText());
}

void PlainTextTape::setText(std::string_view text) {
    // Clearing a long tape in place frees all of it at once, holding the window.
    constexpr int kLongTape = 10000;
    if (edit_->document()->blockCount() > kLongTape)
        replaceDocument();
    edit_->setPlainText(toDocumentText(text));
}

std::string PlainTextTape::selectedText(std::size_t count) const {
    const QTextCursor selection = edit_->textCursor();
    if (!selection.hasSelection())
        return {};
    // A character is at most two document positions (a surrogate pair), so twice `count` of
    // them hold `count` characters; a long selection is never copied whole.
    const int start = selection.selectionStart();
    const int room = selection.selectionEnd() - start;
    const int wanted =
        count >= static_cast<std::size_t>(room) / 2 ? room : static_cast<int>(count) * 2;
    QTextCursor cursor(edit_->document());
    cursor.setPosition(start);
    cursor.setPosition(start + wanted, QTextCursor::KeepAnchor);
    std::string text = toTapeText(cursor.selectedText());
    text.resize(calc::Utf8PrefixBytes(text, count));
    return text;
}

int PlainTextTape::loadMark() const {
    return edit_->document()->characterCount() - 1;
}

QTextDocument* PlainTextTape::replaceDocument() {
    std::unique_ptr<QTextDocument> old(edit_->document());
    auto* doc = new QTextDocument(edit_);
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
    doc->setUndoRedoEnabled(false);
    doc->setDefaultFont(old->defaultFont());
    doc->setDefaultTextOption(old->defaultTextOption());
    doc->setDocumentMargin(old->documentMargin());
    // Not a child of the editor any more, or setDocument() would free it here.
    old->setParent(nullptr);
    edit_->setDocument(doc);
    retired_.push_back(std::move(old));
    freeing_.start();
    return doc;
}

void PlainTextTape::freeSome() {
    // Lines removed from the end at a time: a few milliseconds' work.
    constexpr int kLines = 256;
    QElapsedTimer clock;
    clock.start();
    while (!retired_.empty() && clock.elapsed() < 10) {
        QTextDocument* doc = retired_.front().get();
        if (doc->blockCount() <= kLines) {
            retired_.pop_front();
            continue;
        }
        QTextCursor cursor(doc);
        cursor.movePosition(QTextCursor::End);
        cursor.movePosition(QTextCursor::PreviousBlock, QTextCursor::KeepAnchor, kLines);
        cursor.removeSelectedText();
    }
    if (retired_.empty())
        freeing_.stop();
}

std::string PlainTextTape::startLoad(int mark, bool joinLines) {
    joinLines_ = joinLines;
    QTextCursor written(edit_->document());
    written.setPosition(std::min(mark, edit_->document()->characterCount() - 1));
    written.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    const QString writtenText = written.selectedText();
    QTextDocument* doc = replaceDocument();
    QTextCursor(doc).insertText(writtenText);
    loadPoint_ = QTextCursor(doc);
    // Lines typed during the load stay after it.
    loadPoint_.setKeepPositionOnInsert(true);
    return toTapeText(writtenText);
}

std::size_t PlainTextTape::loadSome(std::string_view text, std::size_t from,
                                    std::chrono::milliseconds budget) {
    // A piece this size, in bytes or in lines, takes a few milliseconds to insert, so the budget
    // is barely passed.
    constexpr std::size_t kPieceBytes = 16 * 1024;
    constexpr int kPieceLines = 512;
    QElapsedTimer clock;
    clock.start();
    while (from < text.size() && clock.elapsed() < budget.count()) {
        // Whole lines: a CR LF or a UTF-8 sequence is never split.
        std::size_t end = from;
        for (int lines = 0; lines < kPieceLines && end - from < kPieceBytes; ++lines) {
            const std::size_t lf = text.find('\n', end);
            end = lf == std::string_view::npos ? text.size() : lf + 1;
            if (end == text.size())
                break;
        }
        QTextCursor cursor(edit_->document());
        cursor.setPosition(loadPoint_.position());
        QString piece = toDocumentText(text.substr(from, end - from));
        if (joinLines_)
            joinLines(piece);
        cursor.insertText(piece);
        loadPoint_.setPosition(cursor.position());
        from = end;
    }
    return from;
}

QString PlainTextTape::snapshot() const {
    return edit_->document()->toRawText();
}

std::string PlainTextTape::TapeText(QString documentText) {
    return toTapeText(std::move(documentText));
}

} // namespace ui
