// The desktop seam over Qt: message and input boxes, the clipboard, text boxes and the tape.
#pragma once

#include "core/desktop.h"

#include <QString>
#include <QTextCursor>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QTextDocument;
class QWidget;

namespace ui {

class QtDialogs final : public Dialogs {
  public:
    // Boxes are centred on `parent` and modal to the program.
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    Answer messageBox(const Message& message) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;

  private:
    QWidget* owner() const;
    QWidget* parent_;
};

class QtClipboard final : public Clipboard {
  public:
    std::optional<std::string> text() override;
    void setText(const std::string& text) override;
    void clear() override;
};

class LineEditBox final : public TextBox {
  public:
    explicit LineEditBox(QLineEdit* edit) : edit_(edit) {}
    std::string text() const override;
    void setText(std::string_view text) override;

  private:
    QLineEdit* edit_;
};

// The Ticket Note over a QPlainTextEdit. A paragraph break of the document is CR LF to the
// calculator. Every change is made at the end of the document through a cursor, so a key never
// re-sets (or re-lays out) the whole tape.
class PlainTextTape final : public Tape {
  public:
    explicit PlainTextTape(QPlainTextEdit* edit);
    ~PlainTextTape() override;
    PlainTextTape(const PlainTextTape&) = delete;
    PlainTextTape& operator=(const PlainTextTape&) = delete;
    bool empty() const override;
    std::string tail(std::size_t count) const override;
    void append(std::string_view text) override;
    void chop(std::size_t count) override;
    void moveCaretToEnd() override;
    std::string text() const override;
    void setText(std::string_view text) override;
    std::string selectedText(std::size_t count) const override;

    // A note page is loaded in slices, so that the window answers between them. startLoad()
    // puts a new document in place, holding only what was written after `mark` (an earlier
    // loadMark(): what the calculator wrote while the page was read). loadSome() adds whole
    // lines of `text` from `from` at the load point until `budget` is spent, and says where it
    // stopped. What the calculator writes meanwhile goes below the loaded lines. With
    // `joinLines`, lines go a few to a paragraph, parted by line separators: they show and read
    // back the same, and a page of a million short lines takes a third of the memory.
    // startLoad() returns what it kept, as tape text.
    int loadMark() const;
    std::string startLoad(int mark, bool joinLines);
    std::size_t loadSome(std::string_view text, std::size_t from, std::chrono::milliseconds budget);

    // The whole text as the document holds it, taken at once; TapeText() turns it into the
    // tape's text on any thread.
    QString snapshot() const;
    static std::string TapeText(QString documentText);

  private:
    // An empty document in place of the current one, set as it was. Freeing a long tape at
    // once would hold the window (about 0.1 s for 500,000 lines, more for more): the old one is
    // emptied a slice at a time, between events, then freed.
    QTextDocument* replaceDocument();
    void freeSome();

    QPlainTextEdit* edit_;
    QTextCursor loadPoint_;
    bool joinLines_ = false;
    std::deque<std::unique_ptr<QTextDocument>> retired_;
    QTimer freeing_;
};

} // namespace ui
