// The seam between the program's logic and the desktop. Plain C++ so that the core can be
// driven by tests through fakes; the Qt side implements these in the GUI library.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Stop, Question, Information };
enum class Answer { Ok, Yes, No };

struct Message {
    std::string text;
    std::string title; // the program's title when the caller names none
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    bool systemModal = false;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Answer messageBox(const Message& message) = 0;
    // nullopt when the user cancels.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // nullopt when the clipboard cannot be read.
    virtual std::optional<std::string> text() = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void clear() = 0;
};

// A single-line text box whose text is the value (the display, the keyboard box).
class TextBox {
  public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    virtual void setText(std::string_view text) = 0;
};

// The Ticket Note. Text is UTF-8 with CR LF line ends. Counts are in characters (code points).
// Appends, chops and the caret move must touch only the end of the tape, so that a key costs
// the same on a long tape as on a short one.
class Tape {
  public:
    virtual ~Tape() = default;
    virtual bool empty() const = 0;
    // The last `count` characters (all of them when the tape is shorter).
    virtual std::string tail(std::size_t count) const = 0;
    virtual void append(std::string_view text) = 0;
    // Removes the last `count` characters.
    virtual void chop(std::size_t count) = 0;
    virtual void moveCaretToEnd() = 0;
    virtual std::string text() const = 0;
    virtual void setText(std::string_view text) = 0;
    // The first `count` characters of the selection (all of it when shorter), read without
    // going through the rest of a long selection.
    virtual std::string selectedText(std::size_t count) const = 0;
};

struct FileDialogSettings {
    std::string title;
    std::string filterDescription; // "Fichiers supportés"
    std::string filterPattern;     // "*.cxt"
    std::string initialFolder;
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen path as returned, nullopt on cancel.
    virtual std::optional<std::string> openFile(const FileDialogSettings& settings) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogSettings& settings) = 0;
};

class Printer {
  public:
    virtual ~Printer() = default;
    // False when there is no printer to print on.
    virtual bool available() = 0;
    // Prints the text (CR LF line ends) as one document; false when printing failed.
    virtual bool printText(const std::string& text) = 0;
};

// Whether the machine's primary connection is fully up: a local query, no network traffic,
// asked afresh at every call; false on any failure.
class ConnectionProbe {
  public:
    virtual ~ConnectionProbe() = default;
    virtual bool IsConnected() = 0;
};

// The user's web browser. Anything but an http or https address is refused silently.
class WebBrowser {
  public:
    virtual ~WebBrowser() = default;
    virtual void open(const std::string& address) = 0;
};

} // namespace ui
